#pragma once

#include "toolkit/guard.h"

#include <QLatin1String>
#include <QtGlobal>

// The one application object of a benchmark program, made on first use and
// kept to the end. The offscreen platform warns at every window it shows; the
// figures stay readable without those lines.
inline GuardedApplication& benchApplication()
{
    static int argc = 1;
    static char name[] = "zaq_bench";
    static char* argv[] = { name, nullptr };
    static QtMessageHandler previous = nullptr;
    static GuardedApplication* app = [] {
        auto* made = new GuardedApplication(argc, argv);
        previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains(QLatin1String("propagateSizeHints")))
                previous(type, context, message);
        });
        return made;
    }();
    return *app;
}
