// Every row of the setting table through each way a setting travels: engrave's option and its
// --set, a preset file, and a recorded action replayed by the plug-in. A value written through one
// path must read back through the others.
#include "cli/CommandLine.h"
#include "emulator/EmulatedHost.h"
#include "host/PluginMain.h"
#include "params/SettingTable.h"
#include "params/SettingValues.h"
#include "presets/PresetReader.h"
#include "presets/PresetWriter.h"
#include "tests/support/TestImages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

using params::FieldKind;
using params::Setting;

std::string Number(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

// A value unlike the default, inside the dialog's range, and the option's arguments that give it.
struct Probe {
    double stored;
    std::vector<std::string> args;
};

Probe ProbeFor(const Setting& s) {
    const std::string key = s.key;
    switch (s.kind) {
        case FieldKind::kFlag32:
        case FieldKind::kFlag8: {
            const double value = s.defaultValue != 0 ? 0 : 1;
            if (s.option == nullptr) return {value, {"--set", key + "=" + Number(value)}};
            return {value, {std::string(value != 0 ? "--" : "--no-") + s.option}};
        }
        case FieldKind::kChoice: {
            const size_t index = static_cast<size_t>(s.defaultValue) + 1 < s.choiceCount ? s.choiceCount - 1 : 0;
            return {static_cast<double>(index), {std::string("--") + s.option, s.choices[index]}};
        }
        case FieldKind::kReal:
            break;
    }
    // A quarter of the way into the shown range, on a quarter step, so the text is exact.
    const double low = s.limited ? params::Shown(s, s.minStored) : -360.0;
    const double high = s.limited ? params::Shown(s, s.maxStored) : 360.0;
    const double shown = low + static_cast<int>((high - low) + 1.0) / 4 + 0.25;
    const double stored = params::StoredFromShown(s, shown);
    if (s.option == nullptr) return {stored, {"--set", key + "=" + Number(stored)}};
    return {stored, {std::string("--") + s.option, Number(shown)}};
}

FilterParameters FromCommandLine(std::vector<std::string> args) {
    args.insert(args.end(), {"--save-preset", "unused.kzv"});
    cli::CommandLine line;
    std::string error;
    EXPECT_TRUE(cli::ParseCommandLine(args, line, error)) << error;
    FilterParameters params = DefaultParameters();
    cli::ApplyChanges(line.changes, params);
    return params;
}

FilterParameters ThroughPreset(const FilterParameters& written) {
    std::stringbuf file(FormatPresetText(written));
    FilterParameters read = DefaultParameters();
    EXPECT_TRUE(PresetReader(file, read));
    return read;
}

// Runs the plug-in once with `record` as its settings and returns the action its finish recorded.
std::vector<emulator::DescriptorItem> RecordedBy(const FilterParameters& record) {
    emulator::EmulatedHost host(PluginMain);
    host.SetImage(testing_support::MakePicture(6, 4, 3, 8, host::kModeRGB));
    EXPECT_EQ(host.RunFilter(), 0);  // the first run makes the host's record
    *static_cast<FilterParameters*>(host.ParametersData()) = record;
    EXPECT_EQ(host.RunFilter(), 0);
    return host.Descriptors().Decode(host.RecordedAction());
}

FilterParameters Replayed(const std::vector<emulator::DescriptorItem>& action) {
    emulator::EmulatedHost host(PluginMain);
    host.SetImage(testing_support::MakePicture(6, 4, 3, 8, host::kModeRGB));
    host.ReplayAction(action, host::kPlayDialogDontDisplay);
    EXPECT_EQ(host.RunFilter(), 0);
    return *static_cast<FilterParameters*>(host.ParametersData());
}

// Every other carried setting kept its default (a complement moves with its row).
void ExpectOthersUntouched(const Setting& changed, const FilterParameters& params, const char* path) {
    for (const Setting& other : params::kSettings) {
        if (&other == &changed || other.key == nullptr) continue;
        if (changed.complementKey != nullptr && other.key == std::string(changed.complementKey)) continue;
        EXPECT_EQ(params::StoredValue(other, params), other.defaultValue)
            << changed.key << " moved " << other.key << " through " << path;
    }
}

TEST(SettingPaths, EveryKeyedRowTravelsThroughOptionsPresetsAndActions) {
    for (const Setting& s : params::kSettings) {
        if (s.key == nullptr) continue;
        SCOPED_TRACE(s.key);
        const Probe probe = ProbeFor(s);
        ASSERT_NE(probe.stored, s.defaultValue);

        const FilterParameters typed = FromCommandLine(probe.args);
        EXPECT_EQ(params::StoredValue(s, typed), probe.stored);
        ExpectOthersUntouched(s, typed, "the command line");

        // The preset carries the value when the row has a line, and leaves the default otherwise.
        const FilterParameters preset = ThroughPreset(typed);
        EXPECT_EQ(params::StoredValue(s, preset), s.presetLine != 0 ? probe.stored : s.defaultValue);

        const std::vector<emulator::DescriptorItem> action = RecordedBy(typed);
        const FilterParameters replayed = Replayed(action);
        EXPECT_EQ(params::StoredValue(s, replayed), probe.stored);
        ExpectOthersUntouched(s, replayed, "an action");
        EXPECT_EQ(params::StoredValue(s, ThroughPreset(replayed)), params::StoredValue(s, preset));

        // What the action recorded, given back to --set in the record's units, stores the same.
        for (const emulator::DescriptorItem& item : action) {
            if (item.key != params::FourCharCode(s.key)) continue;
            const FilterParameters set = FromCommandLine({"--set", std::string(s.key) + "=" + Number(item.number)});
            EXPECT_EQ(params::StoredValue(s, set), probe.stored);
        }
    }
}

// The rows nothing but the dialog carries are reset like every other and reach no other path.
TEST(SettingPaths, DialogOnlyRowsHaveDefaultsAndNoOtherPath) {
    const FilterParameters defaults = DefaultParameters();
    for (const Setting& s : params::kSettings) {
        EXPECT_EQ(params::StoredValue(s, defaults), s.defaultValue) << s.field;
        if (s.key != nullptr) continue;
        EXPECT_NE(s.controlId, 0) << s.field;
        EXPECT_EQ(s.presetLine, 0) << s.field;
        EXPECT_EQ(s.option, nullptr) << s.field;
    }
}

}  // namespace
