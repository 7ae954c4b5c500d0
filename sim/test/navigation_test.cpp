// The stand-in's navaid database, flight plan and GPS behave as the SDK documents them.
#include <XPLMNavigation.h>
#include <gtest/gtest.h>

#include "xplmsim/navigation.h"
#include "xplmsim/sim.h"

namespace {

class SimNavigation : public ::testing::Test {
 protected:
  void SetUp() override { xplmsim::reset(); }
  static int ref(const char* id) { return xplmsim::navaidById(id); }
};

TEST_F(SimNavigation, WalkVisitsEveryNavaidOnceWithTypesContiguousAndHandlesSparse) {
  std::vector<int> walked;
  for (XPLMNavRef r = XPLMGetFirstNavAid(); r != XPLM_NAV_NOT_FOUND; r = XPLMGetNextNavAid(r)) walked.push_back(r);
  EXPECT_EQ(walked, xplmsim::navaidRefs());
  EXPECT_EQ(walked.size(), 18u);
  EXPECT_EQ(XPLMGetNextNavAid(12345), XPLM_NAV_NOT_FOUND);
  // A VOR added later walks with the other VORs, before the ILS.
  const int added = xplmsim::addNavaid({xplm_Nav_VOR, 47, -122, 0, 11500, 0, "NEW", "New VOR", true});
  EXPECT_EQ(XPLMFindLastNavAidOfType(xplm_Nav_VOR), added);
  EXPECT_EQ(XPLMGetNextNavAid(added), XPLMFindFirstNavAidOfType(xplm_Nav_ILS));
  EXPECT_NE(XPLMGetNextNavAid(ref("KPDX")), ref("KPDX") + 1);  // airports end, NDBs start elsewhere
  EXPECT_EQ(XPLMFindFirstNavAidOfType(xplm_Nav_Airport), ref("KSEA"));
  EXPECT_EQ(XPLMFindFirstNavAidOfType(xplm_Nav_DME), XPLM_NAV_NOT_FOUND);
  xplmsim::clearNavaids();
  EXPECT_EQ(XPLMGetFirstNavAid(), XPLM_NAV_NOT_FOUND);
}

TEST_F(SimNavigation, SearchCriteriaCombine) {
  float lat = 47.45f, lon = -122.31f;
  int sea = 11680, nolla = 362, none = 0;
  // Fragments: the last match in walking order without a position.
  EXPECT_EQ(XPLMFindNavAid("Olympia", nullptr, nullptr, nullptr, nullptr, xplm_Nav_Airport | xplm_Nav_VOR),
            ref("OLM"));
  EXPECT_EQ(XPLMFindNavAid(nullptr, "PD", nullptr, nullptr, nullptr, xplm_Nav_Airport), ref("KPDX"));
  EXPECT_EQ(XPLMFindNavAid("olympia", nullptr, nullptr, nullptr, nullptr, 0xFFF), XPLM_NAV_NOT_FOUND);
  // Position: the nearest match.
  EXPECT_EQ(XPLMFindNavAid(nullptr, nullptr, &lat, &lon, nullptr, xplm_Nav_Airport), ref("KSEA"));
  EXPECT_EQ(XPLMFindNavAid(nullptr, nullptr, &lat, &lon, nullptr, xplm_Nav_Fix), ref("HAWKZ"));
  EXPECT_EQ(XPLMFindNavAid(nullptr, nullptr, &lat, nullptr, nullptr, xplm_Nav_Airport), ref("KPDX"));  // lat alone: last
  // Frequency: exact; beacons without one never match; airports and fixes are not filtered.
  EXPECT_EQ(XPLMFindNavAid(nullptr, nullptr, nullptr, nullptr, &sea, xplm_Nav_VOR), ref("SEA"));
  EXPECT_EQ(XPLMFindNavAid(nullptr, nullptr, nullptr, nullptr, &nolla, xplm_Nav_NDB | xplm_Nav_VOR), ref("BF"));
  EXPECT_EQ(XPLMFindNavAid(nullptr, nullptr, nullptr, nullptr, &none, xplm_Nav_InnerMarker), XPLM_NAV_NOT_FOUND);
  EXPECT_EQ(XPLMFindNavAid(nullptr, nullptr, nullptr, nullptr, &sea, xplm_Nav_Fix), ref("MARNR"));
  // Everything at once.
  EXPECT_EQ(XPLMFindNavAid("VOR", "E", &lat, &lon, &sea, xplm_Nav_VOR), ref("SEA"));
  EXPECT_EQ(XPLMFindNavAid(nullptr, nullptr, nullptr, nullptr, nullptr, xplm_Nav_DME), XPLM_NAV_NOT_FOUND);
}

TEST_F(SimNavigation, InfoFillsWhatIsAskedAndWritesNothingForAMiss) {
  int type = -7, freq = -7;
  float lat = -7, lon = -7, height = -7, heading = -7;
  char id[32] = "stale", name[256] = "stale", reg[4] = {9, 9, 9, 9};
  XPLMGetNavAidInfo(XPLM_NAV_NOT_FOUND, &type, &lat, &lon, &height, &freq, &heading, id, name, reg);
  EXPECT_EQ(type, -7);
  EXPECT_STREQ(id, "stale");
  EXPECT_EQ(reg[0], 9);
  XPLMGetNavAidInfo(ref("SEA"), &type, &lat, &lon, &height, &freq, &heading, id, name, reg);
  EXPECT_EQ(type, xplm_Nav_VOR);
  EXPECT_EQ(freq, 11680);
  EXPECT_FLOAT_EQ(heading, 20);
  EXPECT_STREQ(id, "SEA");
  EXPECT_STREQ(name, "Seattle VORTAC");
  EXPECT_EQ(reg[0], 1);
  EXPECT_EQ(reg[1], 9);  // one byte, not a text
  XPLMGetNavAidInfo(ref("KPDX"), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, reg);
  EXPECT_EQ(reg[0], 0);
  // Long texts are cut to the sizes the SDK asks callers for.
  const int longOne = xplmsim::addNavaid({xplm_Nav_Fix, 0, 0, 0, 0, 0, std::string(40, 'I'), std::string(300, 'N')});
  XPLMGetNavAidInfo(longOne, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, id, name, nullptr);
  EXPECT_EQ(std::string(id), std::string(31, 'I'));
  EXPECT_EQ(std::string(name), std::string(255, 'N'));
}

TEST_F(SimNavigation, FlightPlanEditsStayContiguous) {
  EXPECT_EQ(XPLMCountFMSEntries(), 4);
  EXPECT_EQ(XPLMGetDestinationFMSEntry(), 1);
  int type = 0, navRef = 0, altitude = 0;
  float lat = 0, lon = 0;
  char id[256];
  XPLMGetFMSEntryInfo(1, &type, id, &navRef, &altitude, &lat, &lon);
  EXPECT_EQ(type, xplm_Nav_LatLon);
  EXPECT_EQ(navRef, XPLM_NAV_NOT_FOUND);
  EXPECT_STREQ(id, "+46.900_-122.600");
  EXPECT_EQ(altitude, 9000);

  XPLMSetFMSEntryInfo(4, ref("OLM"), 5000);           // appends
  XPLMSetFMSEntryInfo(6, ref("OLM"), 5000);           // past the end: ignored
  XPLMSetFMSEntryInfo(0, ref("ISZI"), 5000);          // an ILS cannot be an entry
  XPLMSetFMSEntryLatLon(2, 47.5f, 8.5f, 3000);        // replaces BTG
  ASSERT_EQ(XPLMCountFMSEntries(), 5);
  const std::vector<xplmsim::FmsEntry> entries = xplmsim::fmsEntries();
  EXPECT_EQ(entries[0].id, "KSEA");
  EXPECT_EQ(entries[2].type, xplm_Nav_LatLon);
  EXPECT_FLOAT_EQ(entries[2].latitude, 47.5f);
  EXPECT_EQ(entries[4].ref, ref("OLM"));

  XPLMSetDestinationFMSEntry(3);
  XPLMSetDisplayedFMSEntry(5);  // no such entry: unchanged
  EXPECT_EQ(XPLMGetDisplayedFMSEntry(), 1);
  XPLMClearFMSEntry(0);
  EXPECT_EQ(XPLMCountFMSEntries(), 4);
  EXPECT_EQ(XPLMGetDestinationFMSEntry(), 2);  // follows its entry
  EXPECT_EQ(XPLMGetDisplayedFMSEntry(), 0);

  // An index without an entry writes nothing; a long ID is cut to 256 bytes.
  type = -3;
  XPLMGetFMSEntryInfo(99, &type, id, &navRef, &altitude, &lat, &lon);
  EXPECT_EQ(type, -3);
  xplmsim::setFmsEntryId(0, std::string(300, 'W'));
  XPLMGetFMSEntryInfo(0, nullptr, id, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(std::string(id), std::string(255, 'W'));
}

TEST_F(SimNavigation, GpsDestinationAndItsType) {
  EXPECT_EQ(XPLMGetGPSDestination(), ref("KPDX"));
  EXPECT_EQ(XPLMGetGPSDestinationType(), xplm_Nav_Airport);
  xplmsim::setGpsDestination(ref("BF"));
  EXPECT_EQ(XPLMGetGPSDestinationType(), xplm_Nav_NDB);
  xplmsim::setGpsDestination(XPLM_NAV_NOT_FOUND);
  EXPECT_EQ(XPLMGetGPSDestination(), XPLM_NAV_NOT_FOUND);
  EXPECT_EQ(XPLMGetGPSDestinationType(), xplm_Nav_Unknown);
}

}  // namespace
