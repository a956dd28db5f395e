#pragma once

#include <QLatin1String>
#include <QtGlobal>

// The offscreen platform warns at every window it shows; a benchmark's
// figures stay readable without those lines.
inline void quietOffscreenWarnings()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.contains(QLatin1String("propagateSizeHints")))
            previous(type, context, message);
    });
}
