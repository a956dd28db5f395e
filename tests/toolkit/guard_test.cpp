#include "toolkitapp.h"

#include "db/dberror.h"
#include "fakeworkstation.h"
#include "scriptedprompts.h"
#include "toolkit/keyboardlayout.h"
#include "workstation/workstation.h"

#include <QEvent>
#include <gtest/gtest.h>

namespace {

TEST(Guard, ErrorShowsItsMessageAndSkipsTheRest)
{
    ScriptedPrompts boxes;
    const struct
    {
        const char* name;
        std::function<void()> raise;
        QString message;
    } cases[] = {
        { "database", [] { throw DbError(QStringLiteral("Login failed for user 'zaq'.")); },
            QStringLiteral("Login failed for user 'zaq'.") },
        { "database, Thai", [] { throw DbError(QStringLiteral("ไม่พบข้อมูล")); }, QStringLiteral("ไม่พบข้อมูล") },
        { "standard", [] { throw std::runtime_error("disk full"); }, QStringLiteral("disk full") },
        { "workstation",
            [] { throw WorkstationError(QStringLiteral("RasEnumConnectionsA not found in rasapi32.dll")); },
            QStringLiteral("RasEnumConnectionsA not found in rasapi32.dll") },
    };
    for (const auto& c : cases) {
        boxes.clear();
        bool rest = false;
        EXPECT_FALSE(guarded([&] {
            c.raise();
            rest = true;
        })) << c.name;
        EXPECT_FALSE(rest) << c.name;
        EXPECT_EQ(boxes.errors(), QStringList { c.message }) << c.name;
    }
}

TEST(Guard, HandlerThatSucceedsShowsNothing)
{
    ScriptedPrompts boxes;
    bool ran = false;
    EXPECT_TRUE(guarded([&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

class Throwing : public QObject
{
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw DbError(QStringLiteral("Invalid object name 'menu'."));
        return QObject::event(e);
    }
};

TEST(GuardedApplication, ExceptionEscapingAHandlerIsShownNotPropagated)
{
    toolkitApp();
    ScriptedPrompts boxes;
    Throwing receiver;
    QEvent event(QEvent::User);
    bool handled = true;
    EXPECT_NO_THROW(handled = QCoreApplication::sendEvent(&receiver, &event));
    EXPECT_FALSE(handled);
    EXPECT_EQ(boxes.errors(), QStringList { QStringLiteral("Invalid object name 'menu'.") });
}

TEST(KeyboardLayoutMessage, NamesThaiAndEnglishOnly)
{
    ScriptedPrompts boxes;
    FakeWorkstation fake;
    const struct
    {
        const char* layout;
        QStringList shown;
    } cases[] = {
        { "0000041E", { "Thai" } }, { "00000409", { "English" } }, { "00000411", {} }, // Japanese
        { "0000041e", {} }, // identifiers compare exactly
        { "", {} }, // a platform without layout identifiers
    };
    for (const auto& c : cases) {
        boxes.clear();
        fake.keyboardLayout = QString::fromLatin1(c.layout);
        KeyboardLayoutMessage();
        EXPECT_EQ(boxes.informations(), c.shown) << c.layout;
        EXPECT_EQ(boxes.shown.size(), c.shown.size()) << c.layout;
    }
}

} // namespace
