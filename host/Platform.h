// host/Platform.h: the few operating-system services the portable layers need. One Win32 and
// one POSIX implementation; nothing else in host/, render/ or presets/ touches the system.
#pragma once

#include <cstddef>
#include <string>

#if defined(_WIN32)
#define MV_EXPORT extern "C" __declspec(dllexport)
#else
#define MV_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace platform {

// Committed, zero-filled read/write pages; nullptr when the system has none to give.
void* AllocatePages(size_t bytes) noexcept;
void FreePages(void* block) noexcept;

#if defined(MV_TEST_HOOKS)
// Fault injection, compiled into test builds only: the nth page allocation from now on fails
// (1 = the next; 0 = none).
void FailPageAllocation(int nth) noexcept;
#endif

enum class MessageIcon { kWarning, kInformation, kError };

// A modal message box owned by nobody (Windows), or the observer below. Returns when dismissed.
void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) noexcept;

// Lets a host or a test see the plug-in's messages instead of a box popping up: while an
// observer is set, ShowMessage calls it and shows nothing. Pass nullptr to restore the default.
using MessageObserver = void (*)(void* context, const char* text, const char* caption);
void SetMessageObserver(MessageObserver observer, void* context) noexcept;

// Full path of the plug-in module itself (empty when unknown); presets and help live beside it.
std::string ModulePath();

// The module (DLL or executable) this code was linked into, recorded when it was loaded: dialogs,
// bitmaps and other resources come from it. An HINSTANCE on Windows; nullptr elsewhere.
void* ModuleHandle() noexcept;

}  // namespace platform
