#pragma once

struct sqlite3;

// Registers on one SQLite connection the collation and the functions that the
// translated T-SQL calls (zaq_plus, zaq_getdate, zaq_space, …).
// dayMonthYear: date texts are read day first (DATE MODE=1).
void registerEmbeddedFunctions(sqlite3* db, bool dayMonthYear);
