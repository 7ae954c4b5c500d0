// Natives of com.brevanto.qovin.navigation.XPlaneNavigation: the navaid
// database, the FMS flight plan and the GPS destination.
#include <XPLMNavigation.h>

#include "bridge.h"
#include "utf8.h"
#include "com_brevanto_qovin_navigation_XPlaneNavigation.h"

namespace {
// The ID buffer holds what the simulator writes for navaids (at most 32 bytes)
// and for FMS entries (at most 256).
constexpr size_t kIdBytes = 256;
constexpr size_t kNameBytes = 256;
constexpr size_t kRegBytes = 32;
// Static storage: in place from library load, never freed, and zeroed at the start.
char idStorage[kIdBytes];
char nameStorage[kNameBytes];
char regStorage[kRegBytes];
}  // namespace

// The navaid text buffers, shared by every toJava and getFMSEntryInfo call.
char* outID = idStorage;
char* outName = nameStorage;
char* outReg = regStorage;

// The numbers start at 0 and the texts empty, and each text is terminated at
// its buffer's end after the simulator writes: a handle it does not fill gives
// zeros and empty texts, never an earlier navaid's. The region arrives as one
// byte with a terminator after it: "" outside the loaded region, "\u0001" inside.
jobject toJava(JNIEnv* env, XPLMNavRef ref) {
  XPLMNavType type = xplm_Nav_Unknown;
  float latitude = 0;
  float longitude = 0;
  float height = 0;
  int frequency = 0;
  float heading = 0;
  outID[0] = '\0';
  outName[0] = '\0';
  outReg[0] = '\0';
  XPLMGetNavAidInfo(ref, &type, &latitude, &longitude, &height, &frequency, &heading, outID, outName, outReg);
  outID[kIdBytes - 1] = '\0';
  outName[kNameBytes - 1] = '\0';
  outReg[1] = '\0';
  jstring id = newJavaString(env, outID);
  jstring name = newJavaString(env, outName);
  jstring reg = newJavaString(env, outReg);
  if (id == nullptr || name == nullptr || reg == nullptr) return nullptr;
  jobject navRef = newJavaObject(env, "com/brevanto/qovin/navigation/XPlaneNavRef",
                                 "(IIFFFIFLjava/lang/String;Ljava/lang/String;Ljava/lang/String;)V", ref, type,
                                 latitude, longitude, height, frequency, heading, id, name, reg);
  env->DeleteLocalRef(reg);
  env->DeleteLocalRef(name);
  env->DeleteLocalRef(id);
  return navRef;
}

JNIEXPORT jobject JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_getFirstNavAid(JNIEnv* env, jobject) {
  if (offHostThread(env)) return nullptr;
  return toJava(env, XPLMGetFirstNavAid());
}

JNIEXPORT jobject JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_getNextNavAidN(JNIEnv* env, jobject,
                                                                                            jint ref) {
  return toJava(env, XPLMGetNextNavAid(ref));
}

JNIEXPORT jobject JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_findFirstNavAidOfTypeN(JNIEnv* env,
                                                                                                    jobject,
                                                                                                    jint type) {
  return toJava(env, XPLMFindFirstNavAidOfType(type));
}

JNIEXPORT jobject JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_findLastNavAidOfTypeN(JNIEnv* env,
                                                                                                   jobject,
                                                                                                   jint type) {
  return toJava(env, XPLMFindLastNavAidOfType(type));
}

namespace {

// Each step runs only while no Java error is pending, so a failure is left for
// the caller to see and no JNI call is made over it.
void unbox(JNIEnv* env, jobject boxed, float& value) {
  if (boxed == nullptr || env->ExceptionCheck()) return;
  jclass cls = env->FindClass("java/lang/Float");
  value = env->CallFloatMethod(boxed, env->GetMethodID(cls, "floatValue", "()F"));
  env->ExceptionCheck();
  env->DeleteLocalRef(cls);
}

void unbox(JNIEnv* env, jobject boxed, int& value) {
  if (boxed == nullptr || env->ExceptionCheck()) return;
  jclass cls = env->FindClass("java/lang/Integer");
  value = env->CallIntMethod(boxed, env->GetMethodID(cls, "intValue", "()I"));
  env->ExceptionCheck();
  env->DeleteLocalRef(cls);
}

}  // namespace

