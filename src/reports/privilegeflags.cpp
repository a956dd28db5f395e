#include "reports/privilegeflags.h"

#include "security/privilegecatalogue.h"

namespace PrivilegeFlags {

// The group's privilege and web-menu flags of the user and group screen's
// catalogue, in its column order, with the captions the screen shows.
const QList<Flag>& all()
{
    static const QList<Flag> flags = [] {
        QList<Flag> out;
        for (const Privileges::Column& c : Privileges::columns()) {
            if (c.kind == Privileges::Kind::Flag && c.shown == Privileges::Shown::GroupMode)
                out.append(Flag { c.name, c.caption });
        }
        return out;
    }();
    return flags;
}

const Flag* find(const QString& column)
{
    for (const Flag& f : all()) {
        if (column.compare(QLatin1String(f.column), Qt::CaseInsensitive) == 0)
            return &f;
    }
    return nullptr;
}

} // namespace PrivilegeFlags
