#pragma once

#include "toolkit/prompts.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// Answers the program's boxes from a script and records every text shown. Installs
// itself for its lifetime and puts the previous prompts back when it dies.
class ScriptedPrompts : public Prompts
{
public:
    enum class Kind
    {
        Information,
        Error,
        Confirm,
        ConfirmBlue,
        ConfirmGreen,
        YesNoCancel,
        Input
    };
    struct Shown
    {
        Kind kind;
        QString text; // the message, or the input's prompt
        QString caption; // the input's caption; empty for the others
    };

    ScriptedPrompts();
    ~ScriptedPrompts() override;
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    // Answers, used first in first out; plain, blue and green confirmations share one queue.
    void queueConfirm(bool yes);
    void queueYesNoCancel(Answer answer);
    // ok false = cancelled; the value is typed only when ok.
    void queueInput(bool ok, const QString& value = QString());
    // Answers left unused.
    int pendingAnswers() const;

    // Used when the queue is empty.
    bool defaultConfirm = false;
    Answer defaultYesNoCancel = Answer::Cancel;

    QList<Shown> shown;
    QStringList texts(Kind kind) const;
    QStringList errors() const { return texts(Kind::Error); }
    QStringList informations() const { return texts(Kind::Information); }
    // Every text of every kind, in order.
    QStringList allTexts() const;
    void clear() { shown.clear(); }

    void information(const QString& text) override;
    void error(const QString& text) override;
    bool confirm(const QString& text) override;
    bool confirmBlue(const QString& text) override;
    bool confirmGreen(const QString& text) override;
    Answer yesNoCancel(const QString& text) override;
    bool input(const QString& caption, const QString& prompt, QString& value) override;

private:
    bool nextConfirm();

    struct InputAnswer
    {
        bool ok;
        QString value;
    };
    Prompts* m_previous;
    QQueue<bool> m_confirms;
    QQueue<Answer> m_yesNoCancels;
    QQueue<InputAnswer> m_inputs;
};
