// The runner's user at the screen: input for the plugin's windows, and what
// the plugin drew and showed.
#ifndef QOVIN_HOST_DISPLAY_ACTIVITY_H
#define QOVIN_HOST_DISPLAY_ACTIVITY_H

#include <string>

// Moves the mouse over each visible window of the plugin, clicks its centre,
// turns the wheel there and types "q" (the key goes to whichever window has
// the keyboard focus by then).
void userUsesWindows();

// The plugin's windows and draw callbacks, while they exist.
std::string displayRegistrations();

// What the plugin drew: strings (with how often and the latest of each
// distinct text, up to a few) and dark boxes.
std::string drawingSummary();

#endif
