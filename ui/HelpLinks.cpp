#include "ui/HelpLinks.h"

#include "host/Platform.h"
#include "product/InstallFolders.h"
#include "product/ProductInfo.h"
#include "ui/DialogServices.h"
#include "ui/MessageDialog.h"

#include <atomic>
#include <new>
#include <string>

#include <shellapi.h>

namespace ui {
namespace {

// Claimed by the requester before the worker starts, released by the worker when its shell call
// has returned: two quick requests cannot both start a worker.
std::atomic<bool> gLinkBusy{false};
std::atomic<ShellOpener> gOpener{nullptr};

// Each worker owns its own copy of what it opens; nothing is shared with the next request.
struct LinkRequest {
    HWND owner;
    std::string target;
};

void OpenWithShell(HWND owner, const char* target) {
    ShellExecuteA(owner, "open", target, nullptr, nullptr, SW_SHOW);
}

DWORD WINAPI LinkWorker(void* parameter) noexcept {
    LinkRequest* request = static_cast<LinkRequest*>(parameter);
    const ShellOpener opener = gOpener.load();
    // A failed shell request has nobody to tell: the user sees that no page opened.
    (opener != nullptr ? opener : OpenWithShell)(request->owner, request->target.c_str());
    delete request;
    gLinkBusy.store(false);
    return 0;
}

bool StartLinkWorker(HWND owner, const std::string& target) {
    bool expected = false;
    if (!gLinkBusy.compare_exchange_strong(expected, true)) return false;
    LinkRequest* request = new (std::nothrow) LinkRequest{owner, target};
    HANDLE thread = request != nullptr ? CreateThread(nullptr, 0, LinkWorker, request, 0, nullptr) : nullptr;
    if (thread == nullptr) {
        delete request;
        gLinkBusy.store(false);
        return false;
    }
    CloseHandle(thread);  // nobody waits for the worker
    return true;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

bool OpenAddress(HWND owner, const char* address) {
    if (address == nullptr || *address == '\0') return false;
    try {
        return StartLinkWorker(owner, address);
    } catch (...) {
        return false;  // no memory for the copy: the request is dropped like a busy one
    }
}

void SetShellOpener(ShellOpener opener) noexcept {
    gOpener.store(opener);
}

bool IsLinkBusy() noexcept {
    return gLinkBusy.load();
}

void OpenHelp(HWND owner, int kind) {
    try {
        const std::string module = platform::ModulePath();
        const std::string page = product::HelpFolderFor(module) + product::kHelpPageName;
        if (module.empty() || !FileExists(page)) {
            // The shell would fail in silence; say where the page belongs instead.
            ShowMessage(owner,
                        "Cannot find the help page.\n\nIt belongs in the folder \"MerovaneIIHelp\" beside the "
                        "plug-in file.",
                        kMessageWarning);
            return;
        }
        const auto section = kind == 2 ? product::HelpSection::kInstall : product::HelpSection::kContents;
        StartLinkWorker(owner, product::HelpPageTarget(module, section));
    } catch (...) {
        // No memory for a path: the help simply does not open.
    }
}

}  // namespace ui
