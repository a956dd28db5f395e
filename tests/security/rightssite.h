#pragma once

#include "fixturesite.h"

// A small site for the rights screens, beside the reserved ZAQ and ZAQSYSTEM:
//   groups ADMIN (SOMCHAI's), SALES, ACCT, ZAQ (a group that happens to carry
//   the reserved user's code) and OLDGRP (inactive); users SOMCHAI, JOHN and
//   OLDUSER (inactive).
//   The menu, in OrderNo order:
//     122 Monthly          (a grandchild of 100, listed before it)
//     100 Sales            top level
//     110   Quotation
//     120   Reports        -> 121 Daily
//     200 Accounting       -> 210 Journal
//     300 Loop A <-> 301 Loop B   (parent links in a circle)
//     400 Secret           (ADMIN has no right on it)
//   ADMIN and ZAQSYSTEM hold every entry but 400 (ZAQSYSTEM holds 400 too);
//   SALES holds 110 only; ACCT 200 and 210.
//   Databases: company AAA (local) and BBB; types 1 and 2; years 2025 and 2026;
//   JOHN has A2026 only; SOMCHAI has none.
namespace RightsSite {
void build(const FixtureSite& site);
int id(const FixtureSite& site, const QString& code);
// The group's rights rows as "menu:AAMD" (the four rights), by menu id.
QStringList rightsOf(const FixtureSite& site, const QString& groupCode);
// Makes every insert into the table fail whose row meets the condition (SQLite
// syntax, NEW.column), as a broken disk or a constraint would.
void failInserts(const FixtureSite& site, const QString& table, const QString& condition);
} // namespace RightsSite
