#pragma once

#include <QDate>
#include <QDateTime>

// Today and now, so that tests can fix the date the program believes it is.
class Clock
{
public:
    virtual ~Clock();
    virtual QDateTime now() const = 0;
    virtual QDate today() const { return now().date(); }
};

class SystemClock : public Clock
{
public:
    QDateTime now() const override;
};

// Never null: without an installed clock it is the system's.
// (Not "clock()": that name belongs to the C library's <time.h>.)
Clock& currentClock();
// Installs a clock (not owned); nullptr puts the system's back.
void setClock(Clock* instance);
