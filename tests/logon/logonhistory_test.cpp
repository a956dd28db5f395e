// Every successful logon leaves one row in the logon history, written by the
// logon dialog itself, and a row that cannot be written never stops the logon.
#include "config/dmconfig.h"
#include "fakeworkstation.h"
#include "fixedclock.h"
#include "logon/frlogon.h"
#include "logon/logontarget.h"
#include "logonfixture.h"
#include "reports/securityreports.h"
#include "scriptedprompts.h"
#include "testapp.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Target : LogonTarget
{
    void setUserId(int) override {}
    void setFullNameText(const QString&) override {}
    void setHeaderHint(const QString&) override {}
    void setCompanyPanelText(const QString&) override {}
};

class LogonHistoryTest : public ::testing::Test
{
protected:
    LogonHistoryTest()
    {
        testApp();
        LogonFixture::build(site);
        DmConfig = &dm;
        dialog = std::make_unique<TFrLogon>(&target);
        dialog->show();
    }
    ~LogonHistoryTest() override { dialog.reset(); }

    void logOn(const QString& code, const QString& password)
    {
        dialog->UserName->setText(code);
        dialog->Password->setText(password);
        QTest::mouseClick(dialog->BtLogon, Qt::LeftButton);
    }
    QStringList dormantCodes()
    {
        QStringList codes;
        for (const QStringList& row : Reports::dormant(*dm.DmCfg, 90, clock.now(), false).rows)
            codes.append(row.first());
        return codes;
    }

    FixtureSite site;
    ScriptedPrompts prompts;
    FixedClock clock { QDateTime(QDate(2026, 12, 10), QTime(9, 0)) };
    FakeWorkstation workstation;
    TDMConfig dm;
    Target target;
    std::unique_ptr<TFrLogon> dialog;
};

TEST_F(LogonHistoryTest, ALogonWritesOneRowAndTheUserLeavesTheDormantList)
{
    dm.DmCfg->open();
    EXPECT_TRUE(dormantCodes().contains(QStringLiteral("BOB")));

    logOn(QStringLiteral("bob"), QStringLiteral("bob"));
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(site.configScalar(QStringLiteral("select count(*) from LogonHistory")).toInt(), 1);
    EXPECT_EQ(site.configScalar(QStringLiteral("select UserCode + '|' + Workstation + '|' + DatabaseName from LogonHistory where UserId = %1")
                                    .arg(LogonFixture::userId(site, QStringLiteral("BOB"))))
                  .toString(),
        QStringLiteral("BOB|WS01|A2026"));
    EXPECT_FALSE(dormantCodes().contains(QStringLiteral("BOB")));

    // A wrong password, an unknown code and a cancelled choice are no logons.
    dialog = std::make_unique<TFrLogon>(&target);
    dialog->show();
    logOn(QStringLiteral("ANN"), QStringLiteral("wrong"));
    logOn(QStringLiteral("NOBODY"), QStringLiteral("x"));
    logOn(QStringLiteral("ANN"), QStringLiteral("ann1"));
    ASSERT_TRUE(dialog->choosingDatabase());
    QTest::keyClick(dialog->DatabaseList, Qt::Key_Escape);
    EXPECT_EQ(site.configScalar(QStringLiteral("select count(*) from LogonHistory")).toInt(), 1);
}

TEST_F(LogonHistoryTest, ARowThatCannotBeWrittenGoesToTheErrorLogAndTheLogonGoesOn)
{
    logOn(QStringLiteral("ANN"), QStringLiteral("ann1"));
    ASSERT_TRUE(dialog->choosingDatabase());
    site.config(QStringLiteral("Drop Table LogonHistory"));
    dialog->DatabaseList->setCurrentIndex(2);
    QTest::mouseClick(dialog->BtOk, Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dm.DatabaseNames.value(1), QStringLiteral("B2026"));
    EXPECT_TRUE(prompts.allTexts().isEmpty()) << prompts.allTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(site.configScalar(QStringLiteral("select errormsg from errorlog where menu = 0 and username = %1").arg(LogonFixture::userId(site, QStringLiteral("ANN"))))
                    .toString()
                    .startsWith(QStringLiteral("The logon was not written to the logon history: ")));
}

} // namespace
