// Making and using the class archive.
#include "class_archive.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace qovin {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMainClass = "com.brevanto.qovin.host.ClassArchive";
constexpr const char* kClassPathOption = "-Djava.class.path=";

// "path size time" of a jar; "path missing" if it cannot be read.
std::string jarLine(const fs::path& jar) {
  std::error_code error;
  const auto size = fs::file_size(jar, error);
  if (error) return jar.string() + " missing\n";
  const auto time = fs::last_write_time(jar, error).time_since_epoch();
  return jar.string() + " " + std::to_string(size) + " " +
         std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(time).count()) + "\n";
}

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

ClassArchive::ClassArchive(const std::string& qovin)
    : qovinFolder(qovin),
      folder(qovin + "/class-archive"),
      file(folder + "/qovin.jsa"),
      stamp(file + ".jars"),
      useLog(folder + "/use.log"),
      makeLog(folder + "/make.log") {}

std::vector<std::string> classArchiveOptions(const ClassArchive& archive) {
  if (access(archive.file.c_str(), R_OK) != 0) return {};
  // The JVM's lines about the archive go to use.log only, not to the simulator's
  // output. The archives are mapped where they were made to be, not moved
  // (Debian's JDK 17 moves them by default: tens of ms more); if that address
  // is taken, the JVM moves them after all.
  return {"-XX:SharedArchiveFile=" + archive.file, "-Xlog:cds*=off",
          "-Xlog:cds=info,cds+dynamic=info:file=\"" + archive.useLog + "\"::filecount=0",
          "-XX:+UnlockDiagnosticVMOptions", "-XX:ArchiveRelocationMode=0"};
}

bool classArchiveUsed(const ClassArchive& archive, std::string* why) {
  std::ifstream in(archive.useLog);
  std::string reason;
  bool mapped = false;
  // The JVM may map the archive, then find it does not fit and drop it.
  for (std::string line; std::getline(in, line);) {
    mapped = mapped || line.find("Mapped dynamic region") != std::string::npos;
    if (line.find("UseSharedSpaces:") != std::string::npos || line.find("Unable to use") != std::string::npos ||
        line.find("[error") != std::string::npos) {
      const auto tag = line.rfind("] ");
      if (reason.empty()) reason = tag == std::string::npos ? line : line.substr(tag + 2);
      if (reason.rfind("UseSharedSpaces: ", 0) == 0) reason.erase(0, std::string("UseSharedSpaces: ").size());
    }
  }
  if (mapped && reason.empty()) return true;
  *why = reason.empty() ? "the JVM did not map it" : reason;
  return false;
}

std::string classArchiveStamp(const ClassArchive& archive, const std::string& javaHome,
                              const std::vector<std::string>& options) {
  std::string stamp = "java " + javaHome + "\noptions";
  for (const std::string& option : options) {
    if (option != "-Xcheck:jni") stamp += " " + option;  // checked JNI does not change the classes
  }
  stamp += "\n" + jarLine(archive.qovinFolder + "/qovin.jar");
  std::vector<fs::path> jars;
  std::error_code error;
  for (fs::directory_iterator entry(archive.qovinFolder + "/plugins", error), end; !error && entry != end;
       entry.increment(error)) {
    if (entry->path().extension() == ".jar") jars.push_back(entry->path());
  }
  std::sort(jars.begin(), jars.end());
  for (const fs::path& jar : jars) stamp += jarLine(jar);
  return stamp;
}

bool classArchiveCurrent(const ClassArchive& archive, const std::string& stamp) {
  return access(archive.file.c_str(), R_OK) == 0 && fileText(archive.stamp) == stamp;
}

bool makeClassArchive(const ClassArchive& archive, const std::string& javaHome,
                      const std::vector<std::string>& options, const std::string& stamp, std::string* why) {
  std::error_code error;
  fs::create_directories(archive.folder, error);
  const std::string temporary = archive.file + "." + std::to_string(::getpid()) + ".new";
  std::ofstream(temporary + ".jars") << stamp;
  if (error || access((temporary + ".jars").c_str(), R_OK) != 0) {
    *why = "cannot write in " + archive.folder;
    return false;
  }
  // sh runs java in the background, niced, and moves the archive and its
  // stamp into place when java wrote it; it outlives the simulator if need be.
  std::vector<std::string> args = {
      "/bin/sh", "-c",
      "tmp=$1; jsa=$2; stamp=$3; log=$4; shift 4; "
      "(nice -n 10 \"$@\" && [ -s \"$tmp\" ] && mv -f \"$tmp\" \"$jsa\" && mv -f \"$tmp.jars\" \"$stamp\"; "
      "rm -f \"$tmp\" \"$tmp.jars\") </dev/null >\"$log\" 2>&1 &",
      "sh", temporary, archive.file, archive.stamp, archive.makeLog, javaHome + "/bin/java"};
  for (const std::string& option : options) {
    if (option.rfind(kClassPathOption, 0) == 0) {
      args.push_back("-cp");
      args.push_back(option.substr(std::string(kClassPathOption).size()));
    } else if (option != "-Xcheck:jni") {
      args.push_back(option);
    }
  }
  args.push_back("-XX:ArchiveClassesAtExit=" + temporary);
  args.push_back(kMainClass);
  args.push_back(archive.qovinFolder);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
  pid_t shell = 0;
  const int failed = posix_spawn(&shell, "/bin/sh", nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  if (failed != 0) {
    *why = "cannot start /bin/sh";
    return false;
  }
  int status = 0;
  waitpid(shell, &status, 0);  // sh ends at once, leaving java running
  return true;
}

}  // namespace qovin
