// The password forms: fitting, scrambling and reading the stored password.
#include "db/cp874.h"
#include "security/passwords.h"
#include "testapp.h"

#include <QRandomGenerator>
#include <QSet>
#include <gtest/gtest.h>

using namespace Passwords;

namespace {

TEST(Passwords, FitTextTrimsThenCutsOrFills)
{
    const struct
    {
        const char* in;
        int n;
        const char* out;
    } cases[] = {
        { "", 10, "          " },
        { "  ab  ", 4, "ab  " },
        { "abcdefghijkl", 10, "abcdefghij" },
        { "abc", 3, "abc" },
        { "   ", 2, "  " },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitText(QString::fromUtf8(c.in), c.n, QLatin1Char(' ')), QString::fromUtf8(c.out)) << c.in;
    EXPECT_EQ(FitText(QStringLiteral("x"), 3, QLatin1Char('*')), QStringLiteral("x**"));
}

TEST(Passwords, ScrambledFormUnscramblesToTheFittedPasswordForEveryFirstByte)
{
    const QStringList passwords = { QString(), QStringLiteral("a"), QStringLiteral("Pass1234"),
        QStringLiteral("0123456789"), QStringLiteral("รหัสผ่านไทย"), QStringLiteral("  pad  "), QStringLiteral("~\x7f!"),
        QStringLiteral("longer than ten characters") };
    for (const QString& p : passwords) {
        const QString expected = FitText(p, kLength, QLatin1Char(' ')).trimmed();
        for (int first = 0; first < 256; ++first) {
            const QByteArray s = ScramblePassword(p, first);
            ASSERT_EQ(s.size(), kScrambledLength) << p.toStdString();
            EXPECT_EQ(static_cast<unsigned char>(s.at(0)), first);
            ASSERT_EQ(UnscramblePassword(s), expected) << p.toStdString() << " first " << first;
        }
    }
    EXPECT_EQ(UnscramblePassword(ScramblePassword(QStringLiteral("abcdefghijXYZ"))), QStringLiteral("abcdefghij"));
}

TEST(Passwords, RandomPasswordsRoundTripAndScrambleDifferentlyEachTime)
{
    auto* rng = QRandomGenerator::global();
    for (int i = 0; i < 2000; ++i) {
        QString p;
        const int length = int(rng->bounded(12));
        for (int j = 0; j < length; ++j)
            p.append(QChar(char16_t(rng->bounded(33, 127))));
        EXPECT_EQ(UnscramblePassword(ScramblePassword(p)), FitText(p, kLength, QLatin1Char(' ')).trimmed())
            << p.toStdString();
    }
    QSet<QByteArray> forms;
    for (int i = 0; i < 50; ++i)
        forms.insert(ScramblePassword(QStringLiteral("same")));
    EXPECT_GT(forms.size(), 1);
}

TEST(Passwords, EachStoredByteIsThePreviousPlusThePlainByte)
{
    // A value as the suite's older programs wrote it for "AB": first byte 250.
    QByteArray stored;
    stored.append(char(250));
    const QByteArray plain = QByteArray("AB") + QByteArray(8, ' ');
    for (int i = 0; i < 10; ++i)
        stored.append(
            char((static_cast<unsigned char>(stored.at(i)) + static_cast<unsigned char>(plain.at(i))) & 0xFF));
    EXPECT_EQ(ScramblePassword(QStringLiteral("AB"), 250), stored);
    EXPECT_EQ(UnscramblePassword(stored), QStringLiteral("AB"));
    EXPECT_EQ(UnscramblePassword(QByteArray("\x05"
                                            "ab",
                  3)),
        QStringLiteral("\x05"
                       "\\"
                       "\x01")
            .trimmed()); // shorter: all of it
}

TEST(Passwords, StoredPasswordPrefersANonBlankPasswordNew)
{
    const QByteArray scrambled = ScramblePassword(QStringLiteral("old"), 0);
    EXPECT_EQ(StoredPassword(QByteArray("new "), scrambled), QStringLiteral("new"));
    EXPECT_EQ(StoredPassword(QByteArray(), scrambled), QStringLiteral("old"));
    EXPECT_EQ(StoredPassword(QByteArray(10, ' '), scrambled), QStringLiteral("old"));
    EXPECT_EQ(StoredPassword(QByteArray(), QByteArray()), QString());
}

// Bytes of the code page without a character all read back as U+FFFD: as text,
// 81 DB and FC FF would be one password.
TEST(Passwords, StoredPasswordsCompareByTheirBytes)
{
    const QByteArray unreadable("\x81\xDB", 2);
    const QString asRead = Cp874::decode(unreadable);
    EXPECT_EQ(asRead, Cp874::decode(QByteArray("\xFC\xFF", 2))); // what the old comparison saw
    EXPECT_FALSE(Passwords::OldPasswordMatches(asRead, unreadable, QByteArray()));
    EXPECT_TRUE(Passwords::OldPasswordMatches(QStringLiteral(" ทดสอบ1 "), Cp874::encode(QStringLiteral("ทดสอบ1")), QByteArray()));
    EXPECT_FALSE(Passwords::OldPasswordMatches(QStringLiteral("Abc"), QByteArray("abc"), QByteArray()));
    // Without PasswordNew the scrambled form counts, as text.
    EXPECT_TRUE(Passwords::OldPasswordMatches(QStringLiteral("old"), QByteArray(), Passwords::ScramblePassword(QStringLiteral("old"))));
    // At logon the typed text is taken as it is, the stored one trimmed.
    EXPECT_TRUE(Passwords::LogonPasswordMatches(QStringLiteral("pw"), QByteArray("pw ")));
    EXPECT_FALSE(Passwords::LogonPasswordMatches(QStringLiteral("pw "), QByteArray("pw")));
    EXPECT_FALSE(Passwords::LogonPasswordMatches(asRead, unreadable));
}

} // namespace
