// Code page 874: any bytes decode, and every byte the code page assigns comes
// back the same through encode.
#include "db/cp874.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = Cp874::decode(bytes);
    if (text.size() != bytes.size())
        __builtin_trap();
    const QByteArray again = Cp874::encode(text);
    if (again.size() != bytes.size())
        __builtin_trap();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (text.at(i) != QChar(0xFFFD) && again.at(i) != bytes.at(i))
            __builtin_trap();
    }
    Cp874::encode(QString::fromUtf8(bytes)); // any text encodes
    return 0;
}
