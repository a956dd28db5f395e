#include "config/securitytrail.h"

#include "config/dmconfig.h"
#include "config/sqlcatalogue.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/query.h"
#include "workstation/workstation.h"

#include <QSet>

#include <algorithm>

namespace Trail {

QString actionText(Action action)
{
    switch (action) {
    case Action::Insert:
        return QStringLiteral("insert");
    case Action::Update:
        return QStringLiteral("update");
    case Action::Delete:
        return QStringLiteral("delete");
    case Action::Password:
        return QStringLiteral("password");
    case Action::Rights:
        return QStringLiteral("rights");
    case Action::Copy:
        return QStringLiteral("copy");
    case Action::Assign:
        return QStringLiteral("assign");
    case Action::Unlock:
        return QStringLiteral("unlock");
    case Action::Warning:
        return QStringLiteral("warning");
    case Action::Query:
        return QStringLiteral("query");
    }
    return QString();
}

Actor loggedOn() { return DmConfig ? Actor { DmConfig->UserId, DmConfig->UserCode } : Actor {}; }

void write(Connection& connection, const Actor& actor, const QString& screen, Action action, const QString& targetCode, const QString& detail)
{
    // A row written outside the save's transaction could outlive a change that
    // was rolled back, or be missing when the change was kept.
    if (!connection.inTransaction())
        throw DbError(QStringLiteral("The security trail is written only inside the transaction of the change."));
    Query q(&connection, Sql::InsertSecurityLog);
    q.setParam(QStringLiteral("UserId"), actor.userId);
    q.setParam(QStringLiteral("UserCode"), actor.userCode);
    q.setParam(QStringLiteral("Workstation"), ComputerName());
    q.setParam(QStringLiteral("Screen"), screen);
    q.setParam(QStringLiteral("Action"), actionText(action));
    q.setParam(QStringLiteral("TargetCode"), targetCode);
    q.setParam(QStringLiteral("Detail"), detail);
    q.execSql();
}

namespace {

bool isPassword(const QString& column)
{
    const QString c = column.toUpper();
    return c == QLatin1String("PASSWORD") || c == QLatin1String("PASSWORDNEW") || c == QLatin1String("PASSWORDTABLET");
}

QString shown(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QStringLiteral("(none)");
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    return QLatin1Char('\'') + v.toString() + QLatin1Char('\'');
}

// Values that read the same count as the same: a NULL flag and "N" differ, but
// 5 and "5" (one read from the server, one typed) do not.
bool same(const QVariant& a, const QVariant& b)
{
    if (a.isNull() != b.isNull())
        return false;
    return a.isNull() || a.toString() == b.toString();
}

} // namespace

QString columnChanges(const Row& before, const Row& after)
{
    // Column names compared without regard to case, in the order the rows give them.
    QStringList order;
    QSet<QString> seen;
    QMap<QString, QVariant> b;
    QMap<QString, QVariant> a;
    for (const auto& [column, value] : before) {
        b.insert(column.toUpper(), value);
        if (!seen.contains(column.toUpper())) {
            seen.insert(column.toUpper());
            order.append(column);
        }
    }
    for (const auto& [column, value] : after) {
        a.insert(column.toUpper(), value);
        if (!seen.contains(column.toUpper())) {
            seen.insert(column.toUpper());
            order.append(column);
        }
    }
    QStringList parts;
    bool passwordChanged = false;
    for (const QString& column : std::as_const(order)) {
        const QVariant old = b.value(column.toUpper());
        const QVariant now = a.value(column.toUpper());
        if (same(old, now))
            continue;
        if (isPassword(column)) {
            // A deleted row's password is gone with it: nothing to say.
            if (after.isEmpty())
                continue;
            const QString what = before.isEmpty() ? QStringLiteral(" set") : QStringLiteral(" changed");
            if (column.toUpper() == QLatin1String("PASSWORDTABLET"))
                parts.append(QStringLiteral("tablet password") + what);
            else
                passwordChanged = true;
            continue;
        }
        parts.append(column + QStringLiteral(": ") + shown(old) + QStringLiteral(" -> ") + shown(now));
    }
    if (passwordChanged)
        parts.append(before.isEmpty() ? QStringLiteral("password set") : QStringLiteral("password changed"));
    return parts.join(QStringLiteral("; "));
}

QString rightsChanges(const QList<RightsChange>& changes)
{
    QStringList lines;
    lines.reserve(int(changes.size()));
    for (const RightsChange& c : changes) {
        QString line = QString::number(c.menuId);
        if (!c.caption.isEmpty())
            line += QLatin1Char(' ') + c.caption.trimmed();
        line += QStringLiteral(": ") + (c.before.isEmpty() ? QStringLiteral("NNNN") : c.before) + QStringLiteral(" -> ")
            + (c.after.isEmpty() ? QStringLiteral("NNNN") : c.after);
        lines.append(line);
    }
    return lines.join(QStringLiteral("; "));
}

QList<RightsChange> diffRights(const QMap<int, QString>& before, const QMap<int, QString>& after, const QMap<int, QString>& captions)
{
    // Both maps are in menu id order: one walk through the two side by side. A
    // missing row reads as four "N": a row of "NNNN" that appears or goes changes nothing.
    const QString none = QStringLiteral("NNNN");
    QList<RightsChange> out;
    auto b = before.constBegin();
    auto a = after.constBegin();
    while (b != before.constEnd() || a != after.constEnd()) {
        int id;
        QString old = none;
        QString now = none;
        if (a == after.constEnd() || (b != before.constEnd() && b.key() < a.key())) {
            id = b.key();
            old = b.value();
            ++b;
        } else if (b == before.constEnd() || a.key() < b.key()) {
            id = a.key();
            now = a.value();
            ++a;
        } else {
            id = a.key();
            old = b.value();
            now = a.value();
            ++a;
            ++b;
        }
        if (old != now)
            out.append({ id, captions.value(id), old, now });
    }
    return out;
}

QMap<int, QString> storedRights(Connection& connection, int groupId)
{
    Query q(&connection, Sql::QGroupRights);
    q.setParam(QStringLiteral("GroupId"), groupId);
    q.open();
    const int menu = q.columnIndex(QStringLiteral("Menu"));
    const int columns[] = { q.columnIndex(QStringLiteral("AccessRight")), q.columnIndex(QStringLiteral("AddRight")),
        q.columnIndex(QStringLiteral("ModifyRight")), q.columnIndex(QStringLiteral("DeleteRight")) };
    QMap<int, QString> rights;
    for (; !q.eof(); q.next()) {
        QString four(4, QLatin1Char('N'));
        for (int i = 0; i < 4; ++i) {
            if (q.field(columns[i]).asString() == QLatin1String("Y"))
                four[i] = QLatin1Char('Y');
        }
        rights.insert(q.field(menu).asInteger(), four);
    }
    return rights;
}

QStringList assignedDatabases(Connection& connection, int userId)
{
    Query q(&connection, Sql::QUserDatabaseNames);
    q.setParam(QStringLiteral("UserId"), userId);
    QStringList names;
    for (q.open(); !q.eof(); q.next())
        names.append(q.field(QStringLiteral("DatabaseName")).asString().trimmed());
    return names;
}

QString assignmentChanges(const QStringList& before, const QStringList& after)
{
    QStringList added;
    QStringList removed;
    for (const QString& name : after) {
        if (!before.contains(name))
            added.append(name);
    }
    for (const QString& name : before) {
        if (!after.contains(name))
            removed.append(name);
    }
    QStringList parts;
    if (!added.isEmpty())
        parts.append(QStringLiteral("added: ") + added.join(QStringLiteral(", ")));
    if (!removed.isEmpty())
        parts.append(QStringLiteral("removed: ") + removed.join(QStringLiteral(", ")));
    return parts.join(QStringLiteral("; "));
}

QString copyDetail(const QString& fromGroupCode) { return QStringLiteral("rights copied from group ") + fromGroupCode.trimmed(); }

} // namespace Trail
