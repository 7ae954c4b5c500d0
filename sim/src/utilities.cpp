// XPLMUtilities: the simulator's log.
#include <XPLMUtilities.h>

#include "state.h"

using namespace xplmsim;

// Appends the text as given, with no line end added. A null text appends nothing.
void XPLMDebugString(const char* inString) {
  record("XPLMDebugString", std::string(inString ? inString : ""));
  if (inString != nullptr) state().debugLog += inString;
}
