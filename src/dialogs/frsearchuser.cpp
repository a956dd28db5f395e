#include "dialogs/frsearchuser.h"

#include "config/dmconfig.h"
#include "config/sqlcatalogue.h"
#include "db/query.h"
#include "dialogs/searchmodel.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <stdexcept>

TFrSearchUser* FrSearchUser = nullptr;

namespace {

Connection* configConnection(Connection* given)
{
    if (given)
        return given;
    if (!DmConfig)
        throw std::logic_error("the user search needs the configuration data module");
    return DmConfig->DmCfg;
}

} // namespace

TFrSearchUser::TFrSearchUser(QWidget* parent, Connection* connection)
    : TFrSearch(configConnection(connection), parent)
{
    setObjectName(QStringLiteral("FrSearchUser"));
    QSearch->setSql(Sql::QSearch);
    setGridColumns({
        { QStringLiteral("code"), QStringLiteral("รหัส"), 80 },
        { QStringLiteral("fullname"), QStringLiteral("ชื่อผู้ใช้งาน"), 0 },
    });
}

TFrSearchUser::~TFrSearchUser()
{
    if (FrSearchUser == this)
        FrSearchUser = nullptr;
}

void TFrSearchUser::FormShow()
{
    TFrSearch::FormShow();
    const bool thai = DmConfig && DmConfig->ThaiLanguage;
    if (thai)
        setWindowTitle(GroupMode ? QStringLiteral("ค้นหา กลุ่ม") : QStringLiteral("ค้นหา ผุ้ใช้งาน"));
    else
        setWindowTitle(GroupMode ? QStringLiteral("Searching Group Code ") : QStringLiteral("Searching User ID"));
    // The Thai texts are put back too, for a Thai use after an English one.
    Label3->setText(thai ? QStringLiteral("ชื่อ") : QStringLiteral("Name"));
    DSearch->setTitle(0, thai ? QStringLiteral("รหัส") : QStringLiteral("User ID"));
    DSearch->setTitle(1, thai ? QStringLiteral("ชื่อผู้ใช้งาน") : QStringLiteral("User Name"));
}

void TFrSearchUser::BtSearchClick()
{
    QSearch->close();
    // Bound as parameters, never spliced into the text: quotes in the box are just characters.
    // "%" and "_" keep their meaning as LIKE wildcards, as users of the search expect.
    QSearch->setParam(
        QStringLiteral("getname"), QString(QStringLiteral("%") + Code->text().trimmed() + QStringLiteral("%")));
    QSearch->setParam(QStringLiteral("isDepartment"), GroupMode ? QStringLiteral("Y") : QStringLiteral("N"));
    QSearch->open();
    focusFirstRow();
}

TFrSearchUser& searchUserDialog()
{
    // Lives, like every window of the program, until the program ends.
    if (!FrSearchUser)
        FrSearchUser = new TFrSearchUser;
    return *FrSearchUser;
}
