#include "db/embedded/storagefailure.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStorageInfo>

namespace {

// Less than this on the disk and SQLite cannot grow its journal: the disk is full
// for the purpose, whatever the last byte count says.
constexpr qint64 kNearlyFull = 4 * 1024 * 1024;

enum : int {
    kReadOnly = 8, // SQLITE_READONLY
    kIoError = 10, // SQLITE_IOERR
    kFull = 13,    // SQLITE_FULL
    kCantOpen = 14 // SQLITE_CANTOPEN
};

} // namespace

StorageFacts storageFacts(const QString& folder, const QString& file, bool readOnlyConnection)
{
    StorageFacts f;
    f.readOnlyConnection = readOnlyConnection;
    f.folder = QDir::cleanPath(folder);
    f.file = file.isEmpty() ? QString() : QDir::cleanPath(file);
    f.folderWritable = QFileInfo(folder).isWritable();
    f.fileWritable = file.isEmpty() || QFileInfo(file).isWritable();
    const QStorageInfo disk(folder);
    if (disk.isValid())
        f.bytesFree = disk.bytesAvailable();
    return f;
}

QString describeStorageFailure(int sqliteCode, const QString& sqliteText, const StorageFacts& f, const QString& database)
{
    const int code = sqliteCode & 0xff;
    const bool full = code == kFull || ((code == kIoError || code == kCantOpen) && f.bytesFree >= 0 && f.bytesFree < kNearlyFull);
    if (full) {
        return QStringLiteral("The disk holding the server folder %1 is full (%2 free): database \"%3\" cannot be written. Free space on that disk.")
            .arg(f.folder, QLocale::c().formattedDataSize(qMax<qint64>(f.bytesFree, 0)), database);
    }
    if (code == kReadOnly || code == kCantOpen) {
        if (!f.folderWritable) {
            return QStringLiteral("The server folder %1 is read-only for this user: database \"%2\" keeps its journal files beside %3 and cannot be "
                                  "opened without writing them. Let this user write in the folder.")
                .arg(f.folder, database, f.file.isEmpty() ? QStringLiteral("its file") : f.file);
        }
        if (code == kReadOnly && f.readOnlyConnection)
            return QStringLiteral("The database \"%1\" is open read-only (OPEN MODE=READ); it cannot be changed.").arg(database);
        if (!f.fileWritable)
            return QStringLiteral("The database file %1 is read-only for this user: database \"%2\" cannot be changed. Let this user write the file.")
                .arg(f.file, database);
        if (code == kReadOnly)
            return QStringLiteral("The file system refused to write database \"%1\" (%2): %3. Check the file's and the folder's permissions.")
                .arg(database, f.file, sqliteText);
        return QStringLiteral("The file of database \"%1\" (%2) cannot be opened: %3.").arg(database, f.file, sqliteText);
    }
    if (code == kIoError) {
        return QStringLiteral("Reading or writing the file of database \"%1\" (%2) failed (%3): the disk or the network share holding it may be "
                              "failing or gone.")
            .arg(database, f.file.isEmpty() ? f.folder : f.file, sqliteText);
    }
    return {};
}
