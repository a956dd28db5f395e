#pragma once

#include "logon/logontarget.h"

#include <QMainWindow>

class Connection;
class Query;
class TFrLogon;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QToolButton;
class QTreeWidget;
class QWidget;

// The main window: its show sequence logs the user on, loads the company,
// reads the company database's status line and builds the day's menu.
// Closing it ends the program.
class TFrMainMenu : public QMainWindow, public LogonTarget
{
    Q_OBJECT
public:
    explicit TFrMainMenu(bool readOnlyCompanyDatabases, QWidget* parent = nullptr);
    ~TFrMainMenu() override;

    void setLogonDialog(TFrLogon* logon) { m_logon = logon; }
    void setLogoWindow(QWidget* logo) { m_logo = logo; }

    // Logon context item held here.
    int UserId = 0;

    // Event handlers.
    void FormCreate();
    void FormShow();
    void NewLoginClick();

    // LogonTarget
    void setUserId(int userId) override { UserId = userId; }
    void setFullNameText(const QString& text) override;
    void setHeaderHint(const QString& text) override;
    void setCompanyPanelText(const QString& text) override;

    // State.
    const QString& titleText() const { return m_titleText; }
    bool internetCheck() const { return m_internetCheck; }
    int publicAddressTicks() const { return m_publicAddressTicks; }
    bool isFirstShow() const { return m_firstShow; }
    bool readOnlyCompanyDatabases() const { return m_readOnly; }

    // Controls, by their component names.
    QFrame* GbHeader;
    QToolButton* ChkUpdate;
    QLabel* TMemory;
    QLabel* FMemory;
    QLabel* FullName;
    QFrame* GbDepartment;
    QSplitter* VSplitter;
    QWidget* Panel1;
    QTreeWidget* MenuTree;
    QPlainTextEdit* MenuInfo;
    QLabel* StatusPanel0;
    QLabel* StatusPanel1;
    QMenu* PopupMenu1;
    QMenu* PopupMenu2;

    // The company database connection "data" and its queries.
    Connection* data;
    Query* qconfig;
    Query* QAccount;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void endProgram();
    void readCompanyStatus();

    bool m_readOnly;
    bool m_firstShow = true;
    bool m_internetCheck = false;
    int m_publicAddressTicks = 0;
    QString m_titleText;
    TFrLogon* m_logon = nullptr;
    QWidget* m_logo = nullptr;
};
