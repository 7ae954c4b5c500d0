// The class archive (a dynamic CDS archive) of qovin.jar and the plugin jars:
// a java process of its own makes it in the background on the first start;
// later starts map it instead of loading and verifying those classes. The JVM
// checks it (the JDK, the options, qovin.jar's size and time, each plugin
// class's contents) and starts without it when it does not fit.
#ifndef QOVIN_PLUGIN_CLASS_ARCHIVE_H
#define QOVIN_PLUGIN_CLASS_ARCHIVE_H

#include <string>
#include <vector>

namespace qovin {

// Its files, in <qovin>/class-archive/.
struct ClassArchive {
  explicit ClassArchive(const std::string& qovinFolder);
  std::string qovinFolder;
  std::string folder;   // class-archive/
  std::string file;     // qovin.jsa: the archive
  std::string stamp;    // qovin.jsa.jars: what it was made from
  std::string useLog;   // the JVM's lines about mapping it, at the last start
  std::string makeLog;  // the output of the process that made it
};

// The JVM options that use the archive, if it exists; none otherwise.
std::vector<std::string> classArchiveOptions(const ClassArchive& archive);

// After the JVM started with those options: whether it mapped the archive;
// `why` says why not (from the JVM's lines).
bool classArchiveUsed(const ClassArchive& archive, std::string* why);

// What an archive made now would be made from: the Java home, the JVM
// options, and the size and time of qovin.jar and of each plugin jar.
std::string classArchiveStamp(const ClassArchive& archive, const std::string& javaHome,
                              const std::vector<std::string>& options);

// Whether the archive exists and was made from `stamp`.
bool classArchiveCurrent(const ClassArchive& archive, const std::string& stamp);

// Starts `javaHome`/bin/java with `options` in the background to make the
// archive; when it is written it replaces the old one. Returns at once;
// false, with `why`, if the process could not be started.
bool makeClassArchive(const ClassArchive& archive, const std::string& javaHome,
                      const std::vector<std::string>& options, const std::string& stamp, std::string* why);

}  // namespace qovin

#endif
