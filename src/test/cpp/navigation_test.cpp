// The navaid database, the FMS flight plan and the GPS destination from Java.
#include <XPLMNavigation.h>

#include <string>

#include "jvm_harness.h"
#include "xplmsim/navigation.h"
#include "xplmsim/sim.h"

using namespace qovintest;

namespace {

constexpr const char* kNavRefResult = "Lcom/brevanto/qovin/navigation/XPlaneNavRef;";

// An XPlaneNavRef as Java holds it: the handle, the navaid, the region text.
struct NavInfo : xplmsim::Navaid {
  int ref = 0;
  std::string reg;
};

std::string stringField(jobject object, jclass cls, const char* field) {
  auto text = static_cast<jstring>(env()->GetObjectField(object, env()->GetFieldID(cls, field, "Ljava/lang/String;")));
  std::string copy = toStdString(text);
  env()->DeleteLocalRef(text);
  return copy;
}

NavInfo read(jobject navRef) {
  JNIEnv* e = env();
  EXPECT_NE(navRef, nullptr);
  if (navRef == nullptr) return {};
  jclass cls = e->GetObjectClass(navRef);
  auto i = [&](const char* f) { return e->GetIntField(navRef, e->GetFieldID(cls, f, "I")); };
  auto f = [&](const char* f) { return e->GetFloatField(navRef, e->GetFieldID(cls, f, "F")); };
  NavInfo n;
  n.ref = i("ref");
  static_cast<xplmsim::Navaid&>(n) = {i("type"), f("latitude"), f("longitude"), f("height"), i("frequency"),
                                      f("heading"), stringField(navRef, cls, "id"), stringField(navRef, cls, "name")};
  n.reg = stringField(navRef, cls, "reg");
  e->DeleteLocalRef(cls);
  expectNoPendingException();
  return n;
}

void expectMiss(const NavInfo& n) {
  EXPECT_EQ(n.ref, XPLM_NAV_NOT_FOUND);
  EXPECT_EQ(n.type, 0);
  EXPECT_EQ(n.latitude, 0);
  EXPECT_EQ(n.longitude, 0);
  EXPECT_EQ(n.height, 0);
  EXPECT_EQ(n.frequency, 0);
  EXPECT_EQ(n.heading, 0);
  EXPECT_EQ(n.id, "");
  EXPECT_EQ(n.name, "");
  EXPECT_EQ(n.reg, "");
}

class NavigationTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    nav = newObject("com/brevanto/qovin/navigation/XPlaneNavigation", "()V");
  }
  jobject query(const char* method, jint arg) {
    return callMethod<jobject>(nav, method, (std::string("(I)") + kNavRefResult).c_str(), arg);
  }
  jobject find(const char* name, const char* id, jobject lat, jobject lon, jobject freq, jint type) {
    jstring jName = name != nullptr ? env()->NewStringUTF(name) : nullptr;
    jstring jId = id != nullptr ? env()->NewStringUTF(id) : nullptr;
    jobject found = callMethod<jobject>(
        nav, "findNavAid",
        "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/Float;Ljava/lang/Float;Ljava/lang/Integer;I)"
        "Lcom/brevanto/qovin/navigation/XPlaneNavRef;",
        jName, jId, lat, lon, freq, type);
    return found;
  }
  static jobject boxed(float value) { return newObject("java/lang/Float", "(F)V", value); }
  static jobject boxed(int value) { return newObject("java/lang/Integer", "(I)V", value); }
  static int ref(const char* id) { return xplmsim::navaidById(id); }
  jobject nav = nullptr;
};

TEST_F(NavigationTest, WholeDatabaseWalkFromFirstToMinusOneCarriesEveryField) {
  std::vector<int> walked;
  jobject current = callMethod<jobject>(nav, "getFirstNavAid", (std::string("()") + kNavRefResult).c_str());
  for (int guard = 0; guard < 1000; ++guard) {
    const NavInfo n = read(current);
    env()->DeleteLocalRef(current);
    if (n.ref == XPLM_NAV_NOT_FOUND) {
      expectMiss(n);
      break;
    }
    walked.push_back(n.ref);
    const xplmsim::Navaid* expected = xplmsim::navaid(n.ref);
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(n.type, expected->type);
    EXPECT_EQ(n.latitude, expected->latitude);
    EXPECT_EQ(n.longitude, expected->longitude);
    EXPECT_EQ(n.height, expected->height);
    EXPECT_EQ(n.frequency, expected->frequency);
    EXPECT_EQ(n.heading, expected->heading);
    EXPECT_EQ(n.id, expected->id);
    EXPECT_EQ(n.name, expected->name);
    EXPECT_EQ(n.reg, expected->inLocalRegion ? std::string("\x01") : std::string());
    current = query("getNextNavAidN", n.ref);
  }
  EXPECT_EQ(walked, xplmsim::navaidRefs());
  // Every output of XPLMGetNavAidInfo was asked for.
  const xplmsim::Call* info = xplmsim::lastCall("XPLMGetNavAidInfo");
  for (size_t arg = 1; arg <= 9; ++arg) EXPECT_NE(info->i(arg), 0) << arg;
}

