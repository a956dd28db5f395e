#pragma once

#include <QString>
#include <stdexcept>

// The one error type of the database-access layer. It carries the server's
// (or the engine's) message as the user should see it.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
