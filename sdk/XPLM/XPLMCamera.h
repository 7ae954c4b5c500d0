#ifndef _XPLMCamera_h_
#define _XPLMCamera_h_

/*
 * XPLMCamera.h - taking control of the camera.
 */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

/* How long a plugin keeps the camera. */
enum {
    xplm_ControlCameraUntilViewChanges = 1,
    xplm_ControlCameraForever          = 2
};
typedef int XPLMCameraControlDuration;

/* Camera position in local coordinates; angles in degrees. */
typedef struct {
    float x;
    float y;
    float z;
    float pitch;
    float heading;
    float roll;
    float zoom;
} XPLMCameraPosition_t;

/* Called each frame while in control; returns 1 to keep control, 0 to release it. */
typedef int (* XPLMCameraControl_f)(XPLMCameraPosition_t * outCameraPosition, int inIsLosingControl, void * inRefcon);

XPLM_API void XPLMControlCamera(XPLMCameraControlDuration inHowLong, XPLMCameraControl_f inControlFunc, void * inRefcon);
XPLM_API void XPLMDontControlCamera(void);
XPLM_API int  XPLMIsCameraBeingControlled(XPLMCameraControlDuration * outCameraControlDuration);
XPLM_API void XPLMReadCameraPosition(XPLMCameraPosition_t * outCameraPosition);

#ifdef __cplusplus
}
#endif

#endif /* _XPLMCamera_h_ */