// A null criterion reaches the simulator as a null pointer, never as 0.
JNIEXPORT jobject JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_findNavAid(
    JNIEnv* env, jobject, jstring jNameFragment, jstring jIdFragment, jobject jLat, jobject jLon, jobject jFreq,
    jint type) {
  if (offHostThread(env)) return nullptr;
  const Utf8 name(env, jNameFragment);
  const Utf8 id(env, jIdFragment);
  float lat = 0;
  float lon = 0;
  int freq = 0;
  unbox(env, jLat, lat);
  unbox(env, jLon, lon);
  unbox(env, jFreq, freq);
  // A failed unboxing (or fragment) leaves its Java error pending: no search is made.
  const bool ready = !env->ExceptionCheck();
  const XPLMNavRef found =
      ready ? XPLMFindNavAid(name.c_str(), id.c_str(), jLat != nullptr ? &lat : nullptr, jLon != nullptr ? &lon : nullptr,
                             jFreq != nullptr ? &freq : nullptr, type)
            : XPLM_NAV_NOT_FOUND;
  return ready ? toJava(env, found) : nullptr;
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_findNearestRefN(JNIEnv* env, jobject,
                                                                                             jint type, jfloat latitude,
                                                                                             jfloat longitude) {
  if (offHostThread(env)) return XPLM_NAV_NOT_FOUND;
  float lat = latitude;
  float lon = longitude;
  return XPLMFindNavAid(nullptr, nullptr, &lat, &lon, nullptr, type);
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_countFMSEntries(JNIEnv* env, jobject) {
  if (offHostThread(env)) return 0;
  return XPLMCountFMSEntries();
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_getDisplayedFMSEntry(JNIEnv* env, jobject) {
  if (offHostThread(env)) return 0;
  return XPLMGetDisplayedFMSEntry();
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_getDestinationFMSEntry(JNIEnv* env, jobject) {
  if (offHostThread(env)) return 0;
  return XPLMGetDestinationFMSEntry();
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_setDisplayedFMSEntry(JNIEnv* env, jobject,
                                                                                               jint index) {
  if (offHostThread(env)) return;
  XPLMSetDisplayedFMSEntry(index);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_setDestinationFMSEntry(JNIEnv* env, jobject,
                                                                                                 jint index) {
  if (offHostThread(env)) return;
  XPLMSetDestinationFMSEntry(index);
}

// The ID string is made before toJava reuses the buffer. An index the
// simulator does not fill gives type 0, an empty ID and zeros; its navaid
// handle stays at 0 and is handed to toJava like any other.
JNIEXPORT jobject JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_getFMSEntryInfo(JNIEnv* env, jobject,
                                                                                             jint index) {
  if (offHostThread(env)) return nullptr;
  XPLMNavType type = xplm_Nav_Unknown;
  XPLMNavRef navRef = 0;
  int altitude = 0;
  float lat = 0;
  float lon = 0;
  outID[0] = '\0';
  XPLMGetFMSEntryInfo(index, &type, outID, &navRef, &altitude, &lat, &lon);
  outID[kIdBytes - 1] = '\0';
  jstring id = newJavaString(env, outID);
  if (id == nullptr) return nullptr;
  jobject navaid = navRef != XPLM_NAV_NOT_FOUND ? toJava(env, navRef) : nullptr;
  return newJavaObject(env, "com/brevanto/qovin/navigation/QOVINFmsEntryInfo",
                       "(ILjava/lang/String;Lcom/brevanto/qovin/navigation/QOVINNavRef;IFF)V", type, id, navaid,
                       altitude, lat, lon);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_setFMSEntryInfoN(JNIEnv*, jobject,
                                                                                           jint index, jint ref,
                                                                                           jint altitude) {
  XPLMSetFMSEntryInfo(index, ref, altitude);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_setFMSEntryLatLon(JNIEnv* env, jobject,
                                                                                            jint index, jfloat lat,
                                                                                            jfloat lon,
                                                                                            jint altitude) {
  if (offHostThread(env)) return;
  XPLMSetFMSEntryLatLon(index, lat, lon, altitude);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_clearFMSEntry(JNIEnv* env, jobject,
                                                                                        jint index) {
  if (offHostThread(env)) return;
  XPLMClearFMSEntry(index);
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_getGPSDestinationTypeN(JNIEnv*, jobject) {
  return XPLMGetGPSDestinationType();
}

JNIEXPORT jobject JNICALL Java_com_brevanto_qovin_navigation_XPlaneNavigation_getGPSDestination(JNIEnv* env,
                                                                                               jobject) {
  if (offHostThread(env)) return nullptr;
  return toJava(env, XPLMGetGPSDestination());
}
