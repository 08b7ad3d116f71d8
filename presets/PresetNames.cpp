#include "presets/PresetNames.h"

#include <cstring>

namespace {

constexpr size_t kExtensionLength = sizeof kPresetExtension - 1;

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithPresetExtension(const std::string& name) {
    if (name.size() < kExtensionLength) return false;
    const size_t start = name.size() - kExtensionLength;
    for (size_t i = 0; i < kExtensionLength; ++i)
        if (AsciiLower(name[start + i]) != kPresetExtension[i]) return false;
    return true;
}

}  // namespace

std::optional<std::string> PresetNameFromFileName(const std::string& fileName) {
    if (!EndsWithPresetExtension(fileName) || fileName.size() == kExtensionLength) return std::nullopt;
    return fileName.substr(0, fileName.size() - kExtensionLength);
}

std::string PresetNameFromTypedName(const std::string& typedName) {
    if (EndsWithPresetExtension(typedName) && typedName.size() > kExtensionLength)
        return typedName.substr(0, typedName.size() - kExtensionLength);
    return typedName;
}

std::string PresetFileName(const std::string& presetName) {
    return presetName + kPresetExtension;
}

std::string PresetFilePath(const std::string& folder, const std::string& presetName) {
    return folder + "\\" + PresetFileName(presetName);
}

std::string PresetNameProblem(const std::string& presetName) {
    if (presetName.find_first_not_of(". ") == std::string::npos) return "A preset needs a name.";
    for (const char c : presetName) {
        if (static_cast<unsigned char>(c) < 32 || std::strchr("\\/:*?\"<>|", c) != nullptr)
            return "A preset name cannot contain any of \\ / : * ? \" < > |.";
    }
    return {};
}

bool SamePresetFileName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}
