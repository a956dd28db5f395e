// zaqmodule: the stand-in module program of the demo site. The site carries a
// copy of it under each program name its menu starts; started by the main menu,
// it shows the name it runs as, the arguments it received and what each field
// of the command line means, and closes with its button or Esc.
#include "commandline.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString kindText(ReadCommandLine::Kind kind)
{
    switch (kind) {
    case ReadCommandLine::Kind::Upgrade:
        return QStringLiteral("Upgrade program: started with the suite version to install.");
    case ReadCommandLine::Kind::PointOfSale:
        return QStringLiteral("Point-of-sale hand-over: four fields, no work date.");
    case ReadCommandLine::Kind::Module:
        break;
    }
    return QStringLiteral("Module program: five fields.");
}

QLabel* valueLabel(const ReadCommandLine::Field& f)
{
    auto* label = new QLabel;
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setTextFormat(Qt::PlainText);
    if (!f.present) {
        label->setText(QStringLiteral("(missing)"));
        label->setStyleSheet(QStringLiteral("color: #b00000"));
    } else if (f.value.isEmpty()) {
        label->setText(QStringLiteral("(empty)"));
        label->setStyleSheet(QStringLiteral("color: gray"));
    } else if (!f.remark.isEmpty()) {
        label->setText(f.value + QStringLiteral("   (") + f.remark + QLatin1Char(')'));
        label->setStyleSheet(QStringLiteral("color: #b00000"));
    } else {
        label->setText(f.value);
    }
    return label;
}

class ModuleWindow : public QDialog
{
public:
    ModuleWindow(const QString& program, const QStringList& arguments)
    {
        setWindowTitle(program);
        const ReadCommandLine read = readCommandLine(program, arguments);
        const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

        auto* heading = new QLabel(QStringLiteral("<b>%1</b> &mdash; a stand-in for a program of the suite").arg(program.toHtmlEscaped()));
        auto* kind = new QLabel(kindText(read.kind));

        auto* line = new QLabel(arguments.join(QLatin1Char(' ')));
        line->setTextFormat(Qt::PlainText);
        line->setFont(fixed);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        line->setFrameShape(QFrame::StyledPanel);
        line->setWordWrap(true);

        auto* received = new QTableWidget(int(arguments.size()), 1);
        received->setHorizontalHeaderLabels({ QStringLiteral("Argument") });
        received->horizontalHeader()->setStretchLastSection(true);
        received->setEditTriggers(QAbstractItemView::NoEditTriggers);
        received->setSelectionMode(QAbstractItemView::NoSelection);
        received->setFocusPolicy(Qt::NoFocus);
        for (int i = 0; i < arguments.size(); ++i) {
            auto* item = new QTableWidgetItem(arguments.at(i));
            item->setFont(fixed);
            received->setItem(i, 0, item);
            received->setVerticalHeaderItem(i, new QTableWidgetItem(QString::number(i + 1)));
        }
        received->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        received->verticalHeader()->setDefaultSectionSize(received->fontMetrics().height() + 6);
        const int shown = qBound(1, int(arguments.size()), 8);
        received->setFixedHeight(received->verticalHeader()->defaultSectionSize() * shown + received->horizontalHeader()->sizeHint().height()
            + 2 * received->frameWidth());
        auto* receivedBox = new QGroupBox(QStringLiteral("Arguments received (%1)").arg(arguments.size()));
        auto* receivedLayout = new QVBoxLayout(receivedBox);
        receivedLayout->addWidget(line);
        receivedLayout->addWidget(received);

        auto* meaningBox = new QGroupBox(QStringLiteral("What they mean"));
        auto* form = new QFormLayout(meaningBox);
        for (const ReadCommandLine::Field& f : read.fields)
            form->addRow(f.name + QLatin1Char(':'), valueLabel(f));
        auto* folder = new QLabel(QDir::toNativeSeparators(QDir::currentPath()));
        folder->setTextFormat(Qt::PlainText);
        folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(QStringLiteral("Working folder:"), folder);

        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        buttons->button(QDialogButtonBox::Close)->setDefault(true);

        auto* layout = new QVBoxLayout(this);
        layout->addWidget(heading);
        layout->addWidget(kind);
        layout->addWidget(receivedBox);
        layout->addWidget(meaningBox);
        layout->addWidget(buttons);
        resize(520, sizeHint().height());
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The name it was installed under, which is the program the main menu meant to start.
    const QString program = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    ModuleWindow window(program, app.arguments().mid(1));
    window.exec(); // Esc and the Close button both close it
    return 0;
}
