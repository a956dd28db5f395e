#pragma once

#include "../dialogs/dialogstest.h"

#include "config/dmconfig.h"
#include "fixturesite.h"
#include "rightssite.h"
#include "scriptedprompts.h"

#include <QLineEdit>

// The rights site with the data module of a logged-on user: SOMCHAI of the
// group ADMIN in Thai unless a test says otherwise.
class SecurityTest : public ::testing::Test
{
protected:
    SecurityTest()
    {
        RightsSite::build(site);
        DmConfig = &dm;
        logOnAs(QStringLiteral("SOMCHAI"), QStringLiteral("ADMIN"));
        dm.ThaiLanguage = true;
    }
    ~SecurityTest() override { DmConfig = nullptr; }

    void logOnAs(const QString& user, const QString& group)
    {
        dm.UserCode = user;
        dm.GroupId = RightsSite::id(site, group);
    }

    // Types the code into the box and leaves it with Enter, as a person does.
    static void enterCode(QDialog& screen, QLineEdit* box, const QString& code)
    {
        box->setFocus();
        box->setText(code);
        press(screen, Qt::Key_Return);
    }

    WithApplication app;
    ScriptedPrompts prompts;
    FixtureSite site;
    TDMConfig dm;
};
