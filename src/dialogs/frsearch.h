#pragma once

#include "dialogs/searchmodel.h"

#include <QColor>
#include <QDialog>

class Connection;
class KeyPreview;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;
class Query;

// A modal pick-list over one query: a search box, a grid of the result, keys
// that choose or search, inactive rows in red, and sorting by a click on a
// column title. The caller sets ReturnField before showing it and reads
// ReturnValue after: empty whenever nothing was chosen.
//
// A descendant gives QSearch its text and the grid its columns, and replaces
// FormShow (calling this one first) and BtSearchClick. The dialog is made once
// and reused: a show empties the box and closes the query, while ReturnField,
// GroupMode, the query text as sorting left it and the sort state persist.
class TFrSearch : public QDialog
{
    Q_OBJECT
public:
    explicit TFrSearch(Connection* connection, QWidget* parent = nullptr);
    ~TFrSearch() override;

    // Components.
    QFrame* PanelHeader;
    QLabel* Label3;
    QLineEdit* Code;
    QToolButton* BtSearch;
    QPushButton* BtOk;
    QPushButton* BtCancel;
    QTableView* DgSearch;
    Query* QSearch;
    SearchModel* DSearch;

    // Set by the caller before showing, read after.
    QString ReturnField;
    QString ReturnValue;
    bool GroupMode = false;

    // Sort state: the upper-cased name of the column sorted last, and whether its next click sorts descending.
    QString LastSortField;
    bool SortDescending = false;

    // The background of a row's cells: red for an inactive row, selected or not.
    QColor DgSearchGetCellParams(int row, bool selected) const;

public slots:
    // Every close runs the close step first.
    void done(int result) override;

protected:
    // Show step: button captions by language, the query closed, the box empty and focused.
    virtual void FormShow();
    // Close step: ReturnValue from the chosen row, or empty and Cancel.
    virtual void FormClose(int& result);
    // Answers true when the key is dealt with.
    virtual bool FormKeyDown(QKeyEvent* event);
    // The generic search: the query again with its current parameters.
    virtual void BtSearchClick();
    void DgSearchDblClick();
    void DgSearchTitleBtnClick(int column);

    // The grid's columns, their titles and widths (0: the rest of the grid).
    void setGridColumns(const QList<SearchModel::Column>& columns);
    // When the query returned rows: the focus into the grid, on the first row.
    void focusFirstRow();

    void showEvent(QShowEvent* event) override;

private:
    bool isLargeObject(int queryColumn) const;

    KeyPreview* m_keyPreview;
};
