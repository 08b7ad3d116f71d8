// The driver through the emulated host: modes, messages, selection, CMYK and progress.
#include "emulator/EmulatedHost.h"
#include "host/PluginMain.h"
#include "params/FilterParameters.h"
#include "tests/support/TestImages.h"

#include <gtest/gtest.h>

using emulator::EmulatedHost;
using emulator::HostImage;
using testing_support::MakePicture;
using testing_support::MessageCatcher;

namespace {

const std::pair<std::string, std::string> kModeMessage{"This Mode is Not Supported by the Plug-in", ""};
const std::pair<std::string, std::string> kPlanesMessage{"There are less than 3 layers", "WARNING"};

}  // namespace

TEST(FilterDriver, UnsupportedModesSayWhyCancelAndLeaveTheImage) {
    struct Case {
        int16_t mode;
        int32_t planes;
    };
    for (const Case c : {Case{host::kModeGrayScale, 1}, Case{host::kModeLab, 3}, Case{host::kModeGray16, 1}}) {
        MessageCatcher catcher;
        EmulatedHost host(PluginMain);
        host.SetImage(MakePicture(10, 6, c.planes, c.mode == host::kModeGray16 ? 16 : 8, c.mode));
        const auto before = host.Image().samples;
        EXPECT_EQ(host.RunFilter(), host::kUserCanceledErr);
        EXPECT_EQ(host.Image().samples, before);
        ASSERT_FALSE(catcher.messages.empty());
        EXPECT_EQ(catcher.messages.back(), kModeMessage);
    }
}

TEST(FilterDriver, GreyWithAlphaWarnsAboutPlanesBeforeRefusingTheMode) {
    MessageCatcher catcher;
    EmulatedHost host(PluginMain);
    host.SetImage(MakePicture(10, 6, 2, 8, host::kModeGrayScale));
    EXPECT_EQ(host.RunFilter(), host::kUserCanceledErr);
    const std::vector<std::pair<std::string, std::string>> expected = {kPlanesMessage, kModeMessage};
    EXPECT_EQ(catcher.messages, expected);
}

TEST(FilterDriver, RgbWithoutAlphaRunsWithoutAnyMessage) {
    MessageCatcher catcher;
    EmulatedHost host(PluginMain);
    host.SetImage(MakePicture(10, 6, 3, 8, host::kModeRGB));
    EXPECT_EQ(host.RunFilter(), 0);
    EXPECT_TRUE(catcher.messages.empty());
}

TEST(FilterDriver, EmptySelectionLeavesEveryModeUnchanged) {
    struct Case {
        int16_t mode;
        int32_t planes, depth;
    };
    for (const Case c : {Case{host::kModeRGB, 3, 8}, Case{host::kModeRGB, 4, 8}, Case{host::kModeRGB, 5, 8},
                         Case{host::kModeRGB48, 4, 16}, Case{host::kModeCMYK, 4, 8}, Case{host::kModeCMYK, 5, 8},
                         Case{host::kModeCMYK64, 5, 16}}) {
        EmulatedHost host(PluginMain);
        host.SetImage(MakePicture(21, 13, c.planes, c.depth, c.mode));
        host.SetSelection(std::vector<uint8_t>(21 * 13, 0));
        const auto before = host.Image().samples;
        ASSERT_EQ(host.RunFilter(), 0);
        EXPECT_EQ(host.Image().samples, before) << "mode " << c.mode << " planes " << c.planes;
    }
}

TEST(FilterDriver, ProgressNeverGoesBackwardsBelowZeroAndEndsReset) {
    EmulatedHost host(PluginMain);
    host.SetImage(MakePicture(40, 30, 3, 8, host::kModeRGB));
    ASSERT_EQ(host.RunFilter(), 0);
    ASSERT_FALSE(host.Progress().empty());
    for (const auto& [done, total] : host.Progress()) {
        EXPECT_GE(done, 0);
        EXPECT_GE(total, 0);
    }
    EXPECT_EQ(host.Progress().back(), std::make_pair(0, 100));
}

TEST(FilterDriver, CmykAcquiresAndReleasesTheColourSuite) {
    EmulatedHost host(PluginMain);
    host.SetImage(MakePicture(12, 9, 4, 8, host::kModeCMYK));
    ASSERT_EQ(host.RunFilter(), 0);
    EXPECT_EQ(host.Suites().outstandingAcquires, 0);
}

TEST(FilterDriver, CmykWithoutTheSuiteStillEndsCleanly) {
    emulator::HostOptions options;
    options.basicSuite = false;
    EmulatedHost host(PluginMain, options);
    host.SetImage(MakePicture(12, 9, 5, 16, host::kModeCMYK64));
    EXPECT_EQ(host.RunFilter(), 0);
    EXPECT_TRUE(host.Ledger().Problems().empty());
}

TEST(FilterDriver, FilteredAreaInsideTheImageLeavesTheRestAlone) {
    EmulatedHost host(PluginMain);
    host.SetImage(MakePicture(30, 20, 3, 8, host::kModeRGB));
    host.SetFilterArea(5, 4, 25, 16);
    const HostImage before = host.Image();
    ASSERT_EQ(host.RunFilter(), 0);
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 30; ++x) {
            if (x >= 5 && x < 25 && y >= 4 && y < 16) continue;
            for (int c = 0; c < 3; ++c) ASSERT_EQ(host.Image().Sample(x, y, c), before.Sample(x, y, c));
        }
}

TEST(FilterDriver, HostBuffersTooSmallForTheAreaAreRefusedNotOverrun) {
    EmulatedHost host(PluginMain);
    host.SetImage(MakePicture(16, 8, 3, 8, host::kModeRGB));
    ASSERT_EQ(host.CallSelector(host::kSelectorParameters), 0);
    ASSERT_EQ(host.CallSelector(host::kSelectorPrepare), 0);
    // A host that reports a larger filtered area than the image it delivers.
    host.Record().bigDocumentData->filterRect32 = host::VRect{0, 0, 8, 4000};
    EXPECT_EQ(host.CallSelector(host::kSelectorStart), host::kFilterBadParameters);
}
