// The real .8bf's main dialog, opened by a test host through PluginMain under every emulator
// host profile and driven with window messages: values, lists and boxes reach the parameter
// record, OK renders with them, Cancel gives the host back its record, the enabling rules hold,
// the two panes move together, and a host that refuses the image still gets a usable dialog.
#include "DialogDriver.h"
#include "WinTestSupport.h"
#include "controls/PreviewContaner.h"
#include "emulator/EmulatedHost.h"
#include "emulator/HostProfiles.h"
#include "params/FilterParameters.h"
#include "render/PreviewOrigin.h"
#include "tests/support/TestImages.h"
#include "tests/win/plugin/PluginFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

using dialogtest::Item;
using dialogtest::Script;
using emulator::EmulatedHost;
using emulator::HostImage;
using emulator::HostOptions;

namespace {

constexpr int kSpace = 1112, kWidth = 1033, kOffset = 1113, kPhase = 1118, kCenterX = 1123, kCenterY = 1125;
constexpr int kAmplitude = 1122, kFrequency = 1116, kNoise = 1128;
constexpr int kPattern = 1063, kSchema = 1062, kFillAlpha = 1075, kChecker = 1076, kAutoUpdate = 1124;
constexpr int kMainPane = 1102, kNavigator = 1031, kUpdate = 1110;

class MainDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { plugin = std::make_unique<LoadedPlugin>(); }
    static void TearDownTestSuite() { plugin.reset(); }
    void SetUp() override { ASSERT_NE(plugin->Entry(), nullptr) << plugin->Error(); }
    void TearDown() override { dialogtest::EndScript(); }

    static std::unique_ptr<EmulatedHost> MakeHost(const HostOptions& options, const HostImage& image) {
        auto host = std::make_unique<EmulatedHost>(plugin->Entry(), options);
        host->SetImage(image);
        return host;
    }
    static FilterParameters& Params(EmulatedHost& host) {
        return *static_cast<FilterParameters*>(host.ParametersData());
    }
    static std::unique_ptr<LoadedPlugin> plugin;
};
std::unique_ptr<LoadedPlugin> MainDialog::plugin;

// The pane object behind a window of the plug-in: its fields, read through the window's pointer
// (the plug-in's copy of the class, laid out as ours).
const controls::PreviewContainer& Pane(HWND dialog, int id) {
    return *reinterpret_cast<const controls::PreviewContainer*>(GetWindowLongPtrA(Item(dialog, id), GWLP_USERDATA));
}

HostImage Picture(int planes = 3, int16_t mode = host::kModeRGB, int width = 700, int height = 500) {
    return testing_support::MakePicture(width, height, planes, 8, mode);
}

bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(Item(dialog, id)) != FALSE;
}

}  // namespace

