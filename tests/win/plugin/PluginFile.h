// tests/win/plugin/PluginFile.h: where the built plug-in is, and its resources as a host sees
// them (the DLL mapped as a data file, resources looked up through the Win32 loader).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A path of the build machine in Windows form: Wine reaches the root through its Z: drive.
std::string WindowsPath(const std::string& buildMachinePath);

// The plug-in's path in Windows form: the built one, or the file MV_PLUGIN_FILE names (a path
// of the build machine), so that the same checks run on a packaged or installed copy.
std::string PluginPath();

// The whole file; empty when it cannot be read.
std::vector<uint8_t> ReadPluginFile();

// The plug-in mapped as a resource-only module for the life of the object.
class PluginResources {
public:
    explicit PluginResources(const std::string& path = PluginPath());
    ~PluginResources();
    PluginResources(const PluginResources&) = delete;
    PluginResources& operator=(const PluginResources&) = delete;

    bool IsOpen() const { return module != nullptr; }
    // Language ids under which (type, id) exists, in the order the loader enumerates them.
    std::vector<uint16_t> Languages(const char* type, uint16_t id) const;
    // The bytes of (type, id, language); empty when missing.
    std::vector<uint8_t> Bytes(const char* type, uint16_t id, uint16_t language) const;

private:
    void* module = nullptr;
};

constexpr uint16_t kEnglishUnitedStates = 1033;

// The plug-in loaded as a host loads it, with the entry point the PiPL names, for the life of the
// object. `Entry()` is null (and `Error()` says why) when any step failed.
class LoadedPlugin {
public:
    using EntryPoint = void (*)(int16_t selector, void* block, intptr_t* data, int16_t* result);

    explicit LoadedPlugin(const std::string& path = PluginPath());
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    EntryPoint Entry() const { return entry; }
    const std::string& Error() const { return error; }

private:
    void* module = nullptr;
    EntryPoint entry = nullptr;
    std::string error;
};
