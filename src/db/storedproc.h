#pragma once

#include "db/engine.h"

#include <QObject>

class Connection;

// A stored procedure with its parameters in declaration order, including the
// return value. Parameter names are matched without regard to letter case,
// with or without their "@".
class StoredProc : public QObject
{
    Q_OBJECT
public:
    StoredProc(Connection* connection, const QString& name, QObject* parent = nullptr);
    ~StoredProc() override;

    const QString& name() const { return m_name; }
    void addParam(const QString& name, ProcParam::Direction direction, QMetaType::Type type);
    void setParam(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const;
    QString paramAsString(const QString& name) const;
    int paramAsInteger(const QString& name) const;
    const QList<ProcParam>& params() const { return m_params; }

    void execProc();
    // Forgets the last call's answers.
    void close();

private:
    friend class Connection;
    int indexOf(const QString& name) const;

    Connection* m_connection;
    QString m_name;
    QList<ProcParam> m_params;
};
