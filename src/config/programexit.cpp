#include "config/programexit.h"

#include <QCoreApplication>
#include <cstdlib>

namespace {
std::function<void(int)>& handler()
{
    static std::function<void(int)> h;
    return h;
}
} // namespace

void setHaltHandler(std::function<void(int)> h) { handler() = std::move(h); }

void haltProgram(int exitCode)
{
    if (handler()) {
        handler()(exitCode);
        return;
    }
    std::exit(exitCode);
}
