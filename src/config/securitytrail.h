#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

class Connection;

// The trail of security changes: who changed which user, group, rights or
// assignment, from which workstation, and what changed. A screen writes its
// rows on the configuration connection inside the transaction of its own save,
// so a change is never stored without its trail nor a trail without its change.
namespace Trail {

enum class Action { Insert, Update, Delete, Password, Rights, Copy, Assign, Unlock, Warning, Query };
QString actionText(Action action);

// The person logged on: the main window's user id and the user code of the logon.
struct Actor
{
    int userId = 0;
    QString userCode;
};

// The person logged on, as the rights lookup before the screen found them.
Actor loggedOn();

// Writes one row; LogDate is the server's time and Workstation the computer's
// name. Throws DbError when the connection is not inside a transaction.
void write(Connection& connection, const Actor& actor, const QString& screen, Action action, const QString& targetCode, const QString& detail);

// A user or group row as (column, value) pairs in the screen's column order.
using Row = QList<QPair<QString, QVariant>>;

// Each column whose value differs, "COLUMN: old -> new", joined by "; ", in
// column order. A password column (plain, scrambled or the tablet's) never
// shows a value: it reads "password changed" ("password set" on an insert,
// nothing on a delete). An insert passes an empty `before`, a delete an empty `after`.
QString columnChanges(const Row& before, const Row& after);

// The four rights of a menu entry as "YNNN" (access, add, modify, delete).
struct RightsChange
{
    int menuId = 0;
    QString caption;
    QString before; // empty: the group had no row for the entry
    QString after;  // empty: the row is gone
};
// The entries whose rights changed, "id caption: YNNN -> YYNN", joined by "; ".
QString rightsChanges(const QList<RightsChange>& changes);
// The same from the whole before and after sets of a group, by menu id.
QList<RightsChange> diffRights(const QMap<int, QString>& before, const QMap<int, QString>& after, const QMap<int, QString>& captions = {});

// A group's rights as stored, "YNNN" by menu id (read inside the save's transaction).
QMap<int, QString> storedRights(Connection& connection, int groupId);
// The names of the databases a user is assigned to, as stored.
QStringList assignedDatabases(Connection& connection, int userId);

// "added: A, B; removed: C" (either part left out when empty).
QString assignmentChanges(const QStringList& before, const QStringList& after);

// "rights copied from group CODE".
QString copyDetail(const QString& fromGroupCode);

} // namespace Trail
