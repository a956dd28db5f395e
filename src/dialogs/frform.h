#pragma once

#include <QDialog>

class KeyPreview;
class QAction;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QStatusBar;
class QToolButton;
class QWidget;

// The frame of every maintenance screen: a tool bar of record actions with
// fixed shortcuts, a status bar, Enter moving to the next field, Esc leaving,
// the green exit question on every close, and a New step that empties the
// screen. The frame itself is never shown; its descendants are, modally.
//
// How a descendant builds on it:
// - It lays its fields out in Client and sets the window caption; the frame
//   keeps the window at the size its content asks for.
// - Its own show step calls TFrForm::FormShow() first and then its own New
//   step. The base show step runs only the base New step, so a descendant with
//   a New step of its own needs a show step of its own too.
// - Its New step begins with TFrForm::AcNewExecute() (which hides ChgCode and
//   disables Save, Delete and Change code), then clears its fields, closes its
//   queries and puts the focus into its first field.
// - It overrides AcSaveExecute, AcDelExecute, AcCopyExecute and ToolBar1Click
//   as it needs them, and enables AcSave / AcDel / AcCopy (and shows BCopy)
//   when its record allows. A disabled action does nothing, from its button
//   and from its shortcut alike.
// - Keys, the close question and its wording stay the base's.
// Every handler runs through the guard: a database error shows the standard
// error box and skips the rest of the handler.
class TFrForm : public QDialog
{
    Q_OBJECT
public:
    explicit TFrForm(QWidget* parent = nullptr);
    ~TFrForm() override;

    // The two panels of the status bar: 0 (200 wide) and 1 (50 wide).
    void setStatusText(int panel, const QString& text);
    QString statusText(int panel) const;

    bool keyPreview() const;
    void setKeyPreview(bool on);

    // Components, by the names the screens know them by.
    QFrame* Panel2;
    QWidget* ToolBar1;
    QToolButton* BNew;
    QToolButton* BDel;
    QToolButton* BSave;
    QToolButton* BChgCode;
    QToolButton* BHist;
    QToolButton* BCopy;
    QToolButton* BPrint;
    QToolButton* BApporved;
    QToolButton* BExit;
    QLineEdit* ChgCode;
    QWidget* Client; // the descendant's fields go here
    QStatusBar* StatusBar1;

    QAction* AcNew;
    QAction* AcDel;
    QAction* AcSave;
    QAction* AcHist;
    QAction* AcCopy;
    QAction* AcPrint;
    QAction* AcExit;
    QAction* AcChgCode;
    QAction* AcApporved;

public slots:
    // Every way of closing ends here (Exit, Esc, the close box): it asks first.
    void reject() override;

protected:
    // Show step: the application title becomes the caption, the buttons without
    // behaviour are hidden, and the base New step runs.
    virtual void FormShow();
    // Whether the window may close: the green exit question.
    virtual bool FormClose();
    // Sees a key before the focused control; set key to 0 when it is dealt with.
    // Enter moves to the next tab stop, Esc runs Exit.
    virtual void FormKeyDown(int& key, Qt::KeyboardModifiers shift);
    // Sees the key's character; set it to the null character to drop it. Enter is dropped.
    virtual void FormKeyPress(QChar& key);
    // The base New step.
    virtual void AcNewExecute();
    virtual void AcSaveExecute() { }
    virtual void AcDelExecute() { }
    virtual void AcCopyExecute() { }
    // A click on the tool bar itself, between or beside its buttons.
    virtual void ToolBar1Click() { }
    // Closes the window, which asks the exit question.
    void AcExitExecute();

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* makeAction(
        const QString& name, const QString& caption, const QString& toolTip, int image, const QKeySequence& shortcut);
    QToolButton* makeButton(const QString& name, QAction* action);
    bool previewKey(QKeyEvent* event);
    bool isActionShortcut(QKeyEvent* event) const;
    void centreOnDesktop();

    KeyPreview* m_keyPreview;
    QLabel* m_statusPanels[2];
};
