#include "app/rightsscreens.h"

#include "mainmenu/launcher.h"
#include "reports/frsecurityreports.h"
#include "security/frusercompany.h"
#include "security/fruserrights.h"

#include <QPointer>
#include <memory>

namespace {

template <typename Screen>
Launcher::ScreenOpener openerOf(QWidget* owner)
{
    auto screen = std::make_shared<QPointer<Screen>>();
    return [owner, screen](const QString& caption) {
        if (!*screen)
            *screen = new Screen(owner);
        (*screen)->setWindowTitle(caption);
        (*screen)->exec();
    };
}

} // namespace

void registerRightsScreens(QWidget* owner)
{
    Launcher::registerBuiltInScreen(3, openerOf<TFrUserRights>(owner));
    Launcher::registerBuiltInScreen(4, openerOf<TFrUserCompany>(owner));
    Launcher::registerBuiltInScreen(6, openerOf<TFrSecurityReports>(owner));
}
