#pragma once

#include "fixturesite.h"

// A large menu over the logon fixture (build LogonFixture first), for the
// benchmarks: `entries` entries under the twelve departments, `largest` of them
// in department 60000000 and the rest shared among the other eleven, nested
// four levels below the department; the group BIGGRP holding every right on
// every entry and a Thai-language user BIG ("big") in it, assigned to AAA.
namespace LargeMenuFixture {

inline constexpr qint64 kLargest = 60000000;
inline constexpr qint64 kFirst = 10000000;

struct Shape
{
    int entries = 20000;
    int largest = 8000;
};

void build(const FixtureSite& site, const Shape& shape = {});
// Entries in a department of the shape.
int entriesIn(const Shape& shape, qint64 department);

} // namespace LargeMenuFixture
