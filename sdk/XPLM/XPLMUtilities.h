#ifndef _XPLMUtilities_h_
#define _XPLMUtilities_h_

/*
 * XPLMUtilities.h - logging and commands.
 */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

#if defined(XPLM200)
/* Opaque handle to a command. */
typedef void * XPLMCommandRef;

/* Phase of a command invocation. */
enum {
    xplm_CommandBegin    = 0,
    xplm_CommandContinue = 1,
    xplm_CommandEnd      = 2
};
typedef int XPLMCommandPhase;

/* Command handler; returns 1 to let processing continue, 0 to stop it. */
typedef int (* XPLMCommandCallback_f)(XPLMCommandRef inCommand, XPLMCommandPhase inPhase, void * inRefcon);
#endif /* XPLM200 */

/* Appends text to Log.txt. */
XPLM_API void XPLMDebugString(const char * inString);

/* The X-Plane root folder, with a trailing separator, into a buffer of at least 512 bytes. */
XPLM_API void XPLMGetSystemPath(char * outSystemPath);
/* The directory separator of the platform, as a text. */
XPLM_API const char * XPLMGetDirectorySeparator(void);

#if defined(XPLM200)
XPLM_API XPLMCommandRef XPLMFindCommand(const char * inName);
XPLM_API void           XPLMCommandBegin(XPLMCommandRef inCommand);
XPLM_API void           XPLMCommandEnd(XPLMCommandRef inCommand);
XPLM_API void           XPLMCommandOnce(XPLMCommandRef inCommand);
XPLM_API XPLMCommandRef XPLMCreateCommand(const char * inName, const char * inDescription);
XPLM_API void           XPLMRegisterCommandHandler(XPLMCommandRef inComand, XPLMCommandCallback_f inHandler, int inBefore, void * inRefcon);
XPLM_API void           XPLMUnregisterCommandHandler(XPLMCommandRef inComand, XPLMCommandCallback_f inHandler, int inBefore, void * inRefcon);
#endif /* XPLM200 */

#ifdef __cplusplus
}
#endif

#endif /* _XPLMUtilities_h_ */
