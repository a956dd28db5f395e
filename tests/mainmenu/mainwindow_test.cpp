// The main window's show sequence over a fixture site, with a person at the
// logon dialog.
#include "mainmenufixture.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace {

class MainWindow : public MainMenuFixture
{
};

TEST_F(MainWindow, LogonFillsTheHeaderAndTheStatusLine)
{
    window->show();
    answerLogon(QStringLiteral("BOB"), QStringLiteral("bob"));
    window->FormShow();
    EXPECT_TRUE(logonShown);
    EXPECT_TRUE(prompts.allTexts().isEmpty()) << prompts.allTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(window->FullName->text(), QStringLiteral("User : Bob Brown"));
    EXPECT_EQ(window->FullName->x(), window->GbHeader->width() - window->FullName->width() - 50);
    EXPECT_EQ(window->StatusPanel0->text(), QStringLiteral("[ A Co ]"));
    EXPECT_EQ(window->StatusPanel1->text(), QStringLiteral("[Update=2026-11-30] <Year : 2026><Post 7><Close 3>"));
    EXPECT_EQ(window->GbHeader->toolTip(), QStringLiteral("[ AAA ] A Co"));
    EXPECT_EQ(window->ChkUpdate->text(), QStringLiteral("Chk Program Update"));
    EXPECT_EQ(applicationTitle(), QStringLiteral("ZAQ-MFG-QLN-20220413"));
    EXPECT_EQ(dm.CurrentDatabaseName, QStringLiteral("A2026"));
    EXPECT_EQ(dm.CompanyNameThai, QStringLiteral("บริษัท เอ จำกัด"));
    EXPECT_EQ(window->UserId, LogonFixture::userId(site, QStringLiteral("BOB")));
    EXPECT_TRUE(QDir(QStringLiteral("TESTER")).exists()); // the per-user folder
    EXPECT_FALSE(window->data->isOpen());
    EXPECT_EQ(window->data->profile().lines().value(3), QStringLiteral("OPEN MODE=READ/WRITE"));
    EXPECT_TRUE(window->isVisible());
    // The frame, title bar included, sits in the screen's corner.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window->frameGeometry(), QRect(0, 0, screen.width(), screen.height() - 30));
    EXPECT_GT(window->geometry().top(), 0) << "the platform draws a frame";
}

TEST_F(MainWindow, LogoWindowIsGoneBeforeTheLogonShows)
{
    QPointer<QWidget> logo = new QWidget;
    logo->show();
    window->setLogoWindow(logo);
    bool logoGone = false;
    QTimer::singleShot(0, logon.get(), [&] { logoGone = logo.isNull() || !logo->isVisible(); });
    answerLogon(QStringLiteral("BOB"), QStringLiteral("bob"));
    window->show();
    window->FormShow();
    EXPECT_TRUE(logoGone);
    EXPECT_FALSE(window->isFirstShow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(logo.isNull()); // freed, not only hidden
}

TEST_F(MainWindow, NewLoginRunsTheSequenceAgain)
{
    window->show();
    answerLogon(QStringLiteral("BOB"), QStringLiteral("bob"));
    window->FormShow();
    answerLogon(QStringLiteral("ANN"), QStringLiteral("ann1"), 2);
    window->NewLoginClick();
    EXPECT_EQ(window->FullName->text(), QStringLiteral("User : แอน ทดสอบ"));
    EXPECT_EQ(window->ChkUpdate->text(), QStringLiteral("ตรวจโปรแกรม Upgrade"));
    EXPECT_EQ(dm.CurrentDatabaseName, QStringLiteral("B2026"));
    EXPECT_EQ(dm.DatabaseNames.value(2), QStringLiteral("AMFG2026")); // kept from the first logon
    EXPECT_EQ(window->StatusPanel1->text(), QStringLiteral("[Update=2026-11-30] <Year : 2026><Post 1><Close 0>"));
}

TEST_F(MainWindow, CancelledLogonEndsTheProgram)
{
    window->show();
    answerLogon(QStringLiteral("NOBODY"), QString()); // then the helper cancels
    window->FormShow();
    EXPECT_TRUE(logonShown);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(dm.DmCfg->isOpen());
}

TEST_F(MainWindow, DatabaseWithoutCompanyConfigurationStopsTheProgram)
{
    window->show();
    answerLogon(QStringLiteral("NOGRP"), QStringLiteral("nogrp"));
    window->FormShow();
    EXPECT_EQ(prompts.informations(), QStringList { QStringLiteral("Not Found Database : D2026") });
    EXPECT_EQ(halted, 0);
    EXPECT_EQ(window->StatusPanel1->text(), QString());
}

TEST_F(MainWindow, TooFewColoursEndBeforeTheLogon)
{
    for (const int depth : { 4, 8 }) {
        workstation.depth = depth;
        prompts.clear();
        logonShown = false;
        window->show();
        answerLogon(QStringLiteral("BOB"), QStringLiteral("bob"));
        window->FormShow();
        if (depth < 8) {
            EXPECT_EQ(prompts.informations(), QStringList { QStringLiteral("   Display color must be more than 16 colors\rสีของจอภาพต้องกำหนดให้มีอย่างน้อย 256 สีขึ้นไป") });
            EXPECT_FALSE(logonShown);
            EXPECT_FALSE(window->isVisible());
        } else {
            EXPECT_TRUE(logonShown);
            EXPECT_TRUE(prompts.allTexts().isEmpty());
        }
    }
}

TEST_F(MainWindow, PerUserFolderThatCannotBeMadeStopsTheProgram)
{
    site.writeFile(QStringLiteral("TESTER"), "a file where the folder should go");
    window->show();
    answerLogon(QStringLiteral("BOB"), QStringLiteral("bob"));
    window->FormShow();
    EXPECT_EQ(prompts.informations(), QStringList { QStringLiteral("ไม่สามารถสร้าง Directory  TESTER") });
    EXPECT_EQ(halted, 0);
    EXPECT_FALSE(logonShown);
}

TEST_F(MainWindow, ReadOnlySwitchOpensTheCompanyDatabaseReadOnly)
{
    TFrMainMenu readOnly(true);
    TFrLogon dialog(&readOnly);
    readOnly.setLogonDialog(&dialog);
    readOnly.show();
    answerLogonWhenShown(dialog, { QStringLiteral("BOB"), QStringLiteral("bob"), -1, {} });
    readOnly.FormShow();
    EXPECT_EQ(readOnly.data->profile().lines().value(3), QStringLiteral("OPEN MODE=READ"));
    EXPECT_EQ(readOnly.StatusPanel1->text(), QStringLiteral("[Update=2026-11-30] <Year : 2026><Post 7><Close 3>"));
}

TEST_F(MainWindow, CompanyDatabaseErrorIsShownAndTheWindowStaysOpen)
{
    QFile::remove(QStringLiteral("data/A2026.sqlite"));
    window->show();
    answerLogon(QStringLiteral("BOB"), QStringLiteral("bob"));
    window->NewLoginClick();
    ASSERT_EQ(prompts.errors().size(), 1);
    EXPECT_TRUE(prompts.errors().first().contains(QLatin1String("A2026")));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->FullName->text(), QStringLiteral("User : Bob Brown"));
}

} // namespace
