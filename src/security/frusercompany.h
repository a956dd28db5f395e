#pragma once

#include "dialogs/frform.h"

#include <QVector>

class AssignmentModel;
class QComboBox;
class QGroupBox;
class QPushButton;
class QTableView;
class Query;

// The company databases one user may log on to. The grid shows the user's
// databases, the choice box every other one, newest year first; Add and Remove
// move entries between them, and Save writes the held changes in one
// transaction. The logon offers exactly the databases assigned here.
class TFrUserCompany : public TFrForm
{
    Q_OBJECT
public:
    explicit TFrUserCompany(QWidget* parent = nullptr);
    ~TFrUserCompany() override;

    // Components.
    QGroupBox* GroupBox1;
    QLabel* Label4;
    QLineEdit* UserCode;
    QToolButton* BtSearchUser;
    QLabel* UserName;
    QTableView* DgList;
    AssignmentModel* DList; // the user's list with its held changes
    QPushButton* BtAdd;
    QPushButton* BtDelete;
    QLabel* Label3;
    QComboBox* AvaiDb;
    Query* QUser;
    Query* QDatabase;

    int CurrentUserId = 0;
    // The DatabaseList Id behind each entry of the choice box, in its order.
    QVector<int> AvailableDbIds;

    void BtAddClick();
    void BtDeleteClick();

protected:
    void FormShow() override;
    void AcNewExecute() override;
    void AcSaveExecute() override;
    void UserCodeExit();
    void OpenAvailableDatabase();

private:
    void refuseCode(const QString& message);
};
