#pragma once

#include "toolkit/applicationtitle.h"
#include "toolkit/guard.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <ostream>

// The one application object of a test program that shows widgets, made on
// first use and kept to the end. The program's title, which the message boxes
// show, is set as at start-up.
inline GuardedApplication& testApp()
{
    static int argc = 1;
    static char name[] = "zaq_tests";
    static char* argv[] = { name, nullptr };
    static GuardedApplication* app = [] {
        auto* made = new GuardedApplication(argc, argv);
        setApplicationTitle(QStringLiteral("ZAQ Account"));
        return made;
    }();
    return *app;
}

// The caption a real display shows for a window: Qt appends " — " and the
// application display name, once one is set, to every window's own title.
inline QString platformCaption(const QWidget& window)
{
    const QString displayName = QGuiApplication::applicationDisplayName();
    if (displayName == QCoreApplication::applicationName() || window.windowTitle().endsWith(displayName))
        return window.windowTitle();
    return window.windowTitle() + QStringLiteral(" — ") + displayName;
}

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) { *out << '[' << texts.join(QLatin1Char('|')).toStdString() << ']'; }