TEST_F(NavigationTest, FirstAndLastOfATypeAndTheRegionFlag) {
  EXPECT_EQ(read(query("findFirstNavAidOfTypeN", xplm_Nav_VOR)).id, "SEA");
  const NavInfo btg = read(query("findLastNavAidOfTypeN", xplm_Nav_VOR));
  EXPECT_EQ(btg.id, "BTG");
  EXPECT_EQ(btg.reg, "");  // outside the loaded region: the byte 0
  jobject sea = query("findFirstNavAidOfTypeN", xplm_Nav_VOR);
  EXPECT_TRUE(callMethod<jboolean>(sea, "isInLocalRegion", "()Z"));
  EXPECT_FALSE(callMethod<jboolean>(query("findLastNavAidOfTypeN", xplm_Nav_VOR), "isInLocalRegion", "()Z"));
  expectMiss(read(query("findFirstNavAidOfTypeN", xplm_Nav_DME)));
}

// A miss after a hit: no number or text of the earlier navaid shows through,
// and the earlier result keeps its own strings.
TEST_F(NavigationTest, AMissIsAnEmptyNavRefNeverNullAndNeverStale) {
  jobject seattle = find("Seattle-Tacoma", nullptr, nullptr, nullptr, nullptr, xplm_Nav_Airport);
  const NavInfo miss = read(find("Nowhere", nullptr, nullptr, nullptr, nullptr, xplm_Nav_Airport));
  expectMiss(miss);
  EXPECT_EQ(read(query("getNextNavAidN", 424242)).ref, XPLM_NAV_NOT_FOUND);
  const NavInfo kept = read(seattle);
  EXPECT_EQ(kept.id, "KSEA");
  EXPECT_EQ(kept.name, "Seattle-Tacoma Intl");
  EXPECT_EQ(kept.reg, "\x01");
  EXPECT_FALSE(callMethod<jboolean>(find("Nowhere", nullptr, nullptr, nullptr, nullptr, 1), "isFound", "()Z"));
}

// Each of the five criteria present or absent: an absent one reaches the
// simulator as a null pointer, a present one as a pointer to its value.
TEST_F(NavigationTest, EveryCombinationOfPresentAndAbsentCriteria) {
  for (int mask = 0; mask < 32; ++mask) {
    SCOPED_TRACE(mask);
    ASSERT_EQ(env()->PushLocalFrame(16), JNI_OK);
    const bool name = mask & 1, id = mask & 2, lat = mask & 4, lon = mask & 8, freq = mask & 16;
    find(name ? "Seattle" : nullptr, id ? "SEA" : nullptr, lat ? boxed(47.45f) : nullptr,
         lon ? boxed(-122.31f) : nullptr, freq ? boxed(11680) : nullptr, xplm_Nav_VOR | xplm_Nav_Airport);
    env()->PopLocalFrame(nullptr);
    const xplmsim::Call* call = xplmsim::lastCall("XPLMFindNavAid");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->i(0) != 0, name);
    EXPECT_EQ(call->s(1), name ? "Seattle" : "");
    EXPECT_EQ(call->i(2) != 0, id);
    EXPECT_EQ(call->s(3), id ? "SEA" : "");
    EXPECT_EQ(call->i(4) != 0, lat);
    EXPECT_EQ(call->d(5), lat ? 47.45f : 0.0f);
    EXPECT_EQ(call->i(6) != 0, lon);
    EXPECT_EQ(call->d(7), lon ? -122.31f : 0.0f);
    EXPECT_EQ(call->i(8) != 0, freq);
    EXPECT_EQ(call->i(9), freq ? 11680 : 0);
    EXPECT_EQ(call->i(10), xplm_Nav_VOR | xplm_Nav_Airport);
  }
}

TEST_F(NavigationTest, SearchesFindTheNearestAndByFrequency) {
  EXPECT_EQ(read(find(nullptr, nullptr, boxed(45.6f), boxed(-122.6f), nullptr, xplm_Nav_Airport)).id, "KPDX");
  EXPECT_EQ(read(find(nullptr, nullptr, nullptr, nullptr, boxed(11320), xplm_Nav_VOR)).id, "OLM");
  EXPECT_EQ(read(find(nullptr, "BF", nullptr, nullptr, nullptr, xplm_Nav_NDB)).ref, ref("BF"));
  jobject nearest = callMethod<jobject>(nav, "findNearest", (std::string("(IFF)") + kNavRefResult).c_str(),
                                        xplm_Nav_VOR, 47.9f, -122.3f);
  EXPECT_EQ(read(nearest).id, "PAE");
  EXPECT_EQ(callMethod<jint>(nav, "findNearestRef", "(IFF)I", xplm_Nav_VOR, 47.9f, -122.3f), read(nearest).ref)
      << "the handle alone, for code that runs every frame";
}

