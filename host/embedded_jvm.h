// Starting the one JVM of a process that embeds it, as the simulator's host
// plugin does.
#ifndef QOVIN_EMBEDDED_JVM_H
#define QOVIN_EMBEDDED_JVM_H

#include <jni.h>

#include <string>
#include <vector>

namespace qovin {

// Creates the JVM with these options (e.g. "-Djava.class.path=...") and
// returns the calling thread's environment, or null if the JVM cannot start.
// A process can create one JVM only.
JNIEnv* startJvm(const std::vector<std::string>& options);

}  // namespace qovin

#endif
