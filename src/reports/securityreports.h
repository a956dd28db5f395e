#pragma once

#include "reports/reporttable.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <stdexcept>

class Connection;

// The security reports the site tool prints and the security reports screen
// shows, from one implementation: a report is the same whoever asks for it.
// Each reads the configuration connection it is given with the statements of
// the catalogue; `thai` picks the language of the headings.
namespace Reports {

// A user, group or menu entry the question names is not there (or a text
// names several entries); the message says which.
class NotFound : public std::runtime_error
{
public:
    explicit NotFound(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// The menu's parent links, read once per report.
class MenuLinks
{
public:
    explicit MenuLinks(Connection& connection);
    qint64 parent(qint64 id) const { return m_parent.value(id, -1); }
    bool contains(qint64 id) const { return m_parent.contains(id); }
    // The entries above `id` up to its department, nearest first; empty for a
    // department. A broken chain (a missing parent, a loop) ends it.
    QList<qint64> ancestors(qint64 id) const;
    // The entry counts when it and every parent up to its department are granted.
    bool reachable(qint64 id, const QSet<qint64>& granted) const;

private:
    QHash<qint64, qint64> m_parent;
};

// The entry a text names: its id, or its Thai or English description (exact,
// letter case ignored, else the one entry that contains it). Throws NotFound.
qint64 findMenuEntry(Connection& connection, const QString& idOrDescription);

// "dd/MM/yyyy hh:mm:ss", or the empty text for no time.
QString dateTimeText(const QDateTime& time);

Table members(Connection& connection, const QString& groupCode, bool thai);
Report userRights(Connection& connection, const QString& userCode, bool thai);
// The active users who reach the entry, by group, then apart those whose
// group holds it without a parent.
Report whoCanMenu(Connection& connection, qint64 menuId, bool thai);
// Throws NotFound for a column that is no privilege flag.
Table whoCanFlag(Connection& connection, const QString& column, bool thai);
Table dormant(Connection& connection, int days, const QDateTime& now, bool thai);

struct TrailFilter
{
    QDate since { 1900, 1, 1 };
    QString byWhom;
    QString onWhom;
    QString screen;
};
Table trail(Connection& connection, const TrailFilter& filter, bool thai);
// The codes the failed-logon lock refuses now.
Table locks(Connection& connection, const QDateTime& now, bool thai);

// Lifts the count of a code and writes its trail row in one transaction, the
// detail ending "lifted by <who> on <workstation> <how>". False, with nothing
// written, when the code had no count.
struct Unlocked
{
    bool done = false;
    bool wasLocked = false;
};
Unlocked unlock(Connection& connection, const QString& code, int actorId, const QString& actorCode, const QString& screen, const QString& how);

} // namespace Reports
