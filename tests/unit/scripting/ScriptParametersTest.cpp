// Recorded actions through the emulated host: finish records the record, a later start replays it.
#include "host/ScriptParameters.h"

#include "emulator/EmulatedHost.h"
#include "host/PluginMain.h"
#include "params/FilterParameters.h"
#include "tests/support/TestImages.h"

#include <gtest/gtest.h>

#include <vector>

using emulator::DescriptorItem;
using emulator::EmulatedHost;
using host::FourCC;

namespace {

FilterParameters& ParamsOf(EmulatedHost& host) {
    return *static_cast<FilterParameters*>(host.ParametersData());
}

std::unique_ptr<EmulatedHost> MakeHost() {
    auto host = std::make_unique<EmulatedHost>(PluginMain);
    host->SetImage(testing_support::MakePicture(8, 6, 3, 8, host::kModeRGB));
    return host;
}

DescriptorItem UnitFloat(const char (&key)[5], double value) {
    return {FourCC(key), host::kTypeUnitFloat, host::kUnitPercent, value};
}
DescriptorItem Boolean(const char (&key)[5], int value) {
    return {FourCC(key), host::kTypeBoolean, 0, static_cast<double>(value)};
}

void ExpectNothingLeft(EmulatedHost& host) {
    EXPECT_EQ(host.Ledger().LockedCount(), 0);
    EXPECT_TRUE(host.Ledger().Problems().empty());
    EXPECT_EQ(host.Descriptors().OpenSessions(), 0);
}

// A record unlike the defaults in every field the descriptor carries.
void SetUnusualValues(FilterParameters& p) {
    p.rotation = -12.5f;
    p.offset = 3.0f;
    p.space = 44.0f;
    p.width = 150.0f;
    p.contrast = -20.0f;
    p.randomness = 5.0f;
    p.amplitude = 250.0f;
    p.frequency = 75.0f;
    p.phaseShift = -300.0f;
    p.threshold = 12.0f;
    p.centerX = -100.0f;
    p.centerY = 200.0f;
    p.noise = 9.0f;
    p.invertIntensity = 0;
    p.invert = 1;
    p.solidInk = 1;
    p.notBreak = 1;
    p.useCircles = 1;
    p.colorSchema = 1;
    p.pattern = 11;
    p.fillAlpha = 0;
}

// Runs once from the menu with SetUnusualValues and returns the recorded action's items.
std::vector<DescriptorItem> RecordUnusualRun(EmulatedHost& host) {
    EXPECT_EQ(host.RunFilter(), 0);
    SetUnusualValues(ParamsOf(host));
    EXPECT_EQ(host.RunFilter(), 0);
    return host.Descriptors().Decode(host.RecordedAction());
}

}  // namespace

TEST(ScriptParameters, FinishRecordsAllTwentyOneKeysInOrderWithTheirTypes) {
    auto host = MakeHost();
    host->Descriptor().recordInfo = 2;
    const std::vector<DescriptorItem> items = RecordUnusualRun(*host);
    ParamsOf(*host).invert = 0x100;  // wide booleans travel as their lowest byte
    ParamsOf(*host).notBreak = 0x101;
    ASSERT_EQ(host->RunFilter(), 0);
    const std::vector<DescriptorItem> wide = host->Descriptors().Decode(host->RecordedAction());
    ASSERT_EQ(wide.size(), 21u);
    EXPECT_EQ(wide[13].number, 0.0);
    EXPECT_EQ(wide[15].number, 1.0);
    const host::DescriptorKeyID order[] = {
        FourCC("Angl"), FourCC("Ofst"), FourCC("Spac"), FourCC("Wdth"), FourCC("Lvls"), FourCC("BRel"), FourCC("Ampl"),
        FourCC("Frqn"), FourCC("Shif"), FourCC("Usil"), FourCC("CntX"), FourCC("CntY"), FourCC("InvI"), FourCC("Invr"),
        FourCC("AntA"), FourCC("NoBr"), FourCC("UsBg"), FourCC("ClSt"), FourCC("Geom"), FourCC("FllA"), FourCC("Nois")};
    ASSERT_EQ(items.size(), 21u);
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].key, order[i]) << i;
        const bool isReal = i < 12 || i == 20;
        const bool isInteger = i == 17 || i == 18;
        EXPECT_EQ(items[i].type, isReal ? host::kTypeUnitFloat : isInteger ? host::kTypeInteger : host::kTypeBoolean);
        EXPECT_EQ(items[i].unit, isReal ? host::kUnitPercent : 0u);
    }
    EXPECT_EQ(items[0].number, -12.5);
    EXPECT_EQ(items[14].number, 1.0);  // solidInk travels in actions, unlike in presets
    EXPECT_EQ(items[18].number, 11.0);
    EXPECT_EQ(items[20].number, 9.0);
    EXPECT_EQ(host->Descriptor().recordInfo, host::kRecordDialogOptional);
    ExpectNothingLeft(*host);
}

