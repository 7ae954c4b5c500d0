// Natives of com.brevanto.qovin.XPlanePluginHelper: the bridge's environment,
// the Java logger that native code writes to, and the other plugins: their
// information and state, and messages to them.
#include <XPLMPlugin.h>
#include <pthread.h>

#include <cstdarg>
#include <cstring>
#include <string>
#include <vector>

#include "bridge.h"
#include "utf8.h"

#include "com_brevanto_qovin_XPlanePluginHelper.h"

JNIEnv* JVMP_env = nullptr;
namespace {
// The host thread, for natives that have no JNIEnv to compare (critical twins).
pthread_t hostThread{};
}  // namespace
jobject logger = nullptr;
jmethodID mtdlogInfo = nullptr;
jmethodID mtdlogFine = nullptr;
jmethodID mtdlogFiner = nullptr;

// A failed lookup leaves its Java error (NoClassDefFoundError, NoSuchMethodError)
// pending, so initNatives throws it to its Java caller; the steps after it are
// skipped and the previous logger, if any, stays in use.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_initNatives(JNIEnv* env, jclass) {
  JVMP_env = env;
  hostThread = pthread_self();
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
// trampoline (outside any Java frame) leave nothing behind. With an exception
// already pending nothing is logged; an exception thrown by the logger (a
// handler that throws) is printed and cleared, so the native that logged goes
// on with no exception pending.
void logWith(jmethodID method, const char* msg) {
  if (logger == nullptr || JVMP_env == nullptr || JVMP_env->ExceptionCheck()) return;
  jstring text = newJavaString(JVMP_env, msg);
  if (text == nullptr) {
    printAndClearException();
    return;
  }
  JVMP_env->CallVoidMethod(logger, method, text);
  printAndClearException();
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

bool onHostThread() { return JVMP_env != nullptr && pthread_equal(pthread_self(), hostThread) != 0; }

bool offHostThread(JNIEnv* env) {
  if (env == JVMP_env) return false;
  jclass error = env->FindClass("java/lang/IllegalStateException");
  if (error != nullptr) env->ThrowNew(error, "qovin may only be used on the simulator's main thread");
  return true;
}

namespace {
// Where callback exceptions go instead of standard error, if Java set it.
jobject failureHandler = nullptr;
jmethodID acceptMtd = nullptr;
}  // namespace

bool printAndClearException() {
  if (!JVMP_env->ExceptionCheck()) return false;
  if (failureHandler == nullptr) {
    JVMP_env->ExceptionDescribe();
    JVMP_env->ExceptionClear();
    return true;
  }
  jthrowable thrown = JVMP_env->ExceptionOccurred();
  JVMP_env->ExceptionClear();
  JVMP_env->CallVoidMethod(failureHandler, acceptMtd, thrown);
  if (JVMP_env->ExceptionCheck()) {
    JVMP_env->ExceptionDescribe();
    JVMP_env->ExceptionClear();
  }
  JVMP_env->DeleteLocalRef(thrown);
  return true;
}

// The handler is held by a global reference until it is replaced.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_setFailureHandler(JNIEnv* env, jclass,
                                                                                   jobject handler) {
  if (offHostThread(env)) return;
  jclass consumer = env->FindClass("java/util/function/Consumer");
  if (consumer == nullptr) return;
  acceptMtd = env->GetMethodID(consumer, "accept", "(Ljava/lang/Object;)V");
  env->DeleteLocalRef(consumer);
  if (failureHandler != nullptr) env->DeleteGlobalRef(failureHandler);
  failureHandler = handler != nullptr ? env->NewGlobalRef(handler) : nullptr;
}

// --- other plugins -------------------------------------------------------------

namespace {
constexpr size_t kNameBytes = 256;
constexpr size_t kPathBytes = 512;
constexpr size_t kSigBytes = 256;
constexpr size_t kDescBytes = 256;
// Static storage: in place from library load, never freed, and zeroed at the start.
char nameStorage[kNameBytes];
char pathStorage[kPathBytes];
char sigStorage[kSigBytes];
char descStorage[kDescBytes];

// Empty before the simulator writes, terminated at the buffer's end after it.
void clearText(char* buffer) { buffer[0] = '\0'; }
void terminate(char* buffer, size_t size) { buffer[size - 1] = '\0'; }
}  // namespace

// The plugin-information buffers, shared by every getPluginInfoN call.
char* namebuf = nameStorage;
char* pathbuf = pathStorage;
char* sigbuf = sigStorage;
char* descbuf = descStorage;

std::string convertPath(std::string inPath) { return inPath; }

jobject newJavaObject(JNIEnv* env, const char* className, const char* signature, ...) {
  jclass cls = env->FindClass(className);
  if (cls == nullptr) return nullptr;
  jmethodID ctor = env->GetMethodID(cls, "<init>", signature);
  jobject object = nullptr;
  if (ctor != nullptr) {
    va_list args;
    va_start(args, signature);
    object = env->NewObjectV(cls, ctor, args);
    va_end(args);
  }
  env->DeleteLocalRef(cls);
  return object;
}

// The line "XPlanePluginHelper: Sending message M with param P to plugin N" is
// logged at FINER. A null text sends a null parameter.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_sendMessageS(JNIEnv* env, jobject, jint plugin,
                                                                              jint msg, jstring param) {
  const Utf8 chars(env, param);
  const char* text = chars.c_str();
  std::stringstream lstr;
  lstr << "XPlanePluginHelper: Sending message " << msg << " with param " << (text != nullptr ? text : "null")
       << " to plugin " << plugin;
  logFiner(lstr);
  XPLMSendMessageToPlugin(plugin, msg, const_cast<char*>(text));
}

