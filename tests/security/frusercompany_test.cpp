// The databases a user may log on to: loading a user, the choice box, adding
// and removing, saving, and what the logon offers afterwards.
#include "securitytest.h"
#include "trailrows.h"

#include "config/sqlcatalogue.h"
#include "db/connection.h"
#include "db/query.h"
#include "security/assignmentmodel.h"
#include "security/frusercompany.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace {

class UserCompany : public SecurityTest
{
protected:
    void load(const QString& code) { enterCode(screen, screen.UserCode, code); }

    QStringList choices() const
    {
        QStringList entries;
        for (int i = 0; i < screen.AvaiDb->count(); ++i)
            entries.append(screen.AvaiDb->itemText(i));
        return entries;
    }
    QStringList assigned() const
    {
        QStringList names;
        for (const Assignment& a : screen.DList->rows())
            names.append(a.databaseName);
        return names;
    }
    void add(const QString& entry)
    {
        screen.AvaiDb->setCurrentIndex(int(choices().indexOf(entry)));
        screen.BtAdd->click();
    }
    void remove(const QString& databaseName)
    {
        screen.DgList->setCurrentIndex(screen.DList->index(int(assigned().indexOf(databaseName)), 0));
        screen.BtDelete->click();
    }
    void save(bool yes = true)
    {
        prompts.queueConfirm(yes);
        press(screen, Qt::Key_F10);
    }
    QStringList storedFor(const QString& user) const
    {
        Connection c(QStringLiteral("stored"));
        c.profile().add(site.configProfile());
        Query q(&c, Sql::QUserCompanyList);
        q.setParam(QStringLiteral("GetCode"), user);
        QStringList names;
        for (q.open(); !q.eof(); q.next())
            names.append(q.field(QStringLiteral("DatabaseName")).asString());
        names.sort();
        return names;
    }

    TFrUserCompany screen;
};

const QStringList kEveryDatabase = { QStringLiteral("2026 - A MFG 2026"), QStringLiteral("2026 - A ปี 2026"),
    QStringLiteral("2026 - B ปี 2026"), QStringLiteral("2025 - A ปี 2025") };

TEST_F(UserCompany, AUserWithoutDatabasesSeesEveryDatabaseNewestYearFirst)
{
    runModal(screen, [&] {
        load(QStringLiteral("SOMCHAI"));
        EXPECT_EQ(screen.UserName->text(), QStringLiteral("สมชาย ใจดี"));
        EXPECT_EQ(assigned(), QStringList());
        // Year descending, then company, then database type.
        EXPECT_EQ(choices(), (QStringList { QStringLiteral("2026 - A ปี 2026"), QStringLiteral("2026 - A MFG 2026"),
                                 QStringLiteral("2026 - B ปี 2026"), QStringLiteral("2025 - A ปี 2025") }));
        EXPECT_EQ(screen.AvaiDb->currentIndex(), -1);
        EXPECT_TRUE(screen.AcSave->isEnabled());
        EXPECT_EQ(screen.focusWidget(), screen.DgList);

        load(QStringLiteral("JOHN"));
        EXPECT_EQ(assigned(), QStringList { QStringLiteral("A2026") });
        EXPECT_EQ(choices().size(), 3);
        EXPECT_FALSE(choices().contains(QStringLiteral("2026 - A ปี 2026")));
    });
}