TEST(ScriptParameters, AMenuRunShowsTheDialogAndKeepsEveryField) {
    auto host = MakeHost();
    ASSERT_EQ(host->RunFilter(), 0);
    SetUnusualValues(ParamsOf(*host));
    const FilterParameters before = ParamsOf(*host);
    ASSERT_EQ(host->RunFilter(), 0);
    EXPECT_EQ(ParamsOf(*host).showDialog, 1);
    EXPECT_EQ(ParamsOf(*host).rotation, before.rotation);
    EXPECT_EQ(ParamsOf(*host).fillAlpha, 0);
    EXPECT_EQ(ParamsOf(*host).pattern, 11);
}

TEST(ScriptParameters, AReplayAppliesEveryRecordedValueWithOrWithoutTheDialog) {
    auto recorder = MakeHost();
    const std::vector<DescriptorItem> action = RecordUnusualRun(*recorder);
    FilterParameters expected = ParamsOf(*recorder);

    for (int16_t playInfo : {host::kPlayDialogDontDisplay, host::kPlayDialogDisplay}) {
        auto player = MakeHost();
        ASSERT_EQ(player->RunFilter(), 0);  // a fresh session with the defaults
        ParamsOf(*player).autoUpdate = 0;   // never travels, so the replay keeps it
        player->ReplayAction(action, playInfo);
        ASSERT_EQ(player->RunFilter(), 0);
        const FilterParameters& played = ParamsOf(*player);
        EXPECT_EQ(played.showDialog, playInfo == host::kPlayDialogDisplay ? 1 : 0);
        EXPECT_EQ(played.autoUpdate, 0);
        for (float FilterParameters::*field :
             {&FilterParameters::rotation, &FilterParameters::offset, &FilterParameters::space,
              &FilterParameters::width, &FilterParameters::contrast, &FilterParameters::randomness,
              &FilterParameters::amplitude, &FilterParameters::frequency, &FilterParameters::phaseShift,
              &FilterParameters::threshold, &FilterParameters::centerX, &FilterParameters::centerY,
              &FilterParameters::noise}) {
            EXPECT_EQ(played.*field, expected.*field);
        }
        for (int32_t FilterParameters::*field :
             {&FilterParameters::invertIntensity, &FilterParameters::invert, &FilterParameters::solidInk,
              &FilterParameters::notBreak, &FilterParameters::useCircles}) {
            EXPECT_EQ(played.*field, expected.*field);
        }
        EXPECT_EQ(played.colorSchema, expected.colorSchema);
        EXPECT_EQ(played.pattern, expected.pattern);
        EXPECT_EQ(played.fillAlpha, expected.fillAlpha);
        // The replayed copy was disposed by the plug-in; only the newly recorded action lives on.
        EXPECT_EQ(player->Ledger().LiveCount(), 3u);
        ExpectNothingLeft(*player);
    }
}

