#include "frame_root.h"

#include <unistd.h>

#include <fstream>

namespace qovinframe {

namespace fs = std::filesystem;

FrameRoot::FrameRoot(const std::string& qovinIni)
    : root_(fs::temp_directory_path() / ("qovin-bench-frame-" + std::to_string(::getpid()))) {
  fs::remove_all(root_);
  const fs::path qovin = root_ / "Resources/plugins/qovin";
  fs::create_directories(qovin / "plugins");
  fs::copy(QOVIN_STAGE, qovin, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  std::ofstream(qovin / "qovin.ini", std::ios::app)
      << "\nlog_file = " << javaLog().string() << "\nmenu = no\nclass_archive = no\n" << qovinIni << "\n";
  const fs::path cpp = root_ / "Resources/plugins/frame_cpp/lin_x64";
  fs::create_directories(cpp);
  fs::copy_file(QOVIN_FRAME_CPP_PLUGIN, cpp / "frame_cpp.xpl");
}

FrameRoot::~FrameRoot() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

void FrameRoot::addJavaPlugin(const std::string& file, const std::string& className) const {
  std::ofstream(javaPlugins() / (file + ".qovin"))
      << "class = " << className << "\nclasspath = " << QOVIN_FRAME_JAVA_PLUGIN << "\nname = " << file << "\n";
}

void FrameRoot::removeJavaPlugins() const {
  for (const fs::directory_entry& entry : fs::directory_iterator(javaPlugins())) {
    if (entry.path().extension() == ".qovin") fs::remove(entry.path());
  }
}

}  // namespace qovinframe