TEST_F(UserCompany, AddingAndRemovingMoveEntriesBetweenTheGridAndTheChoiceBox)
{
    runModal(screen, [&] {
        load(QStringLiteral("SOMCHAI"));
        screen.BtAdd->click(); // nothing chosen: nothing happens
        EXPECT_EQ(assigned(), QStringList());

        add(QStringLiteral("2026 - A MFG 2026"));
        add(QStringLiteral("2025 - A ปี 2025"));
        EXPECT_EQ(assigned(), (QStringList { QStringLiteral("AMFG2026"), QStringLiteral("A2025") }));
        EXPECT_EQ(choices(), (QStringList { QStringLiteral("2026 - A ปี 2026"), QStringLiteral("2026 - B ปี 2026") }));
        const Assignment& added = screen.DList->rows().constFirst();
        EXPECT_EQ(added.userName, RightsSite::id(site, QStringLiteral("SOMCHAI")));
        EXPECT_EQ(added.databaseType, 2);
        EXPECT_EQ(added.yearNo, 2026);
        EXPECT_EQ(added.description, QStringLiteral("A MFG 2026")); // the database's own, not its type's

        remove(QStringLiteral("AMFG2026")); // back in its place by year, company and type
        EXPECT_EQ(choices(), (QStringList { QStringLiteral("2026 - A ปี 2026"), QStringLiteral("2026 - A MFG 2026"),
                                 QStringLiteral("2026 - B ปี 2026") }));

        // Added then removed before saving: nothing is written for it.
        const quint64 before = dm.DmCfg->statementsRun();
        remove(QStringLiteral("A2025"));
        save();
        EXPECT_EQ(storedFor(QStringLiteral("SOMCHAI")), QStringList());
        EXPECT_LE(dm.DmCfg->statementsRun() - before, 4u) << "only the choice box's reads, no insert or delete";
    });
    EXPECT_TRUE(prompts.errors().isEmpty());
}

TEST_F(UserCompany, SavingWritesTheHeldChangesAndTheLogonOffersExactlyThose)
{
    runModal(screen, [&] {
        load(QStringLiteral("JOHN"));
        add(QStringLiteral("2026 - B ปี 2026"));
        remove(QStringLiteral("A2026"));
        dm.SaveQuestion = QStringLiteral("Save Data ?");
        save(false);
        EXPECT_EQ(storedFor(QStringLiteral("JOHN")), QStringList { QStringLiteral("A2026") });
        EXPECT_EQ(screen.UserCode->text(), QStringLiteral("JOHN"));
        save();
        EXPECT_EQ(prompts.texts(ScriptedPrompts::Kind::ConfirmBlue), QStringList(2, QStringLiteral("Save Data ?")));
        EXPECT_EQ(storedFor(QStringLiteral("JOHN")), QStringList { QStringLiteral("B2026") });
        EXPECT_EQ(screen.UserCode->text(), QString());
        EXPECT_EQ(screen.AvaiDb->count(), 0);
        EXPECT_FALSE(screen.AcSave->isEnabled());
    });
    // The logon's own query now offers B2026 for 2026, and A2026 no more.
    Connection c(QStringLiteral("logon"));
    c.profile().add(site.configProfile());
    Query logon(&c, Sql::QCompList);
    logon.setParam(QStringLiteral("GetUser"), RightsSite::id(site, QStringLiteral("JOHN")));
    logon.setParam(QStringLiteral("GetYear"), 2026);
    logon.open();
    ASSERT_EQ(logon.rowCount(), 1);
    EXPECT_EQ(logon.field(QStringLiteral("DatabaseName")).asString(), QStringLiteral("B2026"));
}

TEST_F(UserCompany, AFailedSaveKeepsTheStoredAssignmentsAndTheHeldChanges)
{
    site.config(QStringLiteral("Insert Into UserCompany (UserName, Company, DatabaseType, DatabaseList)\n"
                               "Select U.Id, L.Company, L.DatabaseType, L.Id From UserName U, DatabaseList L Where U.Code = 'JOHN' And L.DatabaseName = 'A2025'"));
    RightsSite::failInserts(site, QStringLiteral("UserCompany"), QStringLiteral("1 = 1"));
    runModal(screen, [&] {
        load(QStringLiteral("JOHN"));
        remove(QStringLiteral("A2025"));
        add(QStringLiteral("2026 - B ปี 2026"));
        save();
        EXPECT_EQ(prompts.errors().size(), 1);
        EXPECT_EQ(assigned(), (QStringList { QStringLiteral("A2026"), QStringLiteral("B2026") }));
        EXPECT_EQ(screen.DList->removedIds().size(), 1);
        EXPECT_TRUE(screen.AcSave->isEnabled());
    });
    EXPECT_EQ(storedFor(QStringLiteral("JOHN")), (QStringList { QStringLiteral("A2025"), QStringLiteral("A2026") }));
}

