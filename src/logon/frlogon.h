#pragma once

#include <QDate>
#include <QDialog>
#include <QPair>
#include <QVector>

class LogonTarget;
class Query;
class QComboBox;
class QDateEdit;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The logon dialog: work date, user code and password checked against the
// configuration database, then the choice of one company database of the
// work date's year. A confirmed logon fills the logon context.
class TFrLogon : public QDialog
{
    Q_OBJECT
public:
    explicit TFrLogon(LogonTarget* target, QWidget* parent = nullptr);
    ~TFrLogon() override;

    // Logon context items this dialog holds.
    const QString& ServerName() const { return m_serverName; }
    QDate WorkDate() const;

    // Event handlers.
    void FormShow();
    void BtLogonClick();
    void BtOkClick();
    void Panel1Click();
    void FormClose();

    int failureCount() const { return m_failures; }
    bool choosingDatabase() const;

    // Controls, by their component names.
    QFrame* Panel1;
    QLabel* LogoImage;
    QLabel* Label3;
    QDateEdit* WorkDateBox;
    QLabel* Label4;
    QLineEdit* GetServer;
    QLabel* Label1;
    QLineEdit* UserName;
    QLabel* Label2;
    QLineEdit* Password;
    QPushButton* BtLogon;
    QPushButton* BtCancel;
    QGroupBox* GrpSelectDatabase;
    QComboBox* DatabaseList;
    QPushButton* BtOk;

    Query* QLogon = nullptr;
    Query* QCompList = nullptr;
    void bindData();

    static constexpr int kLogonHeight = 220;
    static constexpr int kChoiceHeight = 300;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void attempt();
    QString lockedMessage(int minutes) const;
    void setLogonControlsEnabled(bool enabled);

    LogonTarget* m_target;
    QString m_serverName;
    int m_failures = 0;
    QVector<QPair<int, int>> m_entries; // (company id, year) per item of DatabaseList
};
