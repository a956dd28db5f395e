#include "fixedclock.h"

FixedClock::FixedClock(const QDateTime& now)
    : m_now(now)
    , m_previous(&currentClock())
{
    setClock(this);
}

FixedClock::~FixedClock()
{
    setClock(m_previous);
}
