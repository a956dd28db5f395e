#pragma once

#include "db/engine.h"

#include <QSqlQuery>
#include <QVariantList>
#include <functional>
#include <memory>

// Runs SQLite text as it stands, its "?" markers bound in order: the embedded
// session, or the SQLite ODBC driver where it stands in for SQL Server.
class SqliteRunner
{
public:
    virtual ~SqliteRunner() = default;
    virtual std::unique_ptr<QSqlQuery> native(const QString& sql, const QVariantList& values) = 0;
};

// The configuration database's stored procedures, written for the embedded
// engine (SQL Server keeps them in T-SQL, see sql/mssql/procedures.sql):
// MENUCAPTION, DeleteUser, DELETEOLDRIGHT and CopyUserRights.
using EmbeddedProcedure = std::function<void(SqliteRunner&, QList<ProcParam>&)>;
EmbeddedProcedure embeddedProcedure(const QString& name);
