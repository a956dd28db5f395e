#pragma once

#include "config/dmconfig.h"
#include "db/embedded/server.h"
#include "logon/frlogon.h"
#include "logon/logontarget.h"
#include "logonfixture.h"
#include "scriptedprompts.h"
#include "testapp.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <gtest/gtest.h>

// The logon fixture's site with its configuration connection open and a logon
// context as the rights lookup leaves it: ANN of ADMIN (may set others'
// passwords), Thai, on A2026.
class SecuritySite : public ::testing::Test
{
protected:
    SecuritySite()
    {
        testApp();
        LogonFixture::build(site);
        DmConfig = &dm;
        dm.DmCfg->open();
        dm.CurrentDatabaseName = QStringLiteral("A2026");
        dm.CompanyNameThai = QStringLiteral("บริษัท เอ จำกัด");
        logOnAs(QStringLiteral("ANN"), true);
    }

    void logOnAs(const QString& code, bool maySetOthers)
    {
        dm.UserCode = code;
        dm.CanSetOtherUserPass = maySetOthers;
        dm.ThaiLanguage = true;
    }

    QVariant scalar(const QString& select) const { return site.configScalar(select); }

    // Makes the configuration database refuse a statement, as a server would
    // on a constraint or a lost connection: a trigger that aborts with the text.
    void injectFailure(const QString& when, const QString& message) const
    {
        ++m_injected;
        onConfigFile(QStringLiteral("CREATE TRIGGER inject%1 %2 BEGIN SELECT RAISE(ABORT, '%3'); END")
                         .arg(m_injected)
                         .arg(when, message));
    }

    void removeFailures() const
    {
        for (; m_injected > 0; --m_injected)
            onConfigFile(QStringLiteral("DROP TRIGGER inject%1").arg(m_injected));
    }

    // Runs SQLite's own SQL on the configuration database's file, beside the engine.
    void onConfigFile(const QString& statement) const
    {
        const QString name = QStringLiteral("beside");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(QDir(site.serverFolder())
                                   .filePath(QStringLiteral("ZAQ_CONFIG") + QLatin1String(EmbeddedServer::kExtension)));
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            ASSERT_TRUE(q.exec(statement)) << q.lastError().text().toStdString();
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }

    // Whether the logon dialog takes the password (it then goes on to the
    // databases, or says the user has none).
    bool logsOn(const QString& code, const QString& password)
    {
        struct Target : LogonTarget
        {
            void setUserId(int) override { }
            void setFullNameText(const QString&) override { }
            void setHeaderHint(const QString&) override { }
            void setCompanyPanelText(const QString&) override { }
        } target;
        TFrLogon logon(&target);
        logon.show();
        prompts.clear();
        logon.UserName->setText(code);
        logon.Password->setText(password);
        QTest::mouseClick(logon.BtLogon, Qt::LeftButton);
        const bool refused = prompts.informations().contains(QStringLiteral("รหัสผ่านไม่ถูกต้อง"))
            || prompts.informations().contains(QStringLiteral("ไม่พบชื่อผู้ใช้"));
        logon.hide();
        prompts.clear();
        return !refused;
    }

    FixtureSite site;
    ScriptedPrompts prompts;
    TDMConfig dm;
    mutable int m_injected = 0;
};
