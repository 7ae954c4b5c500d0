// Menu items that run commands, enabled and disabled items, renamed items and
// the aircraft's menu, from Java: the simulator's indices stay right beside
// items that call Java, and only commands the simulator handed out reach it.
#include <XPLMMenus.h>

#include "jvm_harness.h"
#include "xplmsim/menus.h"
#include "xplmsim/sim.h"

using namespace qovintest;
namespace sim = xplmsim;

namespace {

constexpr const char* kItem = "Lcom/brevanto/qovin/menu/MenuItem;";

class MenuCommandTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    menuClass = findClass("com/brevanto/qovin/menu/XPlaneMenu");
    jobject plugins =
        callStatic<jobject>(menuClass, staticMethod(menuClass, "plugins", "()Lcom/brevanto/qovin/menu/XPlaneMenu;"));
    menu = callMethod<jobject>(plugins, "submenu", "(Ljava/lang/String;)Lcom/brevanto/qovin/menu/XPlaneMenu;",
                               env()->NewStringUTF("Commands"));
    id = reinterpret_cast<XPLMMenuID>(callMethod<jlong>(menu, "handle", "()J"));
  }
  void TearDown() override {
    callMethod(menu, "destroy", "()V");
    BridgeTest::TearDown();
  }
  jobject addCommand(const char* name, const char* command) {
    return callMethod<jobject>(menu, "addCommand", "(Ljava/lang/String;Ljava/lang/String;)Lcom/brevanto/qovin/menu/MenuItem;",
                               env()->NewStringUTF(name), command != nullptr ? env()->NewStringUTF(command) : nullptr);
  }
  void setEnabled(jobject item, bool enabled) {
    callMethod(menu, "setEnabled", "(Lcom/brevanto/qovin/menu/MenuItem;Z)V", item, enabled ? JNI_TRUE : JNI_FALSE);
  }
  size_t onces() { return sim::callsTo("XPLMCommandOnce").size(); }
  jclass menuClass = nullptr;
  jobject menu = nullptr;
  XPLMMenuID id = nullptr;
};

TEST_F(MenuCommandTest, ACommandItemRunsItsCommandAndADisabledItemDropsPicks) {
  jobject pause = addCommand("Pause", "sim/operation/pause_toggle");
  ASSERT_NE(pause, nullptr);
  const size_t before = onces();
  EXPECT_TRUE(sim::pickMenuItem(id, 0));
  ASSERT_EQ(before + 1, onces());
  EXPECT_EQ(reinterpret_cast<long long>(XPLMFindCommand("sim/operation/pause_toggle")),
            sim::lastCall("XPLMCommandOnce")->i(0));
  setEnabled(pause, false);
  EXPECT_FALSE(sim::pickMenuItem(id, 0));
  EXPECT_FALSE(sim::menu(id).items[0].enabled);
  setEnabled(pause, true);
  EXPECT_TRUE(sim::pickMenuItem(id, 0));
  EXPECT_EQ(before + 2, onces());
  callMethod(menu, "rename", "(Lcom/brevanto/qovin/menu/MenuItem;Ljava/lang/String;)V", pause,
             env()->NewStringUTF("Pause \xC3\xA9"));
  EXPECT_EQ("Pause \xC3\xA9", sim::menu(id).items[0].name);
}

TEST_F(MenuCommandTest, UnknownOrNullCommandsAndBadMenusAddNoItem) {
  EXPECT_EQ(nullptr, addCommand("Nothing", "no/such/command"));
  EXPECT_EQ(nullptr, addCommand("Nothing", nullptr));
  EXPECT_TRUE(sim::menu(id).items.empty());
  EXPECT_TRUE(sim::callsTo("XPLMAppendMenuItemWithCommand").empty());  // never reached the simulator
  jmethodID append = staticMethod(menuClass, "appendMenuItemWithCommandN", "(JLjava/lang/String;Ljava/lang/String;)I");
  EXPECT_EQ(-1, callStatic<jint>(menuClass, append, static_cast<jlong>(0x4242), env()->NewStringUTF("x"),
                                 env()->NewStringUTF("sim/operation/pause_toggle")));
}

TEST_F(MenuCommandTest, CommandItemsKeepTheIndicesOfJavaItemsAroundThemRight) {
  jobject first = newObject("com/brevanto/qovin/testing/CountingMenuItem", "(Ljava/lang/String;)V",
                            env()->NewStringUTF("First"));
  jobject last = newObject("com/brevanto/qovin/testing/CountingMenuItem", "(Ljava/lang/String;)V",
                           env()->NewStringUTF("Last"));
  callMethod<jint>(menu, "add", (std::string("(") + kItem + ")I").c_str(), first);
  jobject command = addCommand("Pause", "sim/operation/pause_toggle");
  EXPECT_EQ(2, callMethod<jint>(menu, "add", (std::string("(") + kItem + ")I").c_str(), last));
  EXPECT_TRUE(callMethod<jboolean>(menu, "remove", (std::string("(") + kItem + ")Z").c_str(), command));
  setEnabled(last, false);
  EXPECT_EQ((std::vector<bool>{true, false}),
            (std::vector<bool>{sim::menu(id).items[0].enabled, sim::menu(id).items[1].enabled}));
  EXPECT_FALSE(sim::pickMenuItem(id, 1));
  EXPECT_TRUE(sim::pickMenuItem(id, 0));
  EXPECT_EQ(1, callMethod<jint>(first, "picks", "()I"));
  EXPECT_EQ(0, callMethod<jint>(last, "picks", "()I"));
}

TEST_F(MenuCommandTest, OnlyAPluginLoadedWithTheAircraftGetsItsMenu) {
  jmethodID aircraft = staticMethod(menuClass, "aircraft", "()Lcom/brevanto/qovin/menu/XPlaneMenu;");
  EXPECT_EQ(nullptr, callStatic<jobject>(menuClass, aircraft));
  sim::setLoadedWithAircraft(sim::kHostPlugin, true);
  jobject menuOfAircraft = callStatic<jobject>(menuClass, aircraft);
  ASSERT_NE(nullptr, menuOfAircraft);
  jobject doors = callMethod<jobject>(menuOfAircraft, "submenu",
                                     "(Ljava/lang/String;)Lcom/brevanto/qovin/menu/XPlaneMenu;",
                                     env()->NewStringUTF("Doors"));
  jobject item = newObject("com/brevanto/qovin/testing/CountingMenuItem", "(Ljava/lang/String;)V",
                           env()->NewStringUTF("Open"));
  EXPECT_EQ(0, callMethod<jint>(doors, "add", (std::string("(") + kItem + ")I").c_str(), item));
  EXPECT_TRUE(sim::pickMenuItem(reinterpret_cast<XPLMMenuID>(callMethod<jlong>(doors, "handle", "()J")), 0));
  EXPECT_EQ(1, callMethod<jint>(item, "picks", "()I"));
  const XPLMMenuID handle = reinterpret_cast<XPLMMenuID>(callMethod<jlong>(menuOfAircraft, "handle", "()J"));
  {
    const sim::CallerScope asOther(sim::kOtherPlugin);  // not loaded with the aircraft
    EXPECT_EQ(nullptr, XPLMFindAircraftMenu());
    EXPECT_LT(XPLMAppendMenuItem(handle, "Theirs", nullptr, 0), 0);
  }
  callMethod(menuOfAircraft, "clear", "()V");
}

}  // namespace
