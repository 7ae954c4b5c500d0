#ifndef _XPLMPlanes_h_
#define _XPLMPlanes_h_

/*
 * XPLMPlanes.h - aircraft models.
 */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Index of the user's aircraft. */
#define XPLM_USER_AIRCRAFT 0

XPLM_API void XPLMGetNthAircraftModel(int inIndex, char * outFileName, char * outPath);

#ifdef __cplusplus
}
#endif

#endif /* _XPLMPlanes_h_ */
