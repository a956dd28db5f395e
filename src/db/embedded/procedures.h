#pragma once

#include "db/engine.h"

#include <functional>

class EmbeddedSession;

// The configuration database's stored procedures, written for the embedded
// engine (SQL Server keeps them in T-SQL, see sql/mssql/procedures.sql):
// MENUCAPTION, DeleteUser, DELETEOLDRIGHT and CopyUserRights.
using EmbeddedProcedure = std::function<void(EmbeddedSession&, QList<ProcParam>&)>;
EmbeddedProcedure embeddedProcedure(const QString& name);
