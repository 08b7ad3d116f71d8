#include "product/InstallFolders.h"

#include "product/ProductInfo.h"
#include "product/UrlEncoding.h"

namespace product {

std::string ModuleFolder(const std::string& modulePath) {
    // The folder is found by its last separator rather than by cutting the length of the
    // expected file name: a renamed module file would otherwise cut into the folder's name.
    const size_t separator = modulePath.find_last_of("\\/");
    if (separator == std::string::npos) return {};
    return modulePath.substr(0, separator + 1);
}

std::string PresetFolderFor(const std::string& modulePath) {
    const std::string folder = ModuleFolder(modulePath);
    return folder.empty() ? folder : folder + kPresetFolderName;
}

std::string HelpFolderFor(const std::string& modulePath) {
    const std::string folder = ModuleFolder(modulePath);
    return folder.empty() ? folder : folder + kHelpFolderName + "\\";
}

std::string HelpPageTarget(const std::string& modulePath, HelpSection section) {
    const std::string folder = HelpFolderFor(modulePath);
    if (folder.empty()) return folder;
    const std::string page = folder + kHelpPageName;
    if (section == HelpSection::kContents) return page;
    return FileUrlFromPath(page) + "#" + kHelpInstallAnchor;
}

}  // namespace product
