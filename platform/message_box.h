// Modal message boxes. Nothing of the game runs while one is open.
#pragma once

enum class BoxButtons { Ok, YesNo };
enum class BoxIcon { Exclamation, Information };

// Shows a modal box, owned by the game window when ownedByWindow is set and the window
// exists. Returns true when Yes or OK was chosen. Where no box can be shown at all (no
// display), the text goes to stderr and the answer is false for Yes/No.
bool ShowMessageBox(const char* text, const char* title, BoxButtons buttons, BoxIcon icon,
                    bool ownedByWindow);
