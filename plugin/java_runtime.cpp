// Finding Java 17, creating the JVM on a thread with a large stack, and
// attaching the simulator's main thread to it.
#include "java_runtime.h"

#include <dlfcn.h>
#include <glob.h>
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace qovin {

namespace {

using CreateJavaVm = jint (*)(JavaVM**, void**, void*);
using GetCreatedJavaVms = jint (*)(JavaVM**, jsize, jsize*);

constexpr size_t kCreatorStackBytes = 8u << 20;

std::string theCreatedJavaHome;

std::string libjvmOf(const std::string& home) { return home + "/lib/server/libjvm.so"; }

bool exists(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

// The running JVM of the process, if the process has loaded one.
JavaVM* runningVm() {
  auto created = reinterpret_cast<GetCreatedJavaVms>(dlsym(RTLD_DEFAULT, "JNI_GetCreatedJavaVMs"));
  if (created == nullptr) return nullptr;
  JavaVM* vm = nullptr;
  jsize count = 0;
  return created(&vm, 1, &count) == JNI_OK && count > 0 ? vm : nullptr;
}

JNIEnv* attachMainThread(JavaVM* vm) {
  JNIEnv* env = nullptr;
  if (vm->GetEnv(reinterpret_cast<void**>(&env), JNI_VERSION_10) == JNI_OK) return env;
  JavaVMAttachArgs args{JNI_VERSION_10, const_cast<char*>("simulator main"), nullptr};
  return vm->AttachCurrentThread(reinterpret_cast<void**>(&env), &args) == JNI_OK ? env : nullptr;
}

// The Java feature version the running JVM reports ("17" of "17.0.15"), or "".
std::string runningVersion(JNIEnv* env) {
  jclass system = env->FindClass("java/lang/System");
  if (system == nullptr) return env->ExceptionClear(), "";
  jmethodID property = env->GetStaticMethodID(system, "getProperty", "(Ljava/lang/String;)Ljava/lang/String;");
  jstring key = env->NewStringUTF("java.version");
  auto value = static_cast<jstring>(env->CallStaticObjectMethod(system, property, key));
  std::string version;
  if (value != nullptr && !env->ExceptionCheck()) {
    const char* chars = env->GetStringUTFChars(value, nullptr);
    if (chars != nullptr) version = chars;
    if (chars != nullptr) env->ReleaseStringUTFChars(value, chars);
  }
  env->ExceptionClear();
  return version.substr(0, version.find_first_not_of("0123456789"));
}

struct Creation {
  CreateJavaVm create = nullptr;
  std::vector<JavaVMOption> options;
  int nice = 0;
  JavaVM* vm = nullptr;
  jint result = JNI_ERR;
};

// Runs on the helper thread: creates the JVM, then leaves it, so the thread
// ends with nothing of it left behind. The thread first takes the nice value
// of `jvm_threads_nice`; every thread the JVM starts itself (the collector's,
// the compilers', its service threads) inherits it from there or from one
// another. Threads attached later, the simulator's main thread among them,
// and threads they start keep their own.
void* createOnHelperThread(void* argument) {
  auto* creation = static_cast<Creation*>(argument);
  if (creation->nice != 0) setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), creation->nice);
  JavaVMInitArgs args{};
  args.version = JNI_VERSION_10;
  args.nOptions = static_cast<jint>(creation->options.size());
  args.options = creation->options.data();
  args.ignoreUnrecognized = JNI_FALSE;
  void* env = nullptr;
  creation->result = creation->create(&creation->vm, &env, &args);
  if (creation->result == JNI_OK) creation->vm->DetachCurrentThread();
  return nullptr;
}

JavaVM* createVm(CreateJavaVm create, const std::vector<std::string>& options, int nice) {
  Creation creation;
  creation.create = create;
  creation.nice = nice;
  for (const std::string& option : options) creation.options.push_back({const_cast<char*>(option.c_str()), nullptr});
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, kCreatorStackBytes);
  pthread_t thread;
  const bool started = pthread_create(&thread, &attributes, createOnHelperThread, &creation) == 0;
  pthread_attr_destroy(&attributes);
  if (!started) return nullptr;
  pthread_join(thread, nullptr);
  return creation.result == JNI_OK ? creation.vm : nullptr;
}

}  // namespace

