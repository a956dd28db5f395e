#pragma once

#include "dialogs/frform.h"

#include <QMap>

class CheckBoxCell;
class QGroupBox;
class QMenu;
class QTableView;
class Query;
class RightsModel;
class StoredProc;
class TFrCopyRight;

// The rights of one user group on the menu entries: which entries the group
// may open, and on each whether it may add, modify and delete. The grid lists
// every entry for the built-in group ZAQSYSTEM and, for any other group, only
// the entries the administrator's own group holds, so nobody hands out more
// than he has. Edits stay in the grid until Save writes them in one transaction.
class TFrUserRights : public TFrForm
{
    Q_OBJECT
public:
    // The copy dialog is the program's one, unless a test hands in its own.
    explicit TFrUserRights(QWidget* parent = nullptr, TFrCopyRight* copyDialog = nullptr);
    ~TFrUserRights() override;

    // Components.
    QGroupBox* GroupBox1;
    QLabel* Label2;
    QLineEdit* UserCode;
    QToolButton* BtSearchUser;
    QLabel* UserName;
    QTableView* DgRights;
    RightsModel* QRights; // the rows of the rights query, held until saved
    Query* QGroup;
    StoredProc* SpDeleteOldRight;
    QMenu* PopupMenu1;
    QAction* SelectAll1;
    QAction* UnSelectAll1;

    int CurrentGroupId = 0;
    bool m_everyEntry = false; // the loaded group's grid lists every menu entry (the built-in group)
    QString ToggleValue;

    void SetLanguageCaptions();

    // Handlers a person reaches by a double-click, a column title and the pop-up menu.
    void DgRightsDblClick(int row);
    void DgRightsTitleButtonClick(int column);
    void SelectAll1Click();
    void UnSelectAll1Click();

protected:
    void FormShow() override;
    void AcNewExecute() override;
    void AcSaveExecute() override;
    void AcCopyExecute() override;
    void ToolBar1Click() override;
    void UserCodeExit();
    // Sets every entry below the menu entry to ToggleValue (see cascadeRows).
    void SearchParent(qint64 menuId, int row);

private:
    void setEveryRow(const QString& value);
    void refuseCode(const QString& message);
    void writeTrail(const QMap<int, QString>& before, const QMap<int, QString>& after);

    TFrCopyRight* m_copyDialog;
    CheckBoxCell* m_checkCells;
};
