#pragma once

#include <QList>
#include <QStringList>

// Every SQL text the program sends, line by line, in one place, so that one
// test runs each of them on the embedded engine. A screen that edits its lines
// (sorting, the language variant of a first line) starts from these.
namespace Sql {

// Configuration data module.
extern const QStringList QChkConfig;
extern const QStringList QSoftware;
extern const QStringList SQLUpdate;
extern const QStringList QCompanyConfig;
extern const QStringList QUser; // also QUserGroupId
extern const QStringList QError;
extern const QStringList WritePasswordNew;

// Main window (qconfig and QAccount run in the company database).
extern const QStringList qconfig;
extern const QStringList QAccount;

// Main window: departments, the menu tree and the launcher (configuration database).
extern const QStringList QDepartmentRightThai;
extern const QStringList QDepartmentRightEnglish;
extern const QStringList QTreeMenuThai;
extern const QStringList QTreeMenuEnglish;
extern const QStringList QChkFieldSetDocYear;
extern const QStringList SQLAlter;
extern const QStringList QChkSetDocYear;
extern const QStringList Query1;

// Logon dialog.
extern const QStringList QLogon;
extern const QStringList QCompList;

// User and group search (sorting rewrites its "order by" line).
extern const QStringList QSearch;

// Group menu rights: the group lookup, the rights grid in its language and
// scope (a group other than ZAQSYSTEM sees only its administrator's entries),
// the menu's parent links for the cascade, and the insert of a saved row.
extern const QStringList QRightsGroup;
extern const QStringList QRightsThai;
extern const QStringList QRightsEnglish;
extern const QStringList QRightsAllThai;
extern const QStringList QRightsAllEnglish;
const QStringList& QRights(bool thai, bool allEntries);
extern const QStringList QMenuParents;
extern const QStringList LockGroupRow;
extern const QStringList LockUserRow;
extern const QStringList DeleteListedRights;
extern const QStringList InsertUserRight;
// The table and columns of a save that writes many rows at once (BatchInsert
// sends them in multi-row statements; the single-row text above is its shape).
struct RowsInto
{
    QString table;
    QStringList columns;
};
extern const RowsInto UserRightRows;

// Copying rights: the groups a group may copy from.
extern const QStringList QCopyRightGroups;

// User database assignment.
extern const QStringList QUserCompanyUser;
extern const QStringList QUserCompanyList;
extern const QStringList QAllDatabase;
extern const QStringList InsertUserCompany;
extern const RowsInto UserCompanyRows;
extern const QStringList DeleteUserCompany;
// The security trail and the failed-logon lock: their tables (upkept at every
// connect, after SQLUpdate), the trail's one insert, and the lock's check,
// count and reset, one statement each.
extern const QStringList SecurityUpkeep;
extern const QStringList InsertSecurityLog;
extern const QStringList QLogonFailure;
extern const QStringList QUniqueCodeIndex;
extern const QStringList QTwinCodes;
extern const QStringList QTrailRowExists;
extern const QStringList CountLogonFailure;
extern const QStringList ClearLogonFailure;

// The site tool's reports.
extern const QStringList QSecurityLog;
extern const QStringList InsertLogonHistory;
extern const QStringList InsertErrorLog;
extern const QStringList QMenuAll;
extern const QStringList QGroupsWithRight;
extern const QStringList QGroupByCode;
extern const QStringList QActiveGroups;
extern const QStringList QGroupMembers;
extern const QStringList QDormantUsers;
extern const QStringList QSecurityTrail;
extern const QStringList QLogonFailures;
extern const QStringList QSiteUser;
extern const QStringList QSiteGroup;
extern const QStringList QGroupRights;
extern const QStringList QUserDatabaseNames;
extern const QStringList QMenuEntry;
extern const QStringList QWhoCanMenu;
extern const QStringList QWhoCanFlag;

// User and group screen (QCustomer runs in the company database) and the
// change-password screen.
extern const QStringList QUserName;
extern const QStringList QUserNameInsert;
extern const QStringList QUserNameUpdate;
// The update, matched to the row as it was loaded: each guarded column must
// still hold the value bound to :W_<column>.
QStringList QUserNameUpdateAsLoaded(const QStringList& guarded);
extern const QStringList QUserNameById;
extern const QStringList QUserNameCodeExists;
extern const QStringList QGroupById;
extern const QStringList QUserGroup;
extern const QStringList Qsoftwareconfig;
extern const QStringList QTemp;
extern const QStringList QCustomer;
extern const QStringList QChangePassword;

enum class Target { Master, Config, Company };
enum class Kind { Select, Execute, Script };

struct Entry
{
    const char* name;
    Target target;
    Kind kind;
    const QStringList* lines;
};

const QList<Entry>& catalogue();

} // namespace Sql
