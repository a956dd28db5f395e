#include "fakeworkstation.h"
#include "fixedclock.h"
#include "workstation/systemworkstation.h"
#include "workstation/workstation.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(MemoryText, RoundsKilobytesToNearestWithHalvesToEven)
{
    const struct
    {
        quint64 bytes;
        const char* text;
    } cases[] = {
        { 0, "0 KB" },
        { 511, "0 KB" },
        { 512, "0 KB" }, // half of 0 and 1: to the even 0
        { 513, "1 KB" },
        { 1536, "2 KB" },
        { 2560, "2 KB" },
        { 3584, "4 KB" },
        { 4ULL * 1024 * 1024 * 1024, "4194304 KB" },
        { 16ULL * 1024 * 1024 * 1024 + 1536, "16777218 KB" },
        { ~0ULL, "18014398509481984 KB" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(memoryText(c.bytes), QString::fromLatin1(c.text)) << c.bytes;
}

TEST(MemoryText, FreeFunctionsReadTheWorkstationsFullCounts)
{
    FakeWorkstation fake;
    fake.totalMemory = 6ULL * 1024 * 1024 * 1024;
    fake.freeMemory = 5ULL * 1024 * 1024 * 1024 + 512;
    EXPECT_EQ(TotalMemoryText(), QStringLiteral("6291456 KB"));
    EXPECT_EQ(FreeMemoryText(), QStringLiteral("5242880 KB"));
}

TEST(InternetRoute, ProxyBeforeDialUpAndUnreadableSettingsSwallowed)
{
    const struct
    {
        const char* name;
        bool enabled;
        const char* server;
        bool unreadable;
        int dialUps;
        int route;
    } cases[] = {
        { "nothing", false, "", false, 0, 0 },
        { "proxy on and named", true, "proxy:8080", false, 0, 1 },
        { "proxy on and named beats dial-up", true, "proxy:8080", false, 3, 1 },
        { "proxy on but unnamed", true, "", false, 0, 0 },
        { "proxy on but unnamed, dial-up", true, "", false, 1, 2 },
        { "proxy named but off", false, "proxy:8080", false, 0, 0 },
        { "settings unreadable, no dial-up", false, "", true, 0, 0 },
        { "settings unreadable, five dial-ups", false, "", true, 5, 2 },
    };
    for (const auto& c : cases) {
        FakeWorkstation fake;
        fake.proxy.enabled = c.enabled;
        fake.proxy.server = QString::fromLatin1(c.server);
        fake.proxyUnreadable = c.unreadable;
        fake.dialUpConnections = c.dialUps;
        EXPECT_EQ(InternetRoute(), c.route) << c.name;
    }
}

TEST(InternetRoute, MissingDialUpFunctionReachesTheCaller)
{
    FakeWorkstation fake;
    fake.dialUpFunctionMissing = true;
    try {
        InternetRoute();
        FAIL() << "no error";
    } catch (const WorkstationError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("RasEnumConnectionsA not found in rasapi32.dll"));
    }
    // A named proxy answers before the dial-up count is asked for.
    fake.proxy = { true, QStringLiteral("proxy:3128") };
    EXPECT_EQ(InternetRoute(), 1);
}

TEST(LocalAddress, LastIpv4AddressOfTheList)
{
    const QHostAddress first(QStringLiteral("10.0.0.5"));
    const QHostAddress second(QStringLiteral("192.168.7.20"));
    const QHostAddress v6(QStringLiteral("fe80::1"));
    EXPECT_EQ(lastIpv4Address({ first, second }), QStringLiteral("192.168.7.20"));
    EXPECT_EQ(lastIpv4Address({ first, second, v6 }), QStringLiteral("192.168.7.20"));
    EXPECT_EQ(lastIpv4Address({ v6 }), QString());
    EXPECT_EQ(lastIpv4Address({}), QString());
}

TEST(SystemWorkstation, FileDateIsLastWriteOrTodayWhenNotWritable)
{
    FixedClock fixed(QDateTime(QDate(2024, 6, 30), QTime(15, 45)));
    const QDateTime midnight(QDate(2024, 6, 30), QTime(0, 0));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("PROG.EXE"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        file.flush();
        const QDateTime written(QDate(2023, 2, 1), QTime(8, 9, 10));
        ASSERT_TRUE(file.setFileTime(written, QFileDevice::FileModificationTime));
    }
    SystemWorkstation system;
    EXPECT_EQ(system.fileDate(path), QDateTime(QDate(2023, 2, 1), QTime(8, 9, 10)));

    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    EXPECT_EQ(system.fileDate(path), midnight) << "read-only file";
    EXPECT_EQ(system.fileDate(dir.filePath(QStringLiteral("MISSING.EXE"))), midnight);
    EXPECT_EQ(system.fileDate(dir.path()), midnight) << "a folder";
}

TEST(SystemWorkstation, MemoryCountsAreNotCutTo32Bits)
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "no /proc/meminfo";
    const QList<QByteArray> first = meminfo.readLine().simplified().split(' ');
    ASSERT_EQ(first.value(0), QByteArray("MemTotal:"));
    const quint64 expected = first.value(1).toULongLong() * 1024;
    SystemWorkstation system;
    // The two sources differ only by what the kernel reserves; a 32-bit count would be
    // off by whole multiples of 4 GiB on a larger machine.
    const quint64 total = system.totalMemoryBytes();
    EXPECT_GT(total + (64ULL << 20), expected);
    EXPECT_LT(total, expected + (64ULL << 20));
    EXPECT_GT(system.freeMemoryBytes(), 0u);
    EXPECT_LE(system.freeMemoryBytes(), total);
}

TEST(SystemWorkstation, NamesAreNeverEmpty)
{
    SystemWorkstation system;
    EXPECT_FALSE(system.windowsUserName().isEmpty());
    EXPECT_EQ(system.upperWindowsUserName(), system.windowsUserName().toUpper());
    EXPECT_EQ(system.computerName(), system.computerName().trimmed());
    EXPECT_TRUE(system.keyboardLayoutId().isEmpty());
}

} // namespace
