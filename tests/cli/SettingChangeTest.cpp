#include "cli/SettingChange.h"
#include "params/SettingValues.h"

#include <gtest/gtest.h>

namespace {

using cli::SettingChange;

const params::Setting* FindSettingByKey(const char* key) {
    return params::FindByKey(key);
}
const params::Setting* FindSettingByOption(const char* option) {
    return params::FindByOption(option);
}

bool Option(const char* option, const std::string& text, SettingChange& change, std::string& error) {
    return cli::ParseOptionValue(*FindSettingByOption(option), text, change, error);
}

TEST(ParseOptionValue, AcceptsTheDialogRangeEndsAndRefusesJustBeyondThem) {
    SettingChange change;
    std::string error;
    EXPECT_TRUE(Option("space", "5", change, error));
    EXPECT_TRUE(Option("space", "100", change, error));
    EXPECT_FALSE(Option("space", "4.99", change, error));
    EXPECT_NE(error.find("5 to 100"), std::string::npos) << error;
    EXPECT_NE(error.find("Space"), std::string::npos) << error;
    EXPECT_FALSE(Option("noise", "100.01", change, error));
    EXPECT_NE(error.find("0 to 100"), std::string::npos) << error;
}

TEST(ParseOptionValue, RefusesTextThatIsNotAWholeFiniteNumber) {
    SettingChange change;
    std::string error;
    for (const char* text : {"", "abc", "12x", " 12", "nan", "inf", "-inf", "1e999"})
        EXPECT_FALSE(Option("width", text, change, error)) << text;
}

TEST(ParseOptionValue, TakesThePhaseInDegreesAndStoresItAsTheDialogDoes) {
    SettingChange change;
    std::string error;
    ASSERT_TRUE(Option("phase", "180", change, error)) << error;
    EXPECT_EQ(change.setting->real, &FilterParameters::phaseShift);
    EXPECT_EQ(change.storedValue, 180.0f * 5.5555553f);
    ASSERT_TRUE(Option("phase", "-90", change, error));
    EXPECT_EQ(change.storedValue, -90.0f * 5.5555553f);
    EXPECT_FALSE(Option("phase", "180.5", change, error));
    EXPECT_NE(error.find("-180 to 180 degrees"), std::string::npos) << error;
}

TEST(ParseOptionValue, FollowsTheDialogLabelsWhereTheyDifferFromTheFieldNames) {
    SettingChange change;
    std::string error;
    ASSERT_TRUE(Option("threshold", "900", change, error));  // "Threshold" edits the contrast field
    EXPECT_EQ(change.setting->real, &FilterParameters::contrast);
    EXPECT_FALSE(Option("contrast", "900", change, error));  // "Contrast" edits threshold: -300..300
    EXPECT_NE(error.find("-300 to 300"), std::string::npos) << error;
}

TEST(ParseOptionValue, NamesPatternsAndSchemasByNameOrIndex) {
    SettingChange change;
    std::string error;
    ASSERT_TRUE(Option("pattern", "Rings waves 3", change, error));
    EXPECT_EQ(change.storedValue, 6.0f);
    ASSERT_TRUE(Option("pattern", "spiral-waves-4", change, error));
    EXPECT_EQ(change.storedValue, 12.0f);
    ASSERT_TRUE(Option("pattern", "0", change, error));
    EXPECT_EQ(change.storedValue, 0.0f);
    EXPECT_FALSE(Option("pattern", "13", change, error));
    EXPECT_NE(error.find("0 to 12"), std::string::npos) << error;
    EXPECT_FALSE(Option("pattern", "Waves 3", change, error));
    ASSERT_TRUE(Option("color-schema", "split color", change, error));
    EXPECT_EQ(change.storedValue, 1.0f);
}

TEST(ParseOptionValue, LetsTheRotationTurnBeyondOneTurn) {
    SettingChange change;
    std::string error;
    ASSERT_TRUE(Option("rotation", "-725.5", change, error));
    EXPECT_EQ(change.storedValue, -725.5f);
}

TEST(ParseKeyAssignment, TakesValuesInTheRecordUnitsActionsCarry) {
    SettingChange change;
    std::string error;
    ASSERT_TRUE(cli::ParseKeyAssignment("Shif=1000", change, error)) << error;
    EXPECT_EQ(change.storedValue, 1000.0f);
    EXPECT_FALSE(cli::ParseKeyAssignment("Shif=1000.5", change, error));
    EXPECT_NE(error.find("-1000 to 1000"), std::string::npos) << error;
    ASSERT_TRUE(cli::ParseKeyAssignment("Invr=1", change, error));
    EXPECT_EQ(change.setting, FindSettingByKey("Invr"));
    EXPECT_FALSE(cli::ParseKeyAssignment("Invr=2", change, error));
}

TEST(ParseKeyAssignment, RefusesUnknownKeysAndMissingValues) {
    SettingChange change;
    std::string error;
    EXPECT_FALSE(cli::ParseKeyAssignment("Spac", change, error));
    EXPECT_FALSE(cli::ParseKeyAssignment("spac=20", change, error));  // keys are case-sensitive codes
    EXPECT_FALSE(cli::ParseKeyAssignment("Spac=", change, error));
}

TEST(SettingTable, CoversEveryKeyAnActionRecordsExactlyOnce) {
    const char* keys[] = {"Angl", "Ofst", "Spac", "Wdth", "Lvls", "BRel", "Ampl", "Frqn", "Shif", "Usil", "CntX",
                          "CntY", "InvI", "Invr", "AntA", "NoBr", "UsBg", "ClSt", "Geom", "FllA", "Nois"};
    for (const char* key : keys) EXPECT_NE(FindSettingByKey(key), nullptr) << key;
    FilterParameters params = DefaultParameters();
    for (const params::Setting& s : params::kSettings)
        if (s.key != nullptr) params::Store(s, 1, params);
    // Every field a key reaches was written: no two keys share one.
    EXPECT_EQ(params.rotation + params.offset + params.space + params.width + params.contrast + params.randomness +
                  params.amplitude + params.frequency + params.phaseShift + params.threshold + params.centerX +
                  params.centerY + params.noise,
              13.0f);
    EXPECT_EQ(params.invertIntensity + params.invert + params.solidInk + params.notBreak + params.useCircles +
                  params.colorSchema + params.pattern + params.fillAlpha,
              8);
}

}  // namespace
