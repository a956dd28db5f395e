#include "workstation/desktopnetwork.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace DesktopNetwork {

namespace {

// Linux interface flags (net/if.h), as /sys/class/net/*/flags shows them.
constexpr unsigned kInterfaceUp = 0x1;
constexpr unsigned kPointToPoint = 0x10;

ProxySettings named(const QString& server)
{
    ProxySettings proxy;
    proxy.enabled = !server.isEmpty();
    proxy.server = server;
    return proxy;
}

QString firstLineOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(file.readLine()).trimmed();
}

// gsettings prints texts in single quotes.
QString unquoted(const QString& printed)
{
    const QString text = printed.trimmed();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('\'')) && text.endsWith(QLatin1Char('\'')))
        return text.mid(1, text.size() - 2);
    return text;
}

} // namespace

ProxySettings proxyFromEnvironment(const QProcessEnvironment& environment)
{
    for (const char* name : { "https_proxy", "HTTPS_PROXY", "http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY" }) {
        const QString server = environment.value(QString::fromLatin1(name)).trimmed();
        if (!server.isEmpty())
            return named(server);
    }
    return {};
}

ProxySettings proxyFromKdeSettings(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    // A small INI file; only the [Proxy Settings] group counts.
    bool inGroup = false;
    QHash<QString, QString> values;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1String("[Proxy Settings]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inGroup || equals <= 0)
            continue;
        // "httpProxy[$e]" is httpProxy with KDE's expansion marker.
        const QString key = line.left(equals).section(QLatin1Char('['), 0, 0).trimmed();
        values.insert(key, line.mid(equals + 1).trimmed());
    }
    if (values.value(QStringLiteral("ProxyType")) != QLatin1String("1"))
        return {};
    for (const char* key : { "httpsProxy", "httpProxy", "ftpProxy", "socksProxy" }) {
        const QString server = values.value(QString::fromLatin1(key));
        if (!server.isEmpty())
            return named(server);
    }
    // Switched on, but no server named.
    ProxySettings unnamed;
    unnamed.enabled = true;
    return unnamed;
}

ProxySettings proxyFromGnomeSettings(const SettingReader& read)
{
    const QString base = QStringLiteral("org.gnome.system.proxy");
    if (unquoted(read(base, QStringLiteral("mode"))) != QLatin1String("manual"))
        return {};
    for (const char* child : { "https", "http", "ftp", "socks" }) {
        const QString schema = base + QLatin1Char('.') + QLatin1String(child);
        const QString host = unquoted(read(schema, QStringLiteral("host")));
        if (host.isEmpty())
            continue;
        const int port = read(schema, QStringLiteral("port")).trimmed().toInt();
        return named(port > 0 ? host + QLatin1Char(':') + QString::number(port) : host);
    }
    ProxySettings unnamed;
    unnamed.enabled = true;
    return unnamed;
}

QString gsettingsValue(const QString& schema, const QString& key)
{
    static const QString tool = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (tool.isEmpty())
        return QString();
    QProcess process;
    process.start(tool, { QStringLiteral("get"), schema, key });
    // A tool that hangs must not hold the menu: two seconds, then no answer.
    if (!process.waitForFinished(2000)) {
        process.kill();
        process.waitForFinished(500);
        return QString();
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

ProxySettings desktopProxy()
{
    const ProxySettings fromEnvironment = proxyFromEnvironment(QProcessEnvironment::systemEnvironment());
    if (fromEnvironment.enabled)
        return fromEnvironment;
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (desktops.contains(QStringLiteral("KDE"), Qt::CaseInsensitive)) {
        const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        return proxyFromKdeSettings(QDir(config).filePath(QStringLiteral("kioslaverc")));
    }
    return proxyFromGnomeSettings(gsettingsValue);
}

int activePointToPointLinks(const QString& netFolder)
{
    int links = 0;
    const QDir folder(netFolder);
    for (const QString& name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        bool ok = false;
        const unsigned flags = firstLineOf(folder.filePath(name + QStringLiteral("/flags"))).toUInt(&ok, 0);
        if (!ok || (flags & kInterfaceUp) == 0 || (flags & kPointToPoint) == 0)
            continue;
        // Reading the carrier of an interface that is down fails; only "1" is a live link.
        if (firstLineOf(folder.filePath(name + QStringLiteral("/carrier"))) == QLatin1String("1"))
            ++links;
    }
    return links;
}

} // namespace DesktopNetwork
