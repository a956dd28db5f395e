#pragma once

#include <QString>

// Every modal message box of the program goes through here, so that tests can answer
// them. Texts may hold "\r" for a line break.
class Prompts
{
public:
    enum class Answer
    {
        Yes,
        No,
        Cancel
    };

    virtual ~Prompts();
    virtual void information(const QString& text) = 0;
    virtual void error(const QString& text) = 0;
    // Plain Yes/No question; true only on Yes.
    virtual bool confirm(const QString& text) = 0;
    // Yes/No on blue with white text; true only on Yes.
    virtual bool confirmBlue(const QString& text) = 0;
    // Yes/No on green with white text; true only on Yes.
    virtual bool confirmGreen(const QString& text) = 0;
    virtual Answer yesNoCancel(const QString& text) = 0;
    // One-line input prefilled with value; on OK value takes the typed text and the
    // answer is true, on cancel value stays and the answer is false.
    virtual bool input(const QString& caption, const QString& prompt, QString& value) = 0;
};

// Never null: without installed prompts they are the message boxes.
Prompts& prompts();
// Installs prompts (not owned); nullptr puts the message boxes back.
void setPrompts(Prompts* instance);
