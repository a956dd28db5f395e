#pragma once

#include "reports/reporttable.h"

#include <QDialog>
#include <functional>

class Connection;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;
class ReportModel;

// The security reports screen (built-in screen 6): a group's members, what a
// user can do, who can reach an entry or holds a privilege, dormant accounts,
// the security trail and the failed-logon locks. It only reads, but for
// Unlock, which lifts a lock and writes its trail row as the site tool does.
// Every page exports what it shows to CSV, XLSX and PDF, and prints.
class TFrSecurityReports : public QDialog
{
    Q_OBJECT
public:
    // On the configuration connection of DmConfig unless another is given.
    explicit TFrSecurityReports(QWidget* parent = nullptr, Connection* connection = nullptr);

    enum Page { Members, UserRights, WhoCan, Dormant, Trail, Locks };

    QTabWidget* Pages;
    QComboBox* GroupBox;
    QLineEdit* UserCodeEdit;
    QLineEdit* EntryEdit;
    QComboBox* FlagBox;
    QSpinBox* DaysBox;
    QDateEdit* SinceEdit;
    QLineEdit* ByWhomEdit;
    QLineEdit* OnWhomEdit;
    QLineEdit* ScreenEdit;
    QPushButton* BShow;
    QPushButton* BUnlock;
    QPushButton* BCsv;
    QPushButton* BXlsx;
    QPushButton* BPdf;
    QPushButton* BPrint;
    QPushButton* BClose;
    QLabel* StatusLabel;

    // The grid of a page and what it shows.
    QTableView* grid(Page page) const;
    const Reports::Report& shown(Page page) const;

    // Fills the current page from its filters.
    void fill();
    // Writes the current page's report to a file by its ending (.csv, .xlsx, .pdf).
    void exportTo(const QString& fileName);
    // Lifts the lock of the chosen row on the Locks page.
    void unlockChosen();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makePage(Page page, const QList<QWidget*>& filters);
    void exportAs(const QString& ending, const QString& filter);
    void printPage();
    Connection& connection() const;
    bool thai() const;

    Connection* m_connection;
    QList<QTableView*> m_grids;
    QList<ReportModel*> m_models;
};
