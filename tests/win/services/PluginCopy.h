// A temporary copy of the built plug-in, with its help page, loaded as a host loads it; its calls
// to the shell are redirected through its import table to a recorder, so no browser ever starts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace servicestest {

class PluginCopy {
public:
    using EntryPoint = void (*)(int16_t selector, void* block, intptr_t* data, int16_t* result);

    // Copies the plug-in and its help folder into `folder` and loads the copy.
    explicit PluginCopy(const std::string& folder);
    ~PluginCopy();
    PluginCopy(const PluginCopy&) = delete;
    PluginCopy& operator=(const PluginCopy&) = delete;

    EntryPoint Entry() const { return entry; }
    const std::string& Path() const { return path; }
    const std::string& Error() const { return error; }

private:
    std::string path;
    HMODULE module = nullptr;
    EntryPoint entry = nullptr;
    std::string error;
};

// What the plug-in handed to ShellExecuteA since the last call (waits up to a few seconds for
// `count` calls).
std::vector<std::string> TakeShellCalls(size_t count);

}  // namespace servicestest
