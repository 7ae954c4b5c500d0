// qovin.xpl: the X-Plane plugin that runs Java plugins. It finds Java, starts
// the process's one JVM (or reuses it), and hands every call of the simulator
// to com.brevanto.qovin.host.Host, where the policy lives.
#include <XPLMDefs.h>
#include <XPLMPlugin.h>
#include <XPLMUtilities.h>
#include <jni.h>

#include <cstring>
#include <string>
#include <vector>

#include "class_archive.h"
#include "java_runtime.h"
#include "plugin_settings.h"

namespace {

JNIEnv* env = nullptr;
jclass host = nullptr;

void logLine(const std::string& line) { XPLMDebugString((line + "\n").c_str()); }

// The folder of qovin: the parent of lin_x64/, where this plugin's file lies.
std::string pluginFolder() {
  char path[1024] = {0};
  XPLMGetPluginInfo(XPLMGetMyID(), nullptr, path, nullptr, nullptr);
  path[sizeof(path) - 1] = '\0';
  std::string folder(path);
  for (int level = 0; level < 2; ++level) {
    const auto slash = folder.find_last_of('/');
    folder = slash == std::string::npos ? "." : folder.substr(0, slash);
  }
  return folder;
}

std::string systemPath() {
  char path[1024] = {0};
  XPLMGetSystemPath(path);
  path[sizeof(path) - 1] = '\0';
  return path;
}

std::vector<std::string> jvmOptions(const qovin::Settings& settings, const std::string& folder) {
  std::vector<std::string> options = {"-Xrs", "-Djava.class.path=" + folder + "/qovin.jar"};
  // "jvm" leaves a setting to the JVM's own default. The heap keeps its size
  // (min = max): it never grows or shrinks while frames run.
  const std::string heapMin = settings.get("heap_min", "512m");
  const std::string heapMax = settings.get("heap_max", "512m");
  const std::string gc = settings.get("gc", "Shenandoah");
  if (heapMin != "jvm") options.push_back("-Xms" + heapMin);
  if (heapMax != "jvm") options.push_back("-Xmx" + heapMax);
  if (gc != "jvm") options.push_back("-XX:+Use" + gc + "GC");
  if (settings.flag("developer", false)) options.push_back("-Xcheck:jni");
  // Compiled Java calls the bridge's JavaCritical_ twins (scalar dataref reads
  // and writes, array reads and writes, drawChars): no JNIEnv, arrays in place.
  // Java 17 honours it, with a deprecation warning at start.
  if (settings.flag("critical_natives", true)) options.push_back("-XX:+CriticalJNINatives");
  std::string extra = settings.get("jvm_options");
  for (size_t start = 0; start < extra.size();) {
    const size_t end = extra.find(' ', start);
    const std::string option = extra.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!option.empty()) options.push_back(option);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return options;
}

// Calls Host.<name> with `signature`; an exception is printed and cleared and
// counts as a failure.
template <typename... A>
bool callHost(const char* name, const char* signature, A... args) {
  if (env == nullptr || host == nullptr) return false;
  jmethodID method = env->GetStaticMethodID(host, name, signature);
  bool ok = method != nullptr;
  if (ok) {
    if (signature[std::strlen(signature) - 1] == 'Z') {
      ok = env->CallStaticBooleanMethod(host, method, args...) == JNI_TRUE;
    } else {
      env->CallStaticVoidMethod(host, method, args...);
    }
  }
  if (env->ExceptionCheck()) {
    env->ExceptionDescribe();
    env->ExceptionClear();
    return false;
  }
  return ok;
}

// Host from qovin.jar: through the class path of a JVM qovin started, or
// through a class loader of its own in a JVM another plugin started.
jclass findHost(const std::string& folder) {
  jclass found = env->FindClass("com/brevanto/qovin/host/Host");
  if (found != nullptr) return found;
  env->ExceptionClear();
  jclass files = env->FindClass("java/io/File");
  jclass uri = env->FindClass("java/net/URI");
  jclass loaderClass = env->FindClass("java/net/URLClassLoader");
  jclass urlClass = env->FindClass("java/net/URL");
  if (files == nullptr || uri == nullptr || loaderClass == nullptr || urlClass == nullptr) {
    env->ExceptionClear();
    return nullptr;
  }
  jobject file = env->NewObject(files, env->GetMethodID(files, "<init>", "(Ljava/lang/String;)V"),
                                env->NewStringUTF((folder + "/qovin.jar").c_str()));
  jobject fileUri = env->CallObjectMethod(file, env->GetMethodID(files, "toURI", "()Ljava/net/URI;"));
  jobject url = env->CallObjectMethod(fileUri, env->GetMethodID(uri, "toURL", "()Ljava/net/URL;"));
  jobjectArray urls = env->NewObjectArray(1, urlClass, url);
  jobject loader = env->NewObject(loaderClass, env->GetMethodID(loaderClass, "<init>", "([Ljava/net/URL;)V"), urls);
  jobject host = env->CallObjectMethod(
      loader, env->GetMethodID(loaderClass, "loadClass", "(Ljava/lang/String;)Ljava/lang/Class;"),
      env->NewStringUTF("com.brevanto.qovin.host.Host"));
  if (env->ExceptionCheck()) {
    env->ExceptionClear();
    return nullptr;
  }
  return static_cast<jclass>(host);
}

// Says whether the JVM just created mapped the class archive, and makes it
// in the background when it is missing, was refused or the jars changed.
void useOrMakeClassArchive(const qovin::ClassArchive& archive, const std::vector<std::string>& options,
                           bool offered) {
  std::string why;
  const bool used = offered && qovin::classArchiveUsed(archive, &why);
  if (used) logLine("qovin: using the class archive " + archive.file);
  if (offered && !used) {
    logLine("qovin: the class archive " + archive.file + " was not used (" + why + "); started without it");
  }
  const std::string stamp = qovin::classArchiveStamp(archive, qovin::createdJavaHome(), options);
  if (used && qovin::classArchiveCurrent(archive, stamp)) return;
  if (!qovin::makeClassArchive(archive, qovin::createdJavaHome(), options, stamp, &why)) {
    logLine("qovin: cannot make a class archive: " + why);
    return;
  }
  logLine("qovin: making the class archive " + archive.file + " in the background" +
          (used ? " again: the jars or options changed" : ""));
}

}  // namespace

