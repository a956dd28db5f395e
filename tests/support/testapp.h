#pragma once

#include "toolkit/guard.h"

#include <QString>
#include <QStringList>
#include <ostream>

// The one application object of a test program that shows widgets, made on
// first use and kept to the end. It carries the program's title, which the
// message boxes show.
inline GuardedApplication& testApp()
{
    static int argc = 1;
    static char name[] = "zaq_tests";
    static char* argv[] = { name, nullptr };
    static GuardedApplication* app = [] {
        auto* made = new GuardedApplication(argc, argv);
        made->setApplicationDisplayName(QStringLiteral("ZAQ Account"));
        return made;
    }();
    return *app;
}

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) { *out << '[' << texts.join(QLatin1Char('|')).toStdString() << ']'; }
