// host/PlatformWin32.cpp: the platform seam on Windows (pages, message boxes, the module itself).
#include "host/Platform.h"

#include <string>
#include <vector>

#include <windows.h>

namespace platform {
namespace {

// The module holding this code, found from one of its own addresses. It is the plug-in DLL
// inside a host and the executable in a statically linked test, with no DllMain needed in
// either. UNCHANGED_REFCOUNT: asking must not keep the DLL loaded after the host frees it.
HMODULE FindOwnModule() noexcept {
    HMODULE module = nullptr;
    const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (!GetModuleHandleExA(flags, reinterpret_cast<LPCSTR>(&FindOwnModule), &module)) return nullptr;
    return module;
}

// Initialised while the module loads (before the host's first call), never changed afterwards.
const HMODULE gModule = FindOwnModule();

MessageObserver gObserver = nullptr;
void* gObserverContext = nullptr;

UINT IconFlag(MessageIcon icon) noexcept {
    switch (icon) {
        case MessageIcon::kWarning:
            return MB_ICONWARNING;
        case MessageIcon::kError:
            return MB_ICONERROR;
        case MessageIcon::kInformation:
            break;
    }
    return MB_ICONINFORMATION;
}

#if defined(MV_TEST_HOOKS)
int gFailAllocation = 0;
#endif

}  // namespace

#if defined(MV_TEST_HOOKS)
void FailPageAllocation(int nth) noexcept { gFailAllocation = nth; }
#endif

void* AllocatePages(size_t bytes) noexcept {
#if defined(MV_TEST_HOOKS)
    if (gFailAllocation > 0 && --gFailAllocation == 0) return nullptr;
#endif
    if (bytes == 0) return nullptr;
    // Committed pages come zero-filled, which callers rely on.
    return VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void FreePages(void* block) noexcept {
    if (block != nullptr) VirtualFree(block, 0, MEM_RELEASE);
}

void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) noexcept {
    if (gObserver != nullptr) {
        gObserver(gObserverContext, text.c_str(), caption.c_str());
        return;
    }
    // No owner: the driver raises these boxes outside any window of ours.
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | IconFlag(icon));
}

void SetMessageObserver(MessageObserver observer, void* context) noexcept {
    gObserver = observer;
    gObserverContext = context;
}

std::string ModulePath() {
    if (gModule == nullptr) return {};
    // Paths may exceed MAX_PATH; grow until the name fits (the call truncates silently).
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(gModule, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::string(buffer.data(), length);
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

void* ModuleHandle() noexcept {
    return gModule;
}

}  // namespace platform