int jvmThreadsNice(const Settings& settings) {
  const std::string text = settings.get("jvm_threads_nice", "0");
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != '\0') return 0;
  return value < 0 ? 0 : value > 19 ? 19 : static_cast<int>(value);
}

std::vector<std::string> javaCandidates(const Settings& settings, const std::string& pluginFolder) {
  std::vector<std::string> homes;
  const std::string configured = settings.get("java_home");
  if (!configured.empty()) homes.push_back(configured);
  if (!configured.empty() && !settings.flag("java_fallbacks", true)) return homes;
  homes.push_back(pluginFolder + "/jre");
  if (const char* env = std::getenv("JAVA_HOME"); env != nullptr && *env != '\0') homes.push_back(env);
  glob_t found{};
  if (glob("/usr/lib/jvm/*17*", 0, nullptr, &found) == 0) {
    for (size_t i = 0; i < found.gl_pathc; ++i) homes.push_back(found.gl_pathv[i]);
  }
  globfree(&found);
  return homes;
}

bool isJava17(const std::string& home, std::string* why) {
  if (!exists(libjvmOf(home))) {
    *why = "no lib/server/libjvm.so";
    return false;
  }
  std::ifstream release(home + "/release");
  std::string line;
  while (std::getline(release, line)) {
    if (line.rfind("JAVA_VERSION=", 0) != 0) continue;
    if (line.rfind("JAVA_VERSION=\"17", 0) == 0) return true;
    *why = "not Java 17 (" + line + ")";
    return false;
  }
  *why = "no release file with JAVA_VERSION";
  return false;
}

JNIEnv* attachToJava(const Settings& settings, const std::string& pluginFolder,
                     const std::vector<std::string>& options, const LogLine& log) {
  if (JavaVM* vm = runningVm()) {
    JNIEnv* env = attachMainThread(vm);
    const std::string version = env != nullptr ? runningVersion(env) : "";
    if (version == "17") {
      log("qovin: using the JVM already running in this process (Java 17)");
      return env;
    }
    log("qovin: a JVM of Java " + (version.empty() ? std::string("(unknown)") : version) +
        " already runs in this process, started by another plugin; qovin needs Java 17 and cannot start a second JVM");
    return nullptr;
  }
  for (const std::string& home : javaCandidates(settings, pluginFolder)) {
    std::string why;
    if (!isJava17(home, &why)) {
      log("qovin: Java in " + home + ": " + why);
      continue;
    }
    void* library = dlopen(libjvmOf(home).c_str(), RTLD_NOW | RTLD_GLOBAL);
    auto create = library != nullptr ? reinterpret_cast<CreateJavaVm>(dlsym(library, "JNI_CreateJavaVM")) : nullptr;
    if (create == nullptr) {
      log("qovin: Java in " + home + ": cannot load libjvm.so (" + (library == nullptr ? dlerror() : "no JNI_CreateJavaVM") + ")");
      continue;
    }
    log("qovin: starting Java 17 from " + home);
    const auto began = std::chrono::steady_clock::now();
    JavaVM* vm = createVm(create, options, jvmThreadsNice(settings));
    if (vm == nullptr) {
      log("qovin: Java in " + home + " did not start (check the JVM options in qovin.ini)");
      return nullptr;
    }
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - began);
    log("qovin: the JVM started in " + std::to_string(took.count()) + " ms");
    theCreatedJavaHome = home;
    return attachMainThread(vm);
  }
  log("qovin: no Java 17 found. Install a Java 17 runtime (Debian/Ubuntu: apt install openjdk-17-jre-headless), "
      "put one in " + pluginFolder + "/jre, or set java_home in " + pluginFolder + "/qovin.ini");
  return nullptr;
}

const std::string& createdJavaHome() { return theCreatedJavaHome; }

}  // namespace qovin
