// The renderer keeps its own limits so that it stays safe for any record; they must be the
// dialog's ranges of the setting table widened by each range's length on both sides.
#include "params/SettingTable.h"
#include "render/RenderEngraving.h"
#include "render/SettingLimits.h"

#include <gtest/gtest.h>

namespace {

using render::EngravingOptions;
using render::kSettingLimits;

struct Limited {
    float FilterParameters::*field;
    render::Range range;
    float EngravingOptions::*renderDefault;
};

const Limited kLimited[] = {
    {&FilterParameters::rotation, kSettingLimits.rotation, &EngravingOptions::rotation},
    {&FilterParameters::space, kSettingLimits.space, &EngravingOptions::space},
    {&FilterParameters::offset, kSettingLimits.offset, &EngravingOptions::offset},
    {&FilterParameters::width, kSettingLimits.width, &EngravingOptions::width},
    {&FilterParameters::contrast, kSettingLimits.contrast, &EngravingOptions::contrast},
    {&FilterParameters::randomness, kSettingLimits.randomness, &EngravingOptions::randomness},
    {&FilterParameters::amplitude, kSettingLimits.amplitude, &EngravingOptions::amplitude},
    {&FilterParameters::frequency, kSettingLimits.frequency, &EngravingOptions::frequency},
    {&FilterParameters::phaseShift, kSettingLimits.phaseShift, &EngravingOptions::phaseShift},
    {&FilterParameters::threshold, kSettingLimits.threshold, &EngravingOptions::threshold},
    {&FilterParameters::centerX, kSettingLimits.centerX, &EngravingOptions::centerX},
    {&FilterParameters::centerY, kSettingLimits.centerY, &EngravingOptions::centerY},
    {&FilterParameters::noise, kSettingLimits.noise, &EngravingOptions::noise},
};

TEST(RenderLimits, AreTheDialogRangesWidenedByTheirLengthOnEachSide) {
    const EngravingOptions renderDefaults;
    for (const params::Setting& s : params::kSettings) {
        if (s.kind != params::FieldKind::kReal) continue;
        SCOPED_TRACE(s.field);
        const Limited* limited = nullptr;
        for (const Limited& l : kLimited)
            if (l.field == s.real) limited = &l;
        ASSERT_NE(limited, nullptr) << "the renderer has no limit for this setting";
        // A NaN falls back to the renderer's default, which must be the record's.
        EXPECT_EQ(renderDefaults.*limited->renderDefault, static_cast<float>(s.defaultValue));
        if (!s.limited) {
            // A freely turning angle: limited only far beyond any turn a user makes.
            EXPECT_LE(limited->range.low, -1.0e5f);
            EXPECT_GE(limited->range.high, 1.0e5f);
            continue;
        }
        const double length = s.maxStored - s.minStored;
        EXPECT_EQ(limited->range.low, static_cast<float>(s.minStored - length));
        EXPECT_EQ(limited->range.high, static_cast<float>(s.maxStored + length));
    }
}

TEST(RenderLimits, PatternsAndSchemasEndWhereTheDialogListsEnd) {
    const EngravingOptions renderDefaults;
    EXPECT_EQ(kSettingLimits.lastPattern, static_cast<int>(params::kPatternCount) - 1);
    EXPECT_EQ(kSettingLimits.lastSchema, static_cast<int>(params::kSchemaCount) - 1);
    EXPECT_EQ(renderDefaults.pattern, params::FindByKey("Geom")->defaultValue);
    EXPECT_EQ(renderDefaults.colorSchema, params::FindByKey("ClSt")->defaultValue);
}

}  // namespace
