#pragma once

// The ODBC API (unixODBC's headers on Linux; on Windows the SDK's, which need
// <windows.h> before them: the build force-includes it there).
#include <sql.h>
#include <sqlext.h>
