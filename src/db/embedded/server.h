#pragma once

#include <QString>
#include <QStringList>

// The embedded server is a folder: the file "zaqserver.ini" marks it and holds
// the logins it accepts; each database is one SQLite file "<name>.sqlite".
namespace EmbeddedServer {

inline constexpr const char* kMarkerFile = "zaqserver.ini";
inline constexpr const char* kExtension = ".sqlite";

// Makes a folder a server accepting one login.
void create(const QString& folder, const QString& login, const QString& password);
bool isServer(const QString& folder);
bool acceptsLogin(const QString& folder, const QString& login, const QString& password);

// Database names present, as their files spell them.
QStringList databases(const QString& folder);
// The file of a database, found without regard to letter case; empty when absent.
QString databaseFile(const QString& folder, const QString& name);
// Creates an empty database file (WAL journal); throws DbError when it exists.
QString createDatabase(const QString& folder, const QString& name);

} // namespace EmbeddedServer
