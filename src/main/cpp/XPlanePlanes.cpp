// Natives of com.brevanto.qovin.planes.XPlanePlanes: the aircraft model in
// each of the simulator's aircraft slots, the user's aircraft and exclusive
// access to the others.
#include <XPLMPlanes.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bridge.h"
#include "registrations.h"
#include "utf8.h"
#include "com_brevanto_qovin_planes_XPlanePlanes.h"

namespace {
constexpr size_t kTextBytes = 512;
// Entries of an aircraft list passed on: more than the simulator has slots.
constexpr jsize kMaxAircraftEntries = 256;

// XPlanePlanes.Waiter, held from initialize, and its method.
jclass waiterClass = nullptr;
jmethodID availableMethod = nullptr;
// Tickets of waiting callbacks start at 2 (1 means granted); never reused.
jlong nextTicket = 2;

// The refcon is a ticket, not a reference: the simulator cannot take a waiting
// callback back, so a cancelled one finds no registration and calls nothing.
// Otherwise the registration goes, Java is called once (an exception is
// printed and cleared), and the global reference is deleted.
void planesAvailable(void* refcon) {
  const jlong ticket = static_cast<jlong>(reinterpret_cast<intptr_t>(refcon));
  const qovin::Registration* entry = qovin::findRegistration(qovin::Kind::kPlanesWaiting, ticket);
  if (entry == nullptr) return;
  jobject waiter = entry->ref;
  qovin::removeRegistration(qovin::Kind::kPlanesWaiting, ticket);
  JVMP_env->CallVoidMethod(waiter, availableMethod);
  printAndClearException();
  JVMP_env->DeleteGlobalRef(waiter);
}
}  // namespace

JNIEXPORT void JNICALL Java_com_brevanto_qovin_planes_XPlanePlanes_initialize(JNIEnv* env, jclass) {
  jclass cls = env->FindClass("com/brevanto/qovin/planes/XPlanePlanes$Waiter");
  if (cls == nullptr) return;
  waiterClass = static_cast<jclass>(env->NewGlobalRef(cls));
  availableMethod = env->GetMethodID(cls, "available", "()V");
  env->DeleteLocalRef(cls);
}

// Both texts start empty and are terminated at their buffer's end after the
// simulator writes, so a slot it does not fill gives {"", ""}.
JNIEXPORT jobjectArray JNICALL Java_com_brevanto_qovin_planes_XPlanePlanes_getNthAircraftModelN(JNIEnv* env, jclass,
                                                                                               jint index) {
  char fileName[kTextBytes];
  char path[kTextBytes];
  fileName[0] = '\0';
  path[0] = '\0';
  XPLMGetNthAircraftModel(index, fileName, path);
  fileName[kTextBytes - 1] = '\0';
  path[kTextBytes - 1] = '\0';
  jclass stringClass = env->FindClass("java/lang/String");
  if (stringClass == nullptr) return nullptr;
  jobjectArray model = env->NewObjectArray(2, stringClass, nullptr);
  if (model == nullptr) return nullptr;
  jstring file = newJavaString(env, fileName);
  if (file == nullptr) return nullptr;
  env->SetObjectArrayElement(model, 0, file);
  jstring converted = newJavaString(env, convertPath(std::string(path)).c_str());
  if (converted == nullptr) return nullptr;
  env->SetObjectArrayElement(model, 1, converted);
  return model;
}

// A null path does nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_planes_XPlanePlanes_setUsersAircraftN(JNIEnv* env, jclass,
                                                                                    jstring jpath) {
  if (offHostThread(env)) return;
  const Utf8 path(env, jpath);
  if (path) XPLMSetUsersAircraft(path.c_str());
}

// A null code does nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_planes_XPlanePlanes_placeUserAtAirportN(JNIEnv* env, jclass,
                                                                                      jstring jcode) {
  if (offHostThread(env)) return;
  const Utf8 code(env, jcode);
  if (code) XPLMPlaceUserAtAirport(code.c_str());
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_planes_XPlanePlanes_placeUserAtLocationN(
    JNIEnv* env, jclass, jdouble latitude, jdouble longitude, jfloat elevation, jfloat heading, jfloat speed) {
  if (offHostThread(env)) return;
  XPLMPlaceUserAtLocation(latitude, longitude, elevation, heading, speed);
}

// Writes total, active and controller; a null array or one shorter than 3 gets nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_planes_XPlanePlanes_countAircraftN(JNIEnv* env, jclass,
                                                                                 jintArray out) {
  if (offHostThread(env) || out == nullptr || env->GetArrayLength(out) < 3) return;
  jint counts[3] = {0, 0, XPLM_NO_PLUGIN_ID};
  XPLMCountAircraft(&counts[0], &counts[1], &counts[2]);
  env->SetIntArrayRegion(out, 0, 3, counts);
}

