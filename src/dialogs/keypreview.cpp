#include "dialogs/keypreview.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>

KeyPreview::KeyPreview(QWidget* window, KeyHandler onKey)
    : QObject(window)
    , m_window(window)
    , m_onKey(std::move(onKey))
{
    watch(window);
}

void KeyPreview::watch(QObject* object)
{
    if (object == this)
        return;
    object->installEventFilter(this); // installing twice keeps one filter
    for (QObject* child : object->children())
        watch(child);
}

bool KeyPreview::isFirstReceiver(QObject* watched) const
{
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != m_window)
        return false;
    QWidget* focus = m_window->focusWidget();
    return watched == (focus ? focus : m_window);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        watch(static_cast<QChildEvent*>(event)->child());
        break;
    case QEvent::ShortcutOverride:
        // Left unaccepted and kept from the control, the key goes on to the window's shortcuts.
        if (m_enabled && isWindowShortcut && isFirstReceiver(watched)
            && isWindowShortcut(static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::KeyPress:
        if (m_enabled && isFirstReceiver(watched))
            return m_onKey(static_cast<QKeyEvent*>(event));
        break;
    default:
        break;
    }
    return false;
}
