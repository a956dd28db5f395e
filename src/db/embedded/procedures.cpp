#include "db/embedded/procedures.h"

#include "db/dberror.h"

#include <QSqlQuery>

namespace {

QString bare(const QString& name) { return name.startsWith(QLatin1Char('@')) ? name.mid(1).toUpper() : name.toUpper(); }

QVariant in(const QList<ProcParam>& params, const char* name)
{
    for (const ProcParam& p : params) {
        if (bare(p.name) == QLatin1String(name))
            return p.value;
    }
    throw DbError(QStringLiteral("Procedure expects parameter '@%1', which was not supplied.").arg(QLatin1String(name)));
}

void out(QList<ProcParam>& params, const char* name, const QVariant& value)
{
    for (ProcParam& p : params) {
        if (bare(p.name) == QLatin1String(name))
            p.value = value;
    }
}

void returnValue(QList<ProcParam>& params, int value)
{
    for (ProcParam& p : params) {
        if (p.direction == ProcParam::Return)
            p.value = value;
    }
}

QString flag(const QVariant& v) { return v.toString().trimmed() == QLatin1String("Y") ? QStringLiteral("Y") : QStringLiteral("N"); }

// The caption of an entry, the rights of the user's group on it, the user's
// code and sales id.
void menuCaption(SqliteRunner& s, QList<ProcParam>& p)
{
    const QVariant menu = in(p, "MENUID");
    const QVariant user = in(p, "USERID");
    auto caption = s.native(QStringLiteral("SELECT Description FROM Menu WHERE Id = ?"), { menu });
    out(p, "CAPTION", caption->next() ? caption->value(0).toString().trimmed() : QString());
    auto rights = s.native(QStringLiteral("SELECT R.AccessRight, R.AddRight, R.ModifyRight, R.DeleteRight FROM UserRight R"
                                          " JOIN UserName U ON U.GroupId = R.UserName WHERE U.Id = ? AND R.Menu = ? LIMIT 1"),
        { user, menu });
    const bool has = rights->next();
    out(p, "ACCESS_R", has ? flag(rights->value(0)) : QStringLiteral("N"));
    out(p, "ADD_R", has ? flag(rights->value(1)) : QStringLiteral("N"));
    out(p, "MODIFY_R", has ? flag(rights->value(2)) : QStringLiteral("N"));
    out(p, "DELETE_R", has ? flag(rights->value(3)) : QStringLiteral("N"));
    auto who = s.native(QStringLiteral("SELECT Code, Saleman FROM UserName WHERE Id = ?"), { user });
    const bool found = who->next();
    out(p, "USERCODE", found ? who->value(0).toString() : QString());
    out(p, "SALESID", found ? who->value(1).toInt() : 0);
    returnValue(p, 0);
}

// Removes a user or group with the assignments and rights that hang on it, so
// that no orphan rows stay behind.
void deleteUser(SqliteRunner& s, QList<ProcParam>& p)
{
    const QVariant id = in(p, "USERID");
    s.native(QStringLiteral("DELETE FROM UserCompany WHERE UserName = ?"), { id });
    s.native(QStringLiteral("DELETE FROM UserRight WHERE UserName = ?"), { id });
    s.native(QStringLiteral("DELETE FROM UserName WHERE Id = ?"), { id });
    returnValue(p, 0);
}

void deleteOldRight(SqliteRunner& s, QList<ProcParam>& p)
{
    s.native(QStringLiteral("DELETE FROM UserRight WHERE UserName = ?"), { in(p, "OLDID") });
    returnValue(p, 0);
}

// The target group gets exactly the source group's rights: its own rows are
// replaced, not merged.
void copyUserRights(SqliteRunner& s, QList<ProcParam>& p)
{
    const QVariant from = in(p, "FROMUSER");
    const QVariant to = in(p, "TOUSER");
    if (from == to) {
        returnValue(p, 0);
        return;
    }
    s.native(QStringLiteral("DELETE FROM UserRight WHERE UserName = ?"), { to });
    s.native(QStringLiteral("INSERT INTO UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)"
                            " SELECT ?, Menu, AccessRight, AddRight, ModifyRight, DeleteRight FROM UserRight WHERE UserName = ?"),
        { to, from });
    returnValue(p, 0);
}

} // namespace

EmbeddedProcedure embeddedProcedure(const QString& name)
{
    const QString n = name.trimmed().toUpper();
    if (n == QLatin1String("MENUCAPTION"))
        return menuCaption;
    if (n == QLatin1String("DELETEUSER"))
        return deleteUser;
    if (n == QLatin1String("DELETEOLDRIGHT"))
        return deleteOldRight;
    if (n == QLatin1String("COPYUSERRIGHTS"))
        return copyUserRights;
    return {};
}
