#pragma once

#include <functional>

// Ending the program "at once" from deep inside a step (a database without
// company configuration, a refused logon). Production ends the process; tests
// install a handler that records the code and unwinds instead.
void haltProgram(int exitCode);
void setHaltHandler(std::function<void(int)> handler); // empty: the process ends
