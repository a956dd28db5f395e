#pragma once

#include "toolkit/prompts.h"

#include <QColor>

class QMessageBox;
class QWidget;

// The standard message boxes, titled with the application's name and parented to the
// active window. Object names, for tests that drive them: InformationBox, ErrorBox,
// ConfirmBox, ConfirmBlueBox, ConfirmGreenBox, YesNoCancelBox, InputBox.
class MessageBoxPrompts : public Prompts
{
public:
    void information(const QString& text) override;
    void error(const QString& text) override;
    bool confirm(const QString& text) override;
    bool confirmBlue(const QString& text) override;
    bool confirmGreen(const QString& text) override;
    Answer yesNoCancel(const QString& text) override;
    bool input(const QString& caption, const QString& prompt, QString& value) override;

    // The messages carry "\r" for a line break; a box breaks lines on "\n".
    static QString boxText(const QString& text);

private:
    static bool confirmColoured(const QString& text, const QColor& background, const QString& objectName);
};
