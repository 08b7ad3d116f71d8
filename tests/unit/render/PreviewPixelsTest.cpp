// The dialog views' pixel rules on tiny buffers: sample reduction, transparency over the
// checkerboard or black, the selection shown only in the navigator, sizes and centring.
#include "render/PreviewOrigin.h"
#include "render/PreviewPixels.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using render::PixelSource;
using render::ViewPlacement;

namespace {

// Blue, green, red of bitmap pixel (k, i) (row i from the top of a bottom-up bitmap).
std::array<int, 3> At(const std::vector<uint8_t>& bgr, const ViewPlacement& p, int k, int i) {
    const size_t at = (static_cast<size_t>(p.imageHeight - 1 - i) * p.imageWidth + k) * 3;
    return {bgr[at], bgr[at + 1], bgr[at + 2]};
}

template <class Sample>
PixelSource Source(const std::vector<Sample>& samples, int width, int height, int planes) {
    PixelSource s;
    s.data = samples.data();
    s.rowBytes = int64_t{width} * planes * static_cast<int64_t>(sizeof(Sample));
    s.planes = planes;
    s.depth = sizeof(Sample) == 2 ? 16 : 8;
    s.width = width;
    s.height = height;
    return s;
}

}  // namespace

TEST(PreviewPixels, SixteenBitSamplesReduceAsTheHostsFullScaleExpects) {
    EXPECT_EQ(render::Reduce16(32768), 255);
    EXPECT_EQ(render::Reduce16(32767), 255);
    EXPECT_EQ(render::Reduce16(128), 1);
    EXPECT_EQ(render::Reduce16(127), 0);
    EXPECT_EQ(render::Reduce16(65535), 255);  // out of range never wraps to a dark value

    const std::vector<uint16_t> samples = {32768, 32767, 128, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const ViewPlacement p = render::PlaceResult(4, 1, 4, 1);
    std::vector<uint8_t> bgr(render::BitmapBytes(p));
    render::FillResultPixels(Source(samples, 4, 1, 3), p, 0, 0, false, bgr.data());
    EXPECT_EQ(At(bgr, p, 0, 0), (std::array<int, 3>{1, 255, 255}));
}

TEST(PreviewPixels, TransparencyShowsBlackOrTheCheckerboardByPanAndMixesPartialOpacity) {
    const int w = 52, h = 30;
    std::vector<uint8_t> samples(static_cast<size_t>(w) * h * 4, 0);       // fully transparent
    samples[0] = 200, samples[1] = 100, samples[2] = 0, samples[3] = 128;  // half opaque at (0, 0)
    const PixelSource source = Source(samples, w, h, 4);
    const ViewPlacement p = render::PlaceResult(w, h, w, h);
    std::vector<uint8_t> bgr(render::BitmapBytes(p));

    render::FillResultPixels(source, p, 0, 0, /*checker=*/false, bgr.data());
    EXPECT_EQ(At(bgr, p, 30, 0), (std::array<int, 3>{0, 0, 0}));
    // c x a / 255 + (1 - a / 255) x b with b = 0
    EXPECT_EQ(At(bgr, p, 0, 0), (std::array<int, 3>{0, 50, 100}));

    render::FillResultPixels(source, p, 0, 0, /*checker=*/true, bgr.data());
    EXPECT_EQ(At(bgr, p, 24, 24), (std::array<int, 3>{140, 140, 140}));  // top-left square is grey
    EXPECT_EQ(At(bgr, p, 25, 24), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(At(bgr, p, 25, 25), (std::array<int, 3>{140, 140, 140}));
    EXPECT_EQ(At(bgr, p, 0, 0), (std::array<int, 3>{69, 119, 170}));  // over grey 140

    // A pan shifts the squares with the picture.
    render::FillResultPixels(source, p, 5, 0, /*checker=*/true, bgr.data());
    EXPECT_EQ(At(bgr, p, 20, 1), (std::array<int, 3>{0, 0, 0}));
}

TEST(PreviewPixels, SelectionIsInvertedInTheNavigatorOnly) {
    const int w = 8, h = 4;
    std::vector<uint8_t> samples(static_cast<size_t>(w) * h * 3, 10);
    std::vector<uint8_t> mask(static_cast<size_t>(w) * h, 0);
    mask[1] = 255;  // (1, 0) selected
    const PixelSource source = Source(samples, w, h, 3);

    const ViewPlacement nav = render::PlaceNavigator(100, 100, w, h);
    std::vector<uint8_t> bgr(render::BitmapBytes(nav));
    render::FillNavigatorPixels(source, mask.data(), w, nav, false, bgr.data());
    EXPECT_EQ(At(bgr, nav, 1, 0), (std::array<int, 3>{245, 245, 245}));
    EXPECT_EQ(At(bgr, nav, 0, 0), (std::array<int, 3>{10, 10, 10}));

    // The main preview has no mask argument at all: it shows what the render made.
    const ViewPlacement main = render::PlaceResult(100, 100, w, h);
    std::vector<uint8_t> mainBgr(render::BitmapBytes(main));
    render::FillResultPixels(source, main, 0, 0, false, mainBgr.data());
    EXPECT_EQ(At(mainBgr, main, 1, 0), (std::array<int, 3>{10, 10, 10}));
}

TEST(PreviewPixels, ImagesSmallerThanTheViewsKeepTheirSizeRoundedToFourAndAreCentred) {
    const ViewPlacement nav = render::PlaceNavigator(308, 256, 31, 20);
    EXPECT_EQ(nav.imageWidth, 28);
    EXPECT_EQ(nav.imageHeight, 20);
    EXPECT_EQ(nav.scale, 1.0f);
    EXPECT_EQ(nav.pictureX, (308 - 28) / 2);
    EXPECT_EQ(nav.pictureY, (256 - 20) / 2);

    const ViewPlacement main = render::PlaceResult(308, 256, 31, 20);
    EXPECT_EQ(main.imageWidth, 28);
    EXPECT_EQ(main.imageHeight, 20);
    EXPECT_EQ(main.pictureX, (308 - 31) / 2);  // centred by the rendered area
    EXPECT_EQ(main.pictureY, (256 - 20) / 2);

    const ViewPlacement big = render::PlaceNavigator(308, 256, 6000, 4000);
    EXPECT_EQ(big.imageWidth % 4, 0);
    EXPECT_LE(big.imageWidth, 308);
    EXPECT_LE(big.imageHeight, 256);
    EXPECT_EQ(render::BitmapBytes(render::PlaceNavigator(0, 256, 10, 10)), 0u);
}

TEST(PreviewPixels, NavigatorPicksNearestSourcePixels) {
    const int w = 400, h = 4;
    std::vector<uint8_t> samples(static_cast<size_t>(w) * h * 3);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) samples[(static_cast<size_t>(y) * w + x) * 3] = static_cast<uint8_t>(x / 2);
    const ViewPlacement nav = render::PlaceNavigator(200, 200, w, h);
    ASSERT_EQ(nav.imageWidth, 200);
    std::vector<uint8_t> bgr(render::BitmapBytes(nav));
    render::FillNavigatorPixels(Source(samples, w, h, 3), nullptr, 0, nav, false, bgr.data());
    for (int k = 0; k < nav.imageWidth; ++k) EXPECT_EQ(At(bgr, nav, k, 0)[2], k) << k;
}

TEST(PreviewOrigin, FarEdgesArePulledBackOnePixelMoreAndFrameAndOriginRoundTrip) {
    EXPECT_EQ(render::ClampPreviewOrigin(5000, 1000, 300), 699);
    EXPECT_EQ(render::ClampPreviewOrigin(700, 1000, 300), 699);
    EXPECT_EQ(render::ClampPreviewOrigin(699, 1000, 300), 699);
    EXPECT_EQ(render::ClampPreviewOrigin(-3, 1000, 300), 0);
    EXPECT_EQ(render::ClampPreviewOrigin(10, 200, 300), 0);  // a part wider than the image

    EXPECT_EQ(render::FrameFromOrigin(500, 200, 1000), 100);
    EXPECT_EQ(render::OriginFromFrame(100, 200, 1000), 500);
    EXPECT_EQ(render::FrameFromOrigin(3, 200, 1000), 1);  // 0.6 rounds up
    EXPECT_EQ(render::FrameFromOrigin(5, 0, 1000), 0);
    EXPECT_EQ(render::OriginFromFrame(5, 0, 1000), 0);
    for (int frame = 0; frame < 200; ++frame)
        EXPECT_EQ(render::FrameFromOrigin(render::OriginFromFrame(frame, 200, 6011), 200, 6011), frame);
}
