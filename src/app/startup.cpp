#include "app/startup.h"

#include "app/logowindow.h"
#include "app/rightsscreens.h"
#include "config/dmconfig.h"
#include "dialogs/frsearchuser.h"
#include "logon/frlogon.h"
#include "mainmenu/frdisplayerror.h"
#include "mainmenu/frmainmenu.h"
#include "security/frcopyright.h"
#include "app/userscreens.h"
#include "toolkit/applicationtitle.h"
#include "toolkit/fonts.h"
#include "toolkit/guard.h"
#include "workstation/singleinstance.h"

#include <QLocale>

bool readOnlySwitch(const QStringList& arguments) { return arguments.size() > 2 && arguments.at(2) == QLatin1String("R"); }

QStringList givenArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc && argv[i]; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

int runProgram(int argc, char** argv)
{
    // One copy per desktop; a second one ends at once, without a word.
    SingleInstance instance(QStringLiteral("ZAQMAIN"));
    if (!instance.acquire())
        return 0;

    const bool readOnly = readOnlySwitch(givenArguments(argc, argv));
    GuardedApplication app(argc, argv);
    installFontSubstitutes();
    auto* logo = new TFormLogo;
    logo->show();
    logo->repaint();
    QCoreApplication::processEvents();

    setApplicationTitle(QStringLiteral("ZAQ Account"));

    // Created once, in this order, and kept until the program ends.
    TFrMainMenu mainMenu(readOnly);
    mainMenu.setLogoWindow(logo);
    TFrLogon logon(&mainMenu);
    mainMenu.setLogonDialog(&logon);
    DmConfig = new TDMConfig(&app);
    mainMenu.bindData();
    logon.bindData();
    FrCopyRight = new TFrCopyRight;
    FrSearchUser = new TFrSearchUser;
    FrDisplayError = new TFrDisplayError;
    registerRightsScreens(&mainMenu);
    UserScreens userScreens(&mainMenu, [&logon] { return logon.ServerName(); }, readOnly);

    mainMenu.show();
    return app.exec();
}
