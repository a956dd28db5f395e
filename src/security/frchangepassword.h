#pragma once

#include "dialogs/frform.h"

class Query;
class QLabel;
class QLineEdit;
class QToolButton;

// The change-password screen. A user whose group may set others' passwords
// picks any active user and sets a new password without the old one; anybody
// else changes only their own, after typing the old one.
class TFrChangePassword : public TFrForm
{
    Q_OBJECT
public:
    explicit TFrChangePassword(QWidget* parent = nullptr);
    ~TFrChangePassword() override;

    // The stored password of the user shown.
    QString CurrentPassword;

    void UserNameExit();

    QLabel* LbCode;
    QLineEdit* UserName;
    QToolButton* BtSearchUser;
    QLabel* LbFullName;
    QLabel* FullName;
    QLabel* LbOldPassword;
    QLineEdit* OldPassword;
    QLabel* LbNewPassword;
    QLineEdit* NewPassword;
    QLabel* LbConfirm;
    QLineEdit* ConfirmPassword;

    Query* QChangePassword;

protected:
    void FormShow() override;
    bool FormClose() override;
    void AcNewExecute() override;
    void AcSaveExecute() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool maySetOthers() const;
    // Loads the user row of the code; false when there is none.
    bool load(const QString& code);

    QString m_loadedCode;
    QByteArray m_passwordNew; // the loaded row's stored forms, which the old password is compared with
    QByteArray m_scrambled;
    bool m_leaving = false;
};
