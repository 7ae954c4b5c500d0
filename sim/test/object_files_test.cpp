// Objects load from OBJ files, by path relative to the X-Plane root folder or
// absolute, as the simulator loads them.
#include <XPLMProcessing.h>
#include <XPLMScenery.h>
#include <XPLMUtilities.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "xplmsim/scenery.h"
#include "xplmsim/sim.h"

namespace {

class SimObjectFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    xplmsim::reset();
    char pattern[] = "/tmp/xplmsim-root-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    ASSERT_TRUE(xplmsim::setSystemPath(root_));
  }
  void TearDown() override {
    for (const char* name : {"truck.obj", "dos.obj", "texture.png", "old.obj"}) unlink((root_ + "/" + name).c_str());
    rmdir(root_.c_str());
  }

  void write(const std::string& name, const std::string& text) const {
    std::ofstream(root_ + "/" + name, std::ios::binary) << text;
  }

  std::string root_;
};

TEST_F(SimObjectFiles, TheSystemPathIsTheRootFolderWithATrailingSeparator) {
  char path[512] = {};
  XPLMGetSystemPath(path);
  EXPECT_EQ(path, root_ + "/");
  EXPECT_STREQ(XPLMGetDirectorySeparator(), "/");
  EXPECT_FALSE(xplmsim::setSystemPath("relative/folder"));
  EXPECT_FALSE(xplmsim::setSystemPath("/" + std::string(510, 'x')));
  EXPECT_EQ(xplmsim::systemPath(), root_ + "/");
}

TEST_F(SimObjectFiles, OBJFilesLoadByRelativeOrAbsolutePath) {
  write("truck.obj", "I\n800\nOBJ\n\nTEXTURE truck.png\n");
  write("dos.obj", "A  \r\n800\r\nOBJ \r\n");
  XPLMObjectRef relative = XPLMLoadObject("truck.obj");
  EXPECT_NE(relative, nullptr);
  EXPECT_NE(XPLMLoadObject((root_ + "/dos.obj").c_str()), nullptr);
  EXPECT_EQ(XPLMLoadObject("truck.obj"), relative) << "loads of one path share the object";
  EXPECT_NE(XPLMLoadObject(xplmsim::kBeaconObject), nullptr) << "the simulator's own objects need no file";
}

TEST_F(SimObjectFiles, MissingAndNonOBJFilesGiveNoObject) {
  write("texture.png", "\x89PNG\r\n\x1a\n");
  write("old.obj", "I\n700\nOBJ\n");
  EXPECT_EQ(XPLMLoadObject("missing.obj"), nullptr);
  EXPECT_EQ(XPLMLoadObject("texture.png"), nullptr);
  EXPECT_EQ(XPLMLoadObject("old.obj"), nullptr);
  EXPECT_EQ(XPLMLoadObject(""), nullptr) << "the root folder itself";
  EXPECT_EQ(XPLMLoadObject(nullptr), nullptr);
}

XPLMObjectRef loaded = reinterpret_cast<XPLMObjectRef>(1);
void remember(XPLMObjectRef object, void*) { loaded = object; }

TEST_F(SimObjectFiles, AsynchronousLoadsReadTheFileAtTheNextFrame) {
  XPLMLoadObjectAsync("truck.obj", remember, nullptr);
  write("truck.obj", "I\n800\nOBJ\n");  // written before the frame: found
  xplmsim::runFrames(1, 0.05f);
  EXPECT_NE(loaded, nullptr);
  write("texture.png", "PNG");
  XPLMLoadObjectAsync("texture.png", remember, nullptr);
  xplmsim::runFrames(1, 0.05f);
  EXPECT_EQ(loaded, nullptr);
}

}  // namespace