// Answers 1 when granted, 0 when refused with nothing waiting, or the ticket
// (2 or more) under which `whenAvailable` waits. A null list passes none; a
// null entry passes "" (its slot is skipped); entries past the 256th are not
// passed. `whenAvailable` waits only if it is an XPlanePlanes.Waiter.
JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_planes_XPlanePlanes_acquirePlanesN(JNIEnv* env, jclass,
                                                                                  jobjectArray jaircraft,
                                                                                  jobject whenAvailable) {
  if (offHostThread(env)) return 0;
  std::vector<std::string> paths;
  const jsize count = jaircraft == nullptr ? 0 : std::min(env->GetArrayLength(jaircraft), kMaxAircraftEntries);
  for (jsize i = 0; i < count; ++i) {
    auto text = static_cast<jstring>(env->GetObjectArrayElement(jaircraft, i));
    if (env->ExceptionCheck()) return 0;
    const Utf8 path(env, text);
    paths.emplace_back(path.orEmpty());
    env->DeleteLocalRef(text);
  }
  std::vector<char*> list;
  for (std::string& path : paths) list.push_back(path.data());
  list.push_back(nullptr);
  const bool waits =
      whenAvailable != nullptr && waiterClass != nullptr && env->IsInstanceOf(whenAvailable, waiterClass);
  const jlong ticket = nextTicket;
  if (XPLMAcquirePlanes(jaircraft == nullptr ? nullptr : list.data(), waits ? planesAvailable : nullptr,
                        reinterpret_cast<void*>(static_cast<intptr_t>(ticket))) == 1) {
    return 1;
  }
  if (!waits) return 0;
  jobject globalRef = env->NewGlobalRef(whenAvailable);
  if (globalRef == nullptr) return 0;  // the simulator's later call finds no ticket
  ++nextTicket;
  qovin::addRegistration(qovin::Kind::kPlanesWaiting, ticket, {globalRef, nullptr, 0, 0});
  return ticket;
}

// Lets go of a waiting callback: the simulator's later call finds nothing. A
// ticket that is not waiting (called already, cancelled, made up) answers false.
JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_planes_XPlanePlanes_cancelWaitN(JNIEnv* env, jclass,
                                                                                  jlong ticket) {
  if (offHostThread(env)) return JNI_FALSE;
  const qovin::Registration* entry = qovin::findRegistration(qovin::Kind::kPlanesWaiting, ticket);
  if (entry == nullptr) return JNI_FALSE;
  jobject waiter = entry->ref;
  qovin::removeRegistration(qovin::Kind::kPlanesWaiting, ticket);
  env->DeleteGlobalRef(waiter);
  return JNI_TRUE;
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_planes_XPlanePlanes_releasePlanesN(JNIEnv* env, jclass) {
  if (offHostThread(env)) return;
  XPLMReleasePlanes();
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_planes_XPlanePlanes_setActiveAircraftCountN(JNIEnv* env, jclass,
                                                                                          jint count) {
  if (offHostThread(env)) return;
  XPLMSetActiveAircraftCount(count);
}

// A null path does nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_planes_XPlanePlanes_setAircraftModelN(JNIEnv* env, jclass,
                                                                                    jint index, jstring jpath) {
  if (offHostThread(env)) return;
  const Utf8 path(env, jpath);
  if (path) XPLMSetAircraftModel(index, path.c_str());
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_planes_XPlanePlanes_disableAIForPlaneN(JNIEnv* env, jclass,
                                                                                     jint index) {
  if (offHostThread(env)) return;
  XPLMDisableAIForPlane(index);
}

// The draw state is always the whole record (structSize 44): the array's
// first ten values in field order, the rest 0; a null array gives all 0.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_planes_XPlanePlanes_drawAircraftN(
    JNIEnv* env, jclass, jint index, jfloat x, jfloat y, jfloat z, jfloat pitch, jfloat roll, jfloat yaw,
    jboolean fullDraw, jfloatArray jstate) {
  if (offHostThread(env)) return;
  float values[10] = {};
  if (jstate != nullptr) env->GetFloatArrayRegion(jstate, 0, std::min<jsize>(env->GetArrayLength(jstate), 10), values);
  XPLMPlaneDrawState_t state{};
  state.structSize = sizeof state;
  float* const fields[10] = {&state.gearPosition, &state.flapRatio,  &state.spoilerRatio, &state.speedBrakeRatio,
                             &state.slatRatio,    &state.wingSweep,  &state.thrust,       &state.yokePitch,
                             &state.yokeHeading,  &state.yokeRoll};
  for (int i = 0; i < 10; ++i) *fields[i] = values[i];
  XPLMDrawAircraft(index, x, y, z, pitch, roll, yaw, fullDraw ? 1 : 0, &state);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_planes_XPlanePlanes_reinitUsersPlaneN(JNIEnv* env, jclass) {
  if (offHostThread(env)) return;
  XPLMReinitUsersPlane();
}
