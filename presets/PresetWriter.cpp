#include "presets/PresetWriter.h"

#include "params/SettingTable.h"
#include "presets/PresetFormat.h"
#include "presets/PresetNumbers.h"

#include <cstdint>

namespace {

std::string FormatValue(const params::Setting& key, const FilterParameters& params) {
    switch (key.kind) {
        case params::FieldKind::kReal:
            return FormatFixed6(static_cast<double>(params.*key.real));
        case params::FieldKind::kFlag32:
            // Only the lowest byte travels, as older versions wrote it.
            return FormatDecimal(static_cast<uint8_t>(static_cast<uint32_t>(params.*key.flag32) & 0xFFu));
        case params::FieldKind::kFlag8:
        case params::FieldKind::kChoice:
            return FormatDecimal(params.*key.byte);
    }
    return "0";
}

void AppendKeyText(std::string& text, uint32_t code) {
    // Little-endian bytes of the code whatever the machine's order: the file reads "lgnA".
    for (int shift = 0; shift < 32; shift += 8) text.push_back(static_cast<char>((code >> shift) & 0xFFu));
}

}  // namespace

std::string FormatPresetText(const FilterParameters& params) {
    std::string text = kPresetHeaderLine;
    for (int line = 1; line <= static_cast<int>(params::kPresetLineCount); ++line) {
        const params::Setting& key = *params::PresetRow(line);
        AppendKeyText(text, params::FourCharCode(key.key));
        text += ' ';
        text += FormatValue(key, params);
        text += " \t\t\t\t";
        text += key.presetComment;
        text += " \n";
    }
    return text;
}

bool PresetWriter(std::ostream& out, const FilterParameters& params) {
    const std::string text = FormatPresetText(params);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    return !out.fail();
}
