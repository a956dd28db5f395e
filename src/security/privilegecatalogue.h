#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

// Every column of a user or group row as the user and group screen reads and
// writes it: its kind, the value it gets when it is NULL on loading, its
// caption, the box it sits in and where, and in which mode it is shown. The
// screen builds its check boxes and its defaulting step from this one table,
// and the record query's column lists are checked against it.
namespace Privileges {

enum class Kind
{
    Key,
    Flag,
    Integer,
    Number,
    Text,
    Bytes,
    Date
};

// What a NULL becomes when a record is loaded.
enum class Default
{
    None,
    No,
    Yes,
    One,
    ByMode
};

enum class Box
{
    None,
    CodeName,
    UserGroup,
    UserInfo,
    UserTablet,
    GroupWeb,
    GroupInfo
};

enum class Shown
{
    Nowhere,
    Both,
    UserMode,
    GroupMode
};

enum class Tick
{
    Left,
    Right
};

struct Column
{
    const char* name;
    Kind kind;
    Default fill;
    const char* caption; // UTF-8; empty for a column without a control
    Box box;
    int boxColumn; // 1-based column inside the box; 0 where the box has none
    int tab; // tab position inside the box, from 1
    Shown shown;
    bool visible; // a control that exists but is never seen still receives its default
    Tick tick;
};

// The columns in the order of the record query's select list.
const QList<Column>& columns();

// The columns of one box, in tab order.
QList<Column> inBox(Box box);

// The select list (every column) and the written list (all but the key).
QStringList selectList();
QStringList writtenList();

// The value a NULL column takes on loading; an invalid value where it has none.
QVariant fillValue(const Column& column, bool groupMode);

} // namespace Privileges
