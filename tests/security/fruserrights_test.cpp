// The group rights screen: what the grid lists, the double-click down the
// tree, the bulk settings, saving, refusals and the copy from another group.
#include "securitytest.h"
#include "trailrows.h"

#include "db/connection.h"
#include "security/frcopyright.h"
#include "security/fruserrights.h"
#include "security/rightsmodel.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace {

class UserRights : public SecurityTest
{
protected:
    UserRights()
        : copy(nullptr, dm.DmCfg)
        , screen(nullptr, &copy)
    {
    }

    // Loads the group as a person does: the code, then Enter.
    void load(const QString& code) { enterCode(screen, screen.UserCode, code); }

    // Every grid row as "id:AAMD".
    QStringList grid() const
    {
        QStringList rows;
        for (const RightsRow& r : screen.QRights->rows())
            rows.append(QString::number(r.id) + QLatin1Char(':') + r.rights[0] + r.rights[1] + r.rights[2] + r.rights[3]);
        return rows;
    }
    int rowOf(qint64 id) const { return screen.QRights->rowOf(id); }
    // The events of a real double-click: press, release, double-click, release.
    void doubleClick(qint64 id, int column)
    {
        QWidget* cells = screen.DgRights->viewport();
        const QPoint at = screen.DgRights->visualRect(screen.QRights->index(rowOf(id), column)).center();
        QTest::mouseClick(cells, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(cells, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(cells, Qt::LeftButton, Qt::NoModifier, at);
    }

    TFrCopyRight copy;
    TFrUserRights screen;
};

TEST_F(UserRights, ListsTheAdministratorsEntriesInMenuOrderAndEveryEntryForTheSystemGroup)
{
    runModal(screen, [&] {
        load(QStringLiteral("SALES"));
        // Only what ADMIN holds (not 400), in OrderNo order, with SALES's rights or "N".
        EXPECT_EQ(grid(),
            QStringList({ QStringLiteral("122:NNNN"), QStringLiteral("100:NNNN"), QStringLiteral("110:YYNN"), QStringLiteral("120:NNNN"),
                QStringLiteral("121:NNNN"), QStringLiteral("200:NNNN"), QStringLiteral("210:NNNN"), QStringLiteral("300:NNNN"),
                QStringLiteral("301:NNNN") }));
        EXPECT_EQ(screen.UserName->text(), QStringLiteral("ฝ่ายขาย"));
        EXPECT_TRUE(screen.AcSave->isEnabled());
        EXPECT_TRUE(screen.AcCopy->isEnabled());
        EXPECT_EQ(screen.focusWidget(), screen.DgRights);
        // Three blanks per level; the top level white bold on green, the rest plain.
        const QModelIndex monthly = screen.QRights->index(rowOf(122), 0);
        const QModelIndex sales = screen.QRights->index(rowOf(100), 0);
        EXPECT_EQ(monthly.data().toString(), QStringLiteral("      รายเดือน"));
        EXPECT_EQ(sales.data().toString(), QStringLiteral("ขาย"));
        EXPECT_EQ(sales.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0, 128, 0));
        EXPECT_EQ(sales.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::white));
        EXPECT_TRUE(sales.data(Qt::FontRole).value<QFont>().bold());
        EXPECT_FALSE(monthly.data(Qt::BackgroundRole).isValid());
        EXPECT_EQ(screen.QRights->index(rowOf(110), RightsModel::Access).data(Qt::CheckStateRole).toInt(), Qt::Checked);

        logOnAs(QStringLiteral("ZAQ"), QStringLiteral("ZAQSYSTEM"));
        dm.ThaiLanguage = false;
        load(QStringLiteral("ZAQSYSTEM"));
        EXPECT_EQ(screen.QRights->rowCount(), 10);
        EXPECT_EQ(screen.QRights->row(rowOf(400)).rights[0], QStringLiteral("Y"));
        EXPECT_EQ(screen.QRights->row(rowOf(121)).description, QStringLiteral("      Daily"));
    });
    EXPECT_TRUE(prompts.allTexts().isEmpty());
}

