#include "recordingshell.h"

RecordingShell::RecordingShell()
    : m_previous(&shell())
{
    setShell(this);
}

RecordingShell::~RecordingShell()
{
    setShell(m_previous);
}

void RecordingShell::start(
    const QString& program, const QString& parameters, const QString& workingFolder, ShowMode mode)
{
    starts.append({ program, parameters, workingFolder, mode });
}
