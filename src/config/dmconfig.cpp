#include "config/dmconfig.h"

#include "config/profiles.h"
#include "config/securitytrail.h"
#include "config/programexit.h"
#include "config/servernames.h"
#include "config/sqlcatalogue.h"
#include "config/textfiles.h"
#include "db/cp874.h"
#include "db/dberror.h"
#include "db/script.h"
#include "toolkit/prompts.h"


TDMConfig* DmConfig = nullptr;

TDMConfig::TDMConfig(QObject* parent)
    : QObject(parent)
    , DmCfg(new Connection(QStringLiteral("DmCfg"), this))
    , DBMaster(new Connection(QStringLiteral("DBMaster"), this))
    , QChkConfig(new Query(DBMaster, Sql::QChkConfig, this))
    , QSoftware(new Query(DmCfg, Sql::QSoftware, this))
    , QCompanyConfig(new Query(DmCfg, Sql::QCompanyConfig, this))
    , QUser(new Query(DmCfg, Sql::QUser, this))
    , QUserGroupId(new Query(DmCfg, Sql::QUser, this))
    , QError(new Query(DmCfg, Sql::QError, this))
    , SpMenuCaption(new StoredProc(DmCfg, QStringLiteral("MENUCAPTION"), this))
    , SQLUpdate(Sql::SQLUpdate)
    , BlankPassword(10, QLatin1Char(' '))
{
    DmCfg->beforeConnect = [this](Connection&) { DmCfgBeforeConnect(); };
    DmCfg->afterConnect = [this](Connection&) { DmCfgAfterConnect(); };

    SpMenuCaption->addParam(QStringLiteral("Result"), ProcParam::Return, QMetaType::Int);
    SpMenuCaption->addParam(QStringLiteral("@MENUID"), ProcParam::In, QMetaType::Int);
    SpMenuCaption->addParam(QStringLiteral("@USERID"), ProcParam::In, QMetaType::Int);
    SpMenuCaption->addParam(QStringLiteral("@CAPTION"), ProcParam::Out, QMetaType::QString);
    SpMenuCaption->addParam(QStringLiteral("@ACCESS_R"), ProcParam::Out, QMetaType::QString);
    SpMenuCaption->addParam(QStringLiteral("@ADD_R"), ProcParam::Out, QMetaType::QString);
    SpMenuCaption->addParam(QStringLiteral("@MODIFY_R"), ProcParam::Out, QMetaType::QString);
    SpMenuCaption->addParam(QStringLiteral("@DELETE_R"), ProcParam::Out, QMetaType::QString);
    SpMenuCaption->addParam(QStringLiteral("@USERCODE"), ProcParam::Out, QMetaType::QString);
    SpMenuCaption->addParam(QStringLiteral("@SALESID"), ProcParam::Out, QMetaType::Int);
}

TDMConfig::~TDMConfig()
{
    DmCfg->close();
    DBMaster->close();
    if (DmConfig == this)
        DmConfig = nullptr;
}

QString TDMConfig::ReadServerFile() const { return TextFiles::firstLine(QLatin1String(kServerFile)).value_or(QString()); }

void TDMConfig::WriteServerFile(const QString& serverName) const
{
    if (!TextFiles::writeLine(QLatin1String(kServerFile), serverName))
        prompts().information(QStringLiteral("Create Server.Dat Error !!!!!\rPlease setup your disk in R/W mode\rOr Check Right on Disk"));
}

void TDMConfig::DmCfgBeforeConnect()
{
    QString server = ReadServerFile();
    if (server.isEmpty())
        server = QLatin1String(kDefaultServerName);
    DmCfg->profile().clear();

    DBMaster->close();
    DBMaster->profile().clear();
    DBMaster->profile().add(Profiles::master(server));
    try {
        DBMaster->open();
        QChkConfig->close();
        QChkConfig->open();
        DmCfg->profile().add(QChkConfig->eof() ? QStringLiteral("DATABASE NAME=ZAQ_CONFIG") : QStringLiteral("DATABASE NAME=ZAQ_CONFIG_QLN"));
        QChkConfig->close();
        DBMaster->close();
    } catch (...) {
        DBMaster->close();
        throw;
    }
    DmCfg->profile().add(Profiles::configTail(server));
    m_connectedServer = server;
}

void TDMConfig::DmCfgAfterConnect()
{
    // The connection is opened again at every logon. The upkeep only adds
    // what is missing, so over a database nobody changed since it last ran to
    // its end it would find nothing to do.
    const QByteArray stamp = DmCfg->contentStamp();
    const QStringList script = SQLUpdate + Sql::SecurityUpkeep;
    if (stamp.isEmpty() || stamp != m_upkeepStamp || script != m_upkeepScript) {
        m_upkeepStamp.clear();
        runScript(*DmCfg, SQLUpdate);
        // Without a stamp (SQL Server) every open would ask again for the
        // security tables, a trip per table at each logon. Nothing of the
        // system drops them, so once made on a database they are there for
        // the rest of the session.
        const QString where = m_connectedServer + QLatin1Char('|') + DmCfg->profile().databaseName();
        if (!stamp.isEmpty() || m_securityUpkept != where || script != m_upkeepScript) {
            m_securityUpkept.clear();
            runScript(*DmCfg, Sql::SecurityUpkeep);
            UniqueUserCodes();
            if (stamp.isEmpty())
                m_securityUpkept = where;
        }
        m_upkeepStamp = DmCfg->contentStamp();
        m_upkeepScript = script;
    }
    QSoftware->close();
    QSoftware->open();
}

