// The diagnostics of the main window's pop-up menus: the error-log viewer, the
// internet-check switch and the public-address check its timer runs.
#include "config/dmconfig.h"
#include "config/textfiles.h"
#include "mainmenu/frdisplayerror.h"
#include "mainmenu/frmainmenu.h"
#include "mainmenu/publicaddress.h"
#include "toolkit/prompts.h"

namespace {
const QString kInternetFile = QStringLiteral("Internet.Dat");
} // namespace

void TFrMainMenu::DisplayErrorLogClick()
{
    displayErrorDialog().exec();
}

void TFrMainMenu::ChkInternetClick()
{
    m_internetCheck = !m_internetCheck;
    // Other programs of the suite read the switch from the file; a file that
    // cannot be written leaves the switch flipped here, without a word.
    if (!TextFiles::writeLine(kInternetFile, m_internetCheck ? QStringLiteral("1") : QStringLiteral("0")))
        return;
    prompts().information(m_internetCheck ? QStringLiteral("Check Internet = ON") : QStringLiteral("Check Internet = OFF"));
}

// Sending the error log by e-mail is not part of this program.
void TFrMainMenu::ErrorZAQEMail1Click() { }

void TFrMainMenu::PublicAddressCheck()
{
    AddressWatch->check(DmConfig->CurrentDatabaseName);
}
