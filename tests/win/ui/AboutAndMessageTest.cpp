#include "SeamRecorders.h"
#include "UiTestSupport.h"
#include "WinTestSupport.h"

#include "controls/ButtonSkinGeometry.h"
#include "product/ProductInfo.h"
#include "resources/ServiceDialogIds.h"
#include "ui/DialogServices.h"
#include "ui/HelpLinks.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace uitest;
using namespace wintest;

namespace {

void CloseIfStillOpen(const char* title) {
    if (HWND d = FindDialogTitled(title)) EndDialog(d, IDCANCEL);
}

// A modal dialog is shown once its loop first goes idle; a step that captures it must come
// after this one.
std::function<void()> ShowNow(const char* title) {
    return [title] {
        HWND d = FindDialogTitled(title);
        ASSERT_NE(d, nullptr) << title;
        ShowWindow(d, SW_SHOW);
        UpdateWindow(d);
    };
}

RECT RectIn(HWND dialog, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Pixels of a static's rectangle whose red clearly outweighs blue: the red-brown error text.
int ReddishPixelsIn(const Pixels& pixels, const RECT& r) {
    int count = 0;
    for (int y = r.top; y < r.bottom && y < pixels.height; ++y)
        for (int x = r.left; x < r.right && x < pixels.width; ++x) {
            const uint32_t p = pixels.At(x, y);
            if (Red(p) - Blue(p) > 50) ++count;
        }
    return count;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST(AboutBox, ShowsVersionCreditsAndPicturesAndOpensTheMakersPages) {
    ShellRecorder shell;
    std::string version, author, helpText, web, title;
    bool hasPicture = false, hasTitle = false, picturesLeftOfTexts = false;
    std::vector<std::string> calls;
    const size_t ran = RunModal(
        {ShowNow("About MerovaneII"),
         [&] {
             HWND d = FindDialogTitled("About MerovaneII");
             ASSERT_NE(d, nullptr);
             version = ItemText(d, IDC_ABOUT_VERSION);
             author = ItemText(d, IDC_ABOUT_AUTHOR);
             helpText = ItemText(d, IDC_ABOUT_HELP_TEXT);
             web = ItemText(d, IDC_ABOUT_WEB);
             hasPicture = SendDlgItemMessageA(d, IDC_ABOUT_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
             hasTitle = SendDlgItemMessageA(d, IDC_ABOUT_TITLE, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
             picturesLeftOfTexts = RectIn(d, IDC_ABOUT_PICTURE).right <= RectIn(d, IDC_ABOUT_VERSION).left;
             SaveScreenshot(Capture(d), "about-box.png");
             for (int id : {IDC_ABOUT_UPDATES, IDC_ABOUT_TUTORIAL, IDC_ABOUT_WEB}) {
                 SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
                 calls = shell.WaitForCalls(calls.size() + 1);
             }
             SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_CLOSE, BN_CLICKED), 0);
         }},
        [] { CloseIfStillOpen("About MerovaneII"); }, [] { ui::ShowAboutBox(TestHostWindow()); });
    EXPECT_EQ(ran, 2u);
    EXPECT_EQ(version, "2.22 (64 Bit)");
    EXPECT_FALSE(author.empty());
    EXPECT_FALSE(helpText.empty());
    EXPECT_EQ(web, product::kWebSiteCaption);
    EXPECT_TRUE(hasPicture);
    EXPECT_TRUE(hasTitle);
    EXPECT_TRUE(picturesLeftOfTexts);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_TRUE(EndsWith(calls[0], "/RegServer/updates/merovane2/getupdates.php?vers=2%2E22")) << calls[0];
    EXPECT_EQ(calls[1], product::kTutorialsAddress);
    EXPECT_EQ(calls[2], product::kHomePageAddress);
}

TEST(AboutBox, WebButtonShowsTheSiteOfItsAddress) {
    // The skinned button paints its caption from the control library's table.
    EXPECT_STREQ(controls::SkinnedButtonCaption(IDC_ABOUT_WEB), product::kWebSiteCaption);
    EXPECT_NE(std::string(product::kHomePageAddress).find(product::kWebSiteCaption), std::string::npos);
}

TEST(MessageDialog, WarningShowsItsIconInDarkGreyAndHelpOpensTheInstallSection) {
    ShellRecorder shell;
    std::string text;
    bool hasIcon = false;
    int reddish = -1;
    std::vector<std::string> calls;
    const size_t ran = RunModal(
        {ShowNow("Merovane"),
         [&] {
             HWND d = FindDialogTitled("Merovane");
             ASSERT_NE(d, nullptr);
             text = ItemText(d, IDC_MESSAGE_TEXT);
             hasIcon = SendDlgItemMessageA(d, IDC_MESSAGE_ICON, STM_GETICON, 0, 0) != 0;
             EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, IDC_MESSAGE_SUPPORT)));
             const Pixels pixels = Capture(d);
             reddish = ReddishPixelsIn(pixels, RectIn(d, IDC_MESSAGE_TEXT));
             SaveScreenshot(pixels, "message-warning.png");
             SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_MESSAGE_HELP, BN_CLICKED), 0);
             calls = shell.WaitForCalls(1);
             HELPINFO help{};
             help.cbSize = sizeof help;
             SendMessageA(d, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));  // F1
             calls = shell.WaitForCalls(2);
             SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
         }},
        [] { CloseIfStillOpen("Merovane"); }, [] { ui::ShowMessage(TestHostWindow(), "Cannot Save File!", 1); });
    EXPECT_EQ(ran, 2u);
    EXPECT_EQ(text, "Cannot Save File!");
    EXPECT_TRUE(hasIcon);
    EXPECT_EQ(reddish, 0);
    ASSERT_EQ(calls.size(), 2u);
    for (const std::string& call : calls) {
        EXPECT_EQ(call.rfind("file:///", 0), 0u) << call;
        EXPECT_TRUE(EndsWith(call, "/MerovaneIIHelp/merovaneIIhelp.htm#install")) << call;
    }
}

