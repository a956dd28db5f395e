// The version check and upgrade hand-over, the workstation facts and the
// once-a-second timer of the main window.
#include "config/dmconfig.h"
#include "config/textfiles.h"
#include "db/query.h"
#include "mainmenu/frmainmenu.h"
#include "toolkit/applicationtitle.h"
#include "toolkit/keyboardlayout.h"
#include "toolkit/prompts.h"
#include "workstation/shell.h"
#include "workstation/workstation.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <stdexcept>

namespace {
const QString kVersionFile = QStringLiteral("ZaqVersion.Dat");
constexpr int kPublicAddressTicks = 180;
} // namespace

void TFrMainMenu::VersionCheckAtLogon()
{
    if (testMachine())
        return;
    if (!DmConfig->QSoftware->isOpen())
        DmConfig->QSoftware->open();
    const QString required = DmConfig->QSoftware->field(QStringLiteral("LastVersion")).asString().trimmed().toUpper();
    if (!QFileInfo::exists(kVersionFile)) {
        ChkUpdateClick();
        return;
    }
    const std::optional<QString> line = TextFiles::firstLine(kVersionFile);
    if (!line)
        throw std::runtime_error(QStringLiteral("Cannot read %1.").arg(kVersionFile).toStdString());
    const QString installed = line->trimmed().toUpper();
    // Character by character, as the suite has always compared versions: "2.10" sorts before "2.9".
    if (QString::compare(required, installed, Qt::CaseSensitive) > 0)
        ChkUpdateClick();
}

void TFrMainMenu::ChkUpdateClick()
{
    Query1->close();
    Query1->open();
    if (Query1->field(QStringLiteral("HostApplication")).asString().isEmpty()) {
        prompts().information(QStringLiteral("โปรแกรมยังไม่ได้กำหนด HostApplication"));
    } else {
        QApplication::processEvents();
        if (!DmConfig->QSoftware->isOpen())
            DmConfig->QSoftware->open();
        shell().start(QStringLiteral("ZAQUPG.EXE"), DmConfig->QSoftware->field(QStringLiteral("LastVersion")).asString().trimmed().toUpper(), QString());
        close();
    }
    Query1->close();
}

void TFrMainMenu::GbHeaderDblClick()
{
    prompts().information(ProgramPath());
    prompts().information(QStringLiteral("Computer name is: ") + ComputerName());
    prompts().information(QStringLiteral("User name is: ") + UpperWindowsUserName());
    prompts().information(QStringLiteral("Local IP : ") + LocalAddress());
    KeyboardLayoutMessage();
    prompts().information(QStringLiteral("Current Database is: ") + DmConfig->CurrentDatabaseName);
}

void TFrMainMenu::scrollTitle()
{
    setApplicationTitle(m_titleText);
    setWindowTitle(m_titleText);
    if (!m_titleText.isEmpty())
        m_titleText = m_titleText.mid(1) + m_titleText.at(0);
}

void TFrMainMenu::refreshMemoryLabels()
{
    TMemory->setText(QStringLiteral("Total Memory ") + TotalMemoryText());
    FMemory->setText(QStringLiteral("Free  Memory   ") + FreeMemoryText());
}

void TFrMainMenu::Timer1Timer()
{
    scrollTitle();
    refreshMemoryLabels();
    if (!m_internetCheck)
        return;
    scrollTitle();
    if (++m_publicAddressTicks >= kPublicAddressTicks) {
        // Counted down first: a check that raises must not run again, with its error box, every tick.
        m_publicAddressTicks = 0;
        PublicAddressCheck();
    }
    refreshMemoryLabels();
}
