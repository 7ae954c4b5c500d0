#ifndef _XPLMInstance_h_
#define _XPLMInstance_h_

/*
 * XPLMInstance.h - object instances positioned together with dataref values.
 * Uses XPLMObjectRef and XPLMDrawInfo_t, so XPLM200 must be defined.
 */

#include "XPLMDefs.h"
#include "XPLMScenery.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Opaque handle to an instance. */
typedef void * XPLMInstanceRef;

XPLM_API XPLMInstanceRef XPLMCreateInstance(XPLMObjectRef obj, const char ** datarefs);
XPLM_API void            XPLMDestroyInstance(XPLMInstanceRef instance);
XPLM_API void            XPLMInstanceSetPosition(XPLMInstanceRef instance, const XPLMDrawInfo_t * new_position, const float * data);

#ifdef __cplusplus
}
#endif

#endif /* _XPLMInstance_h_ */