TEST(MessageDialog, ErrorTextIsRedBrownAndPlainMessagesHaveNoIcon) {
    int reddish = 0;
    bool errorHasIcon = false, plainHasIcon = true;
    const size_t ran = RunModal(
        {ShowNow("Merovane"),
         [&] {
             HWND d = FindDialogTitled("Merovane");
             ASSERT_NE(d, nullptr);
             errorHasIcon = SendDlgItemMessageA(d, IDC_MESSAGE_ICON, STM_GETICON, 0, 0) != 0;
             const Pixels pixels = Capture(d);
             reddish = ReddishPixelsIn(pixels, RectIn(d, IDC_MESSAGE_TEXT));
             SaveScreenshot(pixels, "message-error.png");
             EndDialog(d, IDOK);
         },
         [&] {
             HWND d = FindDialogTitled("Merovane");
             ASSERT_NE(d, nullptr);
             plainHasIcon = SendDlgItemMessageA(d, IDC_MESSAGE_ICON, STM_GETICON, 0, 0) != 0;
             EndDialog(d, IDOK);
         }},
        [] { CloseIfStillOpen("Merovane"); },
        [] {
            ui::ShowMessage(TestHostWindow(), "Something went wrong.", 2);
            ui::ShowMessage(TestHostWindow(), "Just so you know.", 0);
        });
    EXPECT_EQ(ran, 3u);
    EXPECT_TRUE(errorHasIcon);
    EXPECT_GT(reddish, 0);
    EXPECT_FALSE(plainHasIcon);
}

TEST(HelpLinks, HelpOpensThePageBesideTheModuleWithoutAnAnchor) {
    ShellRecorder shell;
    ui::OpenHelp(TestHostWindow(), 0);
    const std::vector<std::string> calls = shell.WaitForCalls(1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(EndsWith(calls[0], "\\MerovaneIIHelp\\merovaneIIhelp.htm")) << calls[0];
    EXPECT_EQ(calls[0].find('#'), std::string::npos);
    EXPECT_TRUE(FileExists(calls[0]));
    // The page the plug-in opens carries the section the messages point to.
    EXPECT_NE(ReadFileBytes(calls[0]).find("id=\"install\""), std::string::npos);
}

TEST(HelpLinks, TwoQuickRequestsStartOneWorker) {
    ShellRecorder shell(/*holdWorkers=*/true);
    EXPECT_TRUE(ui::OpenAddress(TestHostWindow(), "https://first.example/"));
    // Asked before the first worker has even reached the shell: still refused.
    EXPECT_FALSE(ui::OpenAddress(TestHostWindow(), "https://second.example/"));
    ASSERT_TRUE(shell.WaitUntilInside());
    ui::OpenHelp(TestHostWindow(), 2);
    EXPECT_FALSE(ui::OpenAddress(TestHostWindow(), "https://third.example/"));
    shell.Release();
    const std::vector<std::string> calls = shell.WaitForCalls(1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], "https://first.example/");
    // Once the worker is done, the next request goes through.
    EXPECT_TRUE(ui::OpenAddress(TestHostWindow(), "https://fourth.example/"));
    EXPECT_EQ(shell.WaitForCalls(2).size(), 2u);
}
