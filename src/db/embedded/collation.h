#pragma once

// The site's one text comparison, as its case-insensitive Thai collation
// compares: letter case and trailing blanks do not count; everything else
// (Thai included) compares by code point. Texts are UTF-8, any bytes allowed.
// Every character is first mapped to one key on its own, so the order is a
// true order: a = b and b = c give a = c, which an index and a scan rely on.
// Returns <0, 0 or >0.
int compareEmbeddedText(const char* a, int lengthA, const char* b, int lengthB);
