// Menus built from Java: items calling actionPerformed, check marks, item
// references owned by Java and freed by remove and clear, exceptions, indexes
// beside the host plugin's own items, and destroyed menus refusing further use.
#include <XPLMMenus.h>

#include <functional>
#include <string>
#include <vector>

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

// Item references are freed only where they are placed: removing one at
// another index, a line without a reference where one of ours sits, or a
// reference the bridge never made changes nothing; clearing a menu frees the
// references placed in it and no others.
TEST_F(MenuTest, ItemReferencesAreFreedOnlyWhereTheyArePlaced) {
  const XPLMMenuID a = handle(submenu(plugins(), "A"));
  const XPLMMenuID b = handle(submenu(plugins(), "B"));
  jobject inA = item("in A");
  jobject inB = item("in B");
  jobject weakA = weakReference(inA);
  jobject weakB = weakReference(inB);
  const jlong refA = globalRef(inA);
  const jlong refB = globalRef(inB);
  EXPECT_EQ(append(a, "in A", refA), 0);
  EXPECT_EQ(append(b, "in B", refB), 0);
  EXPECT_EQ(append(b, "again", refA), -1);  // placed already
  EXPECT_EQ(append(b, "made up", jlong{0x5151}), -1);
  env()->DeleteLocalRef(inA);
  env()->DeleteLocalRef(inB);
  jmethodID remove = staticMethod(menuClass, "removeMenuItemN", "(JJI)V");
  callStatic(menuClass, remove, reinterpret_cast<jlong>(a), refA, 1);
  callStatic(menuClass, remove, reinterpret_cast<jlong>(b), refA, 0);
  callStatic(menuClass, remove, reinterpret_cast<jlong>(a), jlong{0}, 0);
  callStatic(menuClass, remove, reinterpret_cast<jlong>(a), jlong{0x5151}, 0);
  EXPECT_EQ(1u, sim::menu(a).items.size());
  callStatic(menuClass, staticMethod(menuClass, "clearAllMenuItemsN", "(J[J)V"), reinterpret_cast<jlong>(a),
             env()->NewLongArray(0));
  EXPECT_TRUE(sim::menu(a).items.empty());
  EXPECT_TRUE(collected(weakA));
  EXPECT_FALSE(collected(weakB));
  callStatic(menuClass, remove, reinterpret_cast<jlong>(b), refB, 0);
  EXPECT_TRUE(collected(weakB));

  // An item whose reference the bridge no longer holds (put there by other
  // code of the plugin) calls nothing when picked.
  XPLMAppendMenuItem(a, "stale", reinterpret_cast<void*>(refA), 0);
  EXPECT_TRUE(sim::pickMenuItem(a, 0));
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

// The host plugin's own item sits in front of Java's in the plugins menu: each
// Java line keeps the index the simulator gave it.
TEST_F(MenuTest, LinesKeepTheirOwnIndexesBesideTheHostsItem) {
  const XPLMMenuID pluginsMenu = XPLMFindPluginsMenu();
  ASSERT_EQ(0, XPLMAppendMenuItem(pluginsMenu, "qovin", nullptr, 0));
  jobject root = plugins();
  jobject first = item("First");
  jobject second = item("Second");
  EXPECT_EQ(1, add(root, first));
  jobject sub = submenu(root, "Sub");
  add(sub, item("Inner"));
  callMethod(root, "addSeparator", "()V");
  EXPECT_EQ(4, add(root, second));
  const char* sig = "(Lcom/brevanto/qovin/menu/MenuItem;)Z";
  EXPECT_TRUE(callMethod<jboolean>(root, "remove", sig, first));
  EXPECT_TRUE(callMethod<jboolean>(root, "toggleCheck", sig, second));
  callMethod(sub, "destroy", "()V");

  std::vector<sim::MenuItemInfo> lines = sim::menu(pluginsMenu).items;
  ASSERT_EQ(3u, lines.size());
  EXPECT_EQ("qovin", lines[0].name);
  EXPECT_TRUE(lines[1].separator);
  EXPECT_EQ("Second", lines[2].name);
  EXPECT_EQ(xplm_Menu_Checked, lines[2].check);
  EXPECT_EQ(xplm_Menu_NoCheck, lines[0].check);

  callMethod(root, "clear", "()V");
  lines = sim::menu(pluginsMenu).items;
  ASSERT_EQ(1u, lines.size());
  EXPECT_EQ("qovin", lines[0].name);
  for (const sim::Call& call : sim::callsTo("XPLMClearAllMenuItems")) {
    EXPECT_NE(reinterpret_cast<jlong>(pluginsMenu), call.i(0)) << "it would take the host's item too";
  }
}

TEST_F(MenuTest, ADestroyedMenuRefusesEveryUseAndTheSimulatorHearsNoMore) {
  jobject menu = submenu(plugins(), "Gone");
  jobject kept = item("Kept");
  add(menu, kept);
  callMethod(menu, "destroy", "()V");
  sim::clearCalls();
  callMethod(menu, "destroy", "()V");  // a second destroy does nothing
  jclass cls = env()->GetObjectClass(menu);
  auto m = [&](const char* name, const char* signature) { return env()->GetMethodID(cls, name, signature); };
  const char* itemSig = "(Lcom/brevanto/qovin/menu/MenuItem;)I";
  const char* checkSig = "(Lcom/brevanto/qovin/menu/MenuItem;)Z";
  const std::vector<std::function<void()>> uses = {
      [&] { env()->CallIntMethod(menu, m("add", itemSig), item("Late")); },
      [&] { env()->CallVoidMethod(menu, m("addSeparator", "()V")); },
      [&] { env()->CallObjectMethod(menu, m("submenu", "(Ljava/lang/String;)Lcom/brevanto/qovin/menu/XPlaneMenu;"),
                                    env()->NewStringUTF("Child")); },
      [&] { env()->CallBooleanMethod(menu, m("remove", checkSig), kept); },
      [&] { env()->CallVoidMethod(menu, m("clear", "()V")); },
      [&] { env()->CallVoidMethod(menu, m("setCheck", "(Lcom/brevanto/qovin/menu/MenuItem;I)V"), kept, 2); },
      [&] { env()->CallIntMethod(menu, m("getCheck", "(Lcom/brevanto/qovin/menu/MenuItem;)I"), kept); },
      [&] { env()->CallBooleanMethod(menu, m("toggleCheck", checkSig), kept); },
  };
  std::string message;
  for (size_t i = 0; i < uses.size(); ++i) {
    EXPECT_TRUE(throws("java/lang/IllegalStateException", uses[i], &message)) << "use " << i;
    EXPECT_EQ("menu destroyed", message);
  }
  EXPECT_TRUE(sim::calls().empty());
}

TEST_F(MenuTest, AnItemWhoseNameThrowsOrThatTheSimulatorRefusesIsNotKept) {
  jobject menu = submenu(plugins(), "Strict");
  jobject nameless = item("Nameless");
  callMethod(nameless, "setNameFailing", "(Z)V", JNI_TRUE);
  jobject namelessGone = weakReference(nameless);
  jmethodID addMethod = env()->GetMethodID(menuClass, "add", "(Lcom/brevanto/qovin/menu/MenuItem;)I");
  EXPECT_TRUE(throws("java/lang/IllegalStateException", [&] { env()->CallIntMethod(menu, addMethod, nameless); }));
  env()->DeleteLocalRef(nameless);
  EXPECT_TRUE(collected(namelessGone)) << "no global reference was made for it";

  jobject refused = submenu(plugins(), "");  // the simulator makes no menu without a name
  ASSERT_EQ(nullptr, handle(refused));
  jobject orphan = item("Orphan");
  jobject orphanGone = weakReference(orphan);
  EXPECT_EQ(-1, add(refused, orphan));
  env()->DeleteLocalRef(orphan);
  EXPECT_TRUE(collected(orphanGone)) << "its reference was deleted";
  EXPECT_TRUE(sim::menu(handle(menu)).items.empty());
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