TEST_F(MainDialog, EveryControlReachesTheRecordAndOkRendersWithItUnderEveryHost) {
    std::vector<uint8_t> firstImage;
    for (const emulator::HostProfile& profile : emulator::StandardProfiles()) {
        SCOPED_TRACE(profile.name);
        auto host = MakeHost(profile.options, Picture());
        bool stayedOpenAfterEnter = false;
        float rotationAfterTurn = 0, offsetAfterSlider = -1, widthBefore = 0;
        FilterParameters p{};
        Script({
            [&](HWND d) {
                widthBefore = Params(*host).width;
                dialogtest::TypeAndEnter(d, kSpace, "33");
            },
            [&](HWND d) { stayedOpenAfterEnter = dialogtest::MainDialog() == d; },
            [&](HWND d) { dialogtest::ClickArrow(d, kWidth, true); },
            [&](HWND d) { dialogtest::ClickSlider(d, kOffset, 0.5); },
            [&](HWND) { offsetAfterSlider = Params(*host).offset; },
            [&](HWND d) { dialogtest::TurnRotorQuarter(d); },
            [&](HWND) { rotationAfterTurn = Params(*host).rotation; },
            [&](HWND d) { dialogtest::Pick(d, kPattern, 11); },
            [&](HWND d) { dialogtest::Pick(d, kSchema, 1); },
            [&](HWND d) { dialogtest::TypeAndEnter(d, kPhase, "90"); },
            [&](HWND d) { dialogtest::TypeAndEnter(d, kCenterX, "-40"); },
            [&](HWND d) { dialogtest::TypeAndEnter(d, kNoise, "0"); },
            [&](HWND d) {
                for (int box : {1046, 1064, 1043, 1104}) dialogtest::Press(d, box);
            },
            [&](HWND d) {
                p = Params(*host);  // a host that keeps nothing forgets the record after the run
                SetFocus(Item(d, 1046));
                dialogtest::Key(d, VK_RETURN);  // Enter outside a number box is OK
            },
        });
        ASSERT_EQ(host->RunFilter(), 0);
        EXPECT_TRUE(stayedOpenAfterEnter);
        EXPECT_TRUE(wintest::ModalScriptFinished());
        EXPECT_EQ(p.space, 33.0f);
        EXPECT_GT(p.width, widthBefore);
        EXPECT_NEAR(offsetAfterSlider, 500.0f, 60.0f);
        EXPECT_NE(rotationAfterTurn, 30.0f);
        EXPECT_EQ(p.pattern, 11);
        EXPECT_EQ(p.colorSchema, 1);
        EXPECT_NEAR(p.phaseShift, 500.0f, 0.01f);  // 90 degrees in 0.18-degree units
        EXPECT_EQ(p.centerX, -40.0f);
        EXPECT_EQ(p.notBreak, 1);
        EXPECT_EQ(p.useCircles, 1);
        EXPECT_EQ(p.invertIntensity, 0);
        EXPECT_EQ(p.invert, 1);
        EXPECT_EQ(p.solidInk, 1);
        EXPECT_EQ(host->Ledger().LockedCount(), 0);
        EXPECT_TRUE(host->Ledger().Problems().empty());

        // The same settings without the dialog give the same picture, whichever host asked.
        if (firstImage.empty()) {
            HostOptions quiet;
            quiet.playInfo = host::kPlayDialogDontDisplay;
            auto reference = MakeHost(quiet, Picture());
            ASSERT_EQ(reference->RunFilter(), 0);  // makes the parameter handle; the document is engraved
            reference->SetImage(Picture());
            Params(*reference) = p;
            Params(*reference).showDialog = 0;
            ASSERT_EQ(reference->RunFilter(), 0);
            firstImage = reference->Image().samples;
        }
        EXPECT_TRUE(firstImage == host->Image().samples);
    }
}

TEST_F(MainDialog, CancelGivesEveryHostItsRecordBackByteForByteWithNothingLeftLocked) {
    for (const emulator::HostProfile& profile : emulator::StandardProfiles()) {
        SCOPED_TRACE(profile.name);
        auto host = MakeHost(profile.options, Picture());
        // A first run makes the record as the host keeps it between runs.
        Script({[](HWND d) { dialogtest::Press(d, IDOK); }});
        ASSERT_EQ(host->RunFilter(), 0);
        host->SetImage(Picture());
        std::vector<uint8_t> kept;
        if (const auto* bytes = static_cast<const uint8_t*>(host->ParametersData()))
            kept.assign(bytes, bytes + sizeof(FilterParameters));

        std::string spaceTextAfterEscape;
        Script({
            [&](HWND d) { dialogtest::Pick(d, kPattern, 3); },
            [&](HWND d) { dialogtest::TypeAndEnter(d, kSpace, "60"); },
            [&](HWND d) { dialogtest::Drag(Item(d, kMainPane), -30, -20); },
            [&](HWND d) {
                // Escape while typing puts the box's text back and keeps the dialog open.
                HWND edit = dialogtest::SpinEditBox(d, kSpace);
                SetFocus(edit);
                SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("77"));
                dialogtest::Key(d, VK_ESCAPE);
            },
            [&](HWND d) { spaceTextAfterEscape = dialogtest::Text(dialogtest::SpinEditBox(d, kSpace)); },
            [&](HWND d) {
                SetFocus(Item(d, IDCANCEL));
                dialogtest::Key(d, VK_ESCAPE);
            },
        });
        const auto before = host->Image().samples;
        EXPECT_EQ(host->RunFilter(), host::kUserCanceledErr);
        EXPECT_TRUE(wintest::ModalScriptFinished());
        EXPECT_EQ(spaceTextAfterEscape, "60.00");
        EXPECT_EQ(host->Image().samples, before);
        EXPECT_EQ(host->Ledger().LockedCount(), 0);
        EXPECT_TRUE(host->Ledger().Problems().empty());
        if (!profile.options.keepsNothing) {  // a host that keeps nothing has nothing to give back
            ASSERT_NE(host->ParametersData(), nullptr);
            EXPECT_EQ(std::memcmp(host->ParametersData(), kept.data(), kept.size()), 0);
        }
    }
}

