#pragma once

#include "workstation/shell.h"

#include <QList>

// Records every start instead of starting anything. Installs itself for its lifetime
// and puts the previous shell back when it dies.
class RecordingShell : public Shell
{
public:
    struct Start
    {
        QString program;
        QString parameters;
        QString workingFolder;
        ShowMode mode;
    };

    RecordingShell();
    ~RecordingShell() override;
    RecordingShell(const RecordingShell&) = delete;
    RecordingShell& operator=(const RecordingShell&) = delete;

    void start(const QString& program, const QString& parameters, const QString& workingFolder,
        ShowMode mode = ShowNormal) override;

    QList<Start> starts;
    const Start& last() const { return starts.last(); }

private:
    Shell* m_previous;
};
