#pragma once

#include "fixturesite.h"

#include <QStringList>

#include "db/connection.h"
#include "db/query.h"

// The security trail of a site, oldest first, one text per row:
// "UserId UserCode|Screen|Action|TargetCode|Detail".
inline QStringList trailRows(const FixtureSite& site)
{
    Connection c(QStringLiteral("trail"));
    c.profile().add(site.configProfile());
    Query q(&c, { QStringLiteral("Select UserId, UserCode, Screen, Action, TargetCode, Detail From SecurityLog Order By Id") });
    QStringList rows;
    for (q.open(); !q.eof(); q.next()) {
        rows.append(q.field(0).asString() + QLatin1Char(' ') + q.field(1).asString() + QLatin1Char('|') + q.field(2).asString() + QLatin1Char('|')
            + q.field(3).asString() + QLatin1Char('|') + q.field(4).asString() + QLatin1Char('|') + q.field(5).asString());
    }
    return rows;
}