TEST_F(UserRights, CodesThatAreRefused)
{
    const struct
    {
        const char* code;
        QStringList messages;
    } cases[] = {
        { "", { QStringLiteral("ไม่พบรหัสกลุ่มผู้ใช้งาน ....") } },
        { "ZAQSYSTEM", { QStringLiteral("Group Code Not Allow !!!"), QStringLiteral("ไม่พบรหัสกลุ่มผู้ใช้งาน ....") } },
        { " ZAQSYSTEM ", { QStringLiteral("Group Code Not Allow !!!"), QStringLiteral("ไม่พบรหัสกลุ่มผู้ใช้งาน ....") } },
        { "JOHN", { QStringLiteral("ไม่พบรหัสกลุ่มผู้ใช้งาน ....") } }, // a user, not a group
        { "OLDGRP", { QStringLiteral("ผู้ใช้งานนี้ถูกระงับการใช้โปรแกรม\rไม่สามารถกำหนดสิทธิ์การใช้งานได้") } },
    };
    runModal(screen, [&] {
        for (const auto& c : cases) {
            prompts.clear();
            load(QString::fromUtf8(c.code));
            EXPECT_EQ(prompts.informations(), c.messages) << c.code;
            EXPECT_EQ(screen.UserCode->text(), QString()) << c.code;
            EXPECT_EQ(screen.focusWidget(), screen.UserCode) << c.code;
            EXPECT_EQ(screen.QRights->rowCount(), 0) << c.code;
            EXPECT_FALSE(screen.AcSave->isEnabled()) << c.code;
        }
    });
}

TEST_F(UserRights, DoubleClickSetsTheEntryAndTheEntriesBelowItListedAfterIt)
{
    const struct
    {
        qint64 clicked;
        QStringList after; // SALES's grid after the double-click
    } cases[] = {
        // A leaf with access: only that row, to "N".
        { 110, { "122:NNNN", "100:NNNN", "110:NNNN", "120:NNNN", "121:NNNN", "200:NNNN", "210:NNNN", "300:NNNN", "301:NNNN" } },
        // A top level without access: it and its later-listed descendants to "Y"; 122,
        // listed before it, and the sibling department stay.
        { 100, { "122:NNNN", "100:YYYY", "110:YYYY", "120:YYYY", "121:YYYY", "200:NNNN", "210:NNNN", "300:NNNN", "301:NNNN" } },
        { 120, { "122:NNNN", "100:NNNN", "110:YYNN", "120:YYYY", "121:YYYY", "200:NNNN", "210:NNNN", "300:NNNN", "301:NNNN" } },
        // Parent links in a circle: the walk ends.
        { 300, { "122:NNNN", "100:NNNN", "110:YYNN", "120:NNNN", "121:NNNN", "200:NNNN", "210:NNNN", "300:YYYY", "301:YYYY" } },
    };
    runModal(screen, [&] {
        for (const auto& c : cases) {
            load(QStringLiteral("SALES"));
            for (const int column : { int(RightsModel::Description), int(RightsModel::Access) }) {
                const quint64 before = dm.DmCfg->statementsRun();
                doubleClick(c.clicked, column);
                if (column == RightsModel::Access) // on a check box: the double-click decides, not its first click
                    continue;
                EXPECT_EQ(grid(), c.after) << c.clicked;
                EXPECT_EQ(dm.DmCfg->statementsRun() - before, 1u) << "the parent links are read once per double-click";
            }
            EXPECT_EQ(grid()[rowOf(c.clicked)], c.clicked == 110 ? QStringLiteral("110:YYYY") : QStringLiteral("%1:NNNN").arg(c.clicked));
        }
    });
    EXPECT_TRUE(prompts.allTexts().isEmpty());
}

