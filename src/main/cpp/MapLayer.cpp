// Natives of com.brevanto.qovin.map.MapLayer: map layers drawn by Java, the
// icons and labels they queue, and the map's projection during their callbacks.
#include <XPLMMap.h>

#include "bridge.h"
#include "registrations.h"
#include "utf8.h"
#include "com_brevanto_qovin_map_MapLayer.h"

namespace {
jmethodID stageMethod = nullptr;
jmethodID willBeDeletedMethod = nullptr;

// Stages, as MapFrame numbers them.
enum Stage : jint { kPrepareCache = 0, kDraw = 1, kIcons = 2, kLabels = 3, kNone = -1 };

// The layer callback under way: icons, labels and projections are passed to
// the simulator only for it. Set around each upcall (callbacks may nest).
struct Current {
  jint stage = kNone;
  XPLMMapLayerID layer = nullptr;
  XPLMMapProjectionID projection = nullptr;
};
Current current;

XPLMMapLayerID layerOf(jlong id) { return reinterpret_cast<XPLMMapLayerID>(id); }
XPLMMapProjectionID projectionOf(jlong id) { return reinterpret_cast<XPLMMapProjectionID>(id); }
jlong keyOf(XPLMMapLayerID layer) { return reinterpret_cast<jlong>(layer); }

// The refcon is the layer's Java object (its global reference). The area
// crosses as four numbers: nothing is allocated. An exception is printed and cleared.
void callStage(jint stage, XPLMMapLayerID layer, const float* area, float zoom, float units, XPLMMapStyle style,
               XPLMMapProjectionID projection, void* refcon) {
  const Current previous = current;
  current = Current{stage, layer, projection};
  const float zero[4] = {0, 0, 0, 0};
  const float* a = area != nullptr ? area : zero;
  JVMP_env->CallVoidMethod(static_cast<jobject>(refcon), stageMethod, stage, a[0], a[1], a[2], a[3], zoom, units,
                           style, reinterpret_cast<jlong>(projection));
  printAndClearException();
  current = previous;
}

void prepareCache(XPLMMapLayerID layer, const float* area, XPLMMapProjectionID projection, void* refcon) {
  callStage(kPrepareCache, layer, area, 0, 0, 0, projection, refcon);
}

void draw(XPLMMapLayerID layer, const float* area, float zoom, float units, XPLMMapStyle style,
          XPLMMapProjectionID projection, void* refcon) {
  callStage(kDraw, layer, area, zoom, units, style, projection, refcon);
}

void drawIcons(XPLMMapLayerID layer, const float* area, float zoom, float units, XPLMMapStyle style,
               XPLMMapProjectionID projection, void* refcon) {
  callStage(kIcons, layer, area, zoom, units, style, projection, refcon);
}

void drawLabels(XPLMMapLayerID layer, const float* area, float zoom, float units, XPLMMapStyle style,
                XPLMMapProjectionID projection, void* refcon) {
  callStage(kLabels, layer, area, zoom, units, style, projection, refcon);
}

// The layer's last call: the registration goes first (a destroy from inside
// the callback is refused), Java is told, then the global reference goes. A
// layer the bridge no longer records (a repeated call) reaches no Java: its
// reference is gone already.
void willBeDeleted(XPLMMapLayerID layer, void* refcon) {
  if (current.layer == layer) current = Current{};
  if (!qovin::removeRegistration(qovin::Kind::kMapLayer, keyOf(layer))) return;
  JVMP_env->CallVoidMethod(static_cast<jobject>(refcon), willBeDeletedMethod);
  printAndClearException();
  JVMP_env->DeleteGlobalRef(static_cast<jobject>(refcon));
}
}  // namespace

JNIEXPORT void JNICALL Java_com_brevanto_qovin_map_MapLayer_initialize(JNIEnv* env, jclass cls) {
  stageMethod = env->GetMethodID(cls, "stage", "(IFFFFFFIJ)V");
  if (stageMethod == nullptr) return;
  willBeDeletedMethod = env->GetMethodID(cls, "willBeDeleted", "()V");
}

// Refused (0, nothing held): a null map, a map that is not open, a type the
// simulator does not have. A null name is "".
JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_map_MapLayer_createN(JNIEnv* env, jobject self, jstring jmap,
                                                                    jint type, jstring jname,
                                                                    jboolean showUiToggle) {
  if (offHostThread(env)) return 0;
  const Utf8 map(env, jmap);
  if (!map) return 0;
  const Utf8 name(env, jname);
  jobject globalRef = env->NewGlobalRef(self);
  if (globalRef == nullptr) return 0;
  XPLMCreateMapLayer_t params{};
  params.structSize = sizeof params;
  params.mapToCreateLayerIn = map.c_str();
  params.layerType = type;
  params.willBeDeletedCallback = willBeDeleted;
  params.prepCacheCallback = prepareCache;
  params.drawCallback = draw;
  params.iconCallback = drawIcons;
  params.labelCallback = drawLabels;
  params.showUiToggle = showUiToggle ? 1 : 0;
  params.layerName = name.orEmpty();
  params.refcon = globalRef;
  XPLMMapLayerID layer = XPLMCreateMapLayer(&params);
  if (layer == nullptr) {
    env->DeleteGlobalRef(globalRef);
    return 0;
  }
  qovin::addRegistration(qovin::Kind::kMapLayer, keyOf(layer), {globalRef, nullptr, 0, 0});
  return keyOf(layer);
}

