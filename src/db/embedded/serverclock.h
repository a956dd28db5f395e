#pragma once

#include <QDateTime>

#include <functional>

// The embedded server's clock: the time its GetDate() answers. It is the
// machine's own clock. A test puts another in its place to stand for a server
// whose clock differs from the workstation's, which a real site has.
namespace ServerClock {
QDateTime now();
// An empty source gives the machine's clock back.
void setSource(std::function<QDateTime()> source);
} // namespace ServerClock
