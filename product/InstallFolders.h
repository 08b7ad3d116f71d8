// product/InstallFolders.h: where the preset folder and the help page are, from the path of the
// plug-in module. Plain string work on Windows paths, the same on every system.
#pragma once

#include <string>

namespace product {

// The module's folder with its trailing separator ("C:\Plug-ins\" for
// "C:\Plug-ins\merovaneIIx64.8bf"), whatever the module file is called; empty when the path
// holds no separator (an unknown module path).
std::string ModuleFolder(const std::string& modulePath);

// The preset folder beside the module, without a trailing separator; empty when unknown.
std::string PresetFolderFor(const std::string& modulePath);

// The help folder beside the module, with its trailing backslash; empty when unknown.
std::string HelpFolderFor(const std::string& modulePath);

enum class HelpSection {
    kContents,  // the page from its top
    kInstall,   // the section on installing
};

// What the shell is asked to open: the help page's path for the contents, or its file address
// with the section's fragment. Empty when the module path is unknown.
std::string HelpPageTarget(const std::string& modulePath, HelpSection section);

}  // namespace product
