#include "ui/PresetFileTypes.h"

#include <windows.h>

namespace ui {
namespace {

bool SetDefaultString(HKEY root, const std::string& keyName, const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, keyName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    // The length without the terminating NUL, as the declaration has always been written.
    const LONG status = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>(value.size()));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

void RegisterType(const char* extension, const char* className, const std::string& icon) {
    if (!SetDefaultString(HKEY_CLASSES_ROOT, extension, className)) return;
    SetDefaultString(HKEY_CLASSES_ROOT, std::string(className) + "\\DefaultIcon", icon);
}

}  // namespace

void RegisterPresetFileTypes(const std::string& modulePath) {
    if (modulePath.empty()) return;
    try {
        const std::string icon = modulePath + ",0";
        RegisterType(".kzu", "AdobeFXMerovanePSD_Saves", icon);
        RegisterType(".kzv", "ZantroveMerovanePSD_Saves", icon);
    } catch (...) {
        // No memory for a key name: the types stay as they were, which only affects icons.
    }
}

}  // namespace ui