// The receiver gets no length, so bytes without a zero among them are sent as
// a copy followed by one: a receiver reading them as text stays inside. What
// the receiver writes is not copied back. A null array sends a null parameter.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_sendMessageB(JNIEnv* env, jobject, jint plugin,
                                                                              jint msg, jbyteArray param) {
  if (param == nullptr) {
    XPLMSendMessageToPlugin(plugin, msg, nullptr);
    return;
  }
  const jsize length = env->GetArrayLength(param);
  jbyte* bytes = env->GetByteArrayElements(param, nullptr);
  if (bytes == nullptr) return;
  if (std::memchr(bytes, 0, static_cast<size_t>(length)) != nullptr) {
    XPLMSendMessageToPlugin(plugin, msg, bytes);
  } else {
    std::string terminated(reinterpret_cast<const char*>(bytes), static_cast<size_t>(length));
    XPLMSendMessageToPlugin(plugin, msg, terminated.data());
  }
  env->ReleaseByteArrayElements(param, bytes, JNI_ABORT);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_enableN(JNIEnv*, jclass, jint plugin) {
  XPLMEnablePlugin(plugin);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_disableN(JNIEnv*, jclass, jint plugin) {
  XPLMDisablePlugin(plugin);
}

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_isEnabledN(JNIEnv*, jclass, jint plugin) {
  return XPLMIsPluginEnabled(plugin) != 0 ? JNI_TRUE : JNI_FALSE;
}

// A null signature finds no plugin (-1).
JNIEXPORT jint JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_findPluginBySignatureN(JNIEnv* env, jclass,
                                                                                        jstring sig) {
  const Utf8 text(env, sig);
  return text ? XPLMFindPluginBySignature(text.c_str()) : XPLM_NO_PLUGIN_ID;
}

// Each buffer is emptied before the simulator writes and terminated at its end
// after, so an ID the simulator does not know gives empty texts: never another
// plugin's earlier ones, never text read past a buffer.
JNIEXPORT jobject JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_getPluginInfoN(JNIEnv* env, jclass,
                                                                                    jint pluginId) {
  clearText(namebuf);
  clearText(pathbuf);
  clearText(sigbuf);
  clearText(descbuf);
  XPLMGetPluginInfo(pluginId, namebuf, pathbuf, sigbuf, descbuf);
  terminate(namebuf, kNameBytes);
  terminate(pathbuf, kPathBytes);
  terminate(sigbuf, kSigBytes);
  terminate(descbuf, kDescBytes);
  jstring name = newJavaString(env, namebuf);
  jstring path = newJavaString(env, convertPath(std::string(pathbuf)).c_str());
  jstring sig = newJavaString(env, sigbuf);
  jstring desc = newJavaString(env, descbuf);
  if (name == nullptr || path == nullptr || sig == nullptr || desc == nullptr) return nullptr;
  return newJavaObject(env, "com/brevanto/qovin/QOVINPluginInfo",
                       "(JLjava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;)V",
                       static_cast<jlong>(pluginId), name, path, sig, desc);
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_getMyIdN(JNIEnv*, jclass) { return XPLMGetMyID(); }

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_countPluginsN(JNIEnv* env, jclass) {
  if (offHostThread(env)) return 0;
  return XPLMCountPlugins();
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_getNthPluginN(JNIEnv* env, jclass, jint index) {
  if (offHostThread(env)) return XPLM_NO_PLUGIN_ID;
  return XPLMGetNthPlugin(index);
}

// A null path finds no plugin.
JNIEXPORT jint JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_findPluginByPathN(JNIEnv* env, jclass,
                                                                                   jstring path) {
  if (offHostThread(env)) return XPLM_NO_PLUGIN_ID;
  const Utf8 text(env, path);
  return text ? XPLMFindPluginByPath(text.c_str()) : XPLM_NO_PLUGIN_ID;
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_reloadPluginsN(JNIEnv* env, jclass) {
  if (offHostThread(env)) return;
  XPLMReloadPlugins();
}

// Null names are no feature: false, and nothing reaches the simulator.
JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_hasFeatureN(JNIEnv* env, jclass,
                                                                                 jstring name) {
  if (offHostThread(env)) return JNI_FALSE;
  const Utf8 text(env, name);
  return text && XPLMHasFeature(text.c_str()) != 0 ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_isFeatureEnabledN(JNIEnv* env, jclass,
                                                                                       jstring name) {
  if (offHostThread(env)) return JNI_FALSE;
  const Utf8 text(env, name);
  return text && XPLMIsFeatureEnabled(text.c_str()) != 0 ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_enableFeatureN(JNIEnv* env, jclass, jstring name,
                                                                                jboolean enable) {
  if (offHostThread(env)) return;
  const Utf8 text(env, name);
  if (text) XPLMEnableFeature(text.c_str(), enable ? 1 : 0);
}

namespace {
// The enumerator only copies the names; Java gets them after the simulator returns.
void collectFeature(const char* inFeature, void* inRef) {
  if (inFeature != nullptr) static_cast<std::vector<std::string>*>(inRef)->emplace_back(inFeature);
}
}  // namespace

// Null (with the Java error pending) if the array cannot be made.
JNIEXPORT jobjectArray JNICALL Java_com_brevanto_qovin_XPlanePluginHelper_featuresN(JNIEnv* env, jclass) {
  if (offHostThread(env)) return nullptr;
  std::vector<std::string> names;
  XPLMEnumerateFeatures(collectFeature, &names);
  return newJavaStrings(env, names);
}
