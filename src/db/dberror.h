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

// What a message echoes of a text that came from outside (a server name from
// Server.Dat, a statement): enough to recognise it, never the whole of a
// runaway line.
inline QString excerpt(const QString& text, int max = 200)
{
    if (text.size() <= max)
        return text;
    return text.left(max) + QStringLiteral("… (%1 characters in all)").arg(text.size());
}
