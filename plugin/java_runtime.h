// The one JVM of the simulator's process: found, created once on a thread of
// its own, and reused by every later start (a JVM cannot be created twice in
// a process, so it is never destroyed).
#ifndef QOVIN_PLUGIN_JAVA_RUNTIME_H
#define QOVIN_PLUGIN_JAVA_RUNTIME_H

#include <jni.h>

#include <functional>
#include <string>
#include <vector>

#include "plugin_settings.h"

namespace qovin {

// Writes one line to the simulator's log.
using LogLine = std::function<void(const std::string&)>;

// The places to look for Java, in order: `java_home` of the settings, the
// runtime bundled in `<pluginFolder>/jre`, $JAVA_HOME, then the system's JDK
// 17s (unless `java_fallbacks = no`).
std::vector<std::string> javaCandidates(const Settings& settings, const std::string& pluginFolder);

// How much lower than the simulator's the JVM's own threads run: the nice
// value of `jvm_threads_nice`, 0 (the default: as the simulator's) to 19. One
// that is not a whole number is 0; one outside 0 to 19 is brought to the
// nearer end.
int jvmThreadsNice(const Settings& settings);

// Whether `home` holds a Java 17 runtime (its `release` file says 17, and
// lib/server/libjvm.so exists); `why` says what is missing otherwise.
bool isJava17(const std::string& home, std::string* why);

// The environment of the calling thread (the simulator's main thread) in the
// process's JVM: the running one if there is one (a Java 17, or it is
// refused), else a new one from the first working candidate, made with
// `options` on a helper thread. Every place tried is logged. Null, after a
// line saying what to install or set, if there is none.
JNIEnv* attachToJava(const Settings& settings, const std::string& pluginFolder,
                     const std::vector<std::string>& options, const LogLine& log);

// The Java home attachToJava created the process's JVM from; "" if it used a
// JVM that was already running.
const std::string& createdJavaHome();

}  // namespace qovin

#endif