TEST(ScriptParameters, ADescriptorWithOnlyAnAngleSetsRotationAndClearsFillAlpha) {
    auto host = MakeHost();
    ASSERT_EQ(host->RunFilter(), 0);
    SetUnusualValues(ParamsOf(*host));
    ParamsOf(*host).fillAlpha = 1;
    const std::vector<DescriptorItem> action({UnitFloat("Angl", 77.25)});
    host->ReplayAction(action, host::kPlayDialogDisplay);
    // The host answers -1715 for the listed keys it lacks; that never reaches the run's result.
    ASSERT_EQ(host->RunFilter(), 0);
    EXPECT_EQ(ParamsOf(*host).rotation, 77.25f);
    EXPECT_EQ(ParamsOf(*host).fillAlpha, 0);
    EXPECT_EQ(ParamsOf(*host).space, 44.0f);
    EXPECT_EQ(ParamsOf(*host).invert, 1);
    ExpectNothingLeft(*host);
}

TEST(ScriptParameters, ReadsBooleansAsZeroOrOneAndSkipsUnknownKeys) {
    auto host = MakeHost();
    ASSERT_EQ(host->RunFilter(), 0);
    const std::vector<DescriptorItem> action({DescriptorItem{FourCC("Zzzz"), FourCC("TEXT"), 0, 0.0},
                                              Boolean("Invr", 2), Boolean("FllA", 1), UnitFloat("Spac", 8.0)});
    host->ReplayAction(action, host::kPlayDialogDontDisplay);
    ASSERT_EQ(host->RunFilter(), 0);
    EXPECT_EQ(ParamsOf(*host).invert, 1);
    EXPECT_EQ(ParamsOf(*host).fillAlpha, 1);
    EXPECT_EQ(ParamsOf(*host).space, 8.0f);
}

TEST(ScriptParameters, AValueOfTheWrongTypeIsNotStoredAndItsErrorReachesTheHost) {
    auto host = MakeHost();
    ASSERT_EQ(host->RunFilter(), 0);
    const std::vector<DescriptorItem> action({DescriptorItem{FourCC("Angl"), host::kTypeInteger, 0, 5.0}});
    host->ReplayAction(action, host::kPlayDialogDontDisplay);
    EXPECT_EQ(host->RunFilter(), emulator::kDescriptorParamErr);
    EXPECT_EQ(ParamsOf(*host).rotation, 30.0f);
    ExpectNothingLeft(*host);
}

TEST(ScriptParameters, WithoutUsableProcsNothingIsReadOrRecordedAndTheDialogChoiceStays) {
    auto host = MakeHost();
    ASSERT_EQ(host->RunFilter(), 0);
    ParamsOf(*host).showDialog = 0;
    host->Descriptors().ReadProcs()->getBooleanProc = nullptr;
    const std::vector<DescriptorItem> action({UnitFloat("Angl", 1.0)});
    host->ReplayAction(action, host::kPlayDialogDisplay);
    host::Handle recordedBefore = host->RecordedAction();
    ASSERT_EQ(host->RunFilter(), 0);
    EXPECT_EQ(ParamsOf(*host).showDialog, 0);
    EXPECT_EQ(ParamsOf(*host).rotation, 30.0f);
    EXPECT_EQ(host->RecordedAction(), recordedBefore);
    ExpectNothingLeft(*host);
}

TEST(ScriptParameters, AReplayOnAHostWithoutHandleProcsLeavesTheDescriptorToTheHost) {
    auto host = MakeHost();
    ASSERT_EQ(host->RunFilter(), 0);
    host->Ledger().Procs()->handleProcsVersion = 2;
    const std::vector<DescriptorItem> action({UnitFloat("Angl", 3.0)});
    host->ReplayAction(action, host::kPlayDialogDontDisplay);
    ASSERT_EQ(host->RunFilter(), 0);
    EXPECT_EQ(ParamsOf(*host).rotation, 3.0f);
    EXPECT_TRUE(host->Ledger().Problems().empty());
}
