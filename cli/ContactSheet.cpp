#include "cli/ContactSheet.h"

#include "cli/AtomicWrite.h"
#include "cli/BitmapFont.h"
#include "cli/PluginRun.h"
#include "cli/ProgressBar.h"
#include "imageio/ImageFile.h"
#include "params/SettingTable.h"

#include <algorithm>
#include <cstring>

namespace cli {

namespace {

using imageio::ColorModel;
using imageio::Raster;
using params::kPatternCount;
using params::kPatternNames;
using params::kSchemaCount;
using params::kSchemaNames;

constexpr int32_t kMargin = 12;
constexpr int32_t kLabelScale = 2;
constexpr int32_t kLabelHeight = kGlyphHeight * kLabelScale + 10;
constexpr uint8_t kPaper = 255;
constexpr uint8_t kInk[3] = {20, 20, 20};

uint32_t Sample8(const Raster& raster, int64_t index) {
    if (raster.depth != 16) return raster.bytes[static_cast<size_t>(index)];
    uint16_t v;
    std::memcpy(&v, raster.bytes.data() + index * 2, sizeof v);
    return (v * 255u + 32767u) / 65535u;
}

// The sheet shows colour pictures: every model the plug-in engraves becomes 8-bit RGB, opacity
// dropped (the tiles lie on white paper anyway).
bool ToRgb8(const Raster& raster, std::vector<uint8_t>& rgb, std::string& error) {
    if (raster.model == ColorModel::kLab) {
        error = "the contact sheet takes grey, RGB or CMYK images";
        return false;
    }
    rgb.assign(static_cast<size_t>(raster.width) * raster.height * 3, 0);
    for (int64_t i = 0; i < int64_t{raster.width} * raster.height; ++i) {
        const int64_t first = i * raster.channels;
        uint32_t c[3];
        if (raster.model == ColorModel::kGrey) {
            c[0] = c[1] = c[2] = Sample8(raster, first);
        } else if (raster.model == ColorModel::kRgb) {
            for (int j = 0; j < 3; ++j) c[j] = Sample8(raster, first + j);
        } else {
            const uint32_t k = Sample8(raster, first + 3);
            for (int j = 0; j < 3; ++j) c[j] = ((255 - Sample8(raster, first + j)) * (255 - k) + 127) / 255;
        }
        for (int j = 0; j < 3; ++j) rgb[static_cast<size_t>(i * 3 + j)] = static_cast<uint8_t>(c[j]);
    }
    return true;
}

// Box-filter reduction so that the longer side fits `limit`; smaller images stay as they are.
emulator::HostImage Reduced(const std::vector<uint8_t>& rgb, int32_t width, int32_t height, int32_t limit) {
    const int32_t longer = std::max(width, height);
    const int32_t outWidth =
        longer <= limit ? width : std::max(1, static_cast<int32_t>(int64_t{width} * limit / longer));
    const int32_t outHeight =
        longer <= limit ? height : std::max(1, static_cast<int32_t>(int64_t{height} * limit / longer));
    emulator::HostImage tile = emulator::HostImage::Blank(outWidth, outHeight, 3, 8, host::kModeRGB);
    for (int32_t y = 0; y < outHeight; ++y) {
        const int32_t y0 = static_cast<int32_t>(int64_t{y} * height / outHeight);
        const int32_t y1 = std::max(y0 + 1, static_cast<int32_t>(int64_t{y + 1} * height / outHeight));
        for (int32_t x = 0; x < outWidth; ++x) {
            const int32_t x0 = static_cast<int32_t>(int64_t{x} * width / outWidth);
            const int32_t x1 = std::max(x0 + 1, static_cast<int32_t>(int64_t{x + 1} * width / outWidth));
            for (int32_t c = 0; c < 3; ++c) {
                uint64_t sum = 0;
                for (int32_t sy = y0; sy < y1; ++sy)
                    for (int32_t sx = x0; sx < x1; ++sx)
                        sum += rgb[static_cast<size_t>((int64_t{sy} * width + sx) * 3 + c)];
                const uint64_t count = uint64_t(y1 - y0) * uint64_t(x1 - x0);
                tile.SetSample(x, y, c, static_cast<uint32_t>((sum + count / 2) / count));
            }
        }
    }
    return tile;
}

// One bar for the whole sheet: each tile's run fills its own share.
class SheetProgress : public ProgressSink {
public:
    SheetProgress(ProgressBar& target, int32_t tiles) : bar(target), tileCount(tiles) {}
    void StartTile(int32_t index) { tile = index; }
    void Progress(int32_t done, int32_t total) override {
        if (total <= 0) return;
        const int64_t clamped = std::clamp<int64_t>(done, 0, total);
        bar.Progress(static_cast<int32_t>((int64_t{tile} * total + clamped) * 1000 / (int64_t{tileCount} * total)),
                     1000);
    }

private:
    ProgressBar& bar;
    int32_t tileCount;
    int32_t tile = 0;
};

}  // namespace

std::vector<SheetTile> PatternAndSchemaTiles(const FilterParameters& base) {
    std::vector<SheetTile> tiles;
    for (size_t p = 0; p < kPatternCount; ++p) {
        tiles.push_back({std::to_string(p) + " " + kPatternNames[p], base});
        tiles.back().settings.pattern = static_cast<uint8_t>(p);
    }
    for (size_t c = 0; c < kSchemaCount; ++c) {
        tiles.push_back({kSchemaNames[c], base});
        tiles.back().settings.colorSchema = static_cast<uint8_t>(c);
    }
    return tiles;
}

FileOutcome MakeContactSheet(const EngraveJob& job) {
    return MakeContactSheet(job, PatternAndSchemaTiles(job.settings), kSheetTile);
}

FileOutcome MakeContactSheet(const EngraveJob& job, const std::vector<SheetTile>& tiles, int32_t tileLimit) {
    Raster raster;
    imageio::FileFormat format;
    std::string error;
    if (!CheckWritable(job.output, error)) return {ExitStatus::kWriteFailed, job.output + ": cannot write: " + error};
    if (!imageio::ReadImage(job.input, raster, format, error, job.limits))
        return {ExitStatus::kBadInput, job.input + ": " + error};
    imageio::FileFormat asked;
    if (imageio::FormatFromName(job.output, asked) && asked != imageio::FileFormat::kPng)
        return {ExitStatus::kUsage, job.output + ": the contact sheet is a PNG picture; give it a .png name"};
    std::vector<uint8_t> rgb;
    if (!ToRgb8(raster, rgb, error)) return {ExitStatus::kBadInput, job.input + ": " + error};
    const emulator::HostImage source = Reduced(rgb, raster.width, raster.height, tileLimit);

    const int32_t tileCount = static_cast<int32_t>(tiles.size());
    int32_t widest = source.width;  // a small picture must not let its label run into the next
    for (const SheetTile& tile : tiles) widest = std::max(widest, TextWidth(tile.label, kLabelScale));

    const int32_t rows = (tileCount + kSheetColumns - 1) / kSheetColumns;
    const int32_t cellWidth = widest + kMargin, cellHeight = source.height + kLabelHeight + kMargin;
    Raster sheet;
    sheet.width = kSheetColumns * cellWidth + kMargin;
    sheet.height = rows * cellHeight + kMargin;
    sheet.channels = 3;
    sheet.bytes.assign(static_cast<size_t>(sheet.RowBytes()) * sheet.height, kPaper);

    ProgressBar bar(stderr, job.showProgress, job.input + " (sheet)");
    SheetProgress progress(bar, tileCount);
    for (int32_t index = 0; index < tileCount; ++index) {
        emulator::HostImage tile = source;
        progress.StartTile(index);
        const PluginOutcome outcome = RunPlugin(tile, {}, tiles[static_cast<size_t>(index)].settings, &progress);
        if (outcome.result != 0) {
            bar.Finish();
            const std::string why = outcome.message.empty() ? DescribeResult(outcome.result) : outcome.message;
            return {ExitStatus::kPluginFailed, job.input + ": the plug-in did not engrave it: " + why};
        }
        const int32_t left = kMargin + (index % kSheetColumns) * cellWidth;
        const int32_t top = kMargin + (index / kSheetColumns) * cellHeight;
        for (int32_t y = 0; y < tile.height; ++y)
            std::memcpy(sheet.bytes.data() + (int64_t{top + y} * sheet.width + left) * 3, tile.PixelBytes(0, y),
                        static_cast<size_t>(tile.RowBytes()));
        DrawText(sheet.bytes.data(), sheet.width, sheet.height, left, top + tile.height + 5,
                 tiles[static_cast<size_t>(index)].label, kLabelScale, kInk);
    }
    bar.Finish();

    if (!WriteAtomically(
            job.output,
            [&](const std::string& path, std::string& writeError) {
                imageio::WriteOptions options;
                options.compression = job.compression;
                return imageio::WriteImage(path, sheet, imageio::FileFormat::kPng, options, writeError);
            },
            error))
        return {ExitStatus::kWriteFailed, job.output + ": cannot write: " + error};
    return {};
}

}  // namespace cli
