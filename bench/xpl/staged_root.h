// What the benchmarks that load the real qovin.xpl share: an X-Plane-like
// root with qovin as the build staged it, a child process per JVM (a process
// creates one), and the process's resident memory.
#ifndef QOVIN_BENCH_STAGED_ROOT_H
#define QOVIN_BENCH_STAGED_ROOT_H

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace qovinbench {

// A fresh root under the temporary folder: qovin staged, `jars` in its
// plugins/ folder, and qovin.ini holding `ini` (one "key = value" a line).
std::filesystem::path makeStagedRoot(const std::string& name, const std::vector<std::string>& jars,
                                     const std::string& ini);

// Loads every plugin of `root` as X-Plane does (start, then enable); answers
// qovin's ID, or -1 if it did not start.
int loadQovin(const std::filesystem::path& root);

// Runs `program` with `args` and waits; answers the "key value" lines it
// wrote to the file named by its last argument (empty if it failed).
std::map<std::string, std::string> runChild(const std::string& program, std::vector<std::string> args);

// Writes "key value" lines for runChild.
void writeResults(const std::string& file, const std::map<std::string, std::string>& results);

// The process's resident memory (VmRSS), in KiB.
long residentKib();

}  // namespace qovinbench

#endif
