#include "mssqlscript.h"

#include "db/script.h"

#include <QRegularExpression>

namespace {

QString bracketed(const QString& name)
{
    QString n = name;
    n.replace(QLatin1Char(']'), QLatin1String("]]"));
    return QLatin1Char('[') + n + QLatin1Char(']');
}

QString literal(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\''), QLatin1String("''"));
    return QStringLiteral("N'") + t + QLatin1Char('\'');
}

} // namespace

QString mssqlBatches(const QString& script)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r?\n"));
    QString out;
    for (const ScriptStatement& st : splitScript(script.split(lineBreak)))
        out += st.text + QStringLiteral("\nGO\n\n");
    return out;
}

QString mssqlSetupScript(const QStringList& tableScripts, const QString& proceduresScript, const QString& databaseName)
{
    const QString db = bracketed(databaseName);
    const QString dbLiteral = literal(databaseName);
    QString out;
    out += QStringLiteral(
        "-- Sets up a new SQL Server for the suite. Run it once, as a server administrator:\n"
        "--   sqlcmd -S SERVER -U sa -b -i zaq-setup.sql\n"
        "-- It creates the SQL login \"zaq\" (the login every workstation uses), the\n"
        "-- configuration database with its tables, reserved rows and stored procedures.\n"
        "-- Texts are Thai single-byte (code page 874), so the database gets a Thai collation.\n"
        "SET NOCOUNT ON\n"
        "GO\n\n");
    // Server logins are server-wide; the suite's login may exist from an earlier site.
    out += QStringLiteral(
        "IF NOT EXISTS (SELECT 1 FROM master.dbo.syslogins WHERE name = N'zaq')\n"
        "    CREATE LOGIN [zaq] WITH PASSWORD = N'hollyoak', CHECK_POLICY = OFF, DEFAULT_DATABASE = [master]\n"
        "GO\n\n");
    out += QStringLiteral("IF DB_ID(%1) IS NULL\n    CREATE DATABASE %2 COLLATE Thai_CI_AS\nGO\n\n").arg(dbLiteral, db);
    out += QStringLiteral("USE %1\nGO\n\n").arg(db);
    // The program adds missing columns at every connect, so its login owns the database's schema.
    out += QStringLiteral(
        "IF NOT EXISTS (SELECT 1 FROM sysusers WHERE name = N'zaq')\n"
        "    CREATE USER [zaq] FOR LOGIN [zaq]\n"
        "GO\n\n"
        "EXEC sp_addrolemember N'db_owner', N'zaq'\n"
        "GO\n\n");
    // A second run must not add the reserved rows twice: from here on sqlcmd only
    // compiles the batches when the tables are already there.
    QString stop = QStringLiteral("The database %1 already holds the suite's tables; nothing more is changed.").arg(databaseName);
    stop.replace(QLatin1Char('%'), QLatin1String("%%")); // RAISERROR formats its message
    out += QStringLiteral(
        "IF OBJECT_ID(N'UserName') IS NOT NULL\n"
        "BEGIN\n"
        "    RAISERROR(%1, 16, 1)\n"
        "    SET NOEXEC ON\n"
        "END\n"
        "GO\n\n")
               .arg(literal(stop));
    for (const QString& script : tableScripts)
        out += mssqlBatches(script);
    out += mssqlBatches(proceduresScript);
    out += QStringLiteral("SET NOEXEC OFF\nGO\n");
    return out;
}
