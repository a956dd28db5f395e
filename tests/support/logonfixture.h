#pragma once

#include "fixturesite.h"

// A small site for logging on in 2026, work date 10/12/2026:
//   groups ADMIN (may set others' passwords) and SALES;
//   ANN   "ann1"  Thai,    ADMIN: companies AAA (databases A2026 type 1, AMFG2026 type 2) and BBB (B2026)
//   BOB   "bob"   English, SALES: AAA only (both types);  CASH "cash": the same, a point-of-sale user
//   OLD   "old"   inactive;  NULLPW: no stored password;  BLANK: stored "pw " with a trailing blank
//   PREV  "prev"  assigned to A2025 only;  NOGRP "nogrp" without a group, in DDD (D2026, no company configuration)
// Every company database has its status rows: A2026 runs 2026 with post 7, close 3. The
// companies' point-of-sale entry is 30100000, "ZAQPOS.EXE" with option " POS1 " (no rights on it).
namespace LogonFixture {
void build(const FixtureSite& site);
int userId(const FixtureSite& site, const QString& code);
} // namespace LogonFixture