TEST_F(UserCompany, CodesThatAreRefused)
{
    const struct
    {
        const char* code;
        QStringList messages;
    } cases[] = {
        { "", { QStringLiteral("ไม่พบรหัสผู้ใช้") } },
        { "ZAQ", { QStringLiteral("User Code Not Allow"), QStringLiteral("ไม่พบรหัสผู้ใช้") } },
        { "  ZAQ ", { QStringLiteral("User Code Not Allow"), QStringLiteral("ไม่พบรหัสผู้ใช้") } },
        { "SALES", { QStringLiteral("ไม่พบรหัสผู้ใช้") } }, // a group is not found here
        { "OLDUSER", { QStringLiteral("ผู้ใช้งานนี้ถูกระงับการใช้โปรแกรม\rไม่สามารถกำหนดสิทธิ์การใช้งานได้") } },
    };
    runModal(screen, [&] {
        for (const auto& c : cases) {
            prompts.clear();
            load(QString::fromUtf8(c.code));
            EXPECT_EQ(prompts.informations(), c.messages) << c.code;
            EXPECT_EQ(screen.UserCode->text(), QString()) << c.code;
            EXPECT_EQ(screen.focusWidget(), screen.UserCode) << c.code;
            EXPECT_EQ(screen.AvaiDb->count(), 0) << c.code;
        }
        // The reserved user is ZAQ's own to load.
        dm.UserCode = QStringLiteral("ZAQ");
        prompts.clear();
        load(QStringLiteral("ZAQ"));
        EXPECT_TRUE(prompts.allTexts().isEmpty());
        EXPECT_EQ(screen.UserName->text(), QStringLiteral("ZAQ Administrator"));
    });
}

TEST_F(UserCompany, RemovingWithNothingToRemoveIsRefusedAndChangesNothing)
{
    runModal(screen, [&] {
        screen.BtDelete->click(); // no user loaded
        load(QStringLiteral("SOMCHAI"));
        screen.BtDelete->click(); // an empty list
        EXPECT_EQ(prompts.errors().size(), 2);
        EXPECT_EQ(choices().size(), 4);
    });
}

TEST_F(UserCompany, TheChoiceBoxHoldsEveryUnassignedDatabase)
{
    QStringList inserts;
    for (int i = 0; i < 250; ++i)
        inserts.append(QStringLiteral("Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName)"
                                      " Select 2020, Id, 1, 'Old %1', 'OLD%1' From Company Where Code = 'BBB'\n/")
                           .arg(i, 3, 10, QLatin1Char('0')));
    site.config(inserts.join(QLatin1Char('\n')));
    runModal(screen, [&] {
        load(QStringLiteral("SOMCHAI"));
        EXPECT_EQ(screen.AvaiDb->count(), 254);
        EXPECT_EQ(screen.AvailableDbIds.size(), 254);
        add(QStringLiteral("2020 - Old 249"));
        EXPECT_EQ(assigned(), QStringList { QStringLiteral("OLD249") });
    });
}

TEST_F(UserCompany, ASaveLeavesTheDatabasesAddedAndRemovedInTheTrailAndAFailedOneNone)
{
    dm.UserId = RightsSite::id(site, QStringLiteral("SOMCHAI"));
    runModal(screen, [&] {
        load(QStringLiteral("JOHN"));
        add(QStringLiteral("2026 - B ปี 2026"));
        remove(QStringLiteral("A2026"));
        save();
    });
    EXPECT_EQ(trailRows(site), QStringList { QString::number(dm.UserId) + QStringLiteral(" SOMCHAI|databases|assign|JOHN|added: B2026; removed: A2026") });

    RightsSite::failInserts(site, QStringLiteral("UserCompany"), QStringLiteral("1 = 1"));
    runModal(screen, [&] {
        load(QStringLiteral("JOHN"));
        add(QStringLiteral("2026 - A ปี 2026"));
        save();
        EXPECT_EQ(prompts.errors().size(), 1);
    });
    EXPECT_EQ(trailRows(site).size(), 1);
}

} // namespace
