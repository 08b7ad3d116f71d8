#include "cli/PresetSheet.h"

#include "cli/PresetFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace cli {

namespace {

bool HasPresetExtension(const std::string& name) {
    if (name.size() <= 4) return false;
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".kzv";
}

}  // namespace

bool PresetSheetTiles(const std::string& folder, const FilterParameters& base, std::vector<SheetTile>& tiles,
                      std::string& error) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code failure;
    for (fs::directory_iterator it(folder, failure), end; !failure && it != end; it.increment(failure)) {
        const std::string name = it->path().filename().string();
        if (HasPresetExtension(name) && it->is_regular_file()) names.push_back(name);
    }
    if (failure) {
        error = folder + ": " + failure.message();
        return false;
    }
    if (names.empty()) {
        error = folder + ": holds no preset (.kzv) file";
        return false;
    }
    std::sort(names.begin(), names.end());
    tiles.clear();
    for (const std::string& name : names) {
        SheetTile tile{name.substr(0, name.size() - 4), base};
        const std::string path = folder + "/" + name;
        if (!LoadPreset(path, tile.settings, error)) {
            error = path + ": " + error;
            return false;
        }
        tiles.push_back(std::move(tile));
    }
    return true;
}

}  // namespace cli
