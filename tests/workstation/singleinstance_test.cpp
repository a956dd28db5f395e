#include "workstation/singleinstance.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class SingleInstanceTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString folder() const { return m_dir.path(); }
    const QString name = QStringLiteral("ZAQMAIN");

private:
    QTemporaryDir m_dir;
};

TEST_F(SingleInstanceTest, SecondCopyRefusedUntilFirstIsGone)
{
    auto first = std::make_unique<SingleInstance>(name, folder());
    ASSERT_TRUE(first->acquire());
    EXPECT_TRUE(first->acquire()) << "asking again keeps it";

    SingleInstance second(name, folder());
    EXPECT_FALSE(second.acquire());
    SingleInstance other(QStringLiteral("ZAQOTHER"), folder());
    EXPECT_TRUE(other.acquire()) << "another name is another object";

    first.reset();
    EXPECT_TRUE(second.acquire());
}

TEST_F(SingleInstanceTest, KilledHolderDoesNotLockOutTheNextStart)
{
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstance held(name, folder());
        const char answer = held.acquire() ? 'y' : 'n';
        (void)!write(ready[1], &answer, 1);
        for (;;)
            pause();
    }
    close(ready[1]);
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    close(ready[0]);
    ASSERT_EQ(answer, 'y');

    SingleInstance mine(name, folder());
    EXPECT_FALSE(mine.acquire()) << "another process holds it";

    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_TRUE(mine.acquire()) << "a crashed holder lets go";
}

} // namespace
