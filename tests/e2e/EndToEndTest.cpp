// Whole filter runs through the emulated host on the shipped photograph and on synthetic
// pictures: every pattern and schema, 8 and 16 bits, RGB, RGBA and CMYK, selections.
#include "emulator/BasicSuite.h"
#include "host/PluginMain.h"
#include "imageio/PngFile.h"
#include "tests/e2e/EndToEndCases.h"
#include "tests/support/TestImages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using emulator::HostImage;

namespace {

const char* const kPatternNames[] = {"lines",          "waves-1",        "waves-2",       "rings",  "rings-waves-1",
                                     "rings-waves-2",  "rings-waves-3",  "rings-waves-4", "spiral", "spiral-waves-1",
                                     "spiral-waves-2", "spiral-waves-3", "spiral-waves-4"};
const char* const kSchemaNames[] = {"initial", "split", "bw"};

HostImage LoadAstronaut() {
    imageio::Raster raster;
    std::string error;
    EXPECT_TRUE(imageio::ReadPng(std::string(MV_TEST_DATA_DIR) + "/astronaut.png", raster, error)) << error;
    HostImage image = HostImage::Blank(raster.width, raster.height, 3, 8, host::kModeRGB);
    image.samples = raster.bytes;
    return image;
}

// The same picture at 16 bits, in the host's 0..32768 range.
HostImage To16Bit(const HostImage& image) {
    HostImage wide = HostImage::Blank(image.width, image.height, image.planes, 16, host::kModeRGB48);
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x)
            for (int32_t c = 0; c < image.planes; ++c)
                wide.SetSample(x, y, c, (image.Sample(x, y, c) * 32768u + 127u) / 255u);
    return wide;
}

HostImage WithAlphaRamp(const HostImage& image) {
    HostImage rgba = HostImage::Blank(image.width, image.height, 4, 8, host::kModeRGB);
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x) {
            for (int32_t c = 0; c < 3; ++c) rgba.SetSample(x, y, c, image.Sample(x, y, c));
            rgba.SetSample(x, y, 3, x < image.width / 2 ? 255u : 128u);
        }
    return rgba;
}

HostImage ToCmyk(const HostImage& image) {
    HostImage cmyk = HostImage::Blank(image.width, image.height, 4, 8, host::kModeCMYK);
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x) {
            host::Color8 color = {0, static_cast<uint8_t>(image.Sample(x, y, 0)),
                                  static_cast<uint8_t>(image.Sample(x, y, 1)),
                                  static_cast<uint8_t>(image.Sample(x, y, 2))};
            emulator::ConvertColors8(host::kColorSpaceRGB, host::kColorSpaceCMYK, &color, 1);
            for (int32_t c = 0; c < 4; ++c) cmyk.SetSample(x, y, c, color[c]);
        }
    return cmyk;
}

// Brightness 0..1 of a pixel as a reader sees it (CMYK through the host's conversion).
double Brightness(const HostImage& image, int32_t x, int32_t y) {
    const double full = image.depth == 16 ? 32768.0 : 255.0;
    if (image.mode == host::kModeCMYK || image.mode == host::kModeCMYK64) {
        host::Color16 color = {
            static_cast<uint16_t>(image.Sample(x, y, 0)), static_cast<uint16_t>(image.Sample(x, y, 1)),
            static_cast<uint16_t>(image.Sample(x, y, 2)), static_cast<uint16_t>(image.Sample(x, y, 3))};
        if (image.depth == 16) {
            emulator::ConvertColors16(host::kColorSpaceCMYK, host::kColorSpaceRGB, &color, 1);
        } else {
            host::Color8 c8 = {static_cast<uint8_t>(color[0]), static_cast<uint8_t>(color[1]),
                               static_cast<uint8_t>(color[2]), static_cast<uint8_t>(color[3])};
            emulator::ConvertColors8(host::kColorSpaceCMYK, host::kColorSpaceRGB, &c8, 1);
            for (int i = 0; i < 4; ++i) color[i] = c8[i];
        }
        return (color[1] + color[2] + color[3]) / (3.0 * full);
    }
    // Opacity counts: a half-transparent pixel reads (and engraves) darker.
    const double alpha = image.planes >= 4 ? image.Sample(x, y, 3) / full : 1.0;
    return alpha * (image.Sample(x, y, 0) + image.Sample(x, y, 1) + image.Sample(x, y, 2)) / (3.0 * full);
}

// Correlation of 16 x 16 block brightness before and after: an engraving follows the tone.
double ToneCorrelation(const HostImage& before, const HostImage& after) {
    std::vector<double> a, b;
    constexpr int32_t kBlock = 16;
    for (int32_t by = 0; by + kBlock <= before.height; by += kBlock)
        for (int32_t bx = 0; bx + kBlock <= before.width; bx += kBlock) {
            double sa = 0, sb = 0;
            for (int32_t y = by; y < by + kBlock; ++y)
                for (int32_t x = bx; x < bx + kBlock; ++x) {
                    sa += Brightness(before, x, y);
                    sb += Brightness(after, x, y);
                }
            a.push_back(sa);
            b.push_back(sb);
        }
    const double n = static_cast<double>(a.size());
    double ma = 0, mb = 0;
    for (size_t i = 0; i < a.size(); ++i) ma += a[i] / n, mb += b[i] / n;
    double cov = 0, va = 0, vb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        cov += (a[i] - ma) * (b[i] - mb);
        va += (a[i] - ma) * (a[i] - ma);
        vb += (b[i] - mb) * (b[i] - mb);
    }
    return va > 0 && vb > 0 ? cov / std::sqrt(va * vb) : 0.0;
}

