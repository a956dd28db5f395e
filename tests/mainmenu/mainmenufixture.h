#pragma once

#include "config/dmconfig.h"
#include "config/programexit.h"
#include "fakeworkstation.h"
#include "fixedclock.h"
#include "logon/frlogon.h"
#include "logondriver.h"
#include "logonfixture.h"
#include "mainmenu/frmainmenu.h"
#include "recordingshell.h"
#include "scriptedprompts.h"
#include "testapp.h"

#include <gtest/gtest.h>
#include <memory>

// The main window and its logon dialog over the logon fixture's site, on
// 10/12/2026, with every box answered by script and every start recorded.
class MainMenuFixture : public ::testing::Test
{
protected:
    MainMenuFixture()
    {
        testApp();
        LogonFixture::build(site);
        DmConfig = &dm;
        setHaltHandler([this](int code) { halted = code; });
        window = std::make_unique<TFrMainMenu>(false);
        logon = std::make_unique<TFrLogon>(window.get());
        window->setLogonDialog(logon.get());
    }
    ~MainMenuFixture() override
    {
        setHaltHandler({});
        logon.reset();
        window.reset();
    }

    void answerLogon(const QString& code, const QString& password, int choice = -1)
    {
        answerLogonWhenShown(*logon, { code, password, choice, {} }, &logonShown);
    }

    // Runs the show sequence with a person answering the logon dialog.
    void logOn(const QString& code, const QString& password, int choice = -1)
    {
        answerLogon(code, password, choice);
        if (!window->isVisible())
            window->show();
        window->FormShow();
    }

    FixtureSite site;
    ScriptedPrompts prompts;
    RecordingShell shell;
    FixedClock clock { QDateTime(QDate(2026, 12, 10), QTime(9, 0)) };
    FakeWorkstation workstation;
    TDMConfig dm;
    std::unique_ptr<TFrMainMenu> window;
    std::unique_ptr<TFrLogon> logon;
    int halted = -1;
    bool logonShown = false;
};
