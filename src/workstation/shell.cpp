#include "workstation/shell.h"

#include "workstation/seam.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX // keep min and max usable as names
#endif
#include <windows.h>

#include <shellapi.h> // needs windows.h first
#else
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#endif

Shell::~Shell() = default;

QStringList splitParameters(const QString& parameters)
{
    QStringList words;
    QString word;
    for (const QChar c : parameters) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (!word.isEmpty())
                words.append(word);
            word.clear();
        } else {
            word.append(c);
        }
    }
    if (!word.isEmpty())
        words.append(word);
    return words;
}

#ifdef _WIN32

namespace {

int showCommand(Shell::ShowMode mode)
{
    switch (mode) {
    case Shell::ShowHidden:
        return SW_HIDE;
    case Shell::ShowMinimized:
        return SW_SHOWMINIMIZED;
    case Shell::ShowMaximized:
        return SW_SHOWMAXIMIZED;
    case Shell::ShowNormal:
        break;
    }
    return SW_SHOWNORMAL;
}

const wchar_t* wide(const QString& text)
{
    return text.isEmpty() ? nullptr : reinterpret_cast<const wchar_t*>(text.utf16());
}

} // namespace

void SystemShell::start(const QString& program, const QString& parameters, const QString& workingFolder, ShowMode mode)
{
    // The default verb; the texts go over whole, however long they are.
    ShellExecuteW(nullptr, nullptr, wide(program), wide(parameters), wide(workingFolder), showCommand(mode));
}

#else

void SystemShell::start(const QString& program, const QString& parameters, const QString& workingFolder, ShowMode)
{
    // A desktop without window states to ask for: every mode starts the program the same way.
    // A bare program name is looked for in the current folder first, as the Windows shell does.
    QString path = program;
    if (!program.contains(QLatin1Char('/')) && QFileInfo(QDir::current(), program).isFile())
        path = QDir::current().absoluteFilePath(program);
    QProcess::startDetached(path, splitParameters(parameters), workingFolder);
}

#endif

Shell& shell() { return Seam<Shell, SystemShell>::current(); }

void setShell(Shell* instance) { Seam<Shell, SystemShell>::install(instance); }
