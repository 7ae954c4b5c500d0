// Natives of com.brevanto.qovin.util.XPlaneCommandRef: finding, creating and
// executing commands, and Java command handlers.
#include <XPLMUtilities.h>

#include <sstream>

#include "bridge.h"
#include "utf8.h"
#include "registrations.h"
#include "com_brevanto_qovin_util_XPlaneCommandRef.h"

jmethodID beforehandlerCallbackMtd = nullptr;
jmethodID afterhandlerCallbackMtd = nullptr;

namespace {

XPLMCommandRef command(jlong ref) { return reinterpret_cast<XPLMCommandRef>(ref); }

// The refcon is the global reference to the registered XPlaneCommandRef. A
// handler that throws has its exception printed and cleared and answers 1, so
// the command goes on to the simulator and the other handlers.
int callHandler(jmethodID method, XPLMCommandPhase inPhase, void* inRefcon) {
  const jboolean goOn = JVMP_env->CallBooleanMethod(static_cast<jobject>(inRefcon), method, inPhase);
  if (printAndClearException()) return 1;
  return goOn ? 1 : 0;
}

}  // namespace

int QOVINCommandBeforeCallback(XPLMCommandRef, XPLMCommandPhase inPhase, void* inRefcon) {
  return callHandler(beforehandlerCallbackMtd, inPhase, inRefcon);
}

int QOVINCommandAfterCallback(XPLMCommandRef, XPLMCommandPhase inPhase, void* inRefcon) {
  return callHandler(afterhandlerCallbackMtd, inPhase, inRefcon);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_util_XPlaneCommandRef_initialize(JNIEnv* env, jclass) {
  jclass cls = env->FindClass("com/brevanto/qovin/util/XPlaneCommandRef");
  if (cls == nullptr) return;
  beforehandlerCallbackMtd = env->GetMethodID(cls, "beforehandlerCallback", "(I)Z");
  if (beforehandlerCallbackMtd == nullptr) return;
  afterhandlerCallbackMtd = env->GetMethodID(cls, "afterhandlerCallback", "(I)Z");
  env->DeleteLocalRef(cls);
}

// A null name finds and creates nothing; a null description is taken as "".
JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_util_XPlaneCommandRef_findCommandRef(JNIEnv* env, jobject,
                                                                                    jstring name) {
  return handleForText(env, name, XPLMFindCommand);
}

JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_util_XPlaneCommandRef_createCommandRef(JNIEnv* env, jobject,
                                                                                      jstring name, jstring desc) {
  const Utf8 description(env, desc);
  return handleForText(env, name, [&](const char* text) { return XPLMCreateCommand(text, description.orEmpty()); });
}

JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_util_XPlaneCommandRef_registerHandlerN(JNIEnv* env, jobject jcmdref,
                                                                                      jlong ref, jboolean before) {
  jobject handlerRef = env->NewGlobalRef(jcmdref);
  if (handlerRef == nullptr) return 0;
  XPLMCommandCallback_f trampoline = before ? QOVINCommandBeforeCallback : QOVINCommandAfterCallback;
  std::stringstream lstr;
  lstr << "Registering cmd handler. Cmd ref: " << static_cast<long long>(ref)
       << " handler ref: " << reinterpret_cast<long long>(handlerRef) << std::endl;
  logFiner(lstr);
  qovin::addRegistration(qovin::Kind::kCommandHandler, qovin::keyOf(handlerRef),
                         {nullptr, nullptr, ref, before ? 1 : 0});
  XPLMRegisterCommandHandler(command(ref), trampoline, before ? 1 : 0, handlerRef);
  return qovin::keyOf(handlerRef);
}

// Only a current registration made with this command and side is taken back;
// anything else changes nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_util_XPlaneCommandRef_unregisterHandlerN(JNIEnv* env, jobject,
                                                                                       jlong cmdRef,
                                                                                       jlong handlerRef,
                                                                                       jboolean before) {
  const qovin::Registration* registration = qovin::findRegistration(qovin::Kind::kCommandHandler, handlerRef);
  if (registration == nullptr || registration->a != cmdRef || registration->b != (before ? 1 : 0)) return;
  qovin::removeRegistration(qovin::Kind::kCommandHandler, handlerRef);
  std::stringstream lstr;
  lstr << "Unregistering cmd handler. Cmd ref: " << static_cast<long long>(cmdRef)
       << " handler ref: " << static_cast<long long>(handlerRef) << std::endl;
  logFiner(lstr);
  XPLMCommandCallback_f trampoline = before ? QOVINCommandBeforeCallback : QOVINCommandAfterCallback;
  XPLMUnregisterCommandHandler(command(cmdRef), trampoline, before ? 1 : 0, reinterpret_cast<void*>(handlerRef));
  lstr << "Unregistered cmd handler. Deleting ref." << std::endl;
  logFiner(lstr);
  env->DeleteGlobalRef(reinterpret_cast<jobject>(handlerRef));
  lstr << "Ref deleted." << std::endl;
  logFiner(lstr);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_util_XPlaneCommandRef_beginN(JNIEnv*, jobject, jlong ref) {
  XPLMCommandBegin(command(ref));
}
JNIEXPORT void JNICALL Java_com_brevanto_qovin_util_XPlaneCommandRef_endN(JNIEnv*, jobject, jlong ref) {
  XPLMCommandEnd(command(ref));
}
JNIEXPORT void JNICALL Java_com_brevanto_qovin_util_XPlaneCommandRef_onceN(JNIEnv*, jobject, jlong ref) {
  XPLMCommandOnce(command(ref));
}
