#pragma once

class QWidget;

// Puts the group-rights screen (built-in command 3) and the user-database
// screen (built-in command 4) into the launcher's table. Each screen is made
// the first time it is opened and reused afterwards.
void registerRightsScreens(QWidget* owner);
