#include "fixturesite.h"

#include "db/connection.h"
#include "db/query.h"

#include <QFile>
#include <gtest/gtest.h>

FixtureSite::FixtureSite(Site::ConfigShape shape, const QString& configName)
    : m_configName(configName)
    , m_previousCurrent(QDir::currentPath())
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    Site::createEmbeddedServer(serverFolder());
    Site::createConfigDatabase(serverFolder(), configName, shape);
    writeFile(QStringLiteral("Server.Dat"), "./data\n");
    QDir::setCurrent(m_dir.path());
}

FixtureSite::~FixtureSite() { QDir::setCurrent(m_previousCurrent); }

void FixtureSite::run(const QString& database, const QString& statements) const
{
    Site::runOn(serverFolder(), database, statements.split(QLatin1Char('\n')));
}

QVariant FixtureSite::scalar(const QString& database, const QString& select) const
{
    Connection c(QStringLiteral("fixture"));
    c.profile().add({ QStringLiteral("SERVER NAME=") + serverFolder(), QStringLiteral("DATABASE NAME=") + database,
        QStringLiteral("USER NAME=zaq"), QStringLiteral("PASSWORD=hollyoak") });
    Query q(&c, select.split(QLatin1Char('\n')));
    q.open();
    return q.eof() ? QVariant() : q.field(0).value();
}

void FixtureSite::writeFile(const QString& name, const QByteArray& content) const
{
    QFile f(m_dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write fixture file");
    f.write(content);
}
