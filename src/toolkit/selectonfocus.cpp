#include "toolkit/selectonfocus.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

class SelectOnFocus : public QObject
{
public:
    explicit SelectOnFocus(QLineEdit* box)
        : QObject(box)
        , m_box(box)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_box)
            return false;
        switch (event->type()) {
        case QEvent::FocusIn:
            m_box->selectAll();
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            // The box's own press would move the cursor and drop the selection (and a press
            // inside a selection drops it on the release). The focus has been given by then.
            return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && m_box->hasFocus())
                m_box->selectAll();
            return false;
        default:
            return false;
        }
    }

private:
    QLineEdit* m_box;
};

} // namespace

void selectAllOnFocus(QLineEdit* box)
{
    box->installEventFilter(new SelectOnFocus(box));
}
