#pragma once

#include "config/dmconfig.h"
#include "config/programexit.h"
#include "logon/frlogon.h"
#include "logondriver.h"
#include "mainmenu/frmainmenu.h"
#include "toolkit/imagebutton.h"

#include <QCoreApplication>

// The program's main window for a benchmark, made as the program makes it: the
// data module, the window and its logon dialog. Like the program's own windows
// they live to the end of the process.
struct BenchWindow
{
    // Once the application and the site exist.
    void makeWindow()
    {
        setHaltHandler([this](int code) { halted = code; });
        dm = new TDMConfig;
        DmConfig = dm;
        window = new TFrMainMenu(false);
        logon = new TFrLogon(window);
        window->setLogonDialog(logon);
        window->show();
    }

    // The show sequence with a person answering the logon dialog, then the
    // layout and painting of what it built.
    void logOn(const LogonAnswer& answer)
    {
        answerLogonWhenShown(*logon, answer);
        window->FormShow();
        QCoreApplication::processEvents();
    }

    ImageButton* department(qint64 id) const
    {
        for (ImageButton* b : window->departmentButtons()) {
            if (b->tag() == id)
                return b;
        }
        return nullptr;
    }

    TDMConfig* dm = nullptr;
    TFrMainMenu* window = nullptr;
    TFrLogon* logon = nullptr;
    int halted = -1;
};
