#include "dialogs/codesearch.h"

#include "dialogs/frsearchuser.h"
#include "toolkit/guard.h"

#include "toolkit/pictures.h"

#include <QAbstractButton>
#include <QIcon>
#include <QToolButton>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class F5Search : public QObject
{
public:
    F5Search(QLineEdit* box, std::function<bool()> groupMode)
        : QObject(box)
        , m_box(box)
        , m_groupMode(std::move(groupMode))
    {
        box->installEventFilter(this);
    }

    void run()
    {
        guarded([this] { pickCode(m_box, m_groupMode()); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_box && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F5
            && static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
            run();
            return true;
        }
        return false;
    }

private:
    QLineEdit* m_box;
    std::function<bool()> m_groupMode;
};

} // namespace

bool pickCode(QLineEdit* codeBox, bool groupMode)
{
    TFrSearchUser& search = searchUserDialog();
    search.ReturnField = QStringLiteral("Code");
    search.GroupMode = groupMode;
    if (search.exec() != QDialog::Accepted)
        return false;
    codeBox->setText(search.ReturnValue);
    return true;
}

void attachCodeSearch(QLineEdit* codeBox, QAbstractButton* button, std::function<bool()> groupMode)
{
    auto* search = new F5Search(codeBox, std::move(groupMode));
    if (button)
        QObject::connect(button, &QAbstractButton::clicked, search, [search] { search->run(); });
}

void attachCodeSearch(QLineEdit* codeBox, QAbstractButton* button, bool groupMode)
{
    attachCodeSearch(codeBox, button, [groupMode] { return groupMode; });
}

QToolButton* makeSearchUserButton(QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("BtSearchUser"));
    button->setIcon(QIcon(Pictures::search()));
    button->setToolTip(QStringLiteral("ค้นหารหัสผู้ใช้"));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