TEST_F(NavigationTest, FmsEntriesCarryTheirOwnIdAndTheirNavaid) {
  const char* entryInfo = "(I)Lcom/brevanto/qovin/navigation/QOVINFmsEntryInfo;";
  auto entry = [&](int index) { return callMethod<jobject>(nav, "getFMSEntryInfo", entryInfo, index); };
  auto fields = [](jobject info) {
    jclass cls = env()->GetObjectClass(info);
    struct {
      int type, altitude;
      float lat, lon;
      std::string id;
      jobject navaid;
    } f{env()->GetIntField(info, env()->GetFieldID(cls, "type", "I")),
        env()->GetIntField(info, env()->GetFieldID(cls, "altitude", "I")),
        env()->GetFloatField(info, env()->GetFieldID(cls, "latitude", "F")),
        env()->GetFloatField(info, env()->GetFieldID(cls, "longitude", "F")), stringField(info, cls, "id"),
        env()->GetObjectField(info, env()->GetFieldID(cls, "navaid", "Lcom/brevanto/qovin/navigation/QOVINNavRef;"))};
    env()->DeleteLocalRef(cls);
    return f;
  };
  // A lat/lon entry: no navaid; its ID is longer than a navaid ID.
  auto latLon = fields(entry(1));
  EXPECT_EQ(latLon.type, xplm_Nav_LatLon);
  EXPECT_EQ(latLon.navaid, nullptr);
  EXPECT_EQ(latLon.id, "+46.900_-122.600");
  EXPECT_EQ(latLon.altitude, 9000);
  EXPECT_FLOAT_EQ(latLon.lat, 46.9f);
  EXPECT_FLOAT_EQ(latLon.lon, -122.6f);
  // A navaid entry named unlike its navaid: the entry's ID survives the navaid lookup.
  const std::string longName(255, 'B');
  xplmsim::setFmsEntryId(2, longName);
  auto btg = fields(entry(2));
  EXPECT_EQ(btg.id, longName);
  EXPECT_EQ(read(btg.navaid).id, "BTG");
  EXPECT_EQ(btg.altitude, 7000);
  // An index without an entry, right after one with: nothing of it shows through.
  auto none = fields(entry(99));
  EXPECT_EQ(none.type, 0);
  EXPECT_EQ(none.id, "");
  ASSERT_NE(none.navaid, nullptr);  // the preset handle 0, which the simulator did not overwrite
  EXPECT_EQ(read(none.navaid).ref, 0);
  EXPECT_EQ(read(none.navaid).id, "");
  EXPECT_EQ(none.altitude, 0);
  EXPECT_EQ(none.lat, 0);
}

TEST_F(NavigationTest, FmsEditsForwardTheirArgumentsInOrder) {
  EXPECT_EQ(callMethod<jint>(nav, "countFMSEntries", "()I"), 4);
  callMethod(nav, "setFMSEntryLatLon", "(IFFI)V", 2, 47.5f, 8.5f, 3000);
  const xplmsim::Call* set = xplmsim::lastCall("XPLMSetFMSEntryLatLon");
  EXPECT_EQ(set->i(0), 2);
  EXPECT_EQ(set->d(1), 47.5f);
  EXPECT_EQ(set->d(2), 8.5f);
  EXPECT_EQ(set->i(3), 3000);
  jobject ksea = query("findFirstNavAidOfTypeN", xplm_Nav_Airport);
  callMethod(nav, "setFMSEntryInfo", "(ILcom/brevanto/qovin/navigation/QOVINNavRef;I)V", 4, ksea, 5000);
  EXPECT_EQ(xplmsim::fmsEntries().at(4).id, "KSEA");
  EXPECT_EQ(xplmsim::fmsEntries().at(4).altitude, 5000);
  callMethod(nav, "setDestinationFMSEntry", "(I)V", 4);
  callMethod(nav, "setDisplayedFMSEntry", "(I)V", 3);
  EXPECT_EQ(callMethod<jint>(nav, "getDestinationFMSEntry", "()I"), 4);
  EXPECT_EQ(callMethod<jint>(nav, "getDisplayedFMSEntry", "()I"), 3);
  callMethod(nav, "clearFMSEntry", "(I)V", 0);
  EXPECT_EQ(callMethod<jint>(nav, "countFMSEntries", "()I"), 4);
  EXPECT_EQ(xplmsim::destinationFmsEntry(), 3);
}

TEST_F(NavigationTest, GpsDestinationIsANavRefEvenWhenThereIsNone) {
  const char* gps = "()Lcom/brevanto/qovin/navigation/XPlaneNavRef;";
  EXPECT_EQ(read(callMethod<jobject>(nav, "getGPSDestination", gps)).id, "KPDX");
  EXPECT_EQ(callMethod<jint>(nav, "getGPSDestinationType", "()I"), xplm_Nav_Airport);
  xplmsim::setGpsDestination(XPLM_NAV_NOT_FOUND);
  expectMiss(read(callMethod<jobject>(nav, "getGPSDestination", gps)));
  EXPECT_EQ(callMethod<jint>(nav, "getGPSDestinationType", "()I"), xplm_Nav_Unknown);
}

}  // namespace
