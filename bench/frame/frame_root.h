// The X-Plane-like folder the frame benchmark runs in, as the runner makes
// one: qovin installed as the build staged it (qovin.xpl starts the JVM and
// the Java plugins of its plugins/ folder), and the C++ plugin beside it.
#ifndef QOVIN_BENCH_FRAME_ROOT_H
#define QOVIN_BENCH_FRAME_ROOT_H

#include <filesystem>
#include <string>

namespace qovinframe {

class FrameRoot {
 public:
  // A new folder under the temporary directory; `qovinIni` is appended to
  // qovin's qovin.ini.
  explicit FrameRoot(const std::string& qovinIni);
  ~FrameRoot();
  FrameRoot(const FrameRoot&) = delete;
  FrameRoot& operator=(const FrameRoot&) = delete;

  const std::filesystem::path& path() const { return root_; }
  std::filesystem::path javaPlugins() const { return root_ / "Resources/plugins/qovin/plugins"; }
  // The qovin log (every line of the host and the Java plugins).
  std::filesystem::path javaLog() const { return root_ / "qovinLog.txt"; }

  // Puts a Java plugin in qovin's plugins/ folder: a descriptor named
  // `file`.qovin for `className` in the benchmark's plugin jar.
  void addJavaPlugin(const std::string& file, const std::string& className) const;
  // Takes every Java plugin out of qovin's plugins/ folder.
  void removeJavaPlugins() const;

 private:
  std::filesystem::path root_;
};

}  // namespace qovinframe

#endif
