#include "host/Platform.h"

#include <sys/mman.h>

#include <cstdio>
#include <cstdint>
#include <cstring>

namespace platform {

namespace {

MessageObserver gObserver = nullptr;
void* gObserverContext = nullptr;

// mmap hands out zero-filled pages; the size sits in a header page-aligned blocks keep.
constexpr size_t kHeader = 64;

#if defined(MV_TEST_HOOKS)
int gFailAllocation = 0;
#endif

// Blocks this large are asked for in large pages (where transparent huge pages are enabled only
// on request): a source copy of tens of megabytes otherwise spends more time faulting its pages
// in than copying.
constexpr size_t kLargePage = size_t{2} << 20;

}  // namespace

#if defined(MV_TEST_HOOKS)
void FailPageAllocation(int nth) noexcept {
    gFailAllocation = nth;
}
#endif

void* AllocatePages(size_t bytes) noexcept {
#if defined(MV_TEST_HOOKS)
    if (gFailAllocation > 0 && --gFailAllocation == 0) return nullptr;
#endif
    if (bytes > SIZE_MAX - kHeader) return nullptr;
    void* block = mmap(nullptr, bytes + kHeader, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) return nullptr;
#if defined(MADV_HUGEPAGE)
    if (bytes >= kLargePage) madvise(block, bytes + kHeader, MADV_HUGEPAGE);
#endif
    *static_cast<size_t*>(block) = bytes + kHeader;
    return static_cast<char*>(block) + kHeader;
}

void FreePages(void* data) noexcept {
    if (data == nullptr) return;
    void* block = static_cast<char*>(data) - kHeader;
    munmap(block, *static_cast<size_t*>(block));
}

void ShowMessage(const std::string& text, const std::string& caption, MessageIcon) noexcept {
    if (gObserver != nullptr) {
        gObserver(gObserverContext, text.c_str(), caption.c_str());
        return;
    }
    std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
}

void SetMessageObserver(MessageObserver observer, void* context) noexcept {
    gObserver = observer;
    gObserverContext = context;
}

std::string ModulePath() {
    return std::string();
}

}  // namespace platform
