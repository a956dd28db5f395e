#pragma once

#include "db/connectionprofile.h"
#include "db/params.h"

#include <QList>
#include <QMetaType>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

// One parameter of a stored procedure call.
struct ProcParam
{
    enum Direction { In, Out, InOut, Return };
    QString name; // as the procedure declares it, with its "@"
    Direction direction = In;
    QMetaType::Type type = QMetaType::Int;
    QVariant value;
};

// An open connection on one engine (the embedded SQLite stand-in or SQL Server
// through ODBC). Statements arrive as the program's T-SQL; the engine decides
// how they reach its database. Every failure throws DbError.
class EngineSession
{
public:
    virtual ~EngineSession() = default;

    // Runs one statement (or batch) with the given named values. For a
    // statement that returns rows the query is active and positioned before
    // its first row; otherwise it reports the rows affected.
    virtual std::unique_ptr<QSqlQuery> run(const QString& tsql, const ParamValues& params) = 0;

    // Calls a stored procedure; Out, InOut and Return values are written back
    // into the list.
    virtual void callProcedure(const QString& name, QList<ProcParam>& params) = 0;

    virtual void beginTransaction() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;

    virtual QString serverName() const = 0;
    virtual QString databaseName() const = 0;

    // A value that stays the same while nobody changes the database, so that
    // work whose outcome depends only on its content (the schema upkeep) need
    // not be repeated at the next connect; empty when the engine cannot tell,
    // and the work is done again.
    virtual QByteArray contentStamp() const { return {}; }
};

// Opens a session for a profile: a SERVER NAME that is a folder path (it
// holds "/" or "\", or begins with ".") is an embedded server in that folder,
// relative to the current working folder; any other name is a SQL Server
// reached through ODBC.
std::unique_ptr<EngineSession> openEngineSession(const ConnectionProfile& profile);
bool isEmbeddedServerName(const QString& serverName);

// Puts another engine in place of the factory's choice for every session the
// process opens from now on (a benchmark runs the program over a stand-in for
// SQL Server); an empty function restores the choice by server name.
using EngineSessionMaker = std::function<std::unique_ptr<EngineSession>(const ConnectionProfile&)>;
void setEngineSessionMaker(EngineSessionMaker maker);
