// The site's collation is a true order over any bytes: three texts cut from
// the input compare antisymmetrically and transitively, trailing blanks never
// count, and a text equals itself.
#include "db/embedded/collation.h"

#include <cstdint>
#include <string>

namespace {

int sign(int c) { return c < 0 ? -1 : (c > 0 ? 1 : 0); }

int cmp(const std::string& a, const std::string& b) { return sign(compareEmbeddedText(a.data(), int(a.size()), b.data(), int(b.size()))); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The texts are separated by NUL bytes: "a\0b\0c".
    std::string parts[3];
    int k = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && k < 2)
            ++k;
        else
            parts[k] += char(data[i]);
    }
    const std::string& a = parts[0];
    const std::string& b = parts[1];
    const std::string& c = parts[2];
    if (cmp(a, a) != 0 || cmp(a, a + "  ") != 0)
        __builtin_trap();
    const int ab = cmp(a, b);
    const int bc = cmp(b, c);
    const int ac = cmp(a, c);
    if (ab != -cmp(b, a) || bc != -cmp(c, b) || ac != -cmp(c, a))
        __builtin_trap();
    if (ab <= 0 && bc <= 0 && ac > 0)
        __builtin_trap();
    if (ab >= 0 && bc >= 0 && ac < 0)
        __builtin_trap();
    if (ab == 0 && bc == 0 && ac != 0)
        __builtin_trap();
    return 0;
}
