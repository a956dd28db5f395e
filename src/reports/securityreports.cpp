#include "reports/securityreports.h"

#include "reports/privilegeflags.h"

#include "config/logonlock.h"
#include "config/securitytrail.h"
#include "config/sqlcatalogue.h"
#include "db/connection.h"
#include "db/query.h"
#include "workstation/clock.h"

#include <functional>

namespace Reports {

namespace {

QString h(bool thai, const char* thaiText, const char* english) { return thai ? QString::fromUtf8(thaiText) : QString::fromLatin1(english); }

QString text(Query& q, const char* column) { return q.field(QLatin1String(column)).asString().trimmed(); }

QString yesNo(Query& q, const char* column) { return q.field(QLatin1String(column)).asString() == QLatin1String("Y") ? QStringLiteral("Y") : QStringLiteral("N"); }

QSet<qint64> groupsWithRight(Connection& connection, qint64 menuId)
{
    QSet<qint64> groups;
    Query q(&connection, Sql::QGroupsWithRight);
    q.setParam(QStringLiteral("MenuId"), menuId);
    for (q.open(); !q.eof(); q.next())
        groups.insert(q.field(0).asLargeInt());
    return groups;
}

} // namespace

MenuLinks::MenuLinks(Connection& connection)
{
    Query q(&connection, Sql::QMenuParents);
    for (q.open(); !q.eof(); q.next())
        m_parent.insert(q.field(0).asLargeInt(), q.field(1).asLargeInt());
}

QList<qint64> MenuLinks::ancestors(qint64 id) const
{
    QList<qint64> out;
    QSet<qint64> seen { id };
    for (qint64 p = parent(id); p > 0 && !seen.contains(p); p = parent(p)) {
        out.append(p);
        seen.insert(p);
    }
    return out;
}

bool MenuLinks::reachable(qint64 id, const QSet<qint64>& granted) const
{
    if (!granted.contains(id))
        return false;
    QSet<qint64> seen { id };
    for (qint64 p = parent(id);; p = parent(p)) {
        if (p == 0)
            return true;
        // A parent that is not in the menu, or a loop, never leads to a department.
        if (p < 0 || seen.contains(p) || !granted.contains(p))
            return false;
        seen.insert(p);
    }
}

qint64 findMenuEntry(Connection& connection, const QString& idOrDescription)
{
    const QString wanted = idOrDescription.trimmed();
    bool isNumber = false;
    const qint64 id = wanted.toLongLong(&isNumber);
    if (isNumber) {
        Query entry(&connection, Sql::QMenuEntry);
        entry.setParam(QStringLiteral("MenuId"), id);
        entry.open();
        if (entry.eof())
            throw NotFound(QStringLiteral("No menu entry %1.").arg(id));
        return id;
    }
    if (wanted.isEmpty())
        throw NotFound(QStringLiteral("No menu entry is named."));
    QList<QPair<qint64, QString>> exact;
    QList<QPair<qint64, QString>> partial;
    Query q(&connection, Sql::QMenuAll);
    for (q.open(); !q.eof(); q.next()) {
        const QString thai = text(q, "Description");
        const QString english = text(q, "DescEnglish");
        const QPair<qint64, QString> entry { q.field(QStringLiteral("Id")).asLargeInt(), english.isEmpty() ? thai : thai + QStringLiteral(" / ") + english };
        if (thai.compare(wanted, Qt::CaseInsensitive) == 0 || english.compare(wanted, Qt::CaseInsensitive) == 0)
            exact.append(entry);
        else if (thai.contains(wanted, Qt::CaseInsensitive) || english.contains(wanted, Qt::CaseInsensitive))
            partial.append(entry);
    }
    const QList<QPair<qint64, QString>>& found = exact.isEmpty() ? partial : exact;
    if (found.size() == 1)
        return found.first().first;
    if (found.isEmpty())
        throw NotFound(QStringLiteral("No menu entry is described as %1.").arg(wanted));
    QStringList names;
    for (const auto& e : found.mid(0, 20))
        names.append(QStringLiteral("%1 %2").arg(e.first).arg(e.second));
    throw NotFound(QStringLiteral("%1 entries are described as %2; name one by its id: %3%4")
                       .arg(found.size())
                       .arg(wanted, names.join(QStringLiteral("; ")), found.size() > 20 ? QStringLiteral("; …") : QString()));
}

QString dateTimeText(const QDateTime& time) { return time.isValid() ? time.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")) : QString(); }

Table members(Connection& connection, const QString& groupCode, bool thai)
{
    Query group(&connection, Sql::QGroupByCode);
    group.setParam(QStringLiteral("Code"), groupCode.trimmed());
    group.open();
    if (group.eof())
        throw NotFound(QStringLiteral("No group %1.").arg(groupCode.trimmed()));
    Table t;
    t.title = h(thai, "สมาชิกของกลุ่ม %1", "Members of the group %1").arg(text(group, "Code"));
    t.columns = QStringList { QStringLiteral("Code"), h(thai, "ชื่อ", "FullName"), h(thai, "ใช้งาน", "Active"), h(thai, "วันที่สร้าง", "Created"),
        h(thai, "เข้าระบบล่าสุด", "LastLogon") };
    Query q(&connection, Sql::QGroupMembers);
    q.setParam(QStringLiteral("GroupId"), group.field(QStringLiteral("Id")).asInteger());
    for (q.open(); !q.eof(); q.next())
        t.rows.append({ text(q, "Code"), text(q, "FullName"), yesNo(q, "Active"), text(q, "AddDate"), text(q, "LastLogon") });
    return t;
}

Report userRights(Connection& connection, const QString& userCode, bool thai)
{
    Query user(&connection, Sql::QSiteUser);
    user.setParam(QStringLiteral("Code"), userCode.trimmed());
    user.open();
    if (user.eof())
        throw NotFound(QStringLiteral("No user %1.").arg(userCode.trimmed()));
    const int userId = user.field(QStringLiteral("Id")).asInteger();
    const int groupId = user.field(QStringLiteral("GroupId")).asInteger();
    const bool thaiUser = user.field(QStringLiteral("LanguageNo")).asInteger() == 1;

    Table who;
    who.title = h(thai, "ผู้ใช้", "User");
    QStringList userRow { QStringLiteral("User"), text(user, "Code"), text(user, "FullName") };
    if (user.field(QStringLiteral("Active")).asString() != QLatin1String("Y"))
        userRow.append(QStringLiteral("(inactive: cannot log on)"));
    who.rows.append(userRow);
    Query group(&connection, Sql::QSiteGroup);
    group.setParam(QStringLiteral("GroupId"), groupId);
    group.open();
    if (group.eof())
        who.rows.append({ QStringLiteral("Group"), QStringLiteral("(none: no menu entries, no privileges)") });
    else
        who.rows.append({ QStringLiteral("Group"), text(group, "Code"), text(group, "FullName") });

    // The tree the main window builds for the user, in the user's language, from
    // its own query; the access right is the group's stored one.
    QHash<qint64, QString> access;
    Query rightsRows(&connection, Sql::QGroupRights);
    rightsRows.setParam(QStringLiteral("GroupId"), groupId);
    for (rightsRows.open(); !rightsRows.eof(); rightsRows.next())
        access.insert(rightsRows.field(QStringLiteral("Menu")).asLargeInt(), yesNo(rightsRows, "AccessRight"));

    struct Entry
    {
        qint64 id;
        QString caption;
        QString add, modify, remove;
    };
    QHash<qint64, QList<Entry>> children;
    Query tree(&connection, thaiUser ? Sql::QTreeMenuThai : Sql::QTreeMenuEnglish);
    tree.setParam(QStringLiteral("LOGONID"), userId);
    for (tree.open(); !tree.eof(); tree.next())
        children[tree.field(QStringLiteral("PARENT")).asLargeInt()].append(
            { tree.field(QStringLiteral("ID")).asLargeInt(), text(tree, "DESCRIPTION"), yesNo(tree, "ADDRIGHT"), yesNo(tree, "MODIFYRIGHT"), yesNo(tree, "DELETERIGHT") });

    Table menu;
    menu.title = h(thai, "เมนูที่ใช้ได้", "Menu entries the user reaches");
    menu.columns = QStringList { QStringLiteral("Menu"), QStringLiteral("Id"), QStringLiteral("Access"), QStringLiteral("Add"), QStringLiteral("Modify"), QStringLiteral("Delete") };
    // Departments are the entries under 0; an entry whose parent the user does
    // not see is not shown, as in the tree. Each entry is shown once, so a loop
    // in the parent links ends.
    QSet<qint64> shown;
    std::function<void(qint64, int)> walk = [&](qint64 parent, int depth) {
        for (const Entry& e : children.value(parent)) {
            if (shown.contains(e.id))
                continue;
            shown.insert(e.id);
            menu.rows.append({ QString(2 * depth, QLatin1Char(' ')) + e.caption, QString::number(e.id), access.value(e.id, QStringLiteral("N")), e.add, e.modify, e.remove });
            walk(e.id, depth + 1);
        }
    };
    walk(0, 0);

    Table flags;
    flags.title = h(thai, "สิทธิพิเศษของกลุ่ม", "Privileges of the group");
    flags.columns = QStringList { QStringLiteral("Privilege"), QStringLiteral("Column") };
    if (!group.eof()) {
        for (const PrivilegeFlags::Flag& f : PrivilegeFlags::all()) {
            if (group.field(QLatin1String(f.column)).asString() == QLatin1String("Y"))
                flags.rows.append({ QString::fromUtf8(f.caption), QLatin1String(f.column) });
        }
    }

    Table databases;
    databases.title = h(thai, "ฐานข้อมูลที่เข้าได้", "Databases the user may log on to");
    databases.columns = QStringList { QStringLiteral("Database") };
    for (const QString& name : Trail::assignedDatabases(connection, userId))
        databases.rows.append({ name.trimmed() });
    return { who, menu, flags, databases };
}

Report whoCanMenu(Connection& connection, qint64 menuId, bool thai)
{
    // A group reaches the entry when it holds every parent too; the chain is
    // short, so one small query per parent finds the groups holding each.
    const MenuLinks links(connection);
    QHash<qint64, qint64> missing; // group -> the first parent it lacks
    const QList<qint64> chain = links.ancestors(menuId);
    const QSet<qint64> holders = groupsWithRight(connection, menuId);
    QSet<qint64> reaching = holders;
    for (qint64 parent : chain) {
        const QSet<qint64> withParent = groupsWithRight(connection, parent);
        for (qint64 g : std::as_const(reaching)) {
            if (!withParent.contains(g) && !missing.contains(g))
                missing.insert(g, parent);
        }
        reaching &= withParent;
    }
    // An entry whose chain does not end at a department is reached by nobody.
    const qint64 top = chain.isEmpty() ? menuId : chain.last();
    const bool rooted = links.parent(top) == 0;

    Table can;
    can.title = h(thai, "ผู้ที่เข้าถึงได้", "Active users who reach the entry");
    can.columns = QStringList { QStringLiteral("Code"), QStringLiteral("FullName"), QStringLiteral("Group"), QStringLiteral("Access"), QStringLiteral("Add"),
        QStringLiteral("Modify"), QStringLiteral("Delete") };
    Table apart;
    apart.title = h(thai, "ได้รับสิทธิ์แต่เข้าไม่ถึง", "Granted but unreachable");
    apart.columns = QStringList { QStringLiteral("Code"), QStringLiteral("FullName"), QStringLiteral("Group"), h(thai, "ขาดสิทธิ์เมนูแม่", "MissingParent") };
    Query q(&connection, Sql::QWhoCanMenu);
    q.setParam(QStringLiteral("MenuId"), menuId);
    for (q.open(); !q.eof(); q.next()) {
        const qint64 group = q.field(QStringLiteral("GroupId")).asLargeInt();
        if (rooted && reaching.contains(group))
            can.rows.append({ text(q, "Code"), text(q, "FullName"), text(q, "GroupCode"), yesNo(q, "AccessRight"), yesNo(q, "AddRight"), yesNo(q, "ModifyRight"),
                yesNo(q, "DeleteRight") });
        else
            apart.rows.append({ text(q, "Code"), text(q, "FullName"), text(q, "GroupCode"), missing.contains(group) ? QString::number(missing.value(group)) : QString() });
    }
    // By group, then by user.
    auto byGroup = [](const QStringList& a, const QStringList& b) { return a.at(2) != b.at(2) ? a.at(2) < b.at(2) : a.at(0) < b.at(0); };
    std::stable_sort(can.rows.begin(), can.rows.end(), byGroup);
    std::stable_sort(apart.rows.begin(), apart.rows.end(), byGroup);
    return { can, apart };
}

Table whoCanFlag(Connection& connection, const QString& column, bool thai)
{
    const PrivilegeFlags::Flag* f = PrivilegeFlags::find(column.trimmed());
    if (!f)
        throw NotFound(QStringLiteral("%1 is not a privilege flag.").arg(column.trimmed()));
    Table t;
    t.title = h(thai, "ผู้ที่มีสิทธิ %1", "Active users with %1").arg(QString::fromUtf8(f->caption));
    t.columns = QStringList { QStringLiteral("Code"), QStringLiteral("FullName"), QStringLiteral("Group") };
    Query q(&connection, Sql::QWhoCanFlag);
    for (q.open(); !q.eof(); q.next()) {
        if (q.field(QLatin1String(f->column)).asString() == QLatin1String("Y"))
            t.rows.append({ text(q, "UserCode"), text(q, "UserFullName"), text(q, "Code") });
    }
    std::stable_sort(t.rows.begin(), t.rows.end(), [](const QStringList& a, const QStringList& b) { return a.at(2) < b.at(2); });
    return t;
}

Table dormant(Connection& connection, int days, const QDateTime& now, bool thai)
{
    Table t;
    t.title = h(thai, "ผู้ใช้ที่ไม่ได้เข้าระบบเกิน %1 วัน", "Active users with no logon in %1 days").arg(days);
    t.columns = QStringList { QStringLiteral("Code"), h(thai, "ชื่อ", "FullName"), h(thai, "กลุ่ม", "Group"), h(thai, "วันที่สร้าง", "Created"),
        h(thai, "เข้าระบบล่าสุด", "LastLogon") };
    Query q(&connection, Sql::QDormantUsers);
    q.setParam(QStringLiteral("Since"), now.addDays(-days));
    for (q.open(); !q.eof(); q.next()) {
        const QString last = text(q, "LastLogon");
        t.rows.append({ text(q, "Code"), text(q, "FullName"), text(q, "GroupCode"), text(q, "AddDate"), last.isEmpty() ? h(thai, "ไม่เคย", "never") : last });
    }
    return t;
}

Table trail(Connection& connection, const TrailFilter& filter, bool thai)
{
    Table t;
    t.title = h(thai, "ประวัติการเปลี่ยนแปลงด้านความปลอดภัย", "Security trail");
    t.columns = QStringList { QStringLiteral("LogDate"), QStringLiteral("UserCode"), QStringLiteral("Workstation"), QStringLiteral("Screen"), QStringLiteral("Action"),
        QStringLiteral("TargetCode"), QStringLiteral("Detail") };
    Query q(&connection, Sql::QSecurityTrail);
    q.setParam(QStringLiteral("Since"), filter.since);
    q.setParam(QStringLiteral("UserCode"), filter.byWhom.trimmed());
    q.setParam(QStringLiteral("TargetCode"), filter.onWhom.trimmed());
    q.setParam(QStringLiteral("Screen"), filter.screen.trimmed());
    for (q.open(); !q.eof(); q.next()) {
        QStringList row;
        for (int i = 0; i < q.columnCount(); ++i)
            row.append(q.field(i).asString());
        t.rows.append(row);
    }
    return t;
}

Table locks(Connection& connection, const QDateTime& now, bool thai)
{
    Table t;
    t.title = h(thai, "รหัสผู้ใช้ที่ถูกระงับ", "Codes locked by failed logons");
    t.columns = QStringList { QStringLiteral("Code"), h(thai, "จำนวนครั้ง", "Failures"), h(thai, "ผิดครั้งล่าสุด", "LastFailure"), h(thai, "นาทีที่เหลือ", "MinutesLeft") };
    Query q(&connection, Sql::QLogonFailures);
    for (q.open(); !q.eof(); q.next()) {
        LogonLock::State state;
        state.failures = q.field(QStringLiteral("Failures")).asInteger();
        state.lastFailure = q.field(QStringLiteral("LastFailure")).asDateTime();
        // The lock goes by the server's clock, as the logon judges it.
        const QDateTime server = q.field(QStringLiteral("ServerNow")).asDateTime();
        const QDateTime at = server.isValid() ? server : now;
        if (LogonLock::isLocked(state, at))
            t.rows.append({ text(q, "Code"), QString::number(state.failures), dateTimeText(state.lastFailure), QString::number(LogonLock::minutesLeft(state, at)) });
    }
    return t;
}

Unlocked unlock(Connection& connection, const QString& code, int actorId, const QString& actorCode, const QString& screen, const QString& how)
{
    const QString wanted = code.trimmed().toUpper();
    const LogonLock::State state = LogonLock::read(connection, wanted);
    if (state.failures == 0)
        return {};
    Unlocked result { true, LogonLock::isLocked(state, state.serverNow) };
    // The lifting and its trail row are one change.
    Transaction t(connection);
    LogonLock::clear(connection, wanted);
    const QString detail = QStringLiteral("failed logons: %1, the last at %2; lifted by %3").arg(state.failures).arg(dateTimeText(state.lastFailure), how);
    Trail::write(connection, Trail::Actor { actorId, actorCode }, screen, Trail::Action::Unlock, wanted, detail);
    t.commit();
    return result;
}

} // namespace Reports
