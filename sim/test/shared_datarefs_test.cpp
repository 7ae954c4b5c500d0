// The stand-in's shared data: created by the first sharer, zero and writable,
// notifying the other plugins' registrations once per write.
#include <XPLMDataAccess.h>
#include <gtest/gtest.h>

#include <vector>

#include "xplmsim/loader.h"
#include "xplmsim/sim.h"
#include "xplmsim/utilities.h"

namespace {

void countChange(void* refcon) { ++*static_cast<int*>(refcon); }

class SimSharedData : public ::testing::Test {
 protected:
  void SetUp() override { xplmsim::reset(); }
};

TEST_F(SimSharedData, AWriteNotifiesTheOtherPluginsOnceAndNotTheWriter) {
  int host = 0, other = 0, otherSecond = 0;
  ASSERT_EQ(XPLMShareData("test/shared/level", xplmType_Int, countChange, &host), 1);
  {
    xplmsim::CallerScope asOther(xplmsim::kOtherPlugin);
    ASSERT_EQ(XPLMShareData("test/shared/level", xplmType_Int, countChange, &other), 1);
    ASSERT_EQ(XPLMShareData("test/shared/level", xplmType_Int, countChange, &otherSecond), 1);
  }
  XPLMDataRef ref = XPLMFindDataRef("test/shared/level");
  ASSERT_NE(ref, nullptr);
  EXPECT_EQ(XPLMGetDatai(ref), 0);
  EXPECT_EQ(XPLMCanWriteDataRef(ref), 1);
  XPLMSetDatai(ref, 7);
  EXPECT_EQ(XPLMGetDatai(ref), 7);
  EXPECT_EQ(host, 0);
  EXPECT_EQ(other, 1);
  EXPECT_EQ(otherSecond, 1);
  {
    xplmsim::CallerScope asOther(xplmsim::kOtherPlugin);
    XPLMSetDatai(ref, 8);
  }
  EXPECT_EQ(host, 1);
  EXPECT_EQ(other, 1);
  EXPECT_EQ(xplmsim::notificationsReceived(xplmsim::kOtherPlugin), 2);
}

TEST_F(SimSharedData, UnshareDropsOnlyTheMatchingNotificationAndTheValueStays) {
  int host = 0;
  ASSERT_EQ(XPLMShareData("test/shared/x", xplmType_Float, countChange, &host), 1);
  EXPECT_EQ(XPLMUnshareData("test/shared/x", xplmType_Float, countChange, nullptr), 0);
  EXPECT_EQ(XPLMUnshareData("test/shared/x", xplmType_Int, countChange, &host), 0);
  {
    xplmsim::CallerScope asOther(xplmsim::kOtherPlugin);
    EXPECT_EQ(XPLMUnshareData("test/shared/x", xplmType_Float, countChange, &host), 0) << "not its notification";
    XPLMSetDataf(XPLMFindDataRef("test/shared/x"), 2.5f);
  }
  EXPECT_EQ(host, 1);
  EXPECT_EQ(XPLMUnshareData("test/shared/x", xplmType_Float, countChange, &host), 1);
  EXPECT_EQ(XPLMUnshareData("test/shared/x", xplmType_Float, countChange, &host), 0);
  EXPECT_EQ(xplmsim::shareCount("test/shared/x"), 0);
  {
    xplmsim::CallerScope asOther(xplmsim::kOtherPlugin);
    XPLMSetDataf(XPLMFindDataRef("test/shared/x"), 3.5f);
  }
  EXPECT_EQ(host, 1);
  EXPECT_EQ(XPLMGetDataf(XPLMFindDataRef("test/shared/x")), 3.5f);
  EXPECT_EQ(xplmsim::registrationsOf(xplmsim::kHostPlugin).dataShares, 0);
  ASSERT_EQ(XPLMShareData("test/shared/x", xplmType_Float, countChange, &host), 1);
  EXPECT_EQ(xplmsim::registrationsOf(xplmsim::kHostPlugin).summary(), "1 shared-data notification");
}

TEST_F(SimSharedData, OtherTypesAndNamesOfOtherDataAreRefused) {
  ASSERT_EQ(XPLMShareData("test/shared/y", xplmType_Double, nullptr, nullptr), 1);
  EXPECT_EQ(XPLMShareData("test/shared/y", xplmType_Int, nullptr, nullptr), 0);
  EXPECT_EQ(XPLMShareData("test/shared/z", xplmType_Int | xplmType_Float, nullptr, nullptr), 0);
  EXPECT_EQ(XPLMShareData("sim/flightmodel/position/elevation", xplmType_Double, nullptr, nullptr), 0);
  EXPECT_EQ(XPLMShareData(nullptr, xplmType_Int, nullptr, nullptr), 0);
  EXPECT_EQ(XPLMShareData("", xplmType_Int, nullptr, nullptr), 0);
}

TEST_F(SimSharedData, SharedArraysGrowToTakeAWrite) {
  ASSERT_EQ(XPLMShareData("test/shared/array", xplmType_FloatArray, nullptr, nullptr), 1);
  XPLMDataRef ref = XPLMFindDataRef("test/shared/array");
  EXPECT_EQ(XPLMGetDatavf(ref, nullptr, 0, 0), 0);
  float values[] = {1.0f, 2.0f};
  XPLMSetDatavf(ref, values, 3, 2);
  EXPECT_EQ(XPLMGetDatavf(ref, nullptr, 0, 0), 5);
  XPLMSetDatavf(ref, values, -1, 2);
  XPLMSetDatavf(ref, values, 65535, 2);
  EXPECT_EQ(XPLMGetDatavf(ref, nullptr, 0, 0), 5);
}

TEST_F(SimSharedData, DataRefsAreGoodUntilUnregistered) {
  EXPECT_EQ(XPLMIsDataRefGood(XPLMFindDataRef("sim/flightmodel/position/elevation")), 1);
  EXPECT_EQ(XPLMIsDataRefGood(nullptr), 0);
  EXPECT_EQ(XPLMIsDataRefGood(reinterpret_cast<XPLMDataRef>(0x42)), 0);
  XPLMDataRef published = XPLMRegisterDataAccessor("test/published", xplmType_Int, 0, nullptr, nullptr, nullptr,
                                                    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                    nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(XPLMIsDataRefGood(published), 1);
  XPLMUnregisterDataAccessor(published);
  EXPECT_EQ(XPLMIsDataRefGood(published), 0);
}

}  // namespace
