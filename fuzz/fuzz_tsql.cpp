// The T-SQL lexer and the embedded engine's translator: any text is tokens and
// a plan, or a DbError; never a crash, a hang or undefined behaviour.
#include "db/dberror.h"
#include "db/embedded/translator.h"
#include "db/tsqllexer.h"

#include <QString>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const SqlTokens tokens = tokenizeSql(text);
        for (const SqlToken& t : tokens) {
            if (t.line < 1)
                __builtin_trap();
        }
    } catch (const DbError&) {
    }
    try {
        translateTsql(text);
    } catch (const DbError&) {
    }
    return 0;
}
