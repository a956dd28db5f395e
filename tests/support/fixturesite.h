#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include "site.h"

// A fresh embedded site in a temporary folder, made from the real schema. The
// working folder is the site while the fixture lives, as for the program.
class FixtureSite
{
public:
    explicit FixtureSite(Site::ConfigShape shape = Site::ConfigShape::Current, const QString& configName = QStringLiteral("ZAQ_CONFIG"));
    ~FixtureSite();

    QString dir() const { return m_dir.path(); }
    QString serverFolder() const { return m_dir.filePath(QStringLiteral("data")); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

    // The connection profile that reaches a database of the site with the
    // site's login.
    QStringList profile(const QString& database) const;
    QStringList configProfile() const { return profile(m_configName); }

    // Runs statements ("/"-separated lines) on a database of the site.
    void run(const QString& database, const QString& statements) const;
    void config(const QString& statements) const { run(m_configName, statements); }
    // Runs statements on the configuration database with a scratch table
    // BenchNumber (N) holding 0 to 10^digits - 1 while they run, for building
    // large fixtures by joins instead of one insert per row.
    void configWithNumbers(int digits, const QString& statements) const;
    // The first column of the first row of a query, or an invalid value.
    QVariant scalar(const QString& database, const QString& select) const;
    QVariant configScalar(const QString& select) const { return scalar(m_configName, select); }

    void writeFile(const QString& name, const QByteArray& content) const;
    // Leaves the folder in place when the fixture goes (to try a site by hand).
    void keep() { m_dir.setAutoRemove(false); }

private:
    QTemporaryDir m_dir;
    QString m_configName;
    QString m_previousCurrent;
};
