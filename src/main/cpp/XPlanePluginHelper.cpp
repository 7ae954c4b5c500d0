// Natives of com.brevanto.qovin.XPlanePluginHelper: the bridge's environment
// and the Java logger that native code writes to.
#include "bridge.h"

#include <string>

#include "com_brevanto_qovin_XPlanePluginHelper.h"

JNIEnv* JVMP_env = nullptr;
jobject logger = nullptr;
jmethodID mtdlogInfo = nullptr;
jmethodID mtdlogFine = nullptr;
jmethodID mtdlogFiner = nullptr;

// A failed lookup leaves its Java error (NoClassDefFoundError, NoSuchMethodError)
// pending, so initNatives throws it to its Java caller; the steps after it are
// skipped and the previous logger, if any, stays in use.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_initNatives(JNIEnv* env, jclass) {
  JVMP_env = env;
  jclass loggerClass = JVMP_env->FindClass("java/util/logging/Logger");
  if (loggerClass == nullptr) return;
  jmethodID info = JVMP_env->GetMethodID(loggerClass, "info", "(Ljava/lang/String;)V");
  if (info == nullptr) return;
  jmethodID fine = JVMP_env->GetMethodID(loggerClass, "fine", "(Ljava/lang/String;)V");
  if (fine == nullptr) return;
  jmethodID finer = JVMP_env->GetMethodID(loggerClass, "finer", "(Ljava/lang/String;)V");
  if (finer == nullptr) return;
  mtdlogInfo = info;
  mtdlogFine = fine;
  mtdlogFiner = finer;
  jmethodID getLogger =
      JVMP_env->GetStaticMethodID(loggerClass, "getLogger", "(Ljava/lang/String;)Ljava/util/logging/Logger;");
  if (getLogger == nullptr) return;
  jstring name = JVMP_env->NewStringUTF("QOVINNative");
  if (name == nullptr) return;
  jobject local = JVMP_env->CallStaticObjectMethod(loggerClass, getLogger, name);
  if (JVMP_env->ExceptionCheck() || local == nullptr) return;
  // The previous logger reference, if any, is kept: log calls in progress may hold it.
  logger = JVMP_env->NewGlobalRef(local);
  JVMP_env->DeleteLocalRef(local);
  JVMP_env->DeleteLocalRef(name);
  JVMP_env->DeleteLocalRef(loggerClass);
}

namespace {

// The string's local reference is deleted at once, so log calls made from a
// trampoline (outside any Java frame) leave nothing behind. An exception thrown
// by the logger stays pending for the caller.
void logWith(jmethodID method, const char* msg) {
  if (logger == nullptr || JVMP_env == nullptr) return;
  jstring text = JVMP_env->NewStringUTF(msg);
  if (text == nullptr) return;
  JVMP_env->CallVoidMethod(logger, method, text);
  JVMP_env->ExceptionCheck();  // the exception, if any, stays pending
  JVMP_env->DeleteLocalRef(text);
}

void logStream(jmethodID method, std::stringstream& lstr) {
  logWith(method, lstr.str().c_str());
  lstr.str(std::string());
  lstr.clear();
}

}  // namespace

void logInfo(const char* msg) { logWith(mtdlogInfo, msg); }
void logFine(const char* msg) { logWith(mtdlogFine, msg); }
void logFiner(const char* msg) { logWith(mtdlogFiner, msg); }
void logInfo(std::stringstream& lstr) { logStream(mtdlogInfo, lstr); }
void logFine(std::stringstream& lstr) { logStream(mtdlogFine, lstr); }
void logFiner(std::stringstream& lstr) { logStream(mtdlogFiner, lstr); }

bool printAndClearException() {
  if (!JVMP_env->ExceptionCheck()) return false;
  JVMP_env->ExceptionDescribe();
  JVMP_env->ExceptionClear();
  return true;
}
