#pragma once

#include <QString>
#include <QStringList>

// What a module program makes of the arguments the main menu started it with.
// The main menu joins its fields with single blanks and the desktop splits that
// text on blanks again, so an option holding blanks arrives as several
// arguments and an empty option as none; the fields are put back together here.
struct ReadCommandLine
{
    enum class Kind {
        Module, // menu entry, user, database, option, work date
        PointOfSale, // menu entry, user, database, option; no work date
        Upgrade, // the suite version to upgrade to
    };
    struct Field
    {
        QString name;
        QString value;
        bool present = true;
        QString remark; // what is wrong with the value, if anything
    };
    Kind kind = Kind::Module;
    QList<Field> fields;
};

// `program` is the file name the program was started as (ZAQSALES.EXE, ZAQUPG.EXE, …).
ReadCommandLine readCommandLine(const QString& program, const QStringList& arguments);
