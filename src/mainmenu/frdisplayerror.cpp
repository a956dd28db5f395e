#include "mainmenu/frdisplayerror.h"

#include "config/dmconfig.h"
#include "db/query.h"
#include "toolkit/guard.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStringList>

TFrDisplayError* FrDisplayError = nullptr;

TFrDisplayError::TFrDisplayError(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrDisplayError"));
    setWindowTitle(QStringLiteral("Display System Program Error"));
    setFixedSize(870, 500);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(0, 0, 870, 441);
    Memo1->setReadOnly(true);
    // Long messages wrap at the box's edge; only the vertical bar scrolls.
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont memoFont(QStringLiteral("MS Sans Serif"));
    memoFont.setPixelSize(16);
    Memo1->setFont(memoFont);

    BtOk = new QPushButton(QStringLiteral("Ok"), this);
    BtOk->setObjectName(QStringLiteral("BtOk"));
    BtOk->setGeometry(761, 446, 75, 25);
    QFont okFont = BtOk->font();
    okFont.setBold(true);
    BtOk->setFont(okFont);
    BtOk->setStyleSheet(QStringLiteral("QPushButton { color: red; }"));
    connect(BtOk, &QPushButton::clicked, this, &QDialog::accept);
}

TFrDisplayError::~TFrDisplayError()
{
    if (FrDisplayError == this)
        FrDisplayError = nullptr;
}

void TFrDisplayError::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    guarded([this] { FormShow(); });
}

void TFrDisplayError::FormShow()
{
    Memo1->clear();
    Query* log = DmConfig->QError;
    log->close();
    log->open();
    QStringList lines;
    for (; !log->eof() && lines.size() < kMaxRows; log->next()) {
        lines << log->field(QStringLiteral("ErrorDate")).asString() + QLatin1Char(' ') + log->field(QStringLiteral("Code")).asString()
                + QLatin1Char(' ') + log->field(QStringLiteral("Description")).asString() + QLatin1Char(' ')
                + log->field(QStringLiteral("ErrorMsg")).asString();
    }
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}

TFrDisplayError& displayErrorDialog()
{
    // Lives, like every window of the program, until the program ends.
    if (!FrDisplayError)
        FrDisplayError = new TFrDisplayError;
    return *FrDisplayError;
}