TEST_F(MainDialog, PatternsEnableTheirCentreAndWaveControls) {
    auto host = MakeHost(HostOptions{}, Picture(3, host::kModeRGB, 200, 150));
    std::vector<std::pair<bool, bool>> seen;  // (centre, waves) per pattern
    std::vector<std::function<void(HWND)>> steps;
    for (int pattern = 0; pattern < 13; ++pattern) {
        steps.push_back([pattern](HWND d) { dialogtest::Pick(d, kPattern, pattern); });
        steps.push_back([&](HWND d) {
            const bool centre = Enabled(d, kCenterX);
            EXPECT_EQ(centre, Enabled(d, kCenterY));
            EXPECT_EQ(centre, Enabled(d, 1065));
            const bool waves = Enabled(d, kAmplitude);
            EXPECT_EQ(waves, Enabled(d, kFrequency));
            EXPECT_EQ(waves, Enabled(d, kPhase));
            EXPECT_EQ(waves, Enabled(d, 1067));
            seen.emplace_back(centre, waves);
        });
    }
    steps.push_back([](HWND d) { dialogtest::Press(d, IDCANCEL); });
    Script(steps);
    EXPECT_EQ(host->RunFilter(), host::kUserCanceledErr);
    ASSERT_EQ(seen.size(), 13u);
    for (int pattern = 0; pattern < 13; ++pattern) {
        EXPECT_EQ(seen[pattern].first, pattern >= 3) << pattern;
        EXPECT_EQ(seen[pattern].second, pattern != 0 && pattern != 3 && pattern != 8) << pattern;
    }
}

TEST_F(MainDialog, FillAlphaAndTheCheckerboardFollowTheDocumentsTransparency) {
    struct Case {
        int planes;
        int16_t mode;
        bool alpha;
    };
    for (const Case c : {Case{3, host::kModeRGB, false}, Case{4, host::kModeRGB, true}, Case{4, host::kModeCMYK, false},
                         Case{5, host::kModeCMYK, true}}) {
        SCOPED_TRACE(::testing::Message() << "planes " << c.planes << " mode " << c.mode);
        auto host = MakeHost(HostOptions{}, Picture(c.planes, c.mode, 160, 120));
        bool fillAlpha = false, checkerWithFill = false, checkerWithoutFill = false;
        Script({
            [&](HWND d) {
                fillAlpha = Enabled(d, kFillAlpha);
                checkerWithFill = Enabled(d, kChecker);  // "Fill alpha" is on by default
            },
            [&](HWND d) { dialogtest::Press(d, kFillAlpha); },
            [&](HWND d) { checkerWithoutFill = Enabled(d, kChecker); },
            [&](HWND d) { dialogtest::Press(d, IDCANCEL); },
        });
        EXPECT_EQ(host->RunFilter(), host::kUserCanceledErr);
        EXPECT_EQ(fillAlpha, c.alpha);
        EXPECT_FALSE(checkerWithFill);
        EXPECT_EQ(checkerWithoutFill, c.alpha);
    }
}

