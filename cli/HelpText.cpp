#include "cli/HelpText.h"

#include "cli/SettingChange.h"
#include "cli/SettingTable.h"

#include <cstdio>

#ifndef MV_VERSION
#define MV_VERSION "unknown"
#endif

namespace cli {

namespace {

// `text` followed by blanks up to `width` columns (at least one blank).
std::string Padded(const std::string& text, size_t width) {
    return text + std::string(text.size() < width ? width - text.size() : 1, ' ');
}

std::string DefaultText(const Setting& s) {
    const double value = StoredValue(s, DefaultParameters());
    if (s.kind == SettingKind::kChoice) {
        const int index = static_cast<int>(value);
        return s.byte == &FilterParameters::pattern ? kPatternNames[index] : kSchemaNames[index];
    }
    char text[32];
    std::snprintf(text, sizeof text, "%g", value * (s.kind == SettingKind::kReal ? s.shownPerStored : 1.0));
    return text;
}

}  // namespace

std::string HelpText() {
    std::string text =
        "Usage: engrave INPUT... (-o OUTPUT | -d DIR) [options]\n"
        "       engrave --sheet INPUT -o SHEET.png [options]\n"
        "Engraves PNG and TIFF images with the Merovane II plug-in. The output keeps the input's\n"
        "format, depth and colour model; grey images are engraved as RGB and written back as grey.\n"
        "\n"
        "Files:\n"
        "  -o, --output FILE      the output of a single input\n"
        "  -d, --output-dir DIR   outputs named after the inputs, in DIR\n"
        "  --sheet                a contact sheet of every pattern and colour schema (PNG)\n"
        "  --selection MASK       8-bit grey image of the input's size: 0 unselected .. 255 selected\n"
        "  --preset FILE.kzv      load a preset before the options below apply\n"
        "  --save-preset FILE.kzv write the effective settings as a preset\n"
        "  --compression LEVEL    fast, default, best, or 0 (stored) to 12 (smallest): PNG, and\n"
        "                         deflate-compressed TIFF, trade size for speed [default]\n"
        "  -q, --quiet            no progress bar\n"
        "  --list                 list the patterns and colour schemas\n"
        "  -h, --help, --version\n"
        "\n"
        "Settings (named after the dialog's labels; default in brackets):\n";
    for (const Setting& s : kSettings) {
        if (s.option == nullptr || s.kind == SettingKind::kFlag32 || s.kind == SettingKind::kFlag8) continue;
        text += "  --" + Padded(s.option, 14) + Padded(s.label, 17) + DescribeRange(s, true) + " [" + DefaultText(s) +
                "]\n";
    }
    text +=
        "  --invert / --no-invert           dark areas get wide elements (\"Invert\") [on]\n"
        "  --not-break                      lines never break (\"Not break\") [off]\n"
        "  --use-dots                       dots instead of lines (\"Use dots\") [off]\n"
        "  --solid-ink                      no antialiasing (\"Solid Ink\") [off]\n"
        "  --fill-alpha / --no-fill-alpha   make the result opaque (\"Fill alpha\") [on]\n"
        "  --set KEY=VALUE                  any setting by its action key, in the record's units:\n";
    for (const Setting& s : kSettings)
        text += std::string("      ") + s.key + "  " + Padded(s.label, 16) + DescribeRange(s, false) + "\n";
    text +=
        "\n"
        "Exit status: 0 all engraved; 1 internal fault; 2 bad arguments or preset (nothing done);\n"
        "3 unreadable or unsupported input or mask; 4 the plug-in refused the image; 5 cannot write\n"
        "an output. With several inputs every file is tried and the first failure's status is returned.\n";
    return text;
}

std::string ListText() {
    std::string text = "Patterns (--pattern NAME or INDEX):\n";
    for (size_t i = 0; i < kPatternCount; ++i)
        text += (i < 10 ? "   " : "  ") + std::to_string(i) + "  " + kPatternNames[i] + "\n";
    text += "Colour schemas (--color-schema NAME or INDEX):\n";
    for (size_t i = 0; i < kSchemaCount; ++i) text += "   " + std::to_string(i) + "  " + kSchemaNames[i] + "\n";
    return text;
}

std::string VersionText() {
    return std::string("engrave (Merovane II) ") + MV_VERSION + "\n";
}

}  // namespace cli
