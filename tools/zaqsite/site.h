#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Building sites: the program itself never creates tables; this does, for the
// site tool and for the tests' fixture sites.
namespace Site {

inline constexpr const char* kLogin = "zaq";
inline constexpr const char* kPassword = "hollyoak";

// The lines of a schema or seed script kept with the program (":/sql/…").
QStringList script(const QString& name, const QMap<QString, QString>& substitutions = {});

// Makes `folder` an embedded server accepting the suite's login.
void createEmbeddedServer(const QString& folder);

enum class ConfigShape { Current, BeforeUpkeep };
// Creates a configuration database with its reserved user and group.
void createConfigDatabase(const QString& serverFolder, const QString& name, ConfigShape shape = ConfigShape::Current);
void createCompanyDatabase(const QString& serverFolder, const QString& name);

// Runs a script against one database of an embedded server.
void runOn(const QString& serverFolder, const QString& database, const QStringList& lines);

struct DemoUser
{
    QString code;
    QString password;
    QString note;
};

// A complete site a person can explore, in `dir`: Server.Dat, ZaqVersion.Dat
// and the server folder "data" with the configuration and company databases.
QList<DemoUser> initDemo(const QString& dir, int year);

} // namespace Site
