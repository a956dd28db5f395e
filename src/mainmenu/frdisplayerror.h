#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The suite's error log, newest first: what the suite's programs wrote into the
// configuration database's errorlog, one line per error. Made once at start-up
// and reused; every show reads the log again.
class TFrDisplayError : public QDialog
{
    Q_OBJECT
public:
    // The most rows one show lists.
    static constexpr int kMaxRows = 200;

    explicit TFrDisplayError(QWidget* parent = nullptr);
    ~TFrDisplayError() override;

    // Event handlers.
    void FormShow();

    // Components.
    QPlainTextEdit* Memo1;
    QPushButton* BtOk;

protected:
    void showEvent(QShowEvent* event) override;
};

extern TFrDisplayError* FrDisplayError;
// The program's one viewer, made on first use where start-up has not made it.
TFrDisplayError& displayErrorDialog();
