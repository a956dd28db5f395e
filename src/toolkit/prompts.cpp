#include "toolkit/prompts.h"

#include "toolkit/applicationtitle.h"
#include "toolkit/messageboxprompts.h"
#include "workstation/seam.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

Prompts::~Prompts() = default;

namespace {

QString title()
{
    return applicationTitle();
}

QWidget* parentWindow()
{
    return QApplication::activeWindow();
}

} // namespace

Prompts& prompts() { return Seam<Prompts, MessageBoxPrompts>::current(); }

void setPrompts(Prompts* instance) { Seam<Prompts, MessageBoxPrompts>::install(instance); }

QString MessageBoxPrompts::boxText(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

namespace {

// Plain text: a message holding "<" must not be read as markup.
void prepare(QMessageBox& box, const QString& text, const QString& objectName)
{
    box.setObjectName(objectName);
    box.setWindowTitle(title());
    box.setTextFormat(Qt::PlainText);
    box.setText(MessageBoxPrompts::boxText(text));
}

} // namespace

void MessageBoxPrompts::information(const QString& text)
{
    QMessageBox box(QMessageBox::Information, QString(), QString(), QMessageBox::Ok, parentWindow());
    prepare(box, text, QStringLiteral("InformationBox"));
    box.exec();
}

void MessageBoxPrompts::error(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QString(), QString(), QMessageBox::Ok, parentWindow());
    prepare(box, text, QStringLiteral("ErrorBox"));
    box.exec();
}

bool MessageBoxPrompts::confirm(const QString& text)
{
    QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No, parentWindow());
    prepare(box, text, QStringLiteral("ConfirmBox"));
    box.setEscapeButton(QMessageBox::No);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Yes);
}

bool MessageBoxPrompts::confirmColoured(const QString& text, const QColor& background, const QString& objectName)
{
    QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No, parentWindow());
    prepare(box, text, objectName);
    box.setEscapeButton(QMessageBox::No);
    // The palette colours the box and its labels; the buttons keep their own look.
    QPalette palette = box.palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::white);
    box.setPalette(palette);
    box.setAutoFillBackground(true);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Yes);
}

bool MessageBoxPrompts::confirmBlue(const QString& text)
{
    return confirmColoured(text, QColor(0, 0, 255), QStringLiteral("ConfirmBlueBox"));
}

bool MessageBoxPrompts::confirmGreen(const QString& text)
{
    return confirmColoured(text, QColor(0, 128, 0), QStringLiteral("ConfirmGreenBox"));
}

Prompts::Answer MessageBoxPrompts::yesNoCancel(const QString& text)
{
    QMessageBox box(QMessageBox::Question, QString(), QString(),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parentWindow());
    prepare(box, text, QStringLiteral("YesNoCancelBox"));
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Yes))
        return Answer::Yes;
    if (box.clickedButton() == box.button(QMessageBox::No))
        return Answer::No;
    return Answer::Cancel;
}

bool MessageBoxPrompts::input(const QString& caption, const QString& prompt, QString& value)
{
    QInputDialog dialog(parentWindow());
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(boxText(prompt));
    dialog.setTextValue(value);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.textValue();
    return true;
}
