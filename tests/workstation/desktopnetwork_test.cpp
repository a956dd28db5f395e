#include "workstation/desktopnetwork.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace DesktopNetwork;

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
}

TEST(DesktopProxy, FromTheEnvironmentSecureFirst)
{
    const struct
    {
        const char* name;
        QList<QPair<QString, QString>> variables;
        const char* server; // empty: no proxy
    } cases[] = {
        { "none", {}, "" },
        { "blank value", { { "http_proxy", "  " } }, "" },
        { "upper case", { { "HTTP_PROXY", "http://cache:3128" } }, "http://cache:3128" },
        { "secure before plain", { { "http_proxy", "http://cache:3128" }, { "https_proxy", "http://secure:8443" } }, "http://secure:8443" },
        { "any protocol", { { "all_proxy", "socks5://gate:1080" } }, "socks5://gate:1080" },
        { "unrelated", { { "no_proxy", "localhost" } }, "" },
    };
    for (const auto& c : cases) {
        QProcessEnvironment environment;
        for (const auto& [name, value] : c.variables)
            environment.insert(name, value);
        const ProxySettings proxy = proxyFromEnvironment(environment);
        EXPECT_EQ(proxy.server, QString::fromLatin1(c.server)) << c.name;
        EXPECT_EQ(proxy.enabled, *c.server != 0) << c.name;
    }
}

TEST(DesktopProxy, FromKdeSettingsOnlyWhenNamedByHand)
{
    const struct
    {
        const char* name;
        const char* file; // nullptr: no file
        bool enabled;
        const char* server;
    } cases[] = {
        { "no file", nullptr, false, "" },
        { "by hand", "[Proxy Settings]\nProxyType=1\nhttpProxy=http://proxy.lan 3128\n", true, "http://proxy.lan 3128" },
        { "secure first", "[Proxy Settings]\nProxyType=1\nhttpProxy=http://a 1\nhttpsProxy=http://b 2\n", true, "http://b 2" },
        { "expansion marker", "[Proxy Settings]\nProxyType=1\nhttpProxy[$e]=http://proxy.lan 3128\n", true, "http://proxy.lan 3128" },
        { "switched on, unnamed", "[Proxy Settings]\nProxyType=1\nhttpProxy=\n", true, "" },
        { "no proxy", "[Proxy Settings]\nProxyType=0\nhttpProxy=http://proxy.lan 3128\n", false, "" },
        { "script", "[Proxy Settings]\nProxyType=2\nProxy Config Script=http://wpad/wpad.dat\n", false, "" },
        { "other group", "[Proxy Settings]\nProxyType=0\n[Other]\nProxyType=1\nhttpProxy=http://x 1\n", false, "" },
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("kioslaverc"));
        QFile::remove(path);
        if (c.file)
            writeFile(path, c.file);
        const ProxySettings proxy = proxyFromKdeSettings(path);
        EXPECT_EQ(proxy.enabled, c.enabled) << c.name;
        EXPECT_EQ(proxy.server, QString::fromLatin1(c.server)) << c.name;
    }
}

TEST(DesktopProxy, FromGnomeSettingsOnlyInManualMode)
{
    const struct
    {
        const char* name;
        QHash<QString, QString> settings; // "schema key" -> what gsettings prints
        bool enabled;
        const char* server;
    } cases[] = {
        { "manual", { { "org.gnome.system.proxy mode", "'manual'" }, { "org.gnome.system.proxy.http host", "'proxy.lan'" }, { "org.gnome.system.proxy.http port", "3128" } }, true, "proxy.lan:3128" },
        { "secure first, no port", { { "org.gnome.system.proxy mode", "'manual'" }, { "org.gnome.system.proxy.http host", "'a'" }, { "org.gnome.system.proxy.https host", "'b'" }, { "org.gnome.system.proxy.https port", "0" } }, true, "b" },
        { "manual, no host", { { "org.gnome.system.proxy mode", "'manual'" }, { "org.gnome.system.proxy.http host", "''" } }, true, "" },
        { "automatic", { { "org.gnome.system.proxy mode", "'auto'" }, { "org.gnome.system.proxy.http host", "'proxy.lan'" } }, false, "" },
        { "none", { { "org.gnome.system.proxy mode", "'none'" } }, false, "" },
        { "no gsettings", {}, false, "" },
    };
    for (const auto& c : cases) {
        const ProxySettings proxy = proxyFromGnomeSettings([&c](const QString& schema, const QString& key) { return c.settings.value(schema + QLatin1Char(' ') + key); });
        EXPECT_EQ(proxy.enabled, c.enabled) << c.name;
        EXPECT_EQ(proxy.server, QString::fromLatin1(c.server)) << c.name;
    }
}

TEST(DesktopNetwork, ActivePointToPointLinksAreUpWithTheirCarrier)
{
    const struct
    {
        const char* interface;
        const char* flags;
        const char* carrier; // nullptr: unreadable, as for an interface that is down
    } interfaces[] = {
        { "ppp0", "0x1091\n", "1\n" }, // a connected modem: counted
        { "wg0", "0x91\n", "1\n" }, // a live tunnel: counted
        { "ppp1", "0x1090\n", nullptr }, // down
        { "tun0", "0x1091\n", "0\n" }, // up, but nobody on the other end
        { "eth0", "0x1003\n", "1\n" }, // an ordinary network card
        { "lo", "0x9\n", "1\n" },
        { "odd", "garbage\n", "1\n" },
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(activePointToPointLinks(dir.path()), 0);
    for (const auto& i : interfaces) {
        const QString folder = dir.filePath(QString::fromLatin1(i.interface));
        ASSERT_TRUE(QDir().mkpath(folder));
        writeFile(folder + QStringLiteral("/flags"), i.flags);
        if (i.carrier)
            writeFile(folder + QStringLiteral("/carrier"), i.carrier);
    }
    EXPECT_EQ(activePointToPointLinks(dir.path()), 2);
    EXPECT_EQ(activePointToPointLinks(dir.filePath(QStringLiteral("missing"))), 0);
}

} // namespace
