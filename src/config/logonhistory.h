#pragma once

#include <QString>

class Connection;

// One row per successful logon in LogonHistory: who, when by the server's
// clock, from which workstation, into which database. The logon must go on
// whatever happens here, so a row that cannot be written is kept in the error
// log table instead (menu 0: no menu entry was started), and a failure of that
// too is only noted on the console. Answers whether the row was written.
namespace LogonHistory {

bool record(Connection& connection, int userId, const QString& userCode, const QString& databaseName);

} // namespace LogonHistory
