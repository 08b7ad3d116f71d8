// Every end-to-end case under every host profile: the plug-in survives hosts that provide less,
// leaves their handles balanced and gives the same picture wherever the host delivered the data.
#include "emulator/HostProfiles.h"
#include "host/PluginMain.h"
#include "tests/e2e/EndToEndCases.h"
#include "tests/support/TestImages.h"

#include <gtest/gtest.h>

namespace {

bool IsCmyk(int16_t mode) {
    return mode == host::kModeCMYK || mode == host::kModeCMYK64;
}

void ExpectCleanRun(const e2e::RunOutcome& out, const std::string& what) {
    EXPECT_EQ(out.result, 0) << what;
    EXPECT_EQ(out.lockedHandles, 0) << what;
    EXPECT_TRUE(out.ledgerProblems.empty())
        << what << ": " << (out.ledgerProblems.empty() ? "" : out.ledgerProblems[0]);
    EXPECT_EQ(out.outstandingSuites, 0) << what;
}

}  // namespace

TEST(HostProfiles, EveryCaseRunsCleanlyUnderEveryProfile) {
    for (const e2e::EndToEndCase& c : e2e::StandardCases()) {
        const e2e::RunOutcome reference = e2e::RunCase(PluginMain, c);
        for (const emulator::HostProfile& profile : emulator::StandardProfiles()) {
            if (c.depth == 16 && !profile.sixteenBit) continue;
            const std::string what = profile.name + " / " + c.name;
            const e2e::RunOutcome out = e2e::RunCase(PluginMain, c, profile.options);
            ExpectCleanRun(out, what);
            // Without the colour-space suite a CMYK picture cannot be converted; everything else
            // must be the very same picture as in the full host.
            if (!IsCmyk(c.mode) || profile.options.basicSuite) {
                EXPECT_EQ(e2e::Fingerprint(out.image), e2e::Fingerprint(reference.image)) << what;
            }
        }
    }
}

TEST(HostProfiles, FaultSwitchesEndInDocumentedCodesWithBalancedHandles) {
    const e2e::EndToEndCase& cmyk = e2e::StandardCases()[9];
    for (const emulator::HostProfile& profile : emulator::StandardProfiles()) {
        emulator::HostOptions noSuite = profile.options;
        noSuite.colorSpaceSuite = false;
        ExpectCleanRun(e2e::RunCase(PluginMain, cmyk, noSuite), profile.name + " without colour suite");
    }
}

TEST(HostProfiles, EveryFailingHandleAllocationEndsInOutOfMemoryAndLeavesTheImage) {
    const e2e::EndToEndCase& defaults = e2e::StandardCases()[0];
    for (const emulator::HostProfile& profile : emulator::StandardProfiles()) {
        for (int nth = 1; nth <= 3; ++nth) {
            emulator::EmulatedHost host(PluginMain, profile.options);
            host.SetImage(testing_support::MakePicture(defaults.width, defaults.height, 3, 8, host::kModeRGB));
            const auto before = host.Image().samples;
            host.Ledger().failAllocationNumber = nth;
            const int16_t result = host.RunFilter();
            EXPECT_TRUE(result == 0 || result == host::kMemFullErr) << profile.name << " " << nth;
            if (result != 0) {
                EXPECT_EQ(host.Image().samples, before) << profile.name << " " << nth;
            }
            EXPECT_EQ(host.Ledger().LockedCount(), 0);
            EXPECT_TRUE(host.Ledger().Problems().empty());
        }
    }
}

TEST(HostProfiles, SourceCopyThatCannotBeAllocatedEndsInOutOfMemoryAndLeavesTheImage) {
    // CMYK pixels are converted into a copy (RGB ones are read where the host put them).
    emulator::EmulatedHost host(PluginMain);
    host.SetImage(testing_support::MakePicture(40, 30, 4, 8, host::kModeCMYK));
    const auto before = host.Image().samples;
    platform::FailPageAllocation(1);
    EXPECT_EQ(host.RunFilter(), host::kMemFullErr);
    platform::FailPageAllocation(0);
    EXPECT_EQ(host.Image().samples, before);
    EXPECT_EQ(host.Ledger().LockedCount(), 0);
}

TEST(HostProfiles, LocksThatReturnNothingAreReportedNotDereferenced) {
    for (const emulator::HostProfile& profile : emulator::StandardProfiles()) {
        emulator::EmulatedHost host(PluginMain, profile.options);
        host.SetImage(testing_support::MakePicture(20, 10, 3, 8, host::kModeRGB));
        host.Ledger().failLocks = true;
        EXPECT_EQ(host.RunFilter(), host::kMemFullErr) << profile.name;
        EXPECT_TRUE(host.Ledger().Problems().empty()) << profile.name;
    }
}