TEST_F(UserRights, OneClickTogglesARight)
{
    runModal(screen, [&] {
        load(QStringLiteral("SALES"));
        const QRect cell = screen.DgRights->visualRect(screen.QRights->index(rowOf(121), RightsModel::Modify));
        QTest::mouseClick(screen.DgRights->viewport(), Qt::LeftButton, Qt::NoModifier, cell.topLeft() + QPoint(2, 2));
        EXPECT_EQ(grid()[rowOf(121)], QStringLiteral("121:NNYN"));
        QTest::keyClick(screen.DgRights, Qt::Key_Space);
        EXPECT_EQ(grid()[rowOf(121)], QStringLiteral("121:NNNN"));
    });
}

TEST_F(UserRights, ColumnTitlesSetTheWholeColumnAndTheDescriptionTitleDoesNotReact)
{
    runModal(screen, [&] {
        load(QStringLiteral("SALES"));
        QHeaderView* titles = screen.DgRights->horizontalHeader();
        const auto clickTitle = [&](int column) {
            QTest::mouseClick(titles->viewport(), Qt::LeftButton, Qt::NoModifier,
                QPoint(titles->sectionViewportPosition(column) + titles->sectionSize(column) / 2, titles->height() / 2));
        };
        const QStringList before = grid();
        clickTitle(RightsModel::Description);
        EXPECT_TRUE(prompts.allTexts().isEmpty());
        EXPECT_EQ(screen.QRights->row(0).description, QStringLiteral("      รายเดือน"));

        prompts.queueYesNoCancel(Prompts::Answer::Cancel);
        clickTitle(RightsModel::Modify);
        EXPECT_EQ(grid(), before);

        prompts.queueYesNoCancel(Prompts::Answer::Yes);
        clickTitle(RightsModel::Modify);
        prompts.queueYesNoCancel(Prompts::Answer::No);
        clickTitle(RightsModel::Add);
        for (const QString& row : grid())
            EXPECT_TRUE(row.endsWith(QLatin1String("NYN"))) << row.toStdString(); // Add "N", Modify "Y", Delete as it was
        EXPECT_EQ(prompts.texts(ScriptedPrompts::Kind::YesNoCancel),
            QStringList(3, QStringLiteral("กรุณาเลือกค่าที่ต้องการกำหนด")));
        EXPECT_EQ(screen.statusText(1), QString());
        EXPECT_EQ(screen.DgRights->currentIndex().row(), 0);
    });
}

TEST_F(UserRights, SelectAllAndUnSelectAllSetEveryRight)
{
    runModal(screen, [&] {
        load(QStringLiteral("SALES"));
        screen.DgRights->setCurrentIndex(screen.QRights->index(4, 2));
        // The keyboard's menu key, as the platform hands it on, opens the grid's pop-up menu.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(10, 10), screen.DgRights->viewport()->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(screen.DgRights->viewport(), &menuKey);
        EXPECT_TRUE(screen.PopupMenu1->isVisible());
        screen.PopupMenu1->hide();
        screen.SelectAll1->trigger();
        for (const QString& row : grid())
            EXPECT_TRUE(row.endsWith(QLatin1String(":YYYY"))) << row.toStdString();
        EXPECT_EQ(screen.statusText(1), QStringLiteral("Set    วน ข"));
        EXPECT_EQ(screen.DgRights->currentIndex(), screen.QRights->index(4, 2));
        screen.UnSelectAll1->trigger();
        for (const QString& row : grid())
            EXPECT_TRUE(row.endsWith(QLatin1String(":NNNN"))) << row.toStdString();
    });
}

