#pragma once

#include "dialogs/frform.h"

#include <QHash>
#include <QVariant>
#include <functional>

class Connection;
class Query;
class StoredProc;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The one screen for users and user groups. GroupMode, set by the caller
// before the screen is shown, chooses which rows it loads and which boxes it
// shows. A code typed and left loads its record, or starts a new one; Save
// writes the record in one transaction; Delete removes it through DeleteUser.
class TFrUserName : public TFrForm
{
    Q_OBJECT
public:
    explicit TFrUserName(QWidget* parent = nullptr);
    ~TFrUserName() override;

    bool GroupMode = false;
    // True while the loaded code has no row yet: Save inserts it.
    bool NewRecord = true;

    // The company database of the tablet customer list: the server entered at
    // logon and the read-only switch of the command line.
    std::function<QString()> ServerName;
    bool ReadOnly = false;

    static constexpr int kGroupHeight = 550;
    static constexpr int kUserHeight = 400;
    static constexpr int kLogonCodeLength = 10; // what the logon dialog's code box takes

    // Handlers beside those of the frame.
    void OpenQuery(const QString& code);
    void UserNameExit();
    void SetLanguageCaptions();
    void PoApproveLimitMinExit();
    void PoApproveLimitMaxExit();
    void DMdataBeforeConnect();

    // A column of the record being edited, as it will be written.
    QVariant value(const QString& column) const;
    // The check box of a flag column.
    QCheckBox* flagBox(const QString& column) const;

    // Controls, by their component names.
    QLabel* LbCode;
    QLineEdit* UserName;
    QToolButton* BtSearchUser;
    QLabel* LbFullName;
    QLineEdit* FullName;
    QGroupBox* GbUserGroup;
    QComboBox* GroupId;
    QGroupBox* GbUserInfo;
    QLabel* LbPassword;
    QLineEdit* Password;
    QLabel* LbConfirm;
    QLineEdit* Confirm;
    QLabel* LbLanguage;
    QComboBox* LanguageNo;
    QLineEdit* Discount;
    QLineEdit* Email;
    QLineEdit* Remark;
    QLineEdit* AddDate;
    QLineEdit* EditDate;
    QLineEdit* PoApproveLimitMin;
    QLineEdit* PoApproveLimitMax;
    QCheckBox* Active;
    QGroupBox* GbUserTablet;
    QLineEdit* PasswordTablet;
    QComboBox* CusCodeTablet;
    QLabel* LbCustomerName;
    QGroupBox* GbGroupWeb;
    QGroupBox* GbGroupInfo;

    Connection* DMdata;
    Query* QUserName;
    Query* QUserGroup;
    Query* Qsoftwareconfig;
    Query* QTemp;
    Query* QCustomer;
    StoredProc* DeleteUser;

protected:
    void FormShow() override;
    void AcNewExecute() override;
    void AcSaveExecute() override;
    void AcDelExecute() override;
    void ToolBar1Click() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void fitHeight();
    void showRecord();
    void readControls();
    void fillGroupList();
    void fillCustomerList();
    void showCustomerName();
    void applyRecord();
    void writeTrail(bool deleted);
    bool reservedForOthers(const QString& code) const;
    void showGroup(const QVariant& id);
    QVariant groupCode(const QVariant& id) const;
    static QStringList guardedColumns();

    QHash<QString, QVariant> m_record; // by upper-cased column name
    QHash<QString, QVariant> m_loaded; // the record as loaded, for the security trail; empty for a new one
    QHash<QString, QVariant> m_stored; // the row exactly as read, which the update must still find
    QVariant m_oldId;
    int m_groupListSize = 0; // the offered groups; a loaded user's other group follows them
    QHash<QString, QCheckBox*> m_flags; // by upper-cased column name
    qint64 m_poMinimum = 0;
    bool m_leaving = false;
};
