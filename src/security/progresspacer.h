#pragma once

#include <QElapsedTimer>

// Paces the progress shown while a step walks thousands of rows: the screen is
// repainted at most some 25 times a second, which looks the same to a person
// and costs a fraction of a repaint per row.
class ProgressPacer
{
public:
    // True on the first call and then once every interval.
    bool due()
    {
        if (m_clock.isValid() && m_clock.elapsed() < kIntervalMs)
            return false;
        m_clock.start();
        return true;
    }

private:
    static constexpr qint64 kIntervalMs = 40;
    QElapsedTimer m_clock;
};
