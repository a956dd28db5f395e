#pragma once

#include "logon/frlogon.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

// A person at the logon dialog, for the tests and benchmarks that drive the
// main window's show sequence (the dialog is modal there).
struct LogonAnswer
{
    QString code;
    QString password;
    int choice = -1;                   // the database to choose when several are offered; -1 cancels instead
    std::function<void()> beforeClick; // e.g. starts a clock at the click on Logon
};

// As soon as the dialog is up: types the code and password, presses Logon,
// chooses a database when asked to, and cancels a dialog still open after that,
// so that the sequence never waits for nobody. `shown` tells whether it came up.
inline void answerLogonWhenShown(TFrLogon& logon, const LogonAnswer& answer, bool* shown = nullptr)
{
    QTimer::singleShot(0, &logon, [&logon, answer, shown] {
        if (!logon.isVisible())
            return;
        if (shown)
            *shown = true;
        logon.UserName->setText(answer.code);
        logon.Password->setText(answer.password);
        if (answer.beforeClick)
            answer.beforeClick();
        QTest::mouseClick(logon.BtLogon, Qt::LeftButton);
        if (answer.choice >= 0 && logon.isVisible() && logon.choosingDatabase()) {
            logon.DatabaseList->setCurrentIndex(answer.choice);
            QTest::mouseClick(logon.BtOk, Qt::LeftButton);
        }
        if (logon.isVisible())
            logon.reject();
    });
}
