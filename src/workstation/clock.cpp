#include "workstation/clock.h"

#include "workstation/seam.h"

Clock::~Clock() = default;

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

Clock& currentClock() { return Seam<Clock, SystemClock>::current(); }

void setClock(Clock* instance) { Seam<Clock, SystemClock>::install(instance); }
