// The embedded engine's own functions at work: any text, translated, runs on
// an in-memory database with the engine's functions and collation. Every
// statement answers or fails with an error; the functions (arithmetic,
// conversions, LIKE patterns typed into a search box) never crash or meet
// undefined behaviour.
#include "db/dberror.h"
#include "db/embedded/functions.h"
#include "db/embedded/translator.h"

#include <QString>
#include <cstdint>
#include <sqlite3.h>

namespace {

sqlite3* database()
{
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        sqlite3_open(":memory:", &d);
        registerEmbeddedFunctions(d, true);
        // Keep every value and statement small, and stop any statement that runs long.
        sqlite3_limit(d, SQLITE_LIMIT_LENGTH, 100000);
        sqlite3_progress_handler(d, 100000, [](void*) { return 1; }, nullptr);
        sqlite3_exec(d, "CREATE TABLE t (a INTEGER, b TEXT COLLATE ZAQ_CI, c REAL, d BLOB);"
                        "INSERT INTO t VALUES (1, 'x', 1.5, x'00ff'), (NULL, 'ไทย', -2.25, NULL), (9223372036854775807, '', 0, x'');",
            nullptr, nullptr, nullptr);
        return d;
    }();
    return db;
}

void run(sqlite3* db, const EmbeddedPlan& plan)
{
    for (const EmbeddedStep& step : plan) {
        for (const QString& guard : step.before)
            sqlite3_exec(db, guard.toUtf8().constData(), nullptr, nullptr, nullptr);
        const QByteArray sql = step.sql.toUtf8();
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK || !st)
            continue;
        // Parameters take values of every kind in turn.
        for (int i = 1; i <= sqlite3_bind_parameter_count(st); ++i) {
            switch (i % 4) {
            case 0: sqlite3_bind_int64(st, i, -1); break;
            case 1: sqlite3_bind_text(st, i, "a%[b-c]_", -1, SQLITE_STATIC); break;
            case 2: sqlite3_bind_double(st, i, 1e300); break;
            default: sqlite3_bind_null(st, i); break;
            }
        }
        for (int rows = 0; rows < 100 && sqlite3_step(st) == SQLITE_ROW; ++rows) {
        }
        sqlite3_finalize(st);
        for (const QString& guard : step.after)
            sqlite3_exec(db, guard.toUtf8().constData(), nullptr, nullptr, nullptr);
        if (step.kind == EmbeddedStep::IfExists)
            run(db, step.body);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    EmbeddedPlan plan;
    try {
        plan = translateTsql(text);
    } catch (const DbError&) {
        return 0;
    }
    sqlite3* db = database();
    sqlite3_exec(db, "SAVEPOINT fuzz", nullptr, nullptr, nullptr);
    run(db, plan);
    sqlite3_exec(db, "ROLLBACK TO fuzz; RELEASE fuzz", nullptr, nullptr, nullptr); // each input starts from the same rows
    return 0;
}
