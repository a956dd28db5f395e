#pragma once

#include "fixturesite.h"

// The menu of the logon fixture's groups (build LogonFixture first):
//   10000000 Sales (ขาย)           10200000 Orders (a folder)      10201000 Order entry  ZAQSALES.EXE " SO "
//                                                                   10202000 Daily report ZAQREPORT.EXE "SALE DAILY"
//                                  10100000 Quotation ZAQSALES.EXE (empty option, ordered after Orders)
//                                  10300000 Hidden (no rights for SALES) -> 10301000 Unreachable
//                                  10400000 Empty folder -> 10401000 (no rights for SALES)
//   65000000 Export                 65100000 Export documents ZAQEXPORT.EXE
//   12345678 Other                  12345679 Other entry
//   2070000000 Administration       "SELF 1", "SELF 01", "SELF 0", "SELF 6", "self 1", "SELF 5",
//                                   91400000 / 91000000 / 91100000 / 91200000: the utility entries
// ADMIN has rights on everything, SALES on the Sales and Export departments only.
namespace MenuFixture {
void build(const FixtureSite& site);
} // namespace MenuFixture
