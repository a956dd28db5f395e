#pragma once

#include <QString>
#include <QStringList>

// The script a site administrator runs with sqlcmd on a new SQL Server: it
// creates the suite's login, the configuration database with its user, and
// then runs the given scripts in order. Each script is in our own format
// (statements separated by lines holding only "/"); every statement becomes
// one sqlcmd batch, ended by "GO".
//
// Run against a database that already holds the suite's tables, the script
// stops before changing anything in it.
QString mssqlSetupScript(const QStringList& tableScripts, const QString& proceduresScript,
    const QString& databaseName = QStringLiteral("ZAQ_CONFIG"));

// One "/"-separated script as sqlcmd batches.
QString mssqlBatches(const QString& script);
