#pragma once

#include <QString>

// The built-in administrator "ZAQ" and the built-in group "ZAQSYSTEM" are
// reached only by ZAQ himself. Every check compares a code as the lookups will
// match it: SQL Server's "=" ignores letter case and trailing blanks, and a
// code is stored trimmed, so "zaq ", " Zaq" and "ZAQ\t" are all ZAQ.
namespace Reserved {

inline QString normalized(const QString& code) { return code.trimmed().toUpper(); }

inline bool isZaqUser(const QString& code) { return normalized(code) == QLatin1String("ZAQ"); }
inline bool isSystemGroup(const QString& code) { return normalized(code) == QLatin1String("ZAQSYSTEM"); }

// The group "ZAQ" and the built-in group both hold the rights of everything:
// copying from either asks the access code of anyone but ZAQ.
inline bool isGuardedModelGroup(const QString& code) { return isZaqUser(code) || isSystemGroup(code); }

// The logged-on user, by the code the rights lookup handed over.
inline bool loggedOnIsZaq(const QString& loggedOnCode) { return isZaqUser(loggedOnCode); }

} // namespace Reserved
