#include "toolkit/pictures.h"

namespace Pictures {

QString logo()
{
    return QStringLiteral(":/logo.jpg");
}

QString logon()
{
    return QStringLiteral(":/logon.png");
}

QString toolBar(int index)
{
    return QStringLiteral(":/toolbar/%1.png").arg(index);
}

QString treeEntry()
{
    return QStringLiteral(":/tree/entry.png");
}

QString upgrade()
{
    return QStringLiteral(":/upgrade.png");
}

QString upgradeDisabled()
{
    return QStringLiteral(":/upgrade-disabled.png");
}

QString search()
{
    return QStringLiteral(":/search.png");
}

int departmentGlyphNumber(qint64 departmentId)
{
    struct Entry
    {
        qint64 department;
        int glyph;
    };
    static const Entry table[] = {
        { 10000000, 10 },
        { 20000000, 11 },
        { 30000000, 12 },
        { 50000000, 13 },
        { 60000000, 14 },
        { 65000000, 15 },
        { 70000000, 16 },
        { 75000000, 17 },
        { 80000000, 18 },
        { 90000000, 19 },
        { 2060000000, 20 },
        { 2070000000, 21 },
    };
    for (const Entry& entry : table) {
        if (entry.department == departmentId)
            return entry.glyph;
    }
    return 99;
}

QString departmentGlyph(qint64 departmentId)
{
    return QStringLiteral(":/departments/%1.png").arg(departmentGlyphNumber(departmentId));
}

} // namespace Pictures
