// The Win32 side of the platform seam, linked into a test executable and run under Wine.
#include "host/Platform.h"
#include "tests/win/parity/MessageBoxCatcher.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

namespace {

struct Observed {
    std::vector<std::pair<std::string, std::string>> messages;  // (caption, text)
    static void Catch(void* self, const char* text, const char* caption) {
        static_cast<Observed*>(self)->messages.emplace_back(caption, text);
    }
};

}  // namespace

TEST(PlatformPages, ComeZeroFilledAndWritable) {
    constexpr size_t kBytes = 3 * 4096 + 17;  // not a whole number of pages
    auto* block = static_cast<uint8_t*>(platform::AllocatePages(kBytes));
    ASSERT_NE(block, nullptr);
    bool allZero = true;
    for (size_t i = 0; i < kBytes; ++i) allZero = allZero && block[i] == 0;
    EXPECT_TRUE(allZero);
    block[0] = 1;
    block[kBytes - 1] = 2;
    EXPECT_EQ(block[kBytes - 1], 2);
    platform::FreePages(block);
}

TEST(PlatformPages, NothingIsAskedForNothingAndFreeingNullIsHarmless) {
    EXPECT_EQ(platform::AllocatePages(0), nullptr);
    platform::FreePages(nullptr);
}

TEST(PlatformPages, AnImpossibleSizeGivesNullInsteadOfFailingLater) {
    EXPECT_EQ(platform::AllocatePages(SIZE_MAX - 4095), nullptr);
}

TEST(PlatformModule, IsTheModuleHoldingTheCode) {
    // Linked into an executable, the code's module is the executable itself; in the plug-in
    // it is the DLL, found the same way.
    EXPECT_EQ(platform::ModuleHandle(), static_cast<void*>(GetModuleHandleA(nullptr)));
    char expected[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, expected, MAX_PATH);
    EXPECT_EQ(platform::ModulePath(), std::string(expected));
}

TEST(PlatformMessages, GoToTheObserverAndShowNoBox) {
    MessageBoxCatcher boxes;
    ASSERT_TRUE(boxes.IsActive());
    Observed observed;
    platform::SetMessageObserver(&Observed::Catch, &observed);
    platform::ShowMessage("Cannot Save File!", "Merovane", platform::MessageIcon::kWarning);
    platform::SetMessageObserver(nullptr, nullptr);
    ASSERT_EQ(observed.messages.size(), 1u);
    EXPECT_EQ(observed.messages[0].first, "Merovane");
    EXPECT_EQ(observed.messages[0].second, "Cannot Save File!");
    EXPECT_TRUE(boxes.Drain().empty());
}

TEST(PlatformMessages, WithoutObserverRaiseARealBoxWithTheirTextAndCaption) {
    MessageBoxCatcher boxes;
    ASSERT_TRUE(boxes.IsActive());
    platform::ShowMessage("There are less than 3 layers", "WARNING", platform::MessageIcon::kWarning);
    platform::ShowMessage("This Mode is Not Supported by the Plug-in", "", platform::MessageIcon::kWarning);
    const std::vector<std::string> expected = {"WARNING: There are less than 3 layers",
                                               ": This Mode is Not Supported by the Plug-in"};
    EXPECT_EQ(boxes.Drain(), expected);
}
