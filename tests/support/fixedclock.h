#pragma once

#include "workstation/clock.h"

// A clock that stands still until told otherwise. Installs itself for its lifetime and
// puts the previous clock back when it dies.
class FixedClock : public Clock
{
public:
    explicit FixedClock(const QDateTime& now = QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
    ~FixedClock() override;
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

    QDateTime now() const override { return m_now; }
    void setNow(const QDateTime& now) { m_now = now; }
    void setToday(const QDate& today) { m_now = QDateTime(today, m_now.time()); }
    void advance(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
    Clock* m_previous;
};
