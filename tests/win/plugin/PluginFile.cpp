#include "tests/win/plugin/PluginFile.h"

#include "tests/win/plugin/PiplReader.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include <windows.h>

std::string WindowsPath(const std::string& buildMachinePath) {
    std::string path = "Z:" + buildMachinePath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string PluginPath() {
    const char* chosen = std::getenv("MV_PLUGIN_FILE");
    return WindowsPath(chosen != nullptr && chosen[0] == '/' ? chosen : MV_PLUGIN_PATH);
}

std::vector<uint8_t> ReadPluginFile() {
    std::ifstream in(PluginPath(), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

PluginResources::PluginResources(const std::string& path) {
    // What a host does while it scans its plug-in folder: map without running any of our code.
    module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

PluginResources::~PluginResources() {
    if (module != nullptr) FreeLibrary(static_cast<HMODULE>(module));
}

namespace {

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR context) {
    reinterpret_cast<std::vector<uint16_t>*>(context)->push_back(language);
    return TRUE;
}

}  // namespace

std::vector<uint16_t> PluginResources::Languages(const char* type, uint16_t id) const {
    std::vector<uint16_t> languages;
    if (module != nullptr)
        EnumResourceLanguagesA(static_cast<HMODULE>(module), type, MAKEINTRESOURCEA(id), CollectLanguage,
                               reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

std::vector<uint8_t> PluginResources::Bytes(const char* type, uint16_t id, uint16_t language) const {
    if (module == nullptr) return {};
    const HMODULE m = static_cast<HMODULE>(module);
    HRSRC info = FindResourceExA(m, type, MAKEINTRESOURCEA(id), language);
    if (info == nullptr) return {};
    HGLOBAL loaded = LoadResource(m, info);
    const auto* data = static_cast<const uint8_t*>(LockResource(loaded));
    const DWORD size = SizeofResource(m, info);
    if (data == nullptr) return {};
    return std::vector<uint8_t>(data, data + size);
}

LoadedPlugin::LoadedPlugin(const std::string& path) {
    Pipl pipl;
    if (!ParsePipl(PluginResources(path).Bytes("PiPL", 16000, kEnglishUnitedStates), pipl, error)) {
        error = "PiPL: " + error;
        return;
    }
    module = LoadLibraryA(path.c_str());
    if (module == nullptr) {
        error = "LoadLibrary failed for " + path + " with " + std::to_string(GetLastError());
        return;
    }
    const std::string name = EntryPointName(pipl);
    FARPROC proc = GetProcAddress(static_cast<HMODULE>(module), name.c_str());
    if (proc == nullptr) {
        error = "no export named '" + name + "'";
        return;
    }
    entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(proc));
}

LoadedPlugin::~LoadedPlugin() {
    if (module != nullptr) FreeLibrary(static_cast<HMODULE>(module));
}
