#include "app/startup.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QCoreApplication>
#include <gtest/gtest.h>

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
