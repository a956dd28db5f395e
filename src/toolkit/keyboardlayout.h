#pragma once

// Tells the user which keyboard layout is active: "Thai" or "English" through
// prompts().information(); any other layout, or none known, shows nothing.
void KeyboardLayoutMessage();
