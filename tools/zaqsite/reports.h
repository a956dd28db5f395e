#pragma once

#include <QStringList>

class QTextStream;

// The site tool's security reports and the lock's lifting. Each opens the
// site's configuration database as the program does (Server.Dat of the site
// folder, the same data-access layer and statements), so it answers for an
// embedded site and for a SQL Server alike. Each answers the exit code: 0 done,
// 1 a user, group or entry not found, 2 wrong arguments; database errors throw.
namespace SiteReports {

// audit --site DIR [--since dd/mm/yyyy] [--user CODE] [--target CODE]
int audit(const QStringList& args, QTextStream& out, QTextStream& err);
// rights --site DIR --user CODE
int rights(const QStringList& args, QTextStream& out, QTextStream& err);
// who-can --site DIR (--menu ID | --flag COLUMN)
int whoCan(const QStringList& args, QTextStream& out, QTextStream& err);
// unlock --site DIR CODE
int unlock(const QStringList& args, QTextStream& out, QTextStream& err);

// The usage lines of these commands.
QString usage();

// The server a site folder names in its Server.Dat; throws when it names none.
QString siteServer(const QString& site);

} // namespace SiteReports
