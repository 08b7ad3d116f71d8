// cli/PresetSheet.h: the tiles of a contact sheet of presets, one per preset file of a folder.
#pragma once

#include "cli/ContactSheet.h"

#include <string>
#include <vector>

namespace cli {

// One tile per ".kzv" file (any case) in `folder`, in name order, labelled with the name
// without its extension: each preset loaded over `base`, as the dialog loads it over the
// current settings. False with a message when the folder cannot be read, holds no preset, or a
// file in it is no preset.
bool PresetSheetTiles(const std::string& folder, const FilterParameters& base, std::vector<SheetTile>& tiles,
                      std::string& error);

}  // namespace cli
