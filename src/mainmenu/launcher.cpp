#include "mainmenu/launcher.h"

#include "config/dmconfig.h"
#include "config/sqlcatalogue.h"
#include "db/query.h"
#include "toolkit/prompts.h"
#include "workstation/shell.h"
#include "workstation/workstation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
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
        const QString title = QGuiApplication::applicationDisplayName();
        const int number = builtInNumber(entry.command);
        const auto opener = screens().value(number);
        if (opener) {
            DmConfig->MenuCaption = entry.description;
            opener(entry.description);
        }
        QGuiApplication::setApplicationDisplayName(title);
        return Outcome::BuiltIn;
    }

    const QString program = entry.command.trimmed();
    if (program.isEmpty())
        return Outcome::Nothing; // a folder: the tree expands or collapses it

    if (DmConfig->QSoftware->isOpen() && DmConfig->QSoftware->field(QStringLiteral("CheckExe")).asString() == QLatin1String("Y"))
        refreshProgramFile(program, DmConfig->QSoftware->field(QStringLiteral("HostApplication")).asString());

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

void Launcher::refreshProgramFile(const QString& programName, const QString& hostApplication)
{
    const QString host = withoutTrailingSeparator(hostApplication.trimmed());
    if (host.isEmpty())
        return;
    const QString here = withoutTrailingSeparator(QDir::currentPath().trimmed());
    // The name is a search pattern, matched as the platform's file search does.
    const QFileInfoList matches = QDir(host).entryInfoList({ programName }, QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    if (matches.isEmpty())
        return;
    const QFileInfo source = matches.first();
    const QString target = here + QLatin1Char('/') + source.fileName();
    if (QFileInfo::exists(target)) {
        if (!(FileDate(target) < source.lastModified()))
            return;
        QFile::remove(target);
    }
    QFile::copy(source.filePath(), target); // a failed copy is ignored: the start goes ahead with what is there
}
