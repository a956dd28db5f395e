#include "scriptedprompts.h"

ScriptedPrompts::ScriptedPrompts()
    : m_previous(&prompts())
{
    setPrompts(this);
}

ScriptedPrompts::~ScriptedPrompts()
{
    setPrompts(m_previous);
}

void ScriptedPrompts::queueConfirm(bool yes)
{
    m_confirms.enqueue(yes);
}

void ScriptedPrompts::queueYesNoCancel(Answer answer)
{
    m_yesNoCancels.enqueue(answer);
}

void ScriptedPrompts::queueInput(bool ok, const QString& value)
{
    m_inputs.enqueue({ ok, value });
}

int ScriptedPrompts::pendingAnswers() const
{
    return int(m_confirms.size() + m_yesNoCancels.size() + m_inputs.size());
}

QStringList ScriptedPrompts::texts(Kind kind) const
{
    QStringList result;
    for (const Shown& s : shown) {
        if (s.kind == kind)
            result.append(s.text);
    }
    return result;
}

QStringList ScriptedPrompts::allTexts() const
{
    QStringList result;
    for (const Shown& s : shown)
        result.append(s.text);
    return result;
}

void ScriptedPrompts::information(const QString& text)
{
    shown.append({ Kind::Information, text, QString() });
}

void ScriptedPrompts::error(const QString& text)
{
    shown.append({ Kind::Error, text, QString() });
}

bool ScriptedPrompts::nextConfirm()
{
    return m_confirms.isEmpty() ? defaultConfirm : m_confirms.dequeue();
}

bool ScriptedPrompts::confirm(const QString& text)
{
    shown.append({ Kind::Confirm, text, QString() });
    return nextConfirm();
}

bool ScriptedPrompts::confirmBlue(const QString& text)
{
    shown.append({ Kind::ConfirmBlue, text, QString() });
    return nextConfirm();
}

bool ScriptedPrompts::confirmGreen(const QString& text)
{
    shown.append({ Kind::ConfirmGreen, text, QString() });
    return nextConfirm();
}

Prompts::Answer ScriptedPrompts::yesNoCancel(const QString& text)
{
    shown.append({ Kind::YesNoCancel, text, QString() });
    return m_yesNoCancels.isEmpty() ? defaultYesNoCancel : m_yesNoCancels.dequeue();
}

bool ScriptedPrompts::input(const QString& caption, const QString& prompt, QString& value)
{
    shown.append({ Kind::Input, prompt, caption });
    if (m_inputs.isEmpty())
        return false;
    const InputAnswer answer = m_inputs.dequeue();
    if (answer.ok)
        value = answer.value;
    return answer.ok;
}