TEST_F(MainDialog, DraggingEitherPaneMovesTheOtherAndAutoUpdateDecidesWhenThePreviewRedraws) {
    auto host = MakeHost(HostOptions{}, Picture(3, host::kModeRGB, 1200, 900));
    int32_t startX = 0, afterMainDragX = 0, frameBefore = 0, frameAfterMainDrag = 0;
    int32_t afterNavigatorDragX = 0, frameAfterNavigatorDrag = 0, navigatorWidth = 0;
    wintest::Pixels beforeChange, afterChangeOff, afterUpdate, afterChangeOn;
    Script({
        [&](HWND d) {
            startX = Params(*host).previewX;
            frameBefore = Pane(d, kNavigator).frameX;
            dialogtest::Drag(Item(d, kMainPane), -100, 0);  // the picture moves left: the origin right
        },
        [&](HWND d) {
            afterMainDragX = Params(*host).previewX;
            frameAfterMainDrag = Pane(d, kNavigator).frameX;
            navigatorWidth = Pane(d, kNavigator).imageWidth;
            dialogtest::Drag(Item(d, kNavigator), 10, 0);
        },
        [&](HWND d) {
            afterNavigatorDragX = Params(*host).previewX;
            frameAfterNavigatorDrag = Pane(d, kNavigator).frameX;
            if (Params(*host).autoUpdate != 0) dialogtest::Press(d, kAutoUpdate);
        },
        [&](HWND d) {
            beforeChange = wintest::Capture(Item(d, kMainPane));
            dialogtest::Pick(d, kPattern, 0);
        },
        [&](HWND d) {
            afterChangeOff = wintest::Capture(Item(d, kMainPane));
            dialogtest::Press(d, kUpdate);
        },
        [&](HWND d) {
            afterUpdate = wintest::Capture(Item(d, kMainPane));
            dialogtest::Press(d, kAutoUpdate);
        },
        [&](HWND d) { dialogtest::Pick(d, kPattern, 3); },
        [&](HWND d) {
            afterChangeOn = wintest::Capture(Item(d, kMainPane));
            dialogtest::Press(d, IDOK);
        },
    });
    ASSERT_EQ(host->RunFilter(), 0);
    EXPECT_EQ(afterMainDragX, startX + 100);
    EXPECT_GT(frameAfterMainDrag, frameBefore);
    // The navigator is 1200 / 308-ish times smaller: 100 image pixels are a few navigator pixels.
    EXPECT_EQ(frameAfterMainDrag, render::FrameFromOrigin(afterMainDragX, navigatorWidth, 1200));
    EXPECT_EQ(afterNavigatorDragX, render::OriginFromFrame(frameAfterNavigatorDrag, navigatorWidth, 1200));
    EXPECT_EQ(frameAfterNavigatorDrag, frameAfterMainDrag + 10);
    EXPECT_GT(afterNavigatorDragX, afterMainDragX);
    EXPECT_TRUE(beforeChange.data == afterChangeOff.data) << "auto update off: nothing recomputed";
    EXPECT_FALSE(afterChangeOff.data == afterUpdate.data) << "Update recomputes";
    EXPECT_FALSE(afterUpdate.data == afterChangeOn.data) << "auto update on: every change recomputes";
}

TEST_F(MainDialog, AHostThatRefusesTheImageStillGetsAUsableDialog) {
    auto host = MakeHost(HostOptions{}, Picture(3, host::kModeRGB, 200, 150));
    host->refuseImageRequests = 2;
    bool previews = true;
    Script({
        [&](HWND) { previews = Params(*host).previewEnabled != 0; },
        [&](HWND d) { dialogtest::TypeAndEnter(d, kSpace, "41"); },
        [&](HWND d) { dialogtest::Press(d, kUpdate); },
        [&](HWND d) { dialogtest::Press(d, IDOK); },
    });
    const auto before = host->Image().samples;
    ASSERT_EQ(host->RunFilter(), 0);
    EXPECT_FALSE(previews);
    EXPECT_EQ(Params(*host).space, 41.0f);
    EXPECT_NE(host->Image().samples, before);
    EXPECT_EQ(host->Ledger().LockedCount(), 0);
}

