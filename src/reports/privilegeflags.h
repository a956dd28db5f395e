#pragma once

#include <QList>
#include <QString>

// The fifty privilege and web-menu flags of a group row, by column and caption.
namespace PrivilegeFlags {

struct Flag
{
    const char* column;
    const char* caption; // UTF-8
};

const QList<Flag>& all();
// The flag of that column (letter case ignored); nullptr when it is none.
const Flag* find(const QString& column);

} // namespace PrivilegeFlags
