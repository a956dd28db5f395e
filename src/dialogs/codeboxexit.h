#pragma once

#include <functional>

class QLineEdit;

// Runs onExit when the focus leaves the code box for another control of the
// same window (Tab, Enter, a click), which is when the maintenance screens load
// the record whose code was typed. A message box or another window taking the
// focus, or the window closing, is no leaving. onExit runs through the guard.
void attachCodeExit(QLineEdit* codeBox, std::function<void()> onExit);
