// Menus built from Java: items calling actionPerformed, check marks, item
// references owned by Java and freed by remove and clear, exceptions.
#include <XPLMMenus.h>

#include "jvm_harness.h"
#include "xplmsim/menus.h"
#include "xplmsim/sim.h"

using namespace qovintest;
namespace sim = xplmsim;

namespace {

class MenuTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    menuClass = findClass("com/brevanto/qovin/menu/XPlaneMenu");
  }
  // The plugins menu's Java side outlives the test: empty it, as the stand-in is reset.
  void TearDown() override {
    callMethod(plugins(), "clear", "()V");
    BridgeTest::TearDown();
  }
  jobject plugins() {
    return callStatic<jobject>(menuClass, staticMethod(menuClass, "plugins", "()Lcom/brevanto/qovin/menu/XPlaneMenu;"));
  }
  jobject submenu(jobject parent, const char* name) {
    return callMethod<jobject>(parent, "submenu", "(Ljava/lang/String;)Lcom/brevanto/qovin/menu/XPlaneMenu;",
                               env()->NewStringUTF(name));
  }
  jobject item(const char* name) {
    return newObject("com/brevanto/qovin/testing/CountingMenuItem", "(Ljava/lang/String;)V", env()->NewStringUTF(name));
  }
  jint add(jobject menu, jobject it) { return callMethod<jint>(menu, "add", "(Lcom/brevanto/qovin/menu/MenuItem;)I", it); }
  jint picks(jobject it) { return callMethod<jint>(it, "picks", "()I"); }
  XPLMMenuID handle(jobject menu) { return reinterpret_cast<XPLMMenuID>(callMethod<jlong>(menu, "handle", "()J")); }
  // Native calls as the Java peer makes them.
  jlong globalRef(jobject it) {
    return callStatic<jlong>(menuClass, staticMethod(menuClass, "createMenuItemGlobalRef", "(Lcom/brevanto/qovin/menu/MenuItem;)J"), it);
  }
  jint append(XPLMMenuID menu, const char* name, jlong ref) {
    return callStatic<jint>(menuClass, staticMethod(menuClass, "appendMenuItemN", "(JLjava/lang/String;JZ)I"),
                            reinterpret_cast<jlong>(menu), env()->NewStringUTF(name), ref, JNI_TRUE);
  }
  jclass menuClass = nullptr;
};

TEST_F(MenuTest, ItemsUnderThePluginsMenuCallTheirActionOncePerPick) {
  jobject menu = submenu(plugins(), "Example");
  jobject toggle = item("Toggle");
  jobject report = item("Report");
  EXPECT_EQ(0, add(menu, toggle));
  callMethod(menu, "addSeparator", "()V");
  EXPECT_EQ(2, add(menu, report));

  const sim::MenuInfo info = sim::menu(handle(menu));
  EXPECT_EQ("Example", info.name);
  EXPECT_EQ(XPLMFindPluginsMenu(), info.parent);
  ASSERT_EQ(3u, info.items.size());
  EXPECT_TRUE(info.items[1].separator);

  EXPECT_TRUE(sim::pickMenuPath({"Example", "Toggle"}));
  EXPECT_TRUE(sim::pickMenuPath({"Example", "Report"}));
  EXPECT_TRUE(sim::pickMenuPath({"Example", "Report"}));
  EXPECT_FALSE(sim::pickMenuPath({"Example"}));  // carries the menu: calls nothing
  EXPECT_EQ(1, picks(toggle));
  EXPECT_EQ(2, picks(report));
  EXPECT_EQ(0, sim::callsTo("XPLMAppendMenuItem")[1].i(3));  // forceEnglish false
}

TEST_F(MenuTest, ChecksForwardAndUnreportedStatesReadZero) {
  jobject menu = submenu(plugins(), "Lights");
  jobject beacon = item("Beacon");
  add(menu, beacon);
  const char* sig = "(Lcom/brevanto/qovin/menu/MenuItem;)Z";
  EXPECT_TRUE(callMethod<jboolean>(menu, "toggleCheck", sig, beacon));
  EXPECT_EQ(xplm_Menu_Checked, sim::menu(handle(menu)).items[0].check);
  EXPECT_FALSE(callMethod<jboolean>(menu, "toggleCheck", sig, beacon));
  EXPECT_EQ(xplm_Menu_Unchecked, sim::menu(handle(menu)).items[0].check);

  jmethodID getCheck = staticMethod(menuClass, "getMenuItemCheckN", "(JI)I");
  EXPECT_EQ(0, callStatic<jint>(menuClass, getCheck, reinterpret_cast<jlong>(handle(menu)), 7));
  EXPECT_EQ(0, callStatic<jint>(menuClass, getCheck, jlong{0}, 0));
  callStatic(menuClass, staticMethod(menuClass, "setMenuItemCheckN", "(JII)V"), reinterpret_cast<jlong>(handle(menu)),
             0, 2);
  EXPECT_EQ(2, callStatic<jint>(menuClass, getCheck, reinterpret_cast<jlong>(handle(menu)), 0));
}

