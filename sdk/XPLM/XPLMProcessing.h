#ifndef _XPLMProcessing_h_
#define _XPLMProcessing_h_

/*
 * XPLMProcessing.h - flight-loop callbacks and timing.
 *
 * Intervals: positive = seconds, negative = number of flight loops,
 * 0 = inactive (still registered).
 */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Flight-loop callback; returns the next interval. */
typedef float (* XPLMFlightLoop_f)(float inElapsedSinceLastCall, float inElapsedTimeSinceLastFlightLoop, int inCounter, void * inRefcon);

#if defined(XPLM210)
/* When in the flight loop a created flight loop runs. */
enum {
    xplm_FlightLoop_Phase_BeforeFlightModel = 0,
    xplm_FlightLoop_Phase_AfterFlightModel  = 1
};
typedef int XPLMFlightLoopPhaseType;

/* Opaque handle to a created flight loop. */
typedef void * XPLMFlightLoopID;

/* Parameters for XPLMCreateFlightLoop. */
typedef struct {
    int                     structSize;
    XPLMFlightLoopPhaseType phase;
    XPLMFlightLoop_f        callbackFunc;
    void *                  refcon;
} XPLMCreateFlightLoop_t;
#endif /* XPLM210 */

XPLM_API float XPLMGetElapsedTime(void);
XPLM_API int   XPLMGetCycleNumber(void);

XPLM_API void XPLMRegisterFlightLoopCallback(XPLMFlightLoop_f inFlightLoop, float inInterval, void * inRefcon);
XPLM_API void XPLMUnregisterFlightLoopCallback(XPLMFlightLoop_f inFlightLoop, void * inRefcon);
XPLM_API void XPLMSetFlightLoopCallbackInterval(XPLMFlightLoop_f inFlightLoop, float inInterval, int inRelativeToNow, void * inRefcon);

#if defined(XPLM210)
XPLM_API XPLMFlightLoopID XPLMCreateFlightLoop(XPLMCreateFlightLoop_t * inParams);
XPLM_API void             XPLMDestroyFlightLoop(XPLMFlightLoopID inFlightLoopID);
XPLM_API void             XPLMScheduleFlightLoop(XPLMFlightLoopID inFlightLoopID, float inInterval, int inRelativeToNow);
#endif /* XPLM210 */

#ifdef __cplusplus
}
#endif

#endif /* _XPLMProcessing_h_ */