TEST_F(UserRights, SavingStoresTheRowsWithAccessOnly)
{
    runModal(screen, [&] {
        load(QStringLiteral("SALES"));
        screen.QRights->setRight(rowOf(121), RightsModel::Add, QStringLiteral("Y")); // Add without Access
        screen.QRights->setRights(rowOf(210), QStringLiteral("Y"));
        prompts.queueConfirm(true);
        press(screen, Qt::Key_F10);
        EXPECT_EQ(prompts.texts(ScriptedPrompts::Kind::ConfirmBlue), QStringList { QStringLiteral("Confirm Save?") });
        EXPECT_EQ(RightsSite::rightsOf(site, QStringLiteral("SALES")), QStringList({ QStringLiteral("110:YYNN"), QStringLiteral("210:YYYY") }));
        // The screen starts again empty.
        EXPECT_EQ(screen.UserCode->text(), QString());
        EXPECT_EQ(screen.QRights->rowCount(), 0);
        EXPECT_FALSE(screen.AcSave->isEnabled());

        load(QStringLiteral("SALES"));
        EXPECT_EQ(grid()[rowOf(121)], QStringLiteral("121:NNNN"));

        // Every Access "N": the group keeps no rows at all.
        screen.UnSelectAll1->trigger();
        prompts.queueConfirm(true);
        press(screen, Qt::Key_F10);
        EXPECT_EQ(RightsSite::rightsOf(site, QStringLiteral("SALES")), QStringList());

        // No to the question writes nothing.
        load(QStringLiteral("ACCT"));
        screen.UnSelectAll1->trigger();
        prompts.queueConfirm(false);
        press(screen, Qt::Key_F10);
        EXPECT_EQ(RightsSite::rightsOf(site, QStringLiteral("ACCT")).size(), 2);
        EXPECT_EQ(screen.UserCode->text(), QStringLiteral("ACCT"));
    });
    EXPECT_TRUE(prompts.errors().isEmpty());
}

TEST_F(UserRights, AFailedSaveKeepsTheOldRightsAndTheGridsEdits)
{
    RightsSite::failInserts(site, QStringLiteral("UserRight"), QStringLiteral("NEW.Menu = 210"));
    runModal(screen, [&] {
        load(QStringLiteral("ACCT"));
        screen.QRights->setRights(rowOf(100), QStringLiteral("Y"));
        const QStringList edited = grid();
        prompts.queueConfirm(true);
        press(screen, Qt::Key_F10);
        ASSERT_EQ(prompts.errors().size(), 1);
        EXPECT_TRUE(prompts.errors().constFirst().contains(QLatin1String("the disk is full"))) << prompts.errors().constFirst().toStdString();
        EXPECT_EQ(grid(), edited);
        EXPECT_EQ(screen.UserCode->text(), QStringLiteral("ACCT"));
        EXPECT_TRUE(screen.AcSave->isEnabled());
        EXPECT_FALSE(dm.DmCfg->inTransaction());
    });
    EXPECT_EQ(RightsSite::rightsOf(site, QStringLiteral("ACCT")), QStringList({ QStringLiteral("200:YNNN"), QStringLiteral("210:YNNN") }));
}

TEST_F(UserRights, CopyHandsTheGroupToTheCopyDialogAndEmptiesTheScreenOnOk)
{
    runModal(screen, [&] {
        press(screen, Qt::Key_F6); // nothing loaded: nothing opens
        EXPECT_FALSE(copy.isVisible());
        EXPECT_TRUE(screen.BCopy->isVisible());

        load(QStringLiteral("SALES"));
        for (const bool copyIt : { false, true }) {
            QTimer::singleShot(0, &copy, [&] {
                EXPECT_EQ(copy.TargetGroupId, RightsSite::id(site, QStringLiteral("SALES")));
                if (copyIt) {
                    copy.UserGrid->setCurrentIndex(copy.UserGrid->model()->index(0, 0)); // ACCT
                    copy.BCopy->click();
                } else {
                    copy.BClose->click();
                }
            });
            if (copyIt)
                screen.BCopy->click(); // the button: the offscreen screen is not made active again after a dialog
            else
                press(screen, Qt::Key_F6);
            EXPECT_EQ(screen.UserCode->text(), copyIt ? QString() : QStringLiteral("SALES"));
        }
    });
    EXPECT_EQ(RightsSite::rightsOf(site, QStringLiteral("SALES")), QStringList({ QStringLiteral("200:YNNN"), QStringLiteral("210:YNNN") }));
    EXPECT_EQ(prompts.informations(), QStringList { QStringLiteral("Copy OK !!!!") });
}