// Only a layer this bridge created and that exists reaches the simulator; a
// stale or made-up one answers 0. Its will-be-deleted callback lets go of the
// Java object; should the simulator delete it without that call, this does.
JNIEXPORT jint JNICALL Java_com_brevanto_qovin_map_MapLayer_destroyN(JNIEnv* env, jclass, jlong id) {
  if (offHostThread(env) || qovin::findRegistration(qovin::Kind::kMapLayer, id) == nullptr) return 0;
  const int result = XPLMDestroyMapLayer(layerOf(id));
  if (current.layer == layerOf(id)) current = Current{};
  const qovin::Registration* left = qovin::findRegistration(qovin::Kind::kMapLayer, id);
  if (result == 1 && left != nullptr) {
    jobject ref = left->ref;
    qovin::removeRegistration(qovin::Kind::kMapLayer, id);
    env->DeleteGlobalRef(ref);
  }
  return result;
}

// Passed on only from the icon stage of that same layer; anywhere else, or
// with a null path, nothing is queued.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_map_MapLayer_drawIconN(JNIEnv* env, jclass, jlong id,
                                                                     jstring jpath, jint s, jint t, jint ds,
                                                                     jint dt, jfloat x, jfloat y,
                                                                     jint orientation, jfloat rotation,
                                                                     jfloat width) {
  if (offHostThread(env) || id == 0 || current.stage != kIcons || layerOf(id) != current.layer) return;
  const Utf8 path(env, jpath);
  if (!path) return;
  XPLMDrawMapIconFromSheet(layerOf(id), path.c_str(), s, t, ds, dt, x, y, orientation, rotation, width);
}

// Passed on only from the label stage of that same layer; a null text queues nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_map_MapLayer_drawLabelN(JNIEnv* env, jclass, jlong id,
                                                                      jstring jtext, jfloat x, jfloat y,
                                                                      jint orientation, jfloat rotation) {
  if (offHostThread(env) || id == 0 || current.stage != kLabels || layerOf(id) != current.layer) return;
  const Utf8 text(env, jtext);
  if (!text) return;
  XPLMDrawMapLabel(layerOf(id), text.c_str(), x, y, orientation, rotation);
}

namespace {
// Only the projection of the layer callback under way reaches the simulator.
bool usable(JNIEnv* env, jlong projection) {
  return !offHostThread(env) && projection != 0 && projectionOf(projection) == current.projection;
}
}  // namespace

// A stale or made-up projection, or an array shorter than 2, writes nothing and answers false.
JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_map_MapLayer_projectN(JNIEnv* env, jclass, jlong projection,
                                                                        jdouble latitude, jdouble longitude,
                                                                        jfloatArray out) {
  if (!usable(env, projection) || out == nullptr || env->GetArrayLength(out) < 2) return JNI_FALSE;
  float xy[2] = {0, 0};
  XPLMMapProject(projectionOf(projection), latitude, longitude, &xy[0], &xy[1]);
  env->SetFloatArrayRegion(out, 0, 2, xy);
  return JNI_TRUE;
}

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_map_MapLayer_unprojectN(JNIEnv* env, jclass, jlong projection,
                                                                          jfloat x, jfloat y, jdoubleArray out) {
  if (!usable(env, projection) || out == nullptr || env->GetArrayLength(out) < 2) return JNI_FALSE;
  double latLon[2] = {0, 0};
  XPLMMapUnproject(projectionOf(projection), x, y, &latLon[0], &latLon[1]);
  env->SetDoubleArrayRegion(out, 0, 2, latLon);
  return JNI_TRUE;
}

// A stale or made-up projection answers 0.
JNIEXPORT jfloat JNICALL Java_com_brevanto_qovin_map_MapLayer_scaleMeterN(JNIEnv* env, jclass, jlong projection,
                                                                         jfloat x, jfloat y) {
  return usable(env, projection) ? XPLMMapScaleMeter(projectionOf(projection), x, y) : 0.0f;
}

JNIEXPORT jfloat JNICALL Java_com_brevanto_qovin_map_MapLayer_northHeadingN(JNIEnv* env, jclass, jlong projection,
                                                                           jfloat x, jfloat y) {
  return usable(env, projection) ? XPLMMapGetNorthHeading(projectionOf(projection), x, y) : 0.0f;
}
