#include "mainmenu/launcher.h"

#include "config/dmconfig.h"
#include "config/sqlcatalogue.h"
#include "db/query.h"
#include "toolkit/applicationtitle.h"
#include "toolkit/prompts.h"
#include "workstation/shell.h"
#include "workstation/workstation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <stdexcept>

namespace {

constexpr qint64 kAlwaysOpens = 91400000; // document numbering itself must open before it is set up

const QStringList kEndingUtilityOptions = { QStringLiteral("W UP-MANUAL"), QStringLiteral("W UP-INTERNET"), QStringLiteral("W BACKUP") };

QString withoutTrailingSeparator(QString path)
{
    if (path.endsWith(QLatin1Char('\\')) || path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

// Copies source over target through a temporary file beside it, so that the
// program there stays whole until the new one is complete; a failed copy
// leaves it as it was. The copy keeps the source's permissions: a program
// stays a program.
bool replaceFile(const QString& source, const QString& target, QString* reason)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *reason = in.errorString();
        return false;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        *reason = out.errorString();
        return false;
    }
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 read = in.read(buffer.data(), buffer.size());
        if (read < 0) {
            *reason = in.errorString();
            return false;
        }
        if (read == 0)
            break;
        if (out.write(buffer.constData(), read) != read) {
            *reason = out.errorString();
            return false;
        }
    }
    if (!out.setPermissions(in.permissions()) || !out.commit()) {
        *reason = out.errorString();
        return false;
    }
    return true;
}

} // namespace

Launcher::Launcher(QObject* parent)
    : QObject(parent)
    , QChkSetDocYear(new Query(DmConfig->DmCfg, Sql::QChkSetDocYear, this))
{
}

QMap<int, Launcher::ScreenOpener>& Launcher::screens()
{
    static QMap<int, ScreenOpener> table;
    return table;
}

void Launcher::registerBuiltInScreen(int number, ScreenOpener opener) { screens().insert(number, std::move(opener)); }

void Launcher::unregisterBuiltInScreen(int number) { screens().remove(number); }

QString Launcher::moduleCommandLine(qint64 id, int userId, const QString& databaseName, const QString& menuOption, const QDate& workDate)
{
    return QStringList { QString::number(id), QString::number(userId), databaseName.trimmed(), menuOption.trimmed(),
        workDate.toString(QStringLiteral("dd/MM/yyyy")) }
        .join(QLatin1Char(' '));
}

QString Launcher::pointOfSaleCommandLine(int menuId, int userId, const QString& databaseName, const QString& menuOption)
{
    return QStringList { QString::number(menuId), QString::number(userId), databaseName.trimmed(), menuOption.trimmed() }.join(QLatin1Char(' '));
}

QString Launcher::programPath(const QString& command) { return QDir::toNativeSeparators(QDir::currentPath()) + QDir::separator() + command; }

int Launcher::builtInNumber(const QString& command)
{
    // Characters 5 to 7: the blank after SELF and the next two; leading blanks are allowed.
    const QString digits = command.mid(4, 3);
    bool ok = false;
    const int number = digits.trimmed().toInt(&ok);
    if (!ok || digits.endsWith(QLatin1Char(' ')))
        throw std::runtime_error(QStringLiteral("'%1' is not a valid integer value").arg(digits).toStdString());
    return number;
}

bool Launcher::documentYearSetUp(const QDate& workDate)
{
    QChkSetDocYear->close();
    QChkSetDocYear->setParam(QStringLiteral("GetYear"), YearOf(workDate));
    QChkSetDocYear->setParam(QStringLiteral("GetDataName"), DmConfig->CurrentDatabaseName.trimmed().toUpper());
    QChkSetDocYear->open();
    const bool setUp = !QChkSetDocYear->eof() && QChkSetDocYear->field(QStringLiteral("SetDocYear")).asString() != QLatin1String("N");
    QChkSetDocYear->close();
    return setUp;
}

Launcher::Outcome Launcher::launch(const MenuEntry& entry, int userId, const QDate& workDate)
{
    if (entry.id != kAlwaysOpens && !documentYearSetUp(workDate)) {
        prompts().information(QStringLiteral("ไม่สามารถ เปิดจอภาพนี้ได้ !!\rเนื่องจากยังไม่กำหนดเลขที่เอกสารของปี ") + QString::number(YearOf(workDate)));
        return Outcome::Refused;
    }

    if (entry.command.startsWith(QLatin1String("SELF "))) {
        DmConfig->CheckRight(int(entry.id), userId);
        const QString title = applicationTitle();
        const int number = builtInNumber(entry.command);
        const auto opener = screens().value(number);
        if (opener) {
            DmConfig->MenuCaption = entry.description;
            opener(entry.description);
        }
        setApplicationTitle(title);
        return Outcome::BuiltIn;
    }

    const QString program = entry.command.trimmed();
    if (program.isEmpty())
        return Outcome::Nothing; // a folder: the tree expands or collapses it

    QString refreshError;
    if (DmConfig->QSoftware->isOpen() && DmConfig->QSoftware->field(QStringLiteral("CheckExe")).asString() == QLatin1String("Y")
        && !refreshProgramFile(program, DmConfig->QSoftware->field(QStringLiteral("HostApplication")).asString(), &refreshError))
        prompts().error(refreshError); // the start goes ahead with whatever program is there

    shell().start(programPath(entry.command), moduleCommandLine(entry.id, userId, DmConfig->CurrentDatabaseName, entry.menuOption, workDate), QString());

    if (program == QLatin1String("ZAQUTILITY.EXE") && kEndingUtilityOptions.contains(entry.menuOption.trimmed()))
        return Outcome::StartedAndEndMenu;
    return Outcome::Started;
}

void Launcher::startPointOfSale(int userId)
{
    Query* cfg = DmConfig->QCompanyConfig;
    shell().start(cfg->field(QStringLiteral("Command")).asString(),
        pointOfSaleCommandLine(cfg->field(QStringLiteral("DefaultPosMenuId")).asInteger(), userId, DmConfig->DatabaseNames.value(1),
            cfg->field(QStringLiteral("MenuOption")).asString()),
        QString());
}

bool Launcher::refreshProgramFile(const QString& programName, const QString& hostApplication, QString* error)
{
    const QString host = withoutTrailingSeparator(hostApplication.trimmed());
    if (host.isEmpty())
        return true;
    const QString here = withoutTrailingSeparator(QDir::currentPath().trimmed());
    // The name is a search pattern, matched as the platform's file search does.
    const QFileInfoList matches = QDir(host).entryInfoList({ programName }, QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    if (matches.isEmpty())
        return true;
    const QFileInfo source = matches.first();
    const QString target = here + QLatin1Char('/') + source.fileName();
    const bool present = QFileInfo::exists(target);
    if (present && !(FileDate(target) < source.lastModified()))
        return true;

    QString reason;
    if (replaceFile(source.filePath(), target, &reason))
        return true;
    if (error) {
        *error = QStringLiteral("Cannot copy the program %1 from %2: %3.\r%4")
                     .arg(source.fileName(), QDir::toNativeSeparators(host), reason,
                         present ? QStringLiteral("The program already on this workstation is kept.")
                                 : QStringLiteral("The program is not on this workstation."));
    }
    return false;
}
