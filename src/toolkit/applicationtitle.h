#pragma once

#include <QString>

// The application title: the caption of the program's message boxes, set at
// start-up and then kept by the main window and the screens. It is deliberately
// not Qt's application display name, which Qt appends to every window caption
// (" — title"): the captions must stay exactly the texts the windows set.
QString applicationTitle();
void setApplicationTitle(const QString& title);
