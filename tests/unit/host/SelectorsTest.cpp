// The selectors as a host drives them: handles, defaults, result codes and the handle ledger.
#include "emulator/EmulatedHost.h"
#include "host/HostHandles.h"
#include "host/HostRects.h"
#include "host/PluginMain.h"
#include "params/FilterParameters.h"
#include "tests/support/TestImages.h"

#include <gtest/gtest.h>

using emulator::EmulatedHost;
using testing_support::MakePicture;

namespace {

FilterParameters& ParamsOf(EmulatedHost& host) {
    return *static_cast<FilterParameters*>(host.ParametersData());
}

void ExpectLedgerClean(const EmulatedHost& host) {
    EXPECT_EQ(const_cast<EmulatedHost&>(host).Ledger().LockedCount(), 0);
    EXPECT_TRUE(const_cast<EmulatedHost&>(host).Ledger().Problems().empty());
}

}  // namespace

TEST(Selectors, FirstRunCreatesHandlesWithDefaultsAndLaterRunsKeepValues) {
    EmulatedHost host(PluginMain);
    host.SetImage(MakePicture(24, 16, 3, 8, host::kModeRGB));
    EXPECT_EQ(host.ParametersData(), nullptr);
    ASSERT_EQ(host.RunFilter(), 0);
    ASSERT_NE(host.ParametersData(), nullptr);
    EXPECT_EQ(ParamsOf(host).colorSchema, 2);
    EXPECT_EQ(ParamsOf(host).ranOnce, 1);
    ParamsOf(host).pattern = 8;
    ParamsOf(host).space = 33.0f;
    ASSERT_EQ(host.RunFilter(), 0);
    EXPECT_EQ(ParamsOf(host).pattern, 8);
    EXPECT_FLOAT_EQ(ParamsOf(host).space, 33.0f);
    ExpectLedgerClean(host);
    const std::vector<int16_t> expected = {1, 2, 3, 4, 5, 1, 2, 3, 4, 5};
    EXPECT_EQ(host.SelectorTrace(), expected);
}

TEST(Selectors, HandleCreationFailureReportsOutOfMemoryAndLocksNothing) {
    for (int failing = 1; failing <= 2; ++failing) {
        EmulatedHost host(PluginMain);
        host.SetImage(MakePicture(8, 8, 3, 8, host::kModeRGB));
        const auto before = host.Image().samples;
        host.Ledger().failAllocationNumber = failing;
        EXPECT_EQ(host.RunFilter(), host::kMemFullErr);
        EXPECT_EQ(host.Ledger().LockedCount(), 0);
        EXPECT_EQ(host.Image().samples, before);
    }
}

TEST(Selectors, LockFailureReportsOutOfMemory) {
    EmulatedHost host(PluginMain);
    host.SetImage(MakePicture(8, 8, 3, 8, host::kModeRGB));
    host.Ledger().failLocks = true;
    EXPECT_EQ(host.RunFilter(), host::kMemFullErr);
    EXPECT_TRUE(host.Ledger().Problems().empty());
}

TEST(Selectors, StartWithoutHandlesIsABadParameter) {
    EmulatedHost host(PluginMain);
    host.SetImage(MakePicture(8, 8, 3, 8, host::kModeRGB));
    EXPECT_EQ(host.CallSelector(host::kSelectorStart), host::kFilterBadParameters);
    ExpectLedgerClean(host);
}

TEST(Selectors, ContinueAlwaysLeavesEveryRectangleEmpty) {
    for (bool big : {true, false}) {
        emulator::HostOptions options;
        options.bigDocument = big;
        EmulatedHost host(PluginMain, options);
        host.SetImage(MakePicture(8, 8, 3, 8, host::kModeRGB));
        ASSERT_EQ(host.RunFilter(), 0);
        host.Record().inRect = host.Record().outRect = host.Record().maskRect = host::Rect{0, 0, 5, 5};
        if (big) host.Record().bigDocumentData->inRect32 = host::VRect{0, 0, 5, 5};
        EXPECT_EQ(host.CallSelector(host::kSelectorContinue), 0);
        const Rect32 in = GetInRect(host.Record()), out = GetOutRect(host.Record()), mask = GetMaskRect(host.Record());
        for (const Rect32& r : {in, out, mask}) EXPECT_TRUE(r.top == 0 && r.left == 0 && r.bottom == 0 && r.right == 0);
        EXPECT_EQ(host.Record().inRect.bottom, big ? 5 : 0);  // the 16-bit ones are not ours when 32-bit are used
    }
}

TEST(Selectors, AboutSucceedsAndTouchesNoHandle) {
    EmulatedHost host(PluginMain);
    EXPECT_EQ(host.ShowAbout(), 0);
    EXPECT_EQ(host.Ledger().LiveCount(), 0u);
    ExpectLedgerClean(host);
}

TEST(Selectors, PrepareAsksForLittleBufferSpace) {
    EmulatedHost host(PluginMain);
    host.SetImage(MakePicture(300, 100, 4, 8, host::kModeRGB));
    ASSERT_EQ(host.CallSelector(host::kSelectorParameters), 0);
    host.Record().bufferSpace = 1234;
    ASSERT_EQ(host.CallSelector(host::kSelectorPrepare), 0);
    EXPECT_EQ(host.Record().bufferSpace, 0);
    EXPECT_EQ(host.Record().maxSpace, 2 * 256 * 100 * 4);
    ExpectLedgerClean(host);
}

TEST(Selectors, HostThatKeepsNothingStartsFromDefaultsEachRun) {
    EmulatedHost host(PluginMain);
    host.SetImage(MakePicture(8, 8, 3, 8, host::kModeRGB));
    ASSERT_EQ(host.RunFilter(), 0);
    ParamsOf(host).pattern = 5;
    host.ForgetPluginState();
    ASSERT_EQ(host.RunFilter(), 0);
    EXPECT_EQ(ParamsOf(host).pattern, 1);
}

TEST(Selectors, HostWithoutHandleProcsGetsOurOwnHandles) {
    EmulatedHost host(PluginMain);
    host.SetImage(MakePicture(8, 8, 3, 8, host::kModeRGB));
    host.Ledger().Procs()->handleProcsVersion = 2;  // a version we do not know
    ASSERT_EQ(host.RunFilter(), 0);
    ASSERT_NE(host.ParametersData(), nullptr);
    EXPECT_EQ(ParamsOf(host).pattern, 1);
    // Only the recorded action's descriptor, which the host owns, lives in the ledger.
    EXPECT_EQ(host.Ledger().LiveCount(), host.RecordedAction() != nullptr ? 1u : 0u);
    // Our own handles stay for the next run as host handles would; a host that unloads us frees them.
    DisposeHostHandle(nullptr, host.Record().parameters);
    DisposeHostHandle(nullptr, reinterpret_cast<host::Handle>(host.DataSlot()));
    host.ForgetPluginState();
}
