// An X-Plane-like root for qovin.xpl, and child processes.
#include "staged_root.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "xplmsim/loader.h"
#include "xplmsim/plugins.h"

extern char** environ;

namespace qovinbench {

namespace fs = std::filesystem;

fs::path makeStagedRoot(const std::string& name, const std::vector<std::string>& jars, const std::string& ini) {
  const fs::path root = fs::temp_directory_path() / ("qovin-bench-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(root);
  const fs::path qovin = root / "Resources/plugins/qovin";
  fs::create_directories(qovin / "plugins");
  const fs::path stage = QOVIN_STAGE;
  fs::create_directories(qovin / "lin_x64");
  fs::copy_file(stage / "lin_x64/qovin.xpl", qovin / "lin_x64/qovin.xpl");
  fs::copy_file(stage / "lin_x64/libqovin.so", qovin / "lin_x64/libqovin.so");
  fs::copy_file(stage / "qovin.jar", qovin / "qovin.jar");
  for (const std::string& jar : jars) fs::copy_file(jar, qovin / "plugins" / fs::path(jar).filename());
  std::ofstream(qovin / "qovin.ini") << "log_file = " << (root / "qovinLog.txt").string() << "\nmenu = no\n" << ini;
  return root;
}

int loadQovin(const fs::path& root) {
  for (int id : xplmsim::loadPluginsFrom(root.string())) {
    const xplmsim::Plugin* plugin = xplmsim::plugin(id);
    if (plugin != nullptr && plugin->signature == "com.brevanto.qovin") return id;
  }
  return -1;
}

std::map<std::string, std::string> runChild(const std::string& program, std::vector<std::string> args) {
  std::map<std::string, std::string> results;
  const std::string out = args.back();
  std::remove(out.c_str());
  args.insert(args.begin(), program);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
    std::cerr << "cannot run " << program << "\n";
    return results;
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::cerr << program << " " << args[1] << " " << args[2] << ": failed (status " << status << ")\n";
    return results;
  }
  std::ifstream in(out);
  for (std::string key, value; in >> key >> value;) results[key] = value;
  return results;
}

void writeResults(const std::string& file, const std::map<std::string, std::string>& results) {
  std::ofstream out(file);
  for (const auto& [key, value] : results) out << key << " " << value << "\n";
}

long residentKib() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return 0;
}

}  // namespace qovinbench
