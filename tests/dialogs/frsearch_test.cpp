// The user and group search: what it lists, how it is chosen from, what it
// hands back, its captions, its sorting, and the code-box helper built on it.
#include "dialogstest.h"

#include "config/dmconfig.h"
#include "db/query.h"
#include "dialogs/codesearch.h"
#include "dialogs/frsearchuser.h"
#include "fixturesite.h"
#include "scriptedprompts.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace {

// Users and groups beside the reserved ZAQ and ZAQSYSTEM of every site: Thai
// names, inactive rows, and names with a quote, a "%" and a "_".
const char* const kPeople
    = R"(Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('ACCT', 'ฝ่ายบัญชี', 'Y', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('OLDGRP', 'กลุ่มเก่า', 'Y', 'N')
/
Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('SALES', 'Sales Team', 'Y', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('SOMCHAI', 'สมชาย ใจดี', 'N', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('JOHN', 'John Smith', 'N', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('OBRIEN', 'Pat O''Brien', 'N', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('PCT', '100% Club', 'N', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('UNDER', 'snake_case', 'N', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('OLDUSER', 'ลาออกแล้ว', 'N', 'N')
)";

const QStringList kUsers = { QStringLiteral("JOHN"), QStringLiteral("OBRIEN"), QStringLiteral("OLDUSER"),
    QStringLiteral("PCT"), QStringLiteral("SOMCHAI"), QStringLiteral("UNDER") };
const QStringList kGroups = { QStringLiteral("ACCT"), QStringLiteral("OLDGRP"), QStringLiteral("SALES") };

class UserSearch : public ::testing::Test
{
protected:
    UserSearch()
    {
        site.config(QString::fromUtf8(kPeople));
        DmConfig = &dm;
        search = std::make_unique<TFrSearchUser>();
        search->ReturnField = QStringLiteral("Code");
    }
    ~UserSearch() override
    {
        search.reset();
        DmConfig = nullptr;
    }

    // Every code the grid lists, in its order.
    QStringList listed() const
    {
        SearchModel* model = search->DSearch;
        while (model->canFetchMore({}))
            model->fetchMore({});
        QStringList codes;
        for (int r = 0; r < model->rowCount(); ++r)
            codes.append(model->index(r, 0).data().toString());
        return codes;
    }
    // Types the text into the box and presses Enter there.
    void searchFor(const QString& text)
    {
        search->Code->setFocus();
        search->Code->setText(text);
        press(*search, Qt::Key_Return);
    }
    int userCount() const { return site.configScalar(QStringLiteral("Select Count(*) From UserName")).toInt(); }

    WithApplication app;
    ScriptedPrompts prompts;
    FixtureSite site;
    TDMConfig dm;
    std::unique_ptr<TFrSearchUser> search;
};

TEST_F(UserSearch, AnEmptyBoxListsEveryUserOrGroupButTheReservedOnes)
{
    for (const bool groups : { false, true }) {
        search->GroupMode = groups;
        runModal(*search, [&] {
            searchFor(QString());
            EXPECT_EQ(listed(), groups ? kGroups : kUsers);
            EXPECT_EQ(search->focusWidget(), search->DgSearch);
            EXPECT_EQ(search->DgSearch->currentIndex().row(), 0);
            searchFor(QStringLiteral("  ZAQ  ")); // the reserved codes stay out even when asked for
            EXPECT_EQ(listed(), QStringList());
            EXPECT_EQ(search->focusWidget(), search->Code);
        });
    }
    EXPECT_TRUE(prompts.allTexts().isEmpty());
}

TEST_F(UserSearch, TextMatchesCodeOrFullNameAnywhere)
{
    const struct
    {
        const char* text;
        QStringList codes;
    } cases[] = {
        { "ใจดี", { QStringLiteral("SOMCHAI") } }, // only the full name holds it
        { "smith", { QStringLiteral("JOHN") } }, { " oh ", { QStringLiteral("JOHN") } }, // surrounding blanks removed
        { "LDUS", { QStringLiteral("OLDUSER") } }, // part of a code
    };
    runModal(*search, [&] {
        for (const auto& c : cases) {
            searchFor(QString::fromUtf8(c.text));
            EXPECT_EQ(listed(), c.codes) << c.text;
        }
    });
}

TEST_F(UserSearch, QuotesAndWildcardsInTheBoxAreSearchedSafely)
{
    const int before = userCount();
    const struct
    {
        const char* text;
        const char* mustFind; // nullptr: nothing
    } cases[] = {
        { "O'Brien", "OBRIEN" },
        { "Pat O'", "OBRIEN" },
        { "'; Delete From UserName; --", nullptr },
        { "') Or ('1' = '1", nullptr },
        { "100%", "PCT" },
        { "snake_case", "UNDER" },
        { "%", "JOHN" }, // "%" and "_" stay wildcards
        { "_", "JOHN" },
    };
    runModal(*search, [&] {
        for (const auto& c : cases) {
            searchFor(QString::fromUtf8(c.text));
            const QStringList found = listed();
            if (c.mustFind)
                EXPECT_TRUE(found.contains(QString::fromUtf8(c.mustFind)))
                    << c.text << " found " << found.join(u',').toStdString();
            else
                EXPECT_EQ(found, QStringList()) << c.text;
        }
        searchFor(QStringLiteral("O'Brien"));
        EXPECT_EQ(listed(), QStringList { QStringLiteral("OBRIEN") });
    });
    EXPECT_EQ(prompts.errors(), QStringList());
    EXPECT_EQ(userCount(), before);
}

TEST_F(UserSearch, CancelEscAndChoosingFromNothingGiveCancelAndNoValue)
{
    const struct
    {
        const char* how;
        std::function<void(TFrSearchUser&)> drive;
    } ways[] = {
        { "Cancel after a search",
            [this](TFrSearchUser& s) {
                searchFor(QString());
                s.BtCancel->click();
            } },
        { "Esc in the grid",
            [this](TFrSearchUser& s) {
                searchFor(QString());
                press(s, Qt::Key_Escape);
            } },
        { "Esc in the box", [](TFrSearchUser& s) { press(s, Qt::Key_Escape); } },
        { "OK on an empty result",
            [this](TFrSearchUser& s) {
                searchFor(QStringLiteral("nobody"));
                s.BtOk->click();
            } },
        { "Enter in the grid on an empty result",
            [this](TFrSearchUser& s) {
                searchFor(QStringLiteral("nobody"));
                s.DgSearch->setFocus();
                press(s, Qt::Key_Return);
            } },
        { "OK before any search", [](TFrSearchUser& s) { s.BtOk->click(); } },
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.how);
        search->ReturnValue = QStringLiteral("JOHN"); // what an earlier pick left
        const ModalRun run = runModal(*search, [&] { w.drive(*search); });
        EXPECT_FALSE(run.leftOpen);
        EXPECT_EQ(run.result, QDialog::Rejected);
        EXPECT_EQ(search->ReturnValue, QString());
    }
}

TEST_F(UserSearch, ChoosingHandsBackTheCodeOfTheChosenRow)
{
    const struct
    {
        const char* how;
        std::function<void(TFrSearchUser&)> drive;
        const char* code;
    } ways[] = {
        { "Enter in the grid",
            [](TFrSearchUser& s) {
                press(s, Qt::Key_Down);
                press(s, Qt::Key_Return);
            },
            "OBRIEN" },
        { "double click",
            [](TFrSearchUser& s) {
                const QRect cell = s.DgSearch->visualRect(s.DSearch->index(2, 1));
                // a widget double click is only the second press: the first comes before it
                QTest::mouseClick(s.DgSearch->viewport(), Qt::LeftButton, {}, cell.center());
                QTest::mouseDClick(s.DgSearch->viewport(), Qt::LeftButton, {}, cell.center());
            },
            "OLDUSER" },
        { "OK after Down from the box",
            [](TFrSearchUser& s) {
                s.Code->setFocus();
                press(s, Qt::Key_Down);
                EXPECT_EQ(s.focusWidget(), s.DgSearch);
                s.BtOk->click();
            },
            "JOHN" },
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.how);
        const ModalRun run = runModal(*search, [&] {
            searchFor(QString());
            w.drive(*search);
        });
        EXPECT_EQ(run.result, QDialog::Accepted);
        EXPECT_EQ(search->ReturnValue, QString::fromUtf8(w.code));
    }
}

TEST_F(UserSearch, CaptionsFollowLanguageAndMode)
{
    const struct
    {
        bool thai;
        bool groups;
        const char* title;
    } cases[] = {
        { false, true, "Searching Group Code " }, // the blank at the end belongs to it
        { false, false, "Searching User ID" },
        { true, true, "ค้นหา กลุ่ม" },
        { true, false, "ค้นหา ผุ้ใช้งาน" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        dm.ThaiLanguage = c.thai;
        search->GroupMode = c.groups;
        runModal(*search, [&] {
            EXPECT_EQ(search->windowTitle(), QString::fromUtf8(c.title));
            const QStringList texts = { search->Label3->text(), search->BtSearch->text(), search->BtOk->text(),
                search->BtCancel->text(), search->DSearch->headerData(0, Qt::Horizontal).toString(),
                search->DSearch->headerData(1, Qt::Horizontal).toString() };
            if (c.thai)
                EXPECT_EQ(texts,
                    (QStringList { QStringLiteral("ชื่อ"), QStringLiteral("ค้นหา"), QStringLiteral("เลือก"),
                        QStringLiteral("ไม่เลือก"), QStringLiteral("รหัส"), QStringLiteral("ชื่อผู้ใช้งาน") }));
            else
                EXPECT_EQ(texts,
                    (QStringList { QStringLiteral("Name"), QStringLiteral("Search"), QStringLiteral("Choose"),
                        QStringLiteral("Cancel"), QStringLiteral("User ID"), QStringLiteral("User Name") }));
            EXPECT_EQ(search->BtOk->font().pointSize() == 8, !c.thai);
        });
    }
}

TEST_F(UserSearch, TitleClicksSortAscendingThenDescendingAndTheOrderOutlivesTheShow)
{
    auto clickTitle = [this](int column) {
        QHeaderView* header = search->DgSearch->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
    };
    auto orderLine = [this] { return search->QSearch->sql().at(6); };
    runModal(*search, [&] {
        searchFor(QString());
        const struct
        {
            int column;
            const char* line;
            const char* firstCode;
        } clicks[] = {
            { 0, "Order By 1", "JOHN" }, { 0, "Order By 1 Desc", "UNDER" }, { 0, "Order By 1", "JOHN" },
            { 1, "Order By 2", "PCT" }, // another column starts ascending: "100% Club"
        };
        for (const auto& c : clicks) {
            clickTitle(c.column);
            EXPECT_EQ(orderLine(), QString::fromUtf8(c.line));
            EXPECT_EQ(listed().value(0), QString::fromUtf8(c.firstCode)) << c.line;
            EXPECT_EQ(search->focusWidget(), search->DgSearch);
        }
    });
    // The next use keeps the order and the state: its first click on the name sorts descending.
    runModal(*search, [&] {
        searchFor(QString());
        EXPECT_EQ(listed().value(0), QStringLiteral("PCT"));
        clickTitle(1);
        EXPECT_EQ(orderLine(), QStringLiteral("Order By 2 Desc"));
        EXPECT_EQ(listed().value(0), QStringLiteral("SOMCHAI")); // Thai letters sort after Latin ones
    });
    EXPECT_EQ(search->LastSortField, QStringLiteral("FULLNAME"));
    EXPECT_TRUE(prompts.allTexts().isEmpty());
}

TEST_F(UserSearch, InactiveRowsAreRedAlsoWhenSelected)
{
    runModal(*search, [&] {
        searchFor(QString());
        const int inactive = int(listed().indexOf(QStringLiteral("OLDUSER")));
        const int active = int(listed().indexOf(QStringLiteral("JOHN")));
        QTableView* grid = search->DgSearch;
        auto colourOf = [grid](int row) {
            const QRect cell = grid->visualRect(grid->model()->index(row, 1));
            const QImage shot = grid->viewport()->grab().toImage();
            return QColor(shot.pixel(cell.right() - 4, cell.center().y()));
        };
        const QColor red(255, 0, 0);
        const QColor window = grid->palette().color(QPalette::Base);
        const QColor windowText = grid->palette().color(QPalette::Text);
        ASSERT_NE(window, windowText);

        grid->setCurrentIndex(grid->model()->index(active, 0));
        EXPECT_EQ(colourOf(active), windowText);
        EXPECT_EQ(colourOf(inactive), red);
        grid->setCurrentIndex(grid->model()->index(inactive, 0));
        EXPECT_EQ(colourOf(inactive), red);
        EXPECT_EQ(colourOf(active), window);
    });
}

TEST_F(UserSearch, TheGridReadsRowsAsItScrollsToThem)
{
    QStringList inserts;
    for (int i = 0; i < 300; ++i)
        inserts.append(QStringLiteral(
            "Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('M%1', 'Many', 'N', 'Y')")
                           .arg(i, 3, 10, QLatin1Char('0')));
    site.config(inserts.join(QStringLiteral("\n/\n")));
    runModal(*search, [&] {
        searchFor(QStringLiteral("Many"));
        QTableView* grid = search->DgSearch;
        EXPECT_LT(search->QSearch->fetchedCount(), 300);
        int shown = -1;
        while (shown != grid->model()->rowCount()) { // scroll on until nothing more comes
            shown = grid->model()->rowCount();
            grid->scrollToBottom();
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(shown, 300);
        EXPECT_EQ(grid->model()->index(299, 0).data().toString(), QStringLiteral("M299"));
    });
}

TEST_F(UserSearch, ADatabaseErrorShowsTheErrorBoxAndTheDialogStaysOpen)
{
    const ModalRun run = runModal(*search, [&] {
        site.config(QStringLiteral("Drop Table UserName"));
        searchFor(QStringLiteral("john"));
        EXPECT_EQ(prompts.errors().size(), 1);
        EXPECT_TRUE(search->isVisible());
    });
    EXPECT_TRUE(run.leftOpen);
}

TEST_F(UserSearch, CodeBoxTakesThePickedCodeAndKeepsItsTextOnCancel)
{
    FrSearchUser = search.get();
    QDialog screen;
    auto* box = new QLineEdit(QStringLiteral("TYPED"), &screen);
    auto* button = new QToolButton(&screen);
    bool groups = false;
    attachCodeSearch(box, button, [&] { return groups; });

    auto whenUp = [this](std::function<void()> act) {
        QTimer::singleShot(0, search.get(), [this, act] {
            EXPECT_TRUE(QTest::qWaitForWindowActive(search.get()));
            act();
        });
    };
    runModal(screen, [&] {
        box->setFocus();
        whenUp([this] { press(*search, Qt::Key_Escape); });
        press(screen, Qt::Key_F5);
        EXPECT_EQ(box->text(), QStringLiteral("TYPED"));

        groups = true;
        whenUp([this] {
            EXPECT_EQ(search->windowTitle(), QStringLiteral("Searching Group Code "));
            searchFor(QStringLiteral("บัญชี"));
            press(*search, Qt::Key_Return);
        });
        button->click();
        EXPECT_EQ(box->text(), QStringLiteral("ACCT"));
        EXPECT_EQ(search->ReturnField, QStringLiteral("Code"));
    });
    FrSearchUser = nullptr;
}

} // namespace
