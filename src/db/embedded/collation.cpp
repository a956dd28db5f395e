#include "db/embedded/collation.h"

#include <QChar>

namespace {

// The key of one code point: its simple case folding, so that "K", "k" and
// the Kelvin sign (and "S", "s" and the long s) share one key.
char32_t key(char32_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    if (c > 0x10FFFF)
        return c; // a byte that is no character (see next())
    return QChar::toCaseFolded(c);
}

// Reads the code point at p[i] and moves i past it. A byte that starts no
// valid sequence stands for itself, above every real character: the same text
// always gives the same keys, which is all the order needs.
char32_t next(const unsigned char* p, int n, int& i)
{
    const unsigned char c = p[i];
    int extra = 0;
    char32_t cp = 0;
    if (c < 0x80) {
        ++i;
        return c;
    }
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        ++i;
        return 0x110000 + c;
    }
    for (int k = 1; k <= extra; ++k) {
        if (i + k >= n || (p[i + k] & 0xC0) != 0x80) {
            ++i;
            return 0x110000 + c;
        }
        cp = (cp << 6) | (p[i + k] & 0x3F);
    }
    i += extra + 1;
    return cp;
}

} // namespace

int compareEmbeddedText(const char* a, int la, const char* b, int lb)
{
    const auto* pa = reinterpret_cast<const unsigned char*>(a);
    const auto* pb = reinterpret_cast<const unsigned char*>(b);
    while (la > 0 && pa[la - 1] == ' ')
        --la;
    while (lb > 0 && pb[lb - 1] == ' ')
        --lb;
    int i = 0;
    // Plain ASCII, the common case, byte by byte; from the first other byte on,
    // character by character. Both give the same keys.
    for (; i < la && i < lb; ++i) {
        const unsigned char ca = pa[i];
        const unsigned char cb = pb[i];
        if ((ca | cb) >= 0x80)
            break;
        const char32_t ka = key(ca);
        const char32_t kb = key(cb);
        if (ka != kb)
            return ka < kb ? -1 : 1;
    }
    int j = i;
    while (i < la && j < lb) {
        const char32_t ka = key(next(pa, la, i));
        const char32_t kb = key(next(pb, lb, j));
        if (ka != kb)
            return ka < kb ? -1 : 1;
    }
    if (i < la)
        return 1;
    return j < lb ? -1 : 0;
}