// Pictures for looking at by eye, beside the test binary.
void SaveForInspection(const HostImage& image, const std::string& name) {
    if (image.mode != host::kModeRGB && image.mode != host::kModeRGB48) return;
    const std::filesystem::path dir = std::filesystem::current_path() / "e2e-pictures";
    std::filesystem::create_directories(dir);
    imageio::Raster raster;
    raster.width = image.width;
    raster.height = image.height;
    raster.channels = image.planes;
    raster.depth = 8;
    raster.bytes.resize(static_cast<size_t>(raster.RowBytes() * raster.height));
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x)
            for (int32_t c = 0; c < image.planes; ++c) {
                uint32_t v = image.Sample(x, y, c);
                if (image.depth == 16) v = std::min(255u, (v * 255u + 16384u) / 32768u);
                raster.bytes[static_cast<size_t>((int64_t{y} * image.width + x) * image.planes + c)] =
                    static_cast<uint8_t>(v);
            }
    std::string error;
    imageio::WritePng((dir / (name + ".png")).string(), raster, error);
}

class EveryPatternAndSchema : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(EveryPatternAndSchema, AstronautEngravingFollowsTheToneAndRepeatsExactly) {
    static const HostImage astronaut = LoadAstronaut();
    const int pattern = GetParam() / 3, schema = GetParam() % 3;
    auto settings = [&](FilterParameters& p) {
        p.pattern = static_cast<uint8_t>(pattern);
        p.colorSchema = static_cast<uint8_t>(schema);
    };
    const e2e::RunOutcome first = e2e::RunOnImage(PluginMain, astronaut, settings);
    ASSERT_EQ(first.result, 0);
    EXPECT_NE(first.image.samples, astronaut.samples);
    EXPECT_GT(ToneCorrelation(astronaut, first.image), 0.5);
    const e2e::RunOutcome second = e2e::RunOnImage(PluginMain, astronaut, settings);
    EXPECT_EQ(second.image.samples, first.image.samples);
    SaveForInspection(first.image, std::string(kPatternNames[pattern]) + "-" + kSchemaNames[schema]);
}

INSTANTIATE_TEST_SUITE_P(Astronaut, EveryPatternAndSchema, ::testing::Range(0, 39));

TEST(EndToEnd, AstronautInEveryLayoutFollowsTheTone) {
    const HostImage astronaut = LoadAstronaut();
    struct Variant {
        const char* name;
        HostImage image;
    };
    const Variant variants[] = {
        {"16-bit", To16Bit(astronaut)}, {"rgba", WithAlphaRamp(astronaut)}, {"cmyk", ToCmyk(astronaut)}};
    for (const Variant& v : variants) {
        const e2e::RunOutcome out = e2e::RunOnImage(PluginMain, v.image, [](FilterParameters&) {});
        ASSERT_EQ(out.result, 0) << v.name;
        EXPECT_GT(ToneCorrelation(v.image, out.image), 0.5) << v.name;
        SaveForInspection(out.image, std::string("layout-") + v.name);
    }
}

TEST(EndToEnd, UnselectedPixelsComeBackUnchangedAndSelectedOnesAreEngraved) {
    for (const e2e::EndToEndCase& c : e2e::StandardCases()) {
        if (!c.withSelection) continue;
        const e2e::RunOutcome out = e2e::RunCase(PluginMain, c);
        ASSERT_EQ(out.result, 0) << c.name;
        const std::vector<uint8_t> mask = e2e::EllipseSelection(c.width, c.height);
        int changedInside = 0;
        const HostImage original = testing_support::MakePicture(c.width, c.height, c.planes, c.depth, c.mode);
        for (int32_t y = 0; y < c.height; ++y)
            for (int32_t x = 0; x < c.width; ++x) {
                const uint8_t m = mask[static_cast<size_t>(y * c.width + x)];
                bool same = true;
                for (int32_t p = 0; p < c.planes; ++p)
                    same = same && out.image.Sample(x, y, p) == original.Sample(x, y, p);
                if (m == 0) {
                    ASSERT_TRUE(same) << c.name << " at " << x << "," << y;
                }
                if (m == 255 && !same) ++changedInside;
            }
        EXPECT_GT(changedInside, 0) << c.name;
    }
}

TEST(EndToEnd, StandardCasesSucceedAndRepeatByteForByte) {
    for (const e2e::EndToEndCase& c : e2e::StandardCases()) {
        const e2e::RunOutcome a = e2e::RunCase(PluginMain, c);
        const e2e::RunOutcome b = e2e::RunCase(PluginMain, c);
        ASSERT_EQ(a.result, 0) << c.name;
        EXPECT_EQ(e2e::Fingerprint(a.image), e2e::Fingerprint(b.image)) << c.name;
    }
}

TEST(EndToEnd, DocumentsWiderThanSixteenBitCoordinatesAreEngravedToTheirRightEdge) {
    constexpr int32_t kWidth = 33000, kHeight = 4;
    HostImage wide = HostImage::Blank(kWidth, kHeight, 3, 8, host::kModeRGB);
    std::fill(wide.samples.begin(), wide.samples.end(), uint8_t{110});
    const e2e::RunOutcome out = e2e::RunOnImage(PluginMain, wide, [](FilterParameters& p) {
        p.pattern = 0;
        p.rotation = 90;  // vertical lines: every column band gets ink
    });
    ASSERT_EQ(out.result, 0);
    int inkedColumns = 0;
    for (int32_t x = kWidth - 200; x < kWidth; ++x) inkedColumns += out.image.Sample(x, 2, 0) < 110 ? 1 : 0;
    EXPECT_GT(inkedColumns, 20);
}
