// The diagnostics of the main window: the error-log viewer, the internet-check
// switch and the public-address watch, which asks a web server of the test's
// own on the loopback address.
#include "loopbackserver.h"
#include "config/textfiles.h"
#include "mainmenu/frdisplayerror.h"
#include "mainmenu/publicaddress.h"
#include "mainmenufixture.h"
#include "toolkit/guard.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString kNoAddress = QStringLiteral("Could not get IP Address! Please ensure you are connected to the Internet.");

QByteArray page(const char* address)
{
    return QByteArray("<html><head><title>Current IP Check</title></head><body>Current IP Address: ") + address + "</body></html>";
}

TEST(PublicAddress, ParsedFromTheLabelsColonToTheFirstTag)
{
    const struct
    {
        const char* body;
        const char* address;
    } cases[] = {
        { "<html><body>Current IP Address: 203.0.113.7</body></html>", "203.0.113.7" },
        { "  \r\nCurrent IP Address: 203.0.113.7</body>\r\n ", "203.0.113.7" }, // blanks around the body are trimmed
        { "Current IP Address: 203.0.113.7", "" }, // no "<": nothing
        { "Address:203.0.113.7</b>", "03.0.113.7" }, // two characters after the colon, blank or not
        { "x203.0.113.7</b>", "203.0.113.7" }, // no colon: from the second character
        { "a: b: c</p>", "b: c" }, // the first colon counts
        { "", "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(parsePublicAddress(QString::fromLatin1(c.body)), QString::fromLatin1(c.address)) << c.body;
}

class PublicAddressLookupTest : public ::testing::Test
{
protected:
    GuardedApplication& app = testApp(); // before the server, whose sockets need it
    ScriptedPrompts prompts;
    LoopbackServer server;
    PublicAddressLookup lookup { server.url() };
};

TEST_F(PublicAddressLookupTest, AnswersTheServicesAddress)
{
    server.body = page("198.51.100.23");
    EXPECT_EQ(lookup.lookUp(), QStringLiteral("198.51.100.23"));
    server.body = "<html><body>Current IP Address: 198.51.100.23";
    EXPECT_EQ(lookup.lookUp(), QString()) << "no closing tag";
    EXPECT_EQ(server.requests, 2);
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(PublicAddressLookupTest, FailedRequestShowsTheMessageAndKeepsTheLastBody)
{
    EXPECT_EQ(lookup.lookUp(), QString()) << "nothing received yet";
    server.body = page("198.51.100.23");
    ASSERT_EQ(lookup.lookUp(), QStringLiteral("198.51.100.23"));
    server.close();
    prompts.clear();
    EXPECT_EQ(lookup.lookUp(), QStringLiteral("198.51.100.23")) << "refused";
    EXPECT_EQ(prompts.errors(), QStringList { kNoAddress });
}

TEST_F(PublicAddressLookupTest, ServiceThatNeverAnswersIsGivenUpAfterTheTimeOut)
{
    server.body = page("198.51.100.23");
    ASSERT_EQ(lookup.lookUp(), QStringLiteral("198.51.100.23"));
    // Short, for the test's sake.
    lookup.setTimeoutMs(300);
    server.silent = true;
    prompts.clear();
    EXPECT_EQ(lookup.lookUp(), QStringLiteral("198.51.100.23"));
    EXPECT_EQ(server.requests, 2);
    EXPECT_EQ(prompts.errors(), QStringList { kNoAddress });
}

class Diagnostics : public MainMenuFixture
{
protected:
    Diagnostics()
    {
        window->Timer1->stop();
        window->AddressWatch->lookup().setService(server.url());
        window->AddressWatch->setNotice([this](const QString& subject, const QString& text) { notices << subject + QLatin1Char('|') + text; });
        server.body = page("198.51.100.23");
    }

    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            window->Timer1Timer();
    }
    QAction* popupItem(QMenu* menu, const char* name) const { return menu->findChild<QAction*>(QLatin1String(name)); }
    QString internetFile() const { return TextFiles::firstLine(QStringLiteral("Internet.Dat")).value_or(QStringLiteral("<none>")); }

    LoopbackServer server;
    QStringList notices;
};

TEST_F(Diagnostics, SwitchItemWritesTheFileAndSaysSo)
{
    EXPECT_FALSE(window->internetCheck());
    popupItem(window->PopupMenu1, "ChkInternet")->trigger();
    EXPECT_TRUE(window->internetCheck());
    EXPECT_EQ(internetFile(), QStringLiteral("1"));
    popupItem(window->PopupMenu1, "ChkInternet")->trigger();
    EXPECT_FALSE(window->internetCheck());
    EXPECT_EQ(internetFile(), QStringLiteral("0"));
    EXPECT_EQ(prompts.informations(), (QStringList { QStringLiteral("Check Internet = ON"), QStringLiteral("Check Internet = OFF") }));

    // A file that cannot be written: the switch still flips, and nothing is said.
    QFile::remove(QStringLiteral("Internet.Dat"));
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("Internet.Dat")));
    prompts.clear();
    window->ChkInternetClick();
    EXPECT_TRUE(window->internetCheck());
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(Diagnostics, EveryHundredAndEightiethTickNoticesAChangedAddress)
{
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    workstation.proxy = { true, QStringLiteral("proxy.lan:3128") };
    window->ChkInternetClick();
    ticks(179);
    EXPECT_EQ(server.requests, 0);
    ticks(1);
    EXPECT_EQ(server.requests, 1);
    EXPECT_EQ(window->publicAddressTicks(), 0);
    EXPECT_EQ(notices, QStringList { QStringLiteral("IP A2026|Start IP of A2026 is 198.51.100.23") });

    ticks(180);
    EXPECT_EQ(server.requests, 2);
    EXPECT_EQ(notices.size(), 1) << "the same address again";

    server.body = page("198.51.100.99");
    workstation.proxy = {};
    workstation.dialUpConnections = 1;
    ticks(180);
    EXPECT_EQ(notices.value(1), QStringLiteral("IP A2026|Start IP of A2026 is 198.51.100.99"));
    EXPECT_EQ(window->AddressWatch->lastAddress(), QStringLiteral("198.51.100.99"));

    // Switched off, the ticks do not count.
    window->ChkInternetClick();
    ticks(400);
    EXPECT_EQ(server.requests, 3);
    EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join(QLatin1Char('|')).toStdString();
}

TEST_F(Diagnostics, CheckThatRaisesWaitsAnotherFullRoundBeforeTryingAgain)
{
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    workstation.dialUpFunctionMissing = true; // asking for the dial-up route raises
    window->ChkInternetClick();
    prompts.clear();
    const auto guardedTicks = [this](int count) {
        for (int i = 0; i < count; ++i)
            guarded([this] { window->Timer1Timer(); });
    };
    guardedTicks(180);
    EXPECT_EQ(prompts.errors().size(), 1);
    EXPECT_EQ(window->publicAddressTicks(), 0);
    guardedTicks(179);
    EXPECT_EQ(prompts.errors().size(), 1) << "no new box every second";
    guardedTicks(1);
    EXPECT_EQ(prompts.errors().size(), 2);
}

TEST_F(Diagnostics, HangingServiceHoldsTheMenuOnlyForTheTimeOutAndStartsNoSecondLookup)
{
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    workstation.proxy = { true, QStringLiteral("proxy.lan:3128") };
    window->ChkInternetClick();
    ticks(179);
    server.silent = true;
    window->AddressWatch->lookup().setTimeoutMs(500);
    int ticked = 0;
    QObject::connect(window->Timer1, &QTimer::timeout, window.get(), [&ticked] { ++ticked; });
    window->Timer1->setInterval(20);
    window->Timer1->start();
    ticks(1); // the 180th tick waits for the service, while the timer goes on ticking
    window->Timer1->stop();
    EXPECT_GT(ticked, 0) << "the window stays alive during the wait";
    EXPECT_EQ(server.requests, 1);
    EXPECT_EQ(prompts.errors(), QStringList { kNoAddress });
    EXPECT_FALSE(window->AddressWatch->isChecking());
}

TEST_F(Diagnostics, NoRouteNoLookupEvenWithTheSwitchOn)
{
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    workstation.proxy = { true, QString() }; // switched on but naming no server
    window->ChkInternetClick();
    ticks(360);
    EXPECT_EQ(server.requests, 0);
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_TRUE(prompts.errors().isEmpty());
}

TEST_F(Diagnostics, ErrorLogListsTheTwoHundredNewestWithUserAndMenuEntry)
{
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    site.config(QStringLiteral("Insert Into Menu (Id, Parent, OrderNo, Description, Command) Values (10100000, 0, 1, 'ใบสั่งขาย', 'SO.EXE')"));
    QStringList statements;
    const QString row = QStringLiteral("Insert Into errorlog (menu, username, errordate, errormsg) Select %1, Id, '%2', '%3' From UserName Where Code = 'BOB'");
    const QDateTime first(QDate(2026, 11, 1), QTime(8, 0));
    for (int i = 0; i < 250; ++i)
        statements << row.arg(10100000).arg(first.addSecs(60 * i).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))).arg(QStringLiteral("error %1").arg(i));
    // Newer than all of them, but their menu entry or their user is gone.
    statements << row.arg(99999999).arg(QStringLiteral("2026-12-09 10:00:00"), QStringLiteral("menu gone"));
    statements << QStringLiteral("Insert Into errorlog (menu, username, errordate, errormsg) Values (10100000, 987654, '2026-12-09 11:00:00', 'user gone')");
    site.config(statements.join(QStringLiteral("\n/\n")));

    QString shown;
    QTimer::singleShot(0, [&shown] {
        shown = FrDisplayError->Memo1->toPlainText();
        FrDisplayError->BtOk->click();
    });
    window->PopupMenu1->findChild<QAction*>(QStringLiteral("DisplayErrorLog"))->trigger();
    const QStringList lines = shown.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 200);
    EXPECT_EQ(lines.first(), QStringLiteral("01/11/2026 12:09:00 BOB ใบสั่งขาย error 249"));
    EXPECT_EQ(lines.last(), QStringLiteral("01/11/2026 08:50:00 BOB ใบสั่งขาย error 50"));
    EXPECT_FALSE(shown.contains(QStringLiteral("gone")));
    EXPECT_EQ(FrDisplayError->result(), QDialog::Accepted);

    // Every show reads the log again; an empty log is an empty text.
    site.config(QStringLiteral("Delete From errorlog"));
    FrDisplayError->show();
    EXPECT_EQ(FrDisplayError->Memo1->toPlainText(), QString());
    FrDisplayError->close();
    EXPECT_EQ(FrDisplayError->windowTitle(), QStringLiteral("Display System Program Error"));
    EXPECT_EQ(FrDisplayError->size(), QSize(870, 500));
    EXPECT_TRUE(FrDisplayError->Memo1->isReadOnly());
}

} // namespace
