#pragma once

#include "logon/logontarget.h"

#include <QMainWindow>
#include <memory>

class Connection;
class ImageButton;
class Launcher;
class MenuTreeBinding;
class PublicAddressWatch;
class Query;
class TFrLogon;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QToolButton;
class QTimer;
class QTreeView;
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

    void bindData();

    // Event handlers.
    void FormCreate();
    void FormShow();
    void NewLoginClick();
    void SelectDepartment(ImageButton* button);
    void VSplitterMoved();
    void MenuTreeClick();
    void MenuTreeDblClick();
    void MenuTreeKeyDown(int key);
    void MenuTreeMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void N1Click(); // expand all
    void N2Click(); // collapse all
    void ChkUpdateClick();
    void GbHeaderDblClick();
    void Timer1Timer();
    void DisplayErrorLogClick();
    void ChkInternetClick();
    void ErrorZAQEMail1Click();
    // The internet check (switched from the tree's pop-up menu) doubles the title scroll.
    void setInternetCheck(bool on) { m_internetCheck = on; }
    // Run by the timer every 180 ticks while the internet check is on.
    void PublicAddressCheck();

    // Steps of the show sequence with their own names.
    void VersionCheckAtLogon();
    QList<ImageButton*> departmentButtons() const;
    // The test-machine marker: ZAQTest.Dat in the folder above the program's.
    static bool testMachine();

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

    // Controls, by their component names.
    QFrame* GbHeader;
    QToolButton* ChkUpdate;
    QLabel* TMemory;
    QLabel* FMemory;
    QLabel* FullName;
    QFrame* GbDepartment;
    QSplitter* VSplitter;
    QWidget* Panel1;
    QTreeView* MenuTree;
    QPlainTextEdit* MenuInfo;
    QLabel* StatusPanel0;
    QLabel* StatusPanel1;
    QMenu* PopupMenu1;
    QMenu* PopupMenu2;

    // The company database connection "data" and its queries.
    Connection* data;
    Query* qconfig;
    Query* QAccount;

    // Configuration queries of the window.
    Query* QDepartmentRight = nullptr;
    Query* QTreeMenu = nullptr;
    Query* QChkFieldSetDocYear = nullptr;
    Query* Query1 = nullptr;
    QTimer* Timer1;
    MenuTreeBinding* MenuTreeData = nullptr;
    Launcher* MenuLauncher = nullptr;
    std::unique_ptr<PublicAddressWatch> AddressWatch;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void endProgram();
    struct CompanyConfig
    {
        QString lastUpdate;
        int runYear = 0;
    };
    CompanyConfig openCompanyDatabase();
    void showCompanyStatus(const CompanyConfig& company);
    void buildDepartments();
    void openTreeMenu(qint64 departmentId);
    void reopenConfiguration();
    void placeOnScreen();
    void ensureSetDocYearColumn();
    void refreshMemoryLabels();
    void placeFullName();
    void scrollTitle();

    bool m_readOnly;
    bool m_firstShow = true;
    bool m_internetCheck = false;
    int m_publicAddressTicks = 0;
    QString m_titleText;
    TFrLogon* m_logon = nullptr;
    QWidget* m_logo = nullptr;
};
