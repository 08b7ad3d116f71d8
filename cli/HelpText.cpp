#include "cli/HelpText.h"

#include "cli/MemoryBudget.h"
#include "cli/SettingChange.h"
#include "cli/VectorOptions.h"
#include "params/SettingTable.h"

#include <cstdio>

#ifndef MV_VERSION
#define MV_VERSION "unknown"
#endif

namespace cli {

namespace {

using params::FieldKind;
using params::kSettings;

// `text` followed by blanks up to `width` columns (at least one blank).
std::string Padded(const std::string& text, size_t width) {
    return text + std::string(text.size() < width ? width - text.size() : 1, ' ');
}

bool IsFlag(const Setting& s) {
    return s.kind == FieldKind::kFlag32 || s.kind == FieldKind::kFlag8;
}

std::string DefaultText(const Setting& s) {
    if (s.kind == FieldKind::kChoice) return s.choices[static_cast<int>(s.defaultValue)];
    char text[32];
    std::snprintf(text, sizeof text, "%g", s.defaultValue * (s.kind == FieldKind::kReal ? s.shownPerStored : 1.0));
    return text;
}

// "  --invert / --no-invert           dark areas get wide elements ("Invert") [on]"
std::string FlagLine(const Setting& s) {
    const bool on = s.defaultValue != 0;
    const std::string spelling = std::string("--") + s.option + (on ? std::string(" / --no-") + s.option : "");
    return "  " + Padded(spelling, 33) + s.optionHelp + " (\"" + s.label + "\") [" + (on ? "on" : "off") + "]\n";
}

}  // namespace

std::string HelpText() {
    std::string text =
        "Usage: engrave INPUT... (-o OUTPUT | -d DIR) [options]\n"
        "       engrave --sheet INPUT -o SHEET.png [options]\n"
        "       engrave --sheet-presets FOLDER INPUT -o SHEET.png [options]\n"
        "Engraves PNG and TIFF images with the Merovane II plug-in. The output keeps the input's\n"
        "format, depth and colour model; grey images are engraved as RGB and written back as grey\n"
        "unless the engraving has colour.\n"
        "\n"
        "Files:\n"
        "  -o, --output FILE      the output of a single input\n"
        "  -d, --output-dir DIR   outputs named after the inputs, in DIR\n"
        "  --sheet                a contact sheet of every pattern and colour schema (PNG)\n"
        "  --sheet-presets FOLDER a contact sheet of every preset (.kzv) in FOLDER (PNG)\n"
        "  --selection MASK       8-bit grey image of the input's size: 0 unselected .. 255 selected\n"
        "  --preset FILE.kzv      load a preset before the options below apply\n"
        "  --save-preset FILE.kzv write the effective settings as a preset\n"
        "  --compression LEVEL    fast, default, best, or 0 (stored) to 12 (smallest): PNG, and\n"
        "                         deflate-compressed TIFF, trade size for speed [default]\n"
        "  --max-memory MB        memory one engraving may take [" +
        std::to_string(kDefaultMemoryBudgetMb) + "]; larger images are refused\n"
        "  -q, --quiet            no progress bar\n"
        "  --list                 list the patterns and colour schemas\n"
        "  -h, --help, --version\n"
        "\n"
        "Settings (named after the dialog's labels; default in brackets):\n";
    // Options that take a value first, then the flags, each group in the option order.
    for (int place = 1; place <= static_cast<int>(params::kOptionCount); ++place) {
        const Setting& s = *params::OptionRow(place);
        if (IsFlag(s)) continue;
        text += "  --" + Padded(s.option, 14) + Padded(s.label, 17) + DescribeRange(s, true) + " [" + DefaultText(s) +
                "]\n";
    }
    for (int place = 1; place <= static_cast<int>(params::kOptionCount); ++place) {
        const Setting& s = *params::OptionRow(place);
        if (IsFlag(s)) text += FlagLine(s);
    }
    text += "  --set KEY=VALUE                  any setting by its action key, in the record's units:\n";
    for (const Setting& s : kSettings) {
        if (s.key == nullptr) continue;
        text += std::string("      ") + s.key + "  " + Padded(s.label, 16) + DescribeRange(s, false) + "\n";
    }
    text += VectorHelpText();
    text +=
        "\n"
        "Exit status: 0 all engraved; 1 internal fault; 2 bad arguments or preset (nothing done);\n"
        "3 unreadable or unsupported input or mask; 4 the plug-in refused the image; 5 cannot write\n"
        "an output. With several inputs every file is tried and the first failure's status is returned.\n";
    return text;
}

std::string ListText() {
    std::string text = "Patterns (--pattern NAME or INDEX):\n";
    for (size_t i = 0; i < params::kPatternCount; ++i)
        text += (i < 10 ? "   " : "  ") + std::to_string(i) + "  " + params::kPatternNames[i] + "\n";
    text += "Colour schemas (--color-schema NAME or INDEX):\n";
    for (size_t i = 0; i < params::kSchemaCount; ++i)
        text += "   " + std::to_string(i) + "  " + params::kSchemaNames[i] + "\n";
    return text;
}

std::string VersionText() {
    return std::string("engrave (Merovane II) ") + MV_VERSION + "\n";
}

}  // namespace cli
