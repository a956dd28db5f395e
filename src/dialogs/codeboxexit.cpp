#include "dialogs/codeboxexit.h"

#include "toolkit/guard.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

namespace {

class CodeExit : public QObject
{
public:
    CodeExit(QLineEdit* box, std::function<void()> onExit)
        : QObject(box)
        , m_box(box)
        , m_onExit(std::move(onExit))
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_box || event->type() != QEvent::FocusOut)
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        // The focus has already moved on: it must have gone to a control of this window.
        QWidget* next = QApplication::focusWidget();
        if (!next || next == m_box || next->window() != m_box->window() || !m_box->window()->isVisible())
            return false;
        guarded(m_onExit);
        return false;
    }

private:
    QLineEdit* m_box;
    std::function<void()> m_onExit;
};

} // namespace

void attachCodeExit(QLineEdit* codeBox, std::function<void()> onExit) { new CodeExit(codeBox, std::move(onExit)); }