TEST_F(UserRights, ToolBarClickFlipsTheLanguageOfTheCaptions)
{
    runModal(screen, [&] {
        EXPECT_EQ(screen.Label2->text(), QStringLiteral("ชื่อกลุ่ม"));
        QTest::mouseClick(screen.ToolBar1, Qt::LeftButton, Qt::NoModifier, QPoint(screen.ToolBar1->width() - 3, 3));
        EXPECT_FALSE(dm.ThaiLanguage);
        EXPECT_EQ(screen.Label2->text(), QStringLiteral("User Group"));
        EXPECT_EQ(screen.QRights->headerData(RightsModel::Modify, Qt::Horizontal).toString(), QStringLiteral("Modify"));
        QTest::mouseClick(screen.ToolBar1, Qt::LeftButton, Qt::NoModifier, QPoint(screen.ToolBar1->width() - 3, 3));
        EXPECT_EQ(screen.QRights->headerData(RightsModel::Access, Qt::Horizontal).toString(), QStringLiteral("เข้าดู"));
    });
}

} // namespace

namespace {

TEST_F(UserRights, ClosingTheScreenIsNoLeavingOfTheCodeBox)
{
    const ModalRun run = runModal(screen, [&] {
        screen.UserCode->setFocus();
        screen.UserCode->setText(QStringLiteral("NOSUCH"));
        prompts.queueConfirm(true);
        press(screen, Qt::Key_Escape);
    });
    EXPECT_FALSE(run.leftOpen);
    EXPECT_EQ(prompts.texts(ScriptedPrompts::Kind::ConfirmGreen), QStringList { QStringLiteral("ออกจากโปรแกรม ?") });
    EXPECT_EQ(prompts.informations(), QStringList()); // no "not found" for the code left in the box
}

TEST_F(UserRights, ASaveLeavesTheChangedEntriesInTheTrailAndAFailedOneNothing)
{
    dm.UserId = RightsSite::id(site, QStringLiteral("SOMCHAI"));
    const QString somchai = QString::number(dm.UserId) + QStringLiteral(" SOMCHAI|rights|rights|");
    runModal(screen, [&] {
        load(QStringLiteral("SALES"));
        screen.QRights->setRights(rowOf(210), QStringLiteral("Y"));
        screen.QRights->setRight(rowOf(110), RightsModel::Add, QStringLiteral("N"));
        prompts.queueConfirm(true);
        press(screen, Qt::Key_F10);
        load(QStringLiteral("SALES"));
        prompts.queueConfirm(true);
        press(screen, Qt::Key_F10); // nothing changed
    });
    const QStringList rows = trailRows(site);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0], somchai + QStringLiteral("SALES|110 ใบเสนอราคา: YYNN -> YNNN; 210 สมุดรายวัน: NNNN -> YYYY")) << rows[0].toStdString();
    EXPECT_EQ(rows[1], somchai + QStringLiteral("SALES|no change"));

    RightsSite::failInserts(site, QStringLiteral("UserRight"), QStringLiteral("NEW.Menu = 210"));
    runModal(screen, [&] {
        load(QStringLiteral("ACCT"));
        screen.QRights->setRights(rowOf(100), QStringLiteral("Y"));
        prompts.queueConfirm(true);
        press(screen, Qt::Key_F10);
        EXPECT_EQ(prompts.errors().size(), 1);
    });
    EXPECT_EQ(trailRows(site).size(), 2);
}

} // namespace
