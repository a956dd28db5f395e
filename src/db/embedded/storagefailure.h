#pragma once

#include <QString>

// What the file system says about a database's place, gathered when SQLite
// fails, so that the message names the cause instead of SQLite's symptom.
struct StorageFacts
{
    bool readOnlyConnection = false; // OPEN MODE=READ
    bool folderWritable = true;      // the server folder, where the journal files live
    bool fileWritable = true;        // the database file itself
    qint64 bytesFree = -1;           // on the disk holding the folder; -1 unknown
    QString folder;
    QString file;
};

// Gathers the facts for a database file in a server folder.
StorageFacts storageFacts(const QString& folder, const QString& file, bool readOnlyConnection);

// The message for a failure SQLite reported with this result code (the primary
// or extended code) and text, or an empty text when the failure is not about
// the storage (a constraint, a syntax error): then SQLite's text stands.
QString describeStorageFailure(int sqliteCode, const QString& sqliteText, const StorageFacts& facts, const QString& database);