// A code stored twice for one kind (two users, or two groups) is a twin whose
// password writes and lookups hit both rows. The upkeep makes the unique index
// that keeps new twins out when the stored data allows it; twins already there
// are written once to the security trail for an administrator to resolve, and
// the saves check for an existing code inside their transaction all the same.
void TDMConfig::UniqueUserCodes()
{
    Query index(DmCfg, Sql::QUniqueCodeIndex);
    index.open();
    if (!index.eof())
        return;
    index.close();
    Query twins(DmCfg, Sql::QTwinCodes);
    twins.open();
    if (twins.eof())
        return;
    QStringList found;
    for (; !twins.eof(); twins.next())
        found.append(QStringLiteral("%1 (%2, %3 rows)")
                         .arg(twins.field(QStringLiteral("Code")).asString().trimmed(),
                             twins.field(QStringLiteral("IsDepartment")).asString() == QLatin1String("Y") ? QStringLiteral("group")
                                                                                                      : QStringLiteral("user"))
                         .arg(twins.field(QStringLiteral("Rows")).asInteger()));
    twins.close();
    const QString detail = QStringLiteral("codes stored more than once: %1; the unique index UX_UserName_Code is made once each stands once")
                               .arg(found.join(QStringLiteral(", ")));
    Query reported(DmCfg, Sql::QTrailRowExists);
    reported.setParam(QStringLiteral("Screen"), QStringLiteral("upkeep"));
    reported.setParam(QStringLiteral("Action"), Trail::actionText(Trail::Action::Warning));
    reported.setParam(QStringLiteral("Detail"), detail);
    reported.open();
    if (!reported.eof())
        return;
    Transaction transaction(*DmCfg);
    Trail::write(*DmCfg, Trail::Actor {}, QStringLiteral("upkeep"), Trail::Action::Warning, QString(), detail);
    transaction.commit();
}

bool TDMConfig::GetCompanyConfig(const QString& databaseName)
{
    const QString name = databaseName.toUpper();
    QCompanyConfig->close();
    QCompanyConfig->setParam(QStringLiteral("GetName"), name);
    QCompanyConfig->open();
    if (QCompanyConfig->eof()) {
        prompts().information(QStringLiteral("Not Found Database : ") + name);
        haltProgram(0);
        return false;
    }
    CompanyNameThai = QCompanyConfig->field(QStringLiteral("NameThai")).asString();
    CurrentDatabaseName = name;
    if (!QSoftware->isOpen())
        QSoftware->open();
    return true;
}

void TDMConfig::CheckRight(int menuId, int userId)
{
    SpMenuCaption->close();
    SpMenuCaption->setParam(QStringLiteral("@MENUID"), menuId);
    SpMenuCaption->setParam(QStringLiteral("@USERID"), userId);
    SpMenuCaption->execProc();
    MenuCaption = SpMenuCaption->paramAsString(QStringLiteral("@CAPTION")).trimmed();
    UserCode = SpMenuCaption->paramAsString(QStringLiteral("@USERCODE"));
    UserId = userId;
    SpMenuCaption->close();

    QUser->close();
    QUser->setParam(QStringLiteral("uid"), userId);
    QUser->open();
    GroupId = QUser->eof() ? 0 : QUser->field(QStringLiteral("GroupId")).asInteger();

    QUserGroupId->close();
    QUserGroupId->setParam(QStringLiteral("uid"), GroupId);
    QUserGroupId->open();

    ThaiLanguage = !QUser->eof() && QUser->field(QStringLiteral("languageno")).asInteger() == 1;
    CanSetOtherUserPass = !QUserGroupId->eof() && QUserGroupId->field(QStringLiteral("CanSetOtherUserPass")).asString() == QLatin1String("Y");

    QUser->close();
    QUserGroupId->close();
    SaveQuestion = ThaiLanguage ? QStringLiteral("จัดเก็บข้อมูล ?") : QStringLiteral("Save Data ?");
}

void TDMConfig::StorePasswordNew(const QString& password, const QString& userCode)
{
    // The stored form is the password's bytes in the Thai code page; binding
    // them as binary keeps them exactly, whatever the client's character set.
    Query q(DmCfg, Sql::WritePasswordNew);
    q.setParam(QStringLiteral("St"), Cp874::encode(password));
    q.setParam(QStringLiteral("Code"), userCode);
    q.execSql();
}

bool TDMConfig::WritePasswordNew(const QString& password, const QString& userCode)
{
    try {
        StorePasswordNew(password, userCode);
        return true;
    } catch (const DbError&) {
        return false;
    }
}

bool TDMConfig::AskConfirmation(const QString& question) const { return prompts().confirmBlue(question); }

void TDMConfig::AddressNotice(const QString&, const QString&) const { }
