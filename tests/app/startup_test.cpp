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
    QThread::msleep(1500); // let it take the single-instance lock and wait at its logon

    QProcess second;
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(site.path());
    second.start(QStringLiteral(ZAQMAIN_PATH), {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
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
