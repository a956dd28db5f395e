#include "workstation/clock.h"

Clock::~Clock() = default;

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

namespace {

Clock* g_installed = nullptr;

} // namespace

Clock& currentClock()
{
    if (g_installed)
        return *g_installed;
    static SystemClock system;
    return system;
}

void setClock(Clock* instance)
{
    g_installed = instance;
}
