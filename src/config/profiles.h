#pragma once

#include <QString>
#include <QStringList>

// The four connection profiles of the program, line for line.
namespace Profiles {

// Master database of the server (DBMaster).
QStringList master(const QString& serverName);
// Configuration database (DmCfg): "DATABASE NAME=…" first, then the rest.
QStringList config(const QString& serverName, const QString& databaseName);
// Lines 2 to 24 of the configuration profile.
QStringList configTail(const QString& serverName);
// Company database opened by the main window for its status line.
QStringList companyMainWindow(const QString& serverName, const QString& databaseName, bool readOnly);
// Company database of the user and group screen.
QStringList companyUserScreen(const QString& serverName, const QString& databaseName, bool readOnly);

} // namespace Profiles
