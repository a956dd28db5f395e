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

QStringList FixtureSite::profile(const QString& database) const
{
    return { QStringLiteral("SERVER NAME=") + serverFolder(), QStringLiteral("DATABASE NAME=") + database, QStringLiteral("USER NAME=zaq"),
        QStringLiteral("PASSWORD=hollyoak") };
}

QVariant FixtureSite::scalar(const QString& database, const QString& select) const
{
    Connection c(QStringLiteral("fixture"));
    c.profile().add(profile(database));
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

void FixtureSite::configWithNumbers(int digits, const QString& statements) const
{
    QString number = QStringLiteral("A.N");
    QString from = QStringLiteral("BenchDigit A");
    qint64 weight = 1;
    for (int d = 1; d < digits; ++d) {
        weight *= 10;
        const QChar alias(QLatin1Char(char('A' + d)));
        number += QStringLiteral(" + %1 * %2.N").arg(weight).arg(alias);
        from += QStringLiteral(", BenchDigit %1").arg(alias);
    }
    config(QStringLiteral("Create Table BenchDigit (N Int Not Null)\n/\n"
                          "Insert Into BenchDigit (N)\n"
                          "Select 0 Union All Select 1 Union All Select 2 Union All Select 3 Union All Select 4\n"
                          "Union All Select 5 Union All Select 6 Union All Select 7 Union All Select 8 Union All Select 9\n/\n"
                          "Create Table BenchNumber (N Int Not Null Primary Key)\n/\n"
                          "Insert Into BenchNumber (N) Select %1 From %2\n/\n")
               .arg(number, from)
        + statements
        + QStringLiteral("\nDrop Table BenchNumber\n/\nDrop Table BenchDigit\n/\n"));
}
