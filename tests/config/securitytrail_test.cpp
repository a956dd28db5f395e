// The security trail: rows written only inside the change's transaction, and
// details a person can read that never show a password.
#include "config/dmconfig.h"
#include "config/securitytrail.h"
#include "db/dberror.h"
#include "db/query.h"
#include "fakeworkstation.h"
#include "fixturesite.h"

#include <gtest/gtest.h>

namespace {

using Trail::Action;

class SecurityTrail : public ::testing::Test
{
protected:
    SecurityTrail() { dm.DmCfg->open(); }
    int rows() const { return site.configScalar(QStringLiteral("select count(*) from SecurityLog")).toInt(); }

    FixtureSite site;
    FakeWorkstation workstation;
    TDMConfig dm;
    const Trail::Actor ann { 4, QStringLiteral("ANN") };
};

TEST_F(SecurityTrail, IsWrittenOnlyWithTheChangesTransaction)
{
    EXPECT_THROW(Trail::write(*dm.DmCfg, ann, QStringLiteral("users"), Action::Update, QStringLiteral("BOB"), QStringLiteral("x")), DbError);
    EXPECT_EQ(rows(), 0);

    {
        Transaction t(*dm.DmCfg);
        Trail::write(*dm.DmCfg, ann, QStringLiteral("users"), Action::Update, QStringLiteral("BOB"), QStringLiteral("rolled back"));
    } // no commit: the change failed, its trail goes with it
    EXPECT_EQ(rows(), 0);

    workstation.computer = QStringLiteral("FRONTDESK");
    Transaction t(*dm.DmCfg);
    Trail::write(*dm.DmCfg, ann, QStringLiteral("rights"), Action::Rights, QStringLiteral("SALES"), QStringLiteral("10000000 Sales: NNNN -> YYNN"));
    t.commit();
    Query q(dm.DmCfg, { QStringLiteral("select * from SecurityLog") });
    q.open();
    ASSERT_FALSE(q.eof());
    EXPECT_EQ(q.field(QStringLiteral("UserId")).asInteger(), 4);
    EXPECT_EQ(q.field(QStringLiteral("UserCode")).asString(), QStringLiteral("ANN"));
    EXPECT_EQ(q.field(QStringLiteral("Workstation")).asString(), QStringLiteral("FRONTDESK"));
    EXPECT_EQ(q.field(QStringLiteral("Screen")).asString(), QStringLiteral("rights"));
    EXPECT_EQ(q.field(QStringLiteral("Action")).asString(), QStringLiteral("rights"));
    EXPECT_EQ(q.field(QStringLiteral("TargetCode")).asString(), QStringLiteral("SALES"));
    EXPECT_TRUE(q.field(QStringLiteral("LogDate")).asDateTime().isValid());
}

TEST(TrailDetail, ColumnChangesNameEachChangedColumnAndNeverAPassword)
{
    const QVariant null;
    const Trail::Row before = { { QStringLiteral("CODE"), QStringLiteral("BOB") }, { QStringLiteral("FULLNAME"), QStringLiteral("Bob") },
        { QStringLiteral("ACTIVE"), QStringLiteral("Y") }, { QStringLiteral("Discount"), 5 }, { QStringLiteral("PASSWORD"), QStringLiteral("s3cr3tScrm") },
        { QStringLiteral("PasswordNew"), QByteArray("plainpw") }, { QStringLiteral("PasswordTablet"), QStringLiteral("tab1") }, { QStringLiteral("Email"), null } };
    const struct
    {
        const char* what;
        Trail::Row before;
        Trail::Row after;
        QString detail;
    } cases[] = {
        { "nothing changed (a number read back as text is the same)", before,
            { { QStringLiteral("code"), QStringLiteral("BOB") }, { QStringLiteral("fullname"), QStringLiteral("Bob") }, { QStringLiteral("active"), QStringLiteral("Y") },
                { QStringLiteral("discount"), QStringLiteral("5") }, { QStringLiteral("password"), QStringLiteral("s3cr3tScrm") },
                { QStringLiteral("passwordnew"), QByteArray("plainpw") }, { QStringLiteral("passwordtablet"), QStringLiteral("tab1") }, { QStringLiteral("email"), null } },
            QString() },
        { "two columns and the passwords", before,
            { { QStringLiteral("CODE"), QStringLiteral("BOB") }, { QStringLiteral("FULLNAME"), QStringLiteral("Bob Brown") }, { QStringLiteral("ACTIVE"), QStringLiteral("N") },
                { QStringLiteral("Discount"), 5 }, { QStringLiteral("PASSWORD"), QStringLiteral("n3wScrambl") }, { QStringLiteral("PasswordNew"), QByteArray("newpw") },
                { QStringLiteral("PasswordTablet"), QStringLiteral("tab2") }, { QStringLiteral("Email"), QStringLiteral("bob@example.com") } },
            QStringLiteral("FULLNAME: 'Bob' -> 'Bob Brown'; ACTIVE: 'Y' -> 'N'; tablet password changed; Email: (none) -> 'bob@example.com'; password changed") },
        { "an insert", {}, { { QStringLiteral("CODE"), QStringLiteral("EVE") }, { QStringLiteral("PasswordNew"), QByteArray("evepw") } },
            QStringLiteral("CODE: (none) -> 'EVE'; password set") },
        { "a delete", { { QStringLiteral("CODE"), QStringLiteral("EVE") }, { QStringLiteral("PASSWORD"), QStringLiteral("x") } }, {},
            QStringLiteral("CODE: 'EVE' -> (none)") },
    };
    for (const auto& c : cases) {
        const QString detail = Trail::columnChanges(c.before, c.after);
        EXPECT_EQ(detail, c.detail) << c.what;
        for (const char* secret : { "s3cr3t", "plainpw", "n3w", "newpw", "tab1", "tab2", "evepw" })
            EXPECT_FALSE(detail.contains(QLatin1String(secret))) << c.what << ": " << secret;
    }
}

TEST(TrailDetail, RightsAssignmentsAndCopies)
{
    const QMap<int, QString> before { { 10000000, QStringLiteral("YYYY") }, { 10100000, QStringLiteral("YNNN") }, { 10200000, QStringLiteral("YYNN") } };
    const QMap<int, QString> after { { 10000000, QStringLiteral("YYYY") }, { 10100000, QStringLiteral("YYNN") }, { 10300000, QStringLiteral("YNNN") },
        { 10400000, QStringLiteral("NNNN") } }; // a row of four "N" reads as no row
    const QList<Trail::RightsChange> changes = Trail::diffRights(before, after, { { 10100000, QStringLiteral(" Quotation ") } });
    EXPECT_EQ(Trail::rightsChanges(changes), QStringLiteral("10100000 Quotation: YNNN -> YYNN; 10200000: YYNN -> NNNN; 10300000: NNNN -> YNNN"));

    EXPECT_EQ(Trail::assignmentChanges({ QStringLiteral("A2026"), QStringLiteral("B2026") }, { QStringLiteral("B2026"), QStringLiteral("C2026"), QStringLiteral("D2026") }),
        QStringLiteral("added: C2026, D2026; removed: A2026"));
    EXPECT_EQ(Trail::assignmentChanges({ QStringLiteral("A2026") }, {}), QStringLiteral("removed: A2026"));
    EXPECT_EQ(Trail::copyDetail(QStringLiteral("SALES ")), QStringLiteral("rights copied from group SALES"));
}

} // namespace
