#include "params/SettingTable.h"
#include "params/SettingValues.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using params::Setting;

TEST(SettingTable, EachLookupFindsTheRowItNames) {
    for (const Setting& s : params::kSettings) {
        SCOPED_TRACE(s.field);
        if (s.key != nullptr) {
            EXPECT_EQ(params::FindByKey(s.key), &s);
            EXPECT_EQ(params::FindByCode(params::FourCharCode(s.key)), &s);
        }
        if (s.option != nullptr) {
            EXPECT_EQ(params::FindByOption(s.option), &s);
            EXPECT_EQ(params::OptionRow(s.optionPlace), &s);
        }
        if (s.controlId != 0) {
            EXPECT_EQ(params::FindByControl(s.controlId), &s);
        }
        if (s.presetLine != 0) {
            EXPECT_EQ(params::PresetRow(s.presetLine), &s);
        }
        if (s.complementKey != nullptr) {
            EXPECT_NE(params::FindByKey(s.complementKey), nullptr);
        }
    }
    // Nothing answers for "no key", "no control", or a line or place past the last.
    EXPECT_EQ(params::FindByCode(0), nullptr);
    EXPECT_EQ(params::FindByControl(0), nullptr);
    EXPECT_EQ(params::PresetRow(0), nullptr);
    EXPECT_EQ(params::PresetRow(static_cast<int>(params::kPresetLineCount) + 1), nullptr);
    EXPECT_EQ(params::OptionRow(static_cast<int>(params::kOptionCount) + 1), nullptr);
    EXPECT_EQ(params::FindByKey("spac"), nullptr);
}

TEST(SettingTable, ThePhaseShowsWholeDegreesAndStoresAsTheDialogDoes) {
    const Setting& phase = *params::FindByKey("Shif");
    EXPECT_EQ(params::Shown(phase, phase.minStored), -180.0);
    EXPECT_EQ(params::Shown(phase, phase.maxStored), 180.0);
    // The dialog multiplies the spin's degrees by 5.5555553 in single precision.
    EXPECT_EQ(params::StoredFromShown(phase, 45.0), 45.0f * 5.5555553f);
    const Setting& space = *params::FindByKey("Spac");
    EXPECT_EQ(params::Shown(space, 20.125), 20.125);
    EXPECT_EQ(params::StoredFromShown(space, 20.125), 20.125f);
}

TEST(SettingTable, StoreKeepsFlagsZeroOrOneAndChoicesTheirIndex) {
    FilterParameters p = DefaultParameters();
    params::Store(*params::FindByKey("AntA"), 5, p);
    params::Store(*params::FindByKey("FllA"), 0, p);
    params::Store(*params::FindByKey("Geom"), 12, p);
    EXPECT_EQ(p.solidInk, 1);
    EXPECT_EQ(p.fillAlpha, 0);
    EXPECT_EQ(p.pattern, 12);
    p.notBreak = 0x100;  // only a record from elsewhere holds such a value
    EXPECT_EQ(params::StoredValue(*params::FindByKey("NoBr"), p), 1.0);
}

}  // namespace
