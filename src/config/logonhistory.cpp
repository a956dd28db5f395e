#include "config/logonhistory.h"

#include "config/sqlcatalogue.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/query.h"
#include "workstation/workstation.h"

#include <QtGlobal>

namespace LogonHistory {

bool record(Connection& connection, int userId, const QString& userCode, const QString& databaseName)
{
    try {
        Query q(&connection, Sql::InsertLogonHistory);
        q.setParam(QStringLiteral("UserId"), userId);
        q.setParam(QStringLiteral("UserCode"), userCode.trimmed());
        q.setParam(QStringLiteral("Workstation"), ComputerName());
        q.setParam(QStringLiteral("DatabaseName"), databaseName.trimmed());
        q.execSql();
        return true;
    } catch (const DbError& e) {
        try {
            Query log(&connection, Sql::InsertErrorLog);
            log.setParam(QStringLiteral("Menu"), 0);
            log.setParam(QStringLiteral("UserId"), userId);
            log.setParam(QStringLiteral("Message"), excerpt(QStringLiteral("The logon was not written to the logon history: ") + e.message(), 1900));
            log.execSql();
        } catch (const DbError& again) {
            qWarning("The logon history and the error log are not writable: %s", qUtf8Printable(again.message()));
        }
        return false;
    }
}

} // namespace LogonHistory
