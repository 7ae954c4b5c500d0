// Natives of com.brevanto.qovin.scenery.XPlaneObjectRef: drawing and unloading
// a loaded object.
#include <XPLMScenery.h>

#include "bridge.h"
#include "com_brevanto_qovin_scenery_XPlaneObjectRef.h"
#include "draw_info_array.h"

// The one location of drawN, rewritten by each call: drawing allocates nothing.
XPLMDrawInfo_t drawInfo;

namespace {
XPLMObjectRef object(jlong ref) { return reinterpret_cast<XPLMObjectRef>(ref); }
}  // namespace

JNIEXPORT void JNICALL Java_com_brevanto_qovin_scenery_XPlaneObjectRef_unloadN(JNIEnv*, jclass, jlong objRefPtr) {
  XPLMUnloadObject(object(objRefPtr));
}

// Drawn once, rotations in earth axes.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_scenery_XPlaneObjectRef_drawN(JNIEnv*, jclass, jlong objRefPtr, jfloat x,
                                                                             jfloat y, jfloat z, jfloat pitch,
                                                                             jfloat heading, jfloat roll) {
  drawInfo.structSize = sizeof(XPLMDrawInfo_t);
  drawInfo.x = x;
  drawInfo.y = y;
  drawInfo.z = z;
  drawInfo.pitch = pitch;
  drawInfo.heading = heading;
  drawInfo.roll = roll;
  XPLMDrawObjects(object(objRefPtr), 1, &drawInfo, 0, 1);
}

// Drawn at each record of the array, in place, rotations in local axes. The
// count is cut to the array's own record count (a negative count, or no
// array, draws nothing), so the simulator never reads past the array.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_scenery_XPlaneObjectRef_drawInstancesN(JNIEnv*, jclass, jlong objRefPtr,
                                                                                      jint drawInfoSize,
                                                                                      jlong drawInfoPtr) {
  XPLMDrawObjects(object(objRefPtr), drawableRecords(drawInfoSize, drawInfoPtr), drawInfoRecords(drawInfoPtr), 0, 0);
}
