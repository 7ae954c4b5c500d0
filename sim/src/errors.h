// Misuse of the API by a plugin: the stand-in reports it to the calling
// plugin's error callback (XPLMSetErrorCallback), then the call fails.
#ifndef XPLMSIM_ERRORS_H
#define XPLMSIM_ERRORS_H

namespace xplmsim {

// Reports "FUNCTION: what" to the current plugin's error callback, if it set one.
void misuse(const char* function, const char* what);
// Forgets what plugins asked of the simulator: speech, keys, buttons, data
// files, scenery reloads, error callbacks; the language goes back to English
// (reset).
void clearUtilities();
// Forgets every shared data's notifications and counts (reset).
void clearSharedData();

}  // namespace xplmsim

#endif
