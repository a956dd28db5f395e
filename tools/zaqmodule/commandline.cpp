#include "commandline.h"

#include <QDate>
#include <QRegularExpression>

namespace {

bool isWorkDate(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^\\d{2}\\D\\d{2}\\D\\d{4}$"));
    return form.match(text).hasMatch();
}

ReadCommandLine::Field field(const QStringList& arguments, int index, const QString& name)
{
    if (index >= arguments.size())
        return { name, QString(), false, QStringLiteral("missing") };
    return { name, arguments.at(index), true, QString() };
}

ReadCommandLine::Field number(const QStringList& arguments, int index, const QString& name)
{
    ReadCommandLine::Field f = field(arguments, index, name);
    bool ok = false;
    f.value.toLongLong(&ok);
    if (f.present && !ok)
        f.remark = QStringLiteral("not a whole number");
    return f;
}

} // namespace

ReadCommandLine readCommandLine(const QString& program, const QStringList& arguments)
{
    ReadCommandLine read;
    if (program.compare(QLatin1String("ZAQUPG.EXE"), Qt::CaseInsensitive) == 0) {
        read.kind = ReadCommandLine::Kind::Upgrade;
        read.fields.append(field(arguments, 0, QStringLiteral("Version to install")));
        if (arguments.size() > 1)
            read.fields.append({ QStringLiteral("More"), arguments.mid(1).join(QLatin1Char(' ')), true, QStringLiteral("not expected") });
        return read;
    }

    // The work date closes a module's command line; the point-of-sale program's
    // shorter line has none, so its option runs to the end.
    const bool dated = arguments.size() >= 4 && isWorkDate(arguments.last());
    read.kind = dated ? ReadCommandLine::Kind::Module : ReadCommandLine::Kind::PointOfSale;
    read.fields.append(number(arguments, 0, QStringLiteral("Menu entry")));
    read.fields.append(number(arguments, 1, QStringLiteral("User")));
    read.fields.append(field(arguments, 2, QStringLiteral("Database")));
    const int optionEnd = dated ? int(arguments.size()) - 1 : int(arguments.size());
    const QStringList option = arguments.mid(3, qMax(0, optionEnd - 3));
    read.fields.append({ QStringLiteral("Option"), option.join(QLatin1Char(' ')), true, QString() });
    if (dated) {
        ReadCommandLine::Field date { QStringLiteral("Work date"), arguments.last(), true, QString() };
        if (!QDate::fromString(date.value.left(2) + QLatin1Char('/') + date.value.mid(3, 2) + QLatin1Char('/') + date.value.right(4),
                QStringLiteral("dd/MM/yyyy"))
                 .isValid())
            date.remark = QStringLiteral("no such day");
        read.fields.append(date);
    }
    return read;
}
