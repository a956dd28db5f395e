#pragma once

#include <QStringList>

// The read-only switch: exactly "R" as the second argument opens the company
// databases read-only; anything else, or nothing, is read/write.
bool readOnlySwitch(const QStringList& arguments);

// The program's arguments as the user gave them, the program's name first.
// Making the application object takes Qt's own options (-reverse, -style NAME,
// ...) out of argv, so the program's arguments are copied before that.
QStringList givenArguments(int argc, char** argv);

// Runs the program: logo window, program-wide settings, the long-lived
// windows and the data module in their order, then the message loop.
int runProgram(int argc, char** argv);