PLUGIN_API int XPluginStart(char* outName, char* outSig, char* outDesc) {
  std::strcpy(outName, "qovin");
  std::strcpy(outSig, "com.brevanto.qovin");
  std::strcpy(outDesc, "Runs Java plugins.");
  const std::string folder = pluginFolder();
  const qovin::Settings settings = qovin::readSettings(folder + "/qovin.ini");
  logLine("qovin: starting from " + folder);
  const std::vector<std::string> options = jvmOptions(settings, folder);
  const qovin::ClassArchive archive(folder);
  const bool archiving = settings.flag("class_archive", false);
  std::vector<std::string> withArchive = options;
  if (archiving) {
    for (const std::string& option : qovin::classArchiveOptions(archive)) withArchive.push_back(option);
  }
  env = qovin::attachToJava(settings, folder, withArchive, logLine);
  if (env == nullptr) return 0;
  if (archiving && !qovin::createdJavaHome().empty()) {
    useOrMakeClassArchive(archive, options, withArchive.size() > options.size());
  }
  jclass found = findHost(folder);
  if (found == nullptr) {
    logLine("qovin: " + folder + "/qovin.jar holds no com.brevanto.qovin.host.Host: reinstall qovin");
    return 0;
  }
  host = static_cast<jclass>(env->NewGlobalRef(found));
  env->DeleteLocalRef(found);
  jstring jfolder = env->NewStringUTF(folder.c_str());
  jstring jsystem = env->NewStringUTF(systemPath().c_str());
  const bool started = callHost("start", "(Ljava/lang/String;Ljava/lang/String;)Z", jfolder, jsystem);
  env->DeleteLocalRef(jfolder);
  env->DeleteLocalRef(jsystem);
  if (!started) logLine("qovin: the Java host did not start; see the qovin log");
  return started ? 1 : 0;
}

PLUGIN_API void XPluginStop(void) {
  callHost("stop", "()V");
  if (env != nullptr && host != nullptr) env->DeleteGlobalRef(host);
  host = nullptr;
  // The JVM stays: it cannot be created again in this process.
}

PLUGIN_API int XPluginEnable(void) { return callHost("enable", "()Z") ? 1 : 0; }

PLUGIN_API void XPluginDisable(void) { callHost("disable", "()V"); }

PLUGIN_API void XPluginReceiveMessage(XPLMPluginID inFrom, int inMessage, void* inParam) {
  callHost("receiveMessage", "(IIJ)V", static_cast<jint>(inFrom), static_cast<jint>(inMessage),
           static_cast<jlong>(reinterpret_cast<intptr_t>(inParam)));
}
