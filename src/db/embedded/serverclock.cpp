#include "db/embedded/serverclock.h"

namespace ServerClock {

namespace {
std::function<QDateTime()>& source()
{
    static std::function<QDateTime()> s;
    return s;
}
} // namespace

QDateTime now() { return source() ? source()() : QDateTime::currentDateTime(); }

void setSource(std::function<QDateTime()> s) { source() = std::move(s); }

} // namespace ServerClock
