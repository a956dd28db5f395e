// Copying one group's rights onto another: the groups offered, the access code
// for the group ZAQ, and the dialog's result.
#include "securitytest.h"
#include "trailrows.h"

#include "security/frcopyright.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace {

class CopyRight : public SecurityTest
{
protected:
    CopyRight()
        : dialog(nullptr, dm.DmCfg)
    {
        dialog.TargetGroupId = RightsSite::id(site, QStringLiteral("SALES"));
        dialog.TargetGroupCode = QStringLiteral("SALES");
    }

    QStringList listed() const
    {
        QStringList codes;
        QAbstractItemModel* model = dialog.UserGrid->model();
        for (int r = 0; r < model->rowCount(); ++r)
            codes.append(model->index(r, 0).data().toString());
        return codes;
    }
    // Shows the dialog, chooses the group and presses Copy.
    int copyFrom(const QString& code)
    {
        return runModal(dialog, [&] {
            const int row = int(listed().indexOf(code));
            ASSERT_GE(row, 0) << code.toStdString();
            dialog.UserGrid->setCurrentIndex(dialog.UserGrid->model()->index(row, 0));
            dialog.BCopy->click();
        }).result;
    }

    TFrCopyRight dialog;
};

TEST_F(CopyRight, ListsTheOtherActiveGroupsOnly)
{
    runModal(dialog, [&] {
        // Not the target SALES, not the inactive OLDGRP, no user.
        EXPECT_EQ(listed(), QStringList({ QStringLiteral("ACCT"), QStringLiteral("ADMIN"), QStringLiteral("ZAQ"), QStringLiteral("ZAQSYSTEM") }));
        EXPECT_EQ(dialog.UserGrid->currentIndex().row(), 0);
        EXPECT_EQ(dialog.focusWidget(), dialog.UserGrid);
    });
}

TEST_F(CopyRight, WhoMayCopyFromTheGroupZaq)
{
    site.config(QStringLiteral("Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)\n"
                               "Select Id, 400, 'Y', 'N', 'Y', 'N' From UserName Where Code = 'ZAQ' And IsDepartment = 'Y'"));
    const struct
    {
        const char* user;
        const char* from;
        int answered; // -1 no question expected, 0 Cancel, 1 the typed text below
        const char* typed;
        bool copies;
    } cases[] = {
        { "ZAQ", "ZAQ", -1, "", true },
        { "SOMCHAI", "ZAQ", 1, "kelvaronpiq", true },
        { "SOMCHAI", "ZAQ", 1, "KELVARONPIQ", false }, // case counts
        { "SOMCHAI", "ZAQ", 1, "", false },
        { "SOMCHAI", "ZAQ", 0, "kelvaronpiq", false }, // Cancel counts as nothing typed
        { "SOMCHAI", "ACCT", -1, "", true },
        // The built-in group holds everything, as ZAQ does: the same code is asked.
        { "ZAQ", "ZAQSYSTEM", -1, "", true },
        { "SOMCHAI", "ZAQSYSTEM", 0, "", false },
        { "SOMCHAI", "ZAQSYSTEM", 1, "wrong", false },
        { "SOMCHAI", "ZAQSYSTEM", 1, "kelvaronpiq", true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.user) + " from " + c.from + " typing " + c.typed);
        site.config(QStringLiteral("Delete From UserRight Where UserName = %1").arg(dialog.TargetGroupId));
        prompts.clear();
        dm.UserCode = QString::fromUtf8(c.user);
        if (c.answered >= 0)
            prompts.queueInput(c.answered == 1, QString::fromUtf8(c.typed));
        EXPECT_EQ(copyFrom(QString::fromUtf8(c.from)), QDialog::Accepted);
        EXPECT_EQ(prompts.texts(ScriptedPrompts::Kind::Input).size(), c.answered >= 0 ? 1 : 0);
        EXPECT_EQ(prompts.informations(), c.copies ? QStringList { QStringLiteral("Copy OK !!!!") } : QStringList());
        EXPECT_EQ(RightsSite::rightsOf(site, QStringLiteral("SALES")),
            !c.copies ? QStringList() : RightsSite::rightsOf(site, QString::fromUtf8(c.from)));
        EXPECT_EQ(prompts.pendingAnswers(), 0);
    }
}

