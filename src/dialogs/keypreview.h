#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

// Lets a window see every key before the control that has the focus, the way
// the maintenance screens and the search dialog expect: Enter, Esc and the
// arrows mean something to the window whatever control is focused.
//
// It filters the window and every widget below it, including widgets added
// later. A key is offered once, when it reaches the widget it was sent to
// first (the window's focus widget, or the window when nothing has the focus);
// the copies Qt hands on to the parents are not offered again. Keys of popups
// (a combo box's list) stay with the popup.
class KeyPreview : public QObject
{
    Q_OBJECT
public:
    // Answers true when the window has dealt with the key; the control never sees it then.
    using KeyHandler = std::function<bool(QKeyEvent*)>;

    KeyPreview(QWidget* window, KeyHandler onKey);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    // Keys that must reach the window's own shortcuts even where the focused control
    // would take them for itself (Ctrl+X is Cut in a text box).
    std::function<bool(QKeyEvent*)> isWindowShortcut;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject* object);
    bool isFirstReceiver(QObject* watched) const;

    QWidget* m_window;
    KeyHandler m_onKey;
    bool m_enabled = true;
};
