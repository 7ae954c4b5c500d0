// The runner's user at the screen: input for the plugin's windows, and what
// the plugin drew and showed.
#ifndef QOVIN_HOST_DISPLAY_ACTIVITY_H
#define QOVIN_HOST_DISPLAY_ACTIVITY_H

#include <string>

// Moves the mouse over each visible window of the plugin, clicks its centre,
// turns the wheel there and types "q" (the key goes to whichever window has
// the keyboard focus by then).
void userUsesWindows();

// The user picks each item of the plugin's menus, top to bottom.
void userUsesMenus();

// The plugin's windows, draw callbacks, menus and key sniffers, while they exist.
std::string displayRegistrations();

// The camera: controller calls, losing-control calls and where it ended.
std::string cameraSummary();

// What the plugin drew: strings (with how often and the latest of each
// distinct text, up to a few) and dark boxes.
std::string drawingSummary();

#endif
