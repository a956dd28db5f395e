#pragma once

#include <QDate>
#include <QMap>
#include <QObject>
#include <QString>
#include <functional>

class Query;

// What a menu entry carries for its start.
struct MenuEntry
{
    qint64 id = 0;
    QString command;
    QString menuOption;
    QString description;
};

// Starts menu entries: the document-year gate, the built-in screens
// ("SELF n"), and the module programs with their five-field command line.
class Launcher : public QObject
{
    Q_OBJECT
public:
    explicit Launcher(QObject* parent = nullptr);

    enum class Outcome { Refused, Nothing, BuiltIn, Started, StartedAndEndMenu };
    Outcome launch(const MenuEntry& entry, int userId, const QDate& workDate);

    // Hands a point-of-sale user to the company's point-of-sale program.
    void startPointOfSale(int userId);

    // The built-in screens by number, filled in by the screens themselves.
    // The opener sets the screen's caption and shows it modally.
    using ScreenOpener = std::function<void(const QString& caption)>;
    static void registerBuiltInScreen(int number, ScreenOpener opener);
    static void unregisterBuiltInScreen(int number);

    static QString moduleCommandLine(qint64 id, int userId, const QString& databaseName, const QString& menuOption, const QDate& workDate);
    static QString pointOfSaleCommandLine(int menuId, int userId, const QString& databaseName, const QString& menuOption);
    // The working folder joined with the command as read.
    static QString programPath(const QString& command);
    // The built-in command number of a "SELF " command; throws for a text that is no number.
    static int builtInNumber(const QString& command);
    // Copies a newer program file from the central folder before it starts. The
    // file there is replaced only by a complete copy; false, with a message for
    // the person at the workstation, when the copy failed.
    static bool refreshProgramFile(const QString& programName, const QString& hostApplication, QString* error = nullptr);

    Query* QChkSetDocYear;

private:
    bool documentYearSetUp(const QDate& workDate);
    static QMap<int, ScreenOpener>& screens();
};
