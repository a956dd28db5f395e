#include "db/cp874.h"

namespace {
// Bytes 0x80..0x9F of the code page; 0 marks an unassigned byte.
constexpr char16_t kHigh[32] = {
    0x20AC, 0, 0, 0, 0, 0x2026, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0, 0, 0, 0, 0, 0, 0, 0,
};

char16_t toUnicode(unsigned char b)
{
    if (b < 0x80)
        return b;
    if (b < 0xA0)
        return kHigh[b - 0x80] ? kHigh[b - 0x80] : char16_t(0xFFFD);
    if (b == 0xA0)
        return 0x00A0;
    // Thai letters, vowels, tone marks and digits: 0xA1..0xFB map to U+0E01..U+0E5B.
    if (b <= 0xDA || (b >= 0xDF && b <= 0xFB))
        return char16_t(b - 0xA0 + 0x0E00);
    return 0xFFFD;
}
} // namespace

namespace Cp874 {

QByteArray encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            out.append(char(u));
            continue;
        }
        if (u == 0x00A0) {
            out.append(char(0xA0));
            continue;
        }
        if (u >= 0x0E01 && u <= 0x0E5B) {
            const int b = u - 0x0E00 + 0xA0;
            if (toUnicode(static_cast<unsigned char>(b)) == u) {
                out.append(char(b));
                continue;
            }
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i) {
            if (kHigh[i] == u) {
                mapped = char(0x80 + i);
                break;
            }
        }
        out.append(mapped);
    }
    return out;
}

bool represents(const QString& text)
{
    const QByteArray bytes = encode(text);
    for (int i = 0; i < text.size(); ++i) {
        if (bytes.at(i) == '?' && text.at(i) != QLatin1Char('?'))
            return false;
    }
    return true;
}

QString decode(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes)
        out.append(QChar(toUnicode(static_cast<unsigned char>(c))));
    return out;
}

} // namespace Cp874
