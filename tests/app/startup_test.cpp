#include "app/startup.h"
#include "toolkit/guard.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QCoreApplication>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(Startup, OnlyExactlyRAsSecondArgumentIsReadOnly)
{
    const struct
    {
        QStringList args;
        bool readOnly;
    } cases[] = {
        { { QStringLiteral("zaqmain") }, false },
        { { QStringLiteral("zaqmain"), QStringLiteral("R") }, false }, // the first argument has no effect
        { { QStringLiteral("zaqmain"), QStringLiteral("x"), QStringLiteral("R") }, true },
        { { QStringLiteral("zaqmain"), QStringLiteral("x"), QStringLiteral("r") }, false },
        { { QStringLiteral("zaqmain"), QStringLiteral("x"), QStringLiteral("RO") }, false },
        { { QStringLiteral("zaqmain"), QStringLiteral("x"), QStringLiteral("R"), QStringLiteral("y") }, true },
    };
    for (const auto& c : cases)
        EXPECT_EQ(readOnlySwitch(c.args), c.readOnly) << c.args.join(QLatin1Char(' ')).toStdString();
}

// The switch is read from the arguments as the user gave them: making the
// application object takes Qt's own options out of argv, which would move "R"
// out of second place ("-reverse R") or take it along ("-style R").
TEST(Startup, ReadOnlySwitchIsReadFromTheArgumentsAsGiven)
{
    const struct
    {
        std::vector<std::string> args;
        bool readOnly;
    } cases[] = {
        { { "zaqmain", "-reverse", "R" }, true },
        { { "zaqmain", "-style", "R" }, true },
        { { "zaqmain", "-reverse", "r" }, false },
        { { "zaqmain", "R" }, false },
    };
    for (const auto& c : cases) {
        std::vector<std::string> storage = c.args;
        std::vector<char*> argv;
        for (std::string& a : storage)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int argc = int(c.args.size());
        const QStringList given = givenArguments(argc, argv.data());
        GuardedApplication app(argc, argv.data());
        EXPECT_EQ(readOnlySwitch(given), c.readOnly) << given.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(given.size(), int(c.args.size()));
    }
}

// A second copy on the same desktop ends at once and says nothing; once the
// first copy is gone, even killed, the next one starts.
TEST(Startup, SecondCopyEndsAtOnce)
{
    QTemporaryDir site;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":zaq-test-%1").arg(QCoreApplication::applicationPid()));

    QProcess first;
    first.setProcessEnvironment(env);
    first.setWorkingDirectory(site.path());
    first.start(QStringLiteral(ZAQMAIN_PATH), {});
    ASSERT_TRUE(first.waitForStarted());

    // The first copy takes the lock early in its start; on a busy machine that
    // can take a while, so a second copy that still runs is tried again.
    bool secondEnded = false;
    for (int attempt = 0; attempt < 10 && !secondEnded; ++attempt) {
        QThread::msleep(1000);
        QProcess second;
        second.setProcessEnvironment(env);
        second.setWorkingDirectory(site.path());
        second.start(QStringLiteral(ZAQMAIN_PATH), {});
        ASSERT_TRUE(second.waitForStarted());
        if (second.waitForFinished(5000)) {
            secondEnded = true;
            EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(second.exitCode(), 0);
        } else {
            second.kill();
            second.waitForFinished();
        }
    }
    EXPECT_TRUE(secondEnded);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished();
    QProcess third;
    third.setProcessEnvironment(env);
    third.setWorkingDirectory(site.path());
    third.start(QStringLiteral(ZAQMAIN_PATH), {});
    ASSERT_TRUE(third.waitForStarted());
    EXPECT_FALSE(third.waitForFinished(1500)); // it runs: the killed copy did not lock it out
    third.kill();
    third.waitForFinished();
}

} // namespace
