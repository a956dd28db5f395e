// Against a real SQL Server, named by ZAQ_TEST_MSSQL="server;login;password"
// (a login that may create logins and databases). Builds a scratch
// configuration database with the setup script, runs the procedures and every
// statement of the program's catalogue, and drops the database again.

#include "config/sqlcatalogue.h"
#include "db/cp874.h"
#include "db/dberror.h"
#include "db/mssql/session.h"
#include "db/params.h"
#include "mssqlscript.h"
#include "qtapplication.h"
#include "tsqlsemantics.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

const auto* const g_app = testing::AddGlobalTestEnvironment(new QtApplication);

struct LiveServer
{
    QString server, login, password;
    bool valid() const { return !server.isEmpty(); }
};

LiveServer liveServer()
{
    const QStringList parts = qEnvironmentVariable("ZAQ_TEST_MSSQL").split(QLatin1Char(';'));
    if (parts.size() < 3 || parts.at(0).trimmed().isEmpty())
        return {};
    return { parts.at(0).trimmed(), parts.at(1), parts.mid(2).join(QLatin1Char(';')) };
}

QString sourceFile(const char* path)
{
    QFile f(QLatin1String(ZAQ_SOURCE_DIR "/") + QLatin1String(path));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

ConnectionProfile profile(const QString& server, const QString& database, const QString& login, const QString& password, int maxQuerySeconds = 60,
    bool readOnly = false)
{
    return ConnectionProfile({ QStringLiteral("SERVER NAME=") + server, QStringLiteral("DATABASE NAME=") + database, QStringLiteral("USER NAME=") + login,
        QStringLiteral("PASSWORD=") + password, readOnly ? QStringLiteral("OPEN MODE=READ") : QStringLiteral("OPEN MODE=READ/WRITE"),
        QStringLiteral("DATE MODE=1"), QStringLiteral("MAX QUERY TIME=%1").arg(maxQuerySeconds), QStringLiteral("TDS PACKET SIZE=4096") });
}

void runBatches(EngineSession& session, const QString& script)
{
    static const QRegularExpression go(QStringLiteral("^GO$"), QRegularExpression::MultilineOption);
    for (const QString& batch : script.split(go)) {
        if (!batch.trimmed().isEmpty())
            session.run(batch, ParamValues());
    }
}

QVariant scalar(EngineSession& s, const QString& sql, const ParamValues& p = {})
{
    auto q = s.run(sql, p);
    return q->next() ? q->value(0) : QVariant();
}

class LiveSqlServer : public testing::Test
{
protected:
    void SetUp() override
    {
        m_live = liveServer();
        if (!m_live.valid())
            GTEST_SKIP() << "set ZAQ_TEST_MSSQL=\"server;login;password\" to run against a SQL Server";
        m_config = QStringLiteral("ZAQ_TEST_%1").arg(QDateTime::currentMSecsSinceEpoch());
        m_admin = std::make_unique<MssqlSession>(profile(m_live.server, QStringLiteral("master"), m_live.login, m_live.password));
        const QString script = mssqlSetupScript({ sourceFile("sql/config/tables.sql"), sourceFile("sql/config/upgrade.sql"), sourceFile("sql/config/reserved.sql") },
            sourceFile("sql/mssql/procedures.sql"), m_config);
        runBatches(*m_admin, script);
        m_admin->run(QStringLiteral("USE master"), {});
        // The workstation's own login, as every profile of the program has it.
        m_cfg = std::make_unique<MssqlSession>(profile(m_live.server, m_config, QStringLiteral("zaq"), QStringLiteral("hollyoak")));
    }

    void TearDown() override
    {
        m_cfg.reset();
        if (m_admin) {
            try {
                m_admin->run(QStringLiteral("ALTER DATABASE [%1] SET SINGLE_USER WITH ROLLBACK IMMEDIATE").arg(m_config), {});
                m_admin->run(QStringLiteral("DROP DATABASE [%1]").arg(m_config), {});
            } catch (const DbError& e) {
                ADD_FAILURE() << "scratch database left behind: " << e.message().toStdString();
            }
        }
    }

    LiveServer m_live;
    QString m_config;
    std::unique_ptr<MssqlSession> m_admin;
    std::unique_ptr<MssqlSession> m_cfg;
};

TEST_F(LiveSqlServer, menuCaptionAnswersCaptionRightsCodeAndSalesId)
{
    const QString thai = QStringLiteral("ผู้ใช้และกลุ่ม");
    m_cfg->run(QStringLiteral("insert into Menu (Id, Parent, OrderNo, MenuLevel, Description) values (:Id, 0, 1, 0, :D)"),
        [&] { ParamValues p; p.set(QStringLiteral("Id"), 10000000); p.set(QStringLiteral("D"), QString(QStringLiteral("  ") + thai + QStringLiteral("  "))); return p; }());
    const int group = scalar(*m_cfg, QStringLiteral("select Id from UserName where Code = 'ZAQSYSTEM'")).toInt();
    const int user = scalar(*m_cfg, QStringLiteral("select Id from UserName where Code = 'ZAQ'")).toInt();
    m_cfg->run(QStringLiteral("update UserName set Saleman = 42 where Id = %1").arg(user), {});
    m_cfg->run(QStringLiteral("insert into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight) values (%1, 10000000, 'Y', 'N', 'y', 'Y')").arg(group), {});

    QList<ProcParam> p {
        { QStringLiteral("Result"), ProcParam::Return, QMetaType::Int, {} },
        { QStringLiteral("@MENUID"), ProcParam::In, QMetaType::Int, 10000000 },
        { QStringLiteral("@USERID"), ProcParam::In, QMetaType::Int, user },
        { QStringLiteral("@CAPTION"), ProcParam::Out, QMetaType::QString, {} },
        { QStringLiteral("@ACCESS_R"), ProcParam::Out, QMetaType::QString, {} },
        { QStringLiteral("@ADD_R"), ProcParam::Out, QMetaType::QString, {} },
        { QStringLiteral("@MODIFY_R"), ProcParam::Out, QMetaType::QString, {} },
        { QStringLiteral("@DELETE_R"), ProcParam::Out, QMetaType::QString, {} },
        { QStringLiteral("@USERCODE"), ProcParam::Out, QMetaType::QString, {} },
        { QStringLiteral("@SALESID"), ProcParam::Out, QMetaType::Int, {} },
    };
    m_cfg->callProcedure(QStringLiteral("MENUCAPTION"), p);
    EXPECT_EQ(p[0].value.toInt(), 0);
    EXPECT_EQ(p[3].value.toString(), thai);
    EXPECT_EQ(p[4].value.toString(), QStringLiteral("Y"));
    EXPECT_EQ(p[5].value.toString(), QStringLiteral("N"));
    EXPECT_EQ(p[6].value.toString(), QStringLiteral("N")); // "y" is no right
    EXPECT_EQ(p[7].value.toString(), QStringLiteral("Y"));
    EXPECT_EQ(p[8].value.toString(), QStringLiteral("ZAQ"));
    EXPECT_EQ(p[9].value.toInt(), 42);
}

TEST_F(LiveSqlServer, deleteUserAndCopyRightsLeaveNoOrphansAndReplaceTheTarget)
{
    auto id = [&](const char* code) { return scalar(*m_cfg, QStringLiteral("select Id from UserName where Code = '%1'").arg(QLatin1String(code))).toInt(); };
    m_cfg->run(QStringLiteral("insert into UserName (Code, IsDepartment, Active) values ('G2', 'Y', 'Y')"), {});
    const int from = id("ZAQSYSTEM");
    const int to = id("G2");
    m_cfg->run(QStringLiteral("insert into UserRight (UserName, Menu, AccessRight) values (%1, 1, 'Y'), (%1, 2, 'Y'), (%2, 9, 'Y')").arg(from).arg(to), {});

    QList<ProcParam> copy { { QStringLiteral("@FromUser"), ProcParam::In, QMetaType::Int, from }, { QStringLiteral("@ToUser"), ProcParam::In, QMetaType::Int, to } };
    m_cfg->callProcedure(QStringLiteral("CopyUserRights"), copy);
    EXPECT_EQ(scalar(*m_cfg, QStringLiteral("select count(*) from UserRight where UserName = %1").arg(to)).toInt(), 2);
    EXPECT_EQ(scalar(*m_cfg, QStringLiteral("select count(*) from UserRight where UserName = %1 and Menu = 9").arg(to)).toInt(), 0);

    m_cfg->run(QStringLiteral("insert into UserCompany (UserName, DatabaseList) values (%1, 1)").arg(to), {});
    m_cfg->beginTransaction(); // inside the caller's transaction, as the screens call it
    QList<ProcParam> del { { QStringLiteral("@UserId"), ProcParam::In, QMetaType::Int, to } };
    m_cfg->callProcedure(QStringLiteral("DeleteUser"), del);
    m_cfg->commit();
    EXPECT_EQ(scalar(*m_cfg, QStringLiteral("select count(*) from UserName where Id = %1").arg(to)).toInt(), 0);
    EXPECT_EQ(scalar(*m_cfg, QStringLiteral("select count(*) from UserRight where UserName = %1").arg(to)).toInt(), 0);
    EXPECT_EQ(scalar(*m_cfg, QStringLiteral("select count(*) from UserCompany where UserName = %1").arg(to)).toInt(), 0);

    QList<ProcParam> old { { QStringLiteral("@OLDID"), ProcParam::In, QMetaType::Int, from } };
    m_cfg->callProcedure(QStringLiteral("DELETEOLDRIGHT"), old);
    EXPECT_EQ(scalar(*m_cfg, QStringLiteral("select count(*) from UserRight where UserName = %1").arg(from)).toInt(), 0);
}

TEST_F(LiveSqlServer, passwordBytesAndThaiTextRoundTrip)
{
    const QString password = QStringLiteral("รหัส1234");
    ParamValues p;
    p.set(QStringLiteral("St"), Cp874::encode(password));
    p.set(QStringLiteral("Code"), QStringLiteral("ZAQ"));
    m_cfg->run(Sql::WritePasswordNew.join(QLatin1Char('\n')), p);
    EXPECT_EQ(scalar(*m_cfg, QStringLiteral("select PasswordNew from UserName where Code = 'ZAQ'")).toByteArray(), Cp874::encode(password));

    const QString remark = QStringLiteral("หมายเหตุ ").repeated(20); // longer than Qt's short-text binding
    ParamValues r;
    r.set(QStringLiteral("R"), remark);
    m_cfg->run(QStringLiteral("update UserName set Remark = :R where Code = 'ZAQ'"), r);
    EXPECT_EQ(scalar(*m_cfg, QStringLiteral("select count(*) from UserName where Remark = :R"), r).toInt(), 1);
}

TEST_F(LiveSqlServer, everyStatementOfTheCatalogueRuns)
{
    for (const Sql::Entry& e : Sql::catalogue()) {
        if (e.target != Sql::Target::Config && e.target != Sql::Target::Master)
            continue;
        EngineSession& s = e.target == Sql::Target::Master ? static_cast<EngineSession&>(*m_admin) : *m_cfg;
        const QString text = e.lines->join(QLatin1Char('\n'));
        ParamValues p;
        for (const QString& name : parameterNames(text))
            p.set(name, QVariant());
        // Writes are undone: the test is that the server accepts every text.
        s.beginTransaction();
        try {
            s.run(text, p);
        } catch (const DbError& err) {
            ADD_FAILURE() << e.name << ": " << err.message().toStdString();
        }
        s.rollback();
    }
}

TEST_F(LiveSqlServer, answersTheSemanticsTableAsDocumented)
{
    // The rows the embedded engine is held to: the server itself must give them.
    for (const TsqlSemantics::Row& row : TsqlSemantics::kRows) {
        const QString wrong = TsqlSemantics::check(*m_cfg, row, false);
        EXPECT_TRUE(wrong.isEmpty()) << row.statement << " — " << wrong.toStdString();
    }
}

TEST_F(LiveSqlServer, holdsColumnTypesOnWriteAsDocumented)
{
    for (const TsqlSemantics::Row& row : TsqlSemantics::kWriteRows) {
        m_cfg->beginTransaction();
        const QString wrong = TsqlSemantics::check(*m_cfg, row, false);
        m_cfg->rollback();
        EXPECT_TRUE(wrong.isEmpty()) << row.statement << " — " << wrong.toStdString();
    }
}

TEST_F(LiveSqlServer, queryTimeLimitAndReadOnlyModeTakeEffect)
{
    MssqlSession quick(profile(m_live.server, m_config, QStringLiteral("zaq"), QStringLiteral("hollyoak"), 1));
    EXPECT_THROW(quick.run(QStringLiteral("WAITFOR DELAY '00:00:05'"), {}), DbError);

    MssqlSession reader(profile(m_live.server, m_config, QStringLiteral("zaq"), QStringLiteral("hollyoak"), 60, true));
    EXPECT_THROW(reader.run(QStringLiteral("delete from UserName"), {}), DbError);
    EXPECT_GE(scalar(reader, QStringLiteral("select count(*) from UserName")).toInt(), 1);
    // DATE MODE=1: day first.
    EXPECT_EQ(scalar(reader, QStringLiteral("select month(cast('02/03/2024' as datetime))")).toInt(), 3);
}

TEST_F(LiveSqlServer, aRefusedLoginAndAMissingDatabaseSayWhatToCheck)
{
    try {
        MssqlSession s(profile(m_live.server, m_config, QStringLiteral("zaq"), QStringLiteral("wrong")));
        ADD_FAILURE() << "logged on with a wrong password";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("refused the login \"zaq\""))) << e.message().toStdString();
    }
    try {
        MssqlSession s(profile(m_live.server, QStringLiteral("ZAQ_NO_SUCH_DB"), QStringLiteral("zaq"), QStringLiteral("hollyoak")));
        ADD_FAILURE() << "opened a missing database";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("database \"ZAQ_NO_SUCH_DB\""))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QLatin1String("does not exist"))) << e.message().toStdString();
    }
}

} // namespace