TEST_F(MenuTest, OneItemUnderTwoReferencesIsCalledByBothAndFreedByEach) {
  jobject menu = submenu(plugins(), "Twice");
  const XPLMMenuID id = handle(menu);
  jobject shared = item("Shared");
  jobject weak = weakReference(shared);
  const jlong first = globalRef(shared);
  const jlong second = globalRef(shared);
  EXPECT_NE(first, second);
  EXPECT_EQ(0, append(id, "one", first));
  EXPECT_EQ(1, append(id, "two", second));
  EXPECT_EQ(1, sim::callsTo("XPLMAppendMenuItem").back().i(3));
  EXPECT_TRUE(sim::pickMenuItem(id, 0));
  EXPECT_TRUE(sim::pickMenuItem(id, 1));
  EXPECT_EQ(2, picks(shared));
  env()->DeleteLocalRef(shared);

  callStatic(menuClass, staticMethod(menuClass, "removeMenuItemN", "(JJI)V"), reinterpret_cast<jlong>(id), first, 0);
  EXPECT_EQ(1u, sim::menu(id).items.size());
  EXPECT_FALSE(collected(weak));  // the second reference still holds it
  jlongArray refs = env()->NewLongArray(1);
  env()->SetLongArrayRegion(refs, 0, 1, &second);
  callStatic(menuClass, staticMethod(menuClass, "clearAllMenuItemsN", "(J[J)V"), reinterpret_cast<jlong>(id), refs);
  EXPECT_TRUE(sim::menu(id).items.empty());
  EXPECT_TRUE(collected(weak));
  jlong unchanged = 0;
  env()->GetLongArrayRegion(refs, 0, 1, &unchanged);
  EXPECT_EQ(second, unchanged);
}

TEST_F(MenuTest, ClearWithNoReferencesClearsAndDeletesNothing) {
  jobject menu = submenu(plugins(), "Empty");
  const XPLMMenuID id = handle(menu);
  jobject kept = item("Kept");
  jobject weak = weakReference(kept);
  const jlong ref = globalRef(kept);
  append(id, "kept", ref);
  env()->DeleteLocalRef(kept);
  callStatic(menuClass, staticMethod(menuClass, "clearAllMenuItemsN", "(J[J)V"), reinterpret_cast<jlong>(id),
             env()->NewLongArray(0));
  EXPECT_TRUE(sim::menu(id).items.empty());
  EXPECT_FALSE(collected(weak));
  env()->DeleteGlobalRef(reinterpret_cast<jobject>(ref));
  EXPECT_TRUE(collected(weak));
}

TEST_F(MenuTest, RemovedClearedAndDestroyedItemsCanBeCollected) {
  jobject root = plugins();
  jobject menu = submenu(root, "Gone");
  jobject a = item("a");
  jobject b = item("b");
  jobject c = item("c");
  add(menu, a);
  add(menu, b);
  add(menu, c);
  jobject weakA = weakReference(a);
  jobject weakB = weakReference(b);
  jobject weakC = weakReference(c);
  callMethod<jboolean>(menu, "remove", "(Lcom/brevanto/qovin/menu/MenuItem;)Z", a);
  EXPECT_EQ((std::vector<std::string>{"b", "c"}),
            (std::vector<std::string>{sim::menu(handle(menu)).items[0].name, sim::menu(handle(menu)).items[1].name}));
  EXPECT_TRUE(sim::pickMenuItem(handle(menu), 1));
  EXPECT_EQ(1, picks(c));
  env()->DeleteLocalRef(a);
  env()->DeleteLocalRef(b);
  env()->DeleteLocalRef(c);
  EXPECT_TRUE(collected(weakA));
  EXPECT_FALSE(collected(weakB));
  callMethod(menu, "clear", "()V");
  EXPECT_TRUE(collected(weakB));
  EXPECT_TRUE(collected(weakC));

  jobject d = item("d");
  jobject weakD = weakReference(d);
  add(menu, d);
  env()->DeleteLocalRef(d);
  const XPLMMenuID id = handle(menu);
  callMethod(menu, "destroy", "()V");
  EXPECT_EQ(nullptr, sim::menu(id).id);
  EXPECT_TRUE(collected(weakD));
  for (const sim::MenuItemInfo& carrier : sim::menu(XPLMFindPluginsMenu()).items) EXPECT_NE("Gone", carrier.name);
}

TEST_F(MenuTest, ThrowingActionIsPrintedAndClearedAndTheNextPickWorks) {
  jobject menu = submenu(plugins(), "Faulty");
  jobject faulty = item("Faulty");
  add(menu, faulty);
  callMethod(faulty, "setFailing", "(Z)V", JNI_TRUE);
  const std::string printed = captureJavaStderr([&] {
    EXPECT_TRUE(sim::pickMenuItem(handle(menu), 0));
    ASSERT_FALSE(env()->ExceptionCheck());
  });
  EXPECT_NE(std::string::npos, printed.find("menu action failed: Faulty")) << printed;
  callMethod(faulty, "setFailing", "(Z)V", JNI_FALSE);
  EXPECT_TRUE(sim::pickMenuItem(handle(menu), 0));
  EXPECT_EQ(2, picks(faulty));
}

}  // namespace
