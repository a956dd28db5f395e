#pragma once

#include <QString>
#include <QStringList>

// Starts another program and forgets it: the caller neither waits for it nor learns
// whether it started.
class Shell
{
public:
    enum ShowMode
    {
        ShowNormal,
        ShowHidden,
        ShowMinimized,
        ShowMaximized
    };

    virtual ~Shell();
    // program: path of the program file; parameters: its command line as one text;
    // workingFolder: empty for the caller's own. Never throws.
    virtual void start(
        const QString& program, const QString& parameters, const QString& workingFolder, ShowMode mode = ShowNormal)
        = 0;
};

// The operating system's shell.
class SystemShell : public Shell
{
public:
    void start(const QString& program, const QString& parameters, const QString& workingFolder,
        ShowMode mode = ShowNormal) override;
};

// The words a started program receives from a command-line text: blanks and tabs
// separate words and several in a row count as one, so an empty field between two
// blanks disappears and a field holding blanks becomes several words.
QStringList splitParameters(const QString& parameters);

// Never null: without an installed shell it is the system's.
Shell& shell();
// Installs a shell (not owned); nullptr puts the system's back.
void setShell(Shell* instance);
