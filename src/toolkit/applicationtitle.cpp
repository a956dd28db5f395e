#include "toolkit/applicationtitle.h"

namespace {
QString& title()
{
    static QString held;
    return held;
}
} // namespace

QString applicationTitle() { return title(); }

void setApplicationTitle(const QString& text) { title() = text; }
