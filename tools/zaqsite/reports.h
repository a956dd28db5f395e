#pragma once

#include <QStringList>

class QTextStream;

// The site tool's security reports, the lock's lifting and the one-statement
// query. Each opens the site's configuration database as the program does
// (Server.Dat of the site folder, the same data-access layer and statements),
// so it answers for an embedded site and for a SQL Server alike; the reports
// themselves are the reports screen's (src/reports). Each answers the exit
// code: 0 done, 1 a user, group or entry not found, nothing to unlock, or a
// site or database error, 2 wrong arguments.
namespace SiteReports {

// audit --site DIR [--since dd/mm/yyyy] [--user CODE] [--target CODE] [--screen NAME]
int audit(const QStringList& args, QTextStream& out, QTextStream& err);
// rights --site DIR --user CODE
int rights(const QStringList& args, QTextStream& out, QTextStream& err);
// who-can --site DIR (--menu ID|DESCRIPTION | --flag COLUMN)
int whoCan(const QStringList& args, QTextStream& out, QTextStream& err);
// members --site DIR --group CODE
int members(const QStringList& args, QTextStream& out, QTextStream& err);
// dormant --site DIR [--days N]
int dormant(const QStringList& args, QTextStream& out, QTextStream& err);
// locks --site DIR
int locks(const QStringList& args, QTextStream& out, QTextStream& err);
// unlock --site DIR CODE
int unlock(const QStringList& args, QTextStream& out, QTextStream& err);
// query --site DIR --database NAME [--write] "T-SQL"
int query(const QStringList& args, QTextStream& out, QTextStream& err);

// The usage lines of these commands, with the options every report takes.
QString usage();

// The server a site folder names in its Server.Dat; throws when the folder is
// not there or names none.
QString siteServer(const QString& site);

} // namespace SiteReports
