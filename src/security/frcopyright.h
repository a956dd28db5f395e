#pragma once

#include <QDialog>

class Connection;
class Query;
class QLabel;
class QPushButton;
class QTableView;
class SearchModel;
class StoredProc;

// Gives one group every menu right of another in one step. The caller sets
// TargetGroupId and shows the dialog modally; the dialog lists the other active
// groups, and Copy runs the database's CopyUserRights for the chosen one. Copy
// always closes with OK, whether or not anything was copied; Close gives Cancel.
// One instance, FrCopyRight, is made at start-up and reused.
class TFrCopyRight : public QDialog
{
    Q_OBJECT
public:
    // On the configuration connection of DmConfig unless another is given.
    explicit TFrCopyRight(QWidget* parent = nullptr, Connection* connection = nullptr);
    ~TFrCopyRight() override;

    int TargetGroupId = 0;
    QString TargetGroupCode; // named in the security trail

    QTableView* UserGrid;
    QPushButton* BCopy;
    QPushButton* BClose;
    QLabel* CountLabel; // how many entries the target gains and loses with the chosen group
    Query* QUser;
    SearchModel* DUser;
    StoredProc* PCopy;

    // The access code a user other than ZAQ must type to copy from the group ZAQ.
    static QString accessCode();

    // What copying one group's rights onto another would change, by entry.
    struct Count
    {
        int gained = 0;
        int lost = 0;
        int changed = 0;
    };
    static Count countCopy(Connection& connection, int fromGroupId, int toGroupId);

protected:
    void FormShow();
    void FormClose();
    void BCopyClick();
    void BCloseClick();

    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    bool mayCopyFrom(const QString& groupCode) const;
    void showCount();
};

// The program's one copy dialog; start-up makes it, or copyRightDialog() on first use.
extern TFrCopyRight* FrCopyRight;
TFrCopyRight& copyRightDialog();