namespace {

// A colourful scene for the screenshots: sky, sun, hills; with four planes the sky fades out.
HostImage Scene(int planes) {
    const int width = 900, height = 640;
    HostImage image = HostImage::Blank(width, height, planes, 8, host::kModeRGB);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const float fy = static_cast<float>(y) / height, fx = static_cast<float>(x) / width;
            float r = 90 + 120 * fy, g = 140 + 80 * fy, b = 230 - 60 * fy, a = 255;
            const float hill = 0.62f + 0.08f * std::sin(fx * 9.0f) + 0.05f * std::sin(fx * 23.0f + 1.0f);
            const float dx = static_cast<float>(x - 620), dy = static_cast<float>(y - 180);
            if (dx * dx + dy * dy < 95.0f * 95.0f) {
                r = 250, g = 200, b = 60;
            } else if (fy > hill) {
                r = 60 + 80 * fx, g = 130 - 40 * fy, b = 50;
            } else if (planes > 3) {
                a = 255 * fy / hill;  // the sky fades out towards the top
            }
            const float values[4] = {r, g, b, a};
            for (int c = 0; c < planes; ++c) image.SetSample(x, y, c, static_cast<uint32_t>(values[c]));
        }
    return image;
}

// Screenshots saved under $MV_SCREENSHOT_DIR (or the working folder); the panes must have painted.
void SaveDialog(HWND d, const std::string& name) {
    const wintest::Pixels pane = wintest::Capture(Item(d, kMainPane));
    bool varied = false;
    for (uint32_t p : pane.data) varied = varied || p != pane.data.front();
    EXPECT_TRUE(varied) << name << ": the preview shows nothing";
    wintest::SaveScreenshot(wintest::Capture(d), name);
}

}  // namespace

TEST_F(MainDialog, ScreenshotsOfTheDialogInFourStates) {
    auto host = MakeHost(HostOptions{}, Scene(3));
    Script({
        [&](HWND d) { SaveDialog(d, "main-dialog-default.png"); },
        [&](HWND d) {
            dialogtest::Pick(d, kPattern, 3);
            dialogtest::TypeAndEnter(d, kCenterX, "300");
        },
        [&](HWND d) { dialogtest::TypeAndEnter(d, kCenterY, "-200"); },
        [&](HWND d) { SaveDialog(d, "main-dialog-rings-centre.png"); },
        [&](HWND d) {
            dialogtest::Pick(d, kPattern, 8);
            dialogtest::Pick(d, kSchema, 1);
        },
        [&](HWND d) { SaveDialog(d, "main-dialog-spiral-split.png"); },
        [&](HWND d) { dialogtest::Press(d, IDCANCEL); },
    });
    EXPECT_EQ(host->RunFilter(), host::kUserCanceledErr);

    auto transparent = MakeHost(HostOptions{}, Scene(4));
    wintest::Pixels navigatorBlack;
    Script({
        [&](HWND d) {
            if (IsDlgButtonChecked(d, kFillAlpha) == BST_CHECKED) dialogtest::Press(d, kFillAlpha);
        },
        [&](HWND d) {
            if (IsDlgButtonChecked(d, kChecker) == BST_CHECKED) dialogtest::Press(d, kChecker);
        },
        [&](HWND d) {
            navigatorBlack = wintest::Capture(Item(d, kNavigator));
            dialogtest::Press(d, kChecker);
        },
        [&](HWND d) {
            // Both panes show transparency over the squares once the toggle is on.
            EXPECT_FALSE(wintest::Capture(Item(d, kNavigator)).data == navigatorBlack.data);
        },
        [&](HWND d) {
            EXPECT_TRUE(Enabled(d, kChecker));
            SaveDialog(d, "main-dialog-transparent-checkerboard.png");
        },
        [&](HWND d) { dialogtest::Press(d, IDCANCEL); },
    });
    EXPECT_EQ(transparent->RunFilter(), host::kUserCanceledErr);
}
