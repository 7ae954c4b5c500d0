// What the scenery tests share: the factory, the Java peer classes and their
// private natives.
#ifndef QOVIN_TEST_SCENERY_FIXTURE_H
#define QOVIN_TEST_SCENERY_FIXTURE_H

#include <XPLMScenery.h>

#include <string>

#include "jvm_harness.h"
#include "xplmsim/scenery.h"
#include "xplmsim/sim.h"

namespace qovintest {

constexpr const char* kObjectRefClass = "com/brevanto/qovin/scenery/XPlaneObjectRef";
constexpr const char* kDrawInfoClass = "com/brevanto/qovin/scenery/XPlaneDrawInfo";
constexpr const char* kInstanceClass = "com/brevanto/qovin/scenery/XPlaneInstance";
constexpr const char* kProbeRefClass = "com/brevanto/qovin/scenery/XPlaneProbeRef";
constexpr const char* kEntrySignature = "(JI)Lcom/brevanto/qovin/scenery/QOVINDrawInfo$DrawInfoEntry;";

class SceneryTest : public BridgeTest {
 protected:
  jobject factory() { return newObject("com/brevanto/qovin/scenery/XPlaneSceneryFactory", "()V"); }

  jobject loadObject(const char* path) {
    return callMethod<jobject>(factory(), "loadObject",
                               "(Ljava/lang/String;)Lcom/brevanto/qovin/scenery/XPlaneObjectRef;",
                               env()->NewStringUTF(path));
  }

  jlong handleOf(jobject object) { return callMethod<jlong>(object, "getHandle", "()J"); }

  // A new XPlaneDrawInfo of `size` locations, and the address of its first one.
  jobject drawInfo(jint size) { return newObject(kDrawInfoClass, "(I)V", size); }
  jlong addressOf(jobject drawInfo) { return callMethod<jlong>(drawInfo, "address", "()J"); }
  XPLMDrawInfo_t* records(jobject drawInfo) { return reinterpret_cast<XPLMDrawInfo_t*>(addressOf(drawInfo)); }

  void set(jobject drawInfo, jint index, float x, float y, float z, float pitch, float heading, float roll) {
    callMethod(drawInfo, "set", "(IFFFFFF)V", index, x, y, z, pitch, heading, roll);
  }
};

}  // namespace qovintest

#endif
