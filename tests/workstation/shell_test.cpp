#include "workstation/shell.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

TEST(ShellParameters, BlankRunsSeparateOneWord)
{
    const struct
    {
        const char* text;
        QStringList words;
    } cases[] = {
        { "10100000 7 ZAQDATA01 A 15/03/2024", { "10100000", "7", "ZAQDATA01", "A", "15/03/2024" } },
        // An empty menu option leaves two blanks: the program sees four words.
        { "10100000 7 ZAQDATA01  15/03/2024", { "10100000", "7", "ZAQDATA01", "15/03/2024" } },
        // An option holding blanks becomes several words.
        { "10100000 7 ZAQDATA01 W UP-MANUAL 15/03/2024",
            { "10100000", "7", "ZAQDATA01", "W", "UP-MANUAL", "15/03/2024" } },
        { "  lead\tand trail  ", { "lead", "and", "trail" } },
        { "", {} },
        { "   ", {} },
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitParameters(QString::fromLatin1(c.text)), c.words) << c.text;
}

// The real shell starts a program in the given folder with the words of the parameter
// text, none of them cut however long the texts are.
TEST(SystemShell, StartsInWorkingFolderWithEveryWordWhole)
{
    const QString touch = QStringLiteral("/usr/bin/touch");
    if (!QFileInfo::exists(touch))
        GTEST_SKIP() << "no touch";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString longName = QString(120, QLatin1Char('L'));
    SystemShell system;
    system.start(touch, QStringLiteral("first  ") + longName + QStringLiteral(" last"), dir.path());

    const QStringList expected = { QStringLiteral("first"), longName, QStringLiteral("last") };
    QStringList found;
    for (int i = 0; i < 200 && found.size() < expected.size(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        found = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    }
    QStringList sorted = expected;
    sorted.sort();
    EXPECT_EQ(found, sorted);
}

TEST(SystemShell, UnstartableProgramIsIgnored)
{
    SystemShell system;
    EXPECT_NO_THROW(system.start(QStringLiteral("/nonexistent/ZAQPROG.EXE"), QStringLiteral("1 2"), QString()));
}

} // namespace