TEST_F(CopyRight, TheAccessCodeIsAskedInTheUsersLanguage)
{
    for (const bool thai : { true, false }) {
        dm.ThaiLanguage = thai;
        prompts.clear();
        prompts.queueInput(false);
        copyFrom(QStringLiteral("ZAQ"));
        ASSERT_EQ(prompts.shown.size(), 1);
        EXPECT_EQ(prompts.shown.constFirst().caption, thai ? QStringLiteral("กรุณาป้อนรหัสผ่าน") : QStringLiteral("Please Enter Password"));
        EXPECT_EQ(prompts.shown.constFirst().text, thai ? QStringLiteral("รหัสผ่าน") : QStringLiteral("Password"));
    }
}

TEST_F(CopyRight, CloseGivesCancelAndCopiesNothing)
{
    const QStringList before = RightsSite::rightsOf(site, QStringLiteral("SALES"));
    EXPECT_EQ(runModal(dialog, [&] { dialog.BClose->click(); }).result, QDialog::Rejected);
    EXPECT_EQ(RightsSite::rightsOf(site, QStringLiteral("SALES")), before);
    EXPECT_TRUE(prompts.allTexts().isEmpty());
}

TEST_F(CopyRight, AFailedCopyLeavesTheTargetAsItWasAndStillClosesWithOk)
{
    const QStringList before = RightsSite::rightsOf(site, QStringLiteral("SALES"));
    RightsSite::failInserts(site, QStringLiteral("UserRight"), QStringLiteral("NEW.Menu = 210"));
    EXPECT_EQ(copyFrom(QStringLiteral("ADMIN")), QDialog::Accepted);
    EXPECT_EQ(prompts.errors().size(), 1);
    EXPECT_TRUE(prompts.informations().isEmpty());
    EXPECT_EQ(RightsSite::rightsOf(site, QStringLiteral("SALES")), before);
}

TEST_F(CopyRight, ACopyLeavesATrailRowNamingTheSourceAndAFailedOneNone)
{
    dm.UserId = RightsSite::id(site, QStringLiteral("SOMCHAI"));
    EXPECT_EQ(copyFrom(QStringLiteral("ACCT")), QDialog::Accepted);
    // SALES held Quotation; ACCT holds Accounting and its Journal.
    EXPECT_EQ(trailRows(site), QStringList { QString::number(dm.UserId)
                                   + QStringLiteral(" SOMCHAI|copy rights|copy|SALES|rights copied from group ACCT: 110: YYNN -> NNNN; 200: NNNN -> YNNN; 210: NNNN -> YNNN") });
    RightsSite::failInserts(site, QStringLiteral("UserRight"), QStringLiteral("NEW.Menu = 210"));
    copyFrom(QStringLiteral("ADMIN"));
    EXPECT_EQ(prompts.errors().size(), 1);
    EXPECT_EQ(trailRows(site).size(), 1);
}

// Before Copy, the dialog tells what the chosen group would bring: the target's
// rows are replaced, so entries it lacks are gained and entries only it has are lost.
TEST_F(CopyRight, TheCountBesideTheListSaysWhatTheTargetGainsAndLoses)
{
    dm.ThaiLanguage = false;
    runModal(dialog, [&] {
        const QStringList codes = listed();
        dialog.UserGrid->setCurrentIndex(dialog.UserGrid->model()->index(int(codes.indexOf(QStringLiteral("ACCT"))), 0));
        EXPECT_EQ(dialog.CountLabel->text(), QStringLiteral("A copy gains 2 entries, loses 1, changes the rights of 0."));
        dialog.UserGrid->setCurrentIndex(dialog.UserGrid->model()->index(int(codes.indexOf(QStringLiteral("ADMIN"))), 0));
        // ADMIN holds every entry but Secret, Quotation among them with other rights.
        EXPECT_EQ(dialog.CountLabel->text(), QStringLiteral("A copy gains 8 entries, loses 0, changes the rights of 1."));
        dialog.BClose->click();
    });
    const TFrCopyRight::Count none = TFrCopyRight::countCopy(*dm.DmCfg, RightsSite::id(site, QStringLiteral("SALES")), RightsSite::id(site, QStringLiteral("SALES")));
    EXPECT_EQ(none.gained + none.lost + none.changed, 0);
}

} // namespace
