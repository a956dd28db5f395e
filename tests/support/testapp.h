#pragma once

#include "toolkit/guard.h"

#include <QString>
#include <ostream>

// The one application object of a test program that shows widgets, made on
// first use and kept to the end.
inline QApplication& testApp()
{
    static int argc = 1;
    static char name[] = "zaq_tests";
    static char* argv[] = { name, nullptr };
    static GuardedApplication* app = new GuardedApplication(argc, argv);
    return *app;
}

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
