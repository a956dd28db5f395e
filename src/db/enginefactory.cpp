#include "db/engine.h"

#include "db/dberror.h"
#include "db/embedded/session.h"
#include "db/mssql/session.h"

bool isEmbeddedServerName(const QString& serverName)
{
    const QString s = serverName.trimmed();
    return s.contains(QLatin1Char('/')) || s.contains(QLatin1Char('\\')) || s.startsWith(QLatin1Char('.'));
}

namespace {
EngineSessionMaker& sessionMaker()
{
    static EngineSessionMaker maker;
    return maker;
}
} // namespace

void setEngineSessionMaker(EngineSessionMaker maker) { sessionMaker() = std::move(maker); }

std::unique_ptr<EngineSession> openEngineSession(const ConnectionProfile& profile)
{
    if (sessionMaker())
        return sessionMaker()(profile);
    if (isEmbeddedServerName(profile.serverName()))
        return std::make_unique<EmbeddedSession>(profile);
    return std::make_unique<MssqlSession>(profile);
}
