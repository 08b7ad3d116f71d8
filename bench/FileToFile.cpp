#include "bench/FileToFile.h"

#include "bench/ProcessRun.h"
#include "bench/Timing.h"
#include "imageio/ImageFile.h"

#include <png.h>
#include <tiffio.h>  // compression numbers only

#include <algorithm>
#include <csetjmp>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <vector>

#include <unistd.h>

namespace bench {
namespace {

constexpr int32_t kWidth = 6000, kHeight = 4000;

// The photograph scaled bilinearly to 24 MP, as a camera's picture would be; 16-bit samples keep
// the interpolation's fractions, as a 16-bit photograph has detail in its low bits.
imageio::Raster ScaledPhoto(const imageio::Raster& photo, int32_t depth, int32_t channels) {
    imageio::Raster raster;
    raster.width = kWidth;
    raster.height = kHeight;
    raster.depth = depth;
    raster.channels = channels;
    raster.bytes.resize(static_cast<size_t>(raster.RowBytes()) * kHeight);
    const double full = depth == 16 ? 65535.0 : 255.0;
    for (int32_t y = 0; y < kHeight; ++y) {
        const double fy = (y + 0.5) * photo.height / kHeight - 0.5;
        const int32_t y0 = std::clamp(static_cast<int32_t>(std::floor(fy)), 0, photo.height - 1);
        const int32_t y1 = std::min(y0 + 1, photo.height - 1);
        const double wy = std::clamp(fy - y0, 0.0, 1.0);
        for (int32_t x = 0; x < kWidth; ++x) {
            const double fx = (x + 0.5) * photo.width / kWidth - 0.5;
            const int32_t x0 = std::clamp(static_cast<int32_t>(std::floor(fx)), 0, photo.width - 1);
            const int32_t x1 = std::min(x0 + 1, photo.width - 1);
            const double wx = std::clamp(fx - x0, 0.0, 1.0);
            for (int32_t c = 0; c < channels; ++c) {
                double v = full;  // opacity: opaque
                if (c < 3) {
                    auto at = [&](int32_t px, int32_t py) {
                        return photo.bytes[(static_cast<size_t>(py) * photo.width + px) * photo.channels + c] / 255.0;
                    };
                    v = full * ((at(x0, y0) * (1 - wx) + at(x1, y0) * wx) * (1 - wy) +
                                (at(x0, y1) * (1 - wx) + at(x1, y1) * wx) * wy);
                }
                const size_t i = (static_cast<size_t>(y) * kWidth + x) * channels + c;
                if (depth == 16)
                    reinterpret_cast<uint16_t*>(raster.bytes.data())[i] = static_cast<uint16_t>(std::lround(v));
                else
                    raster.bytes[i] = static_cast<uint8_t>(std::lround(v));
            }
        }
    }
    return raster;
}

struct Sample {
    ProcessTiming timing;  // medians
    double outMiB = 0;
};

Sample Median(const std::vector<std::string>& argv, const std::string& output, int runs) {
    std::vector<double> walls, cpus, peaks;
    Sample s;
    s.timing.ok = true;
    for (int i = 0; i < runs; ++i) {
        const ProcessTiming t = RunProcess(argv);
        s.timing.ok = s.timing.ok && t.ok;
        walls.push_back(t.wallSeconds);
        cpus.push_back(t.cpuSeconds);
        peaks.push_back(t.peakMiB);
    }
    s.timing.wallSeconds = bench::Median(walls);
    s.timing.cpuSeconds = bench::Median(cpus);
    s.timing.peakMiB = bench::Median(peaks);
    std::error_code ignored;
    s.outMiB = static_cast<double>(std::filesystem::file_size(output, ignored)) / (1024.0 * 1024.0);
    return s;
}

// libpng's own writer at its defaults (its filter choice, zlib level 6): the size users knew.
void CountBytes(png_structp png, png_bytep, png_size_t length) {
    *static_cast<size_t*>(png_get_io_ptr(png)) += length;
}
void FlushNothing(png_structp) {}

bool WriteWithLibpngDefaults(const imageio::Raster& raster, size_t& bytes) {
    static const int kColorTypes[] = {PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB,
                                      PNG_COLOR_TYPE_RGB_ALPHA};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    bytes = 0;
    png_set_write_fn(png, &bytes, CountBytes, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(raster.width), static_cast<png_uint_32>(raster.height),
                 raster.depth, kColorTypes[raster.channels - 1], PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    if (raster.depth == 16) png_set_swap(png);
    const auto rowBytes = static_cast<size_t>(raster.RowBytes());
    for (int32_t y = 0; y < raster.height; ++y) png_write_row(png, raster.bytes.data() + y * rowBytes);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

// Median wall and processor seconds (all threads) of `runs` calls in this process.
struct InProcess {
    double wall = 0, cpu = 0;
};
InProcess TimeHere(const std::function<void()>& work, int runs) {
    std::vector<double> walls, cpus;
    for (int i = 0; i < runs; ++i) {
        const std::clock_t cpuStart = std::clock();
        Stopwatch watch;
        work();
        walls.push_back(watch.Seconds());
        cpus.push_back(static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
    }
    return {bench::Median(walls), bench::Median(cpus)};
}

struct Input {
    const char* label;
    const char* name;
    int32_t depth, channels;
    uint16_t tiffCompression;  // 0: PNG
};

}  // namespace

void RunFileToFile(const FileToFileSettings& settings) {
    namespace fs = std::filesystem;
    const std::string engrave = MV_ENGRAVE_PATH;
    imageio::Raster photo;
    imageio::FileFormat format;
    std::string error;
    if (!imageio::ReadImage(MV_BENCH_PHOTO, photo, format, error) || photo.depth != 8 || photo.channels < 3) {
        std::printf("file to file: cannot use %s (%s)\n", MV_BENCH_PHOTO, error.c_str());
        return;
    }
    const fs::path folder = fs::temp_directory_path() / ("mv_bench_files_" + std::to_string(getpid()));
    fs::create_directories(folder);
    const std::vector<Input> inputs = {
        {"8-bit RGB PNG", "photo8.png", 8, 3, 0},
        {"8-bit RGB TIFF, LZW", "photo8-lzw.tif", 8, 3, COMPRESSION_LZW},
        {"8-bit RGB TIFF, deflate", "photo8-zip.tif", 8, 3, COMPRESSION_ADOBE_DEFLATE},
        {"16-bit RGBA PNG", "photo16.png", 16, 4, 0},
        {"16-bit RGBA TIFF, deflate", "photo16-zip.tif", 16, 4, COMPRESSION_ADOBE_DEFLATE},
    };
    std::printf(
        "\nFile to file: %d x %d, the test photograph scaled up; engrave at default settings, -q.\n"
        "Medians of %d runs; wall and cpu of the whole process, peak its largest resident size,\n"
        "'x decoded' that peak over the decoded picture's size.\n\n",
        kWidth, kHeight, settings.runs);
    std::printf("%-26s %8s %8s %9s %9s %8s\n", "input", "wall", "cpu", "peak MiB", "x decoded", "out MiB");
    std::vector<Sample> results;
    for (const Input& in : inputs) {
        imageio::Raster raster = ScaledPhoto(photo, in.depth, in.channels);
        raster.details.compression = in.tiffCompression == 0 ? 1 : in.tiffCompression;
        const std::string path = (folder / in.name).string();
        if (!imageio::WriteImage(path, raster,
                                 in.tiffCompression == 0 ? imageio::FileFormat::kPng : imageio::FileFormat::kTiff,
                                 error)) {
            std::printf("%-26s cannot write the input: %s\n", in.label, error.c_str());
            return;
        }
        const std::string out = (folder / (std::string("out-") + in.name)).string();
        const Sample s = Median({engrave, path, "-o", out, "-q"}, out, settings.runs);
        const double decodedMiB = static_cast<double>(raster.bytes.size()) / (1024.0 * 1024.0);
        std::printf("%-26s %8.2f %8.2f %9.0f %9.2f %8.1f%s\n", in.label, s.timing.wallSeconds, s.timing.cpuSeconds,
                    s.timing.peakMiB, s.timing.peakMiB / decodedMiB, s.outMiB, s.timing.ok ? "" : "  FAILED");
        std::fflush(stdout);
        results.push_back(s);
    }
    const Sample& png8 = results[0];
    std::printf("  16-bit / 8-bit: PNG %.2f (cpu %.2f), TIFF with deflate %.2f (cpu %.2f)\n",
                results[3].timing.wallSeconds / png8.timing.wallSeconds,
                results[3].timing.cpuSeconds / png8.timing.cpuSeconds,
                results[4].timing.wallSeconds / results[2].timing.wallSeconds,
                results[4].timing.cpuSeconds / results[2].timing.cpuSeconds);

    // The engraved 16-bit picture: its size against libpng's defaults (zlib level 6).
    {
        imageio::Raster engraved16;
        size_t zlib6Bytes = 0;
        const std::string out16 = (folder / (std::string("out-") + inputs[3].name)).string();
        if (imageio::ReadImage(out16, engraved16, format, error) && WriteWithLibpngDefaults(engraved16, zlib6Bytes))
            std::printf("  16-bit RGBA PNG engraving: size %.3f of libpng's defaults (zlib 6)\n",
                        results[3].outMiB * 1024.0 * 1024.0 / static_cast<double>(zlib6Bytes));
    }

    // The engraved 8-bit picture written by libpng's defaults against engrave's own writer.
    const std::string png8In = (folder / inputs[0].name).string();
    const std::string png8Out = (folder / (std::string("out-") + inputs[0].name)).string();
    imageio::Raster engraved, source;
    if (imageio::ReadImage(png8Out, engraved, format, error) && imageio::ReadImage(png8In, source, format, error)) {
        size_t zlib6Bytes = 0;
        const InProcess zlib6 = TimeHere([&] { WriteWithLibpngDefaults(engraved, zlib6Bytes); }, settings.runs);
        const std::string scratch = (folder / "scratch.png").string();
        const InProcess ours =
            TimeHere([&] { imageio::WriteImage(scratch, engraved, imageio::FileFormat::kPng, error); }, settings.runs);
        std::printf(
            "  writing the engraving: libpng's defaults (zlib 6) %.2f s (cpu %.2f), engrave's writer %.2f s "
            "(cpu %.2f): %.1f times faster; size %.3f of zlib 6's\n",
            zlib6.wall, zlib6.cpu, ours.wall, ours.cpu, zlib6.wall / ours.wall,
            png8.outMiB * 1024.0 * 1024.0 / static_cast<double>(zlib6Bytes));
        // "best" (level 12) takes many times the default; the levels shown are the ones worth timing.
        for (const char* level : {"fast", "4", "6"}) {
            const Sample s =
                Median({engrave, png8In, "-o", scratch, "-q", "--compression", level}, scratch, settings.runs);
            std::printf("  --compression %-4s: %.2f s, cpu %.2f (%.2f of default), size %.3f of zlib 6's\n", level,
                        s.timing.wallSeconds, s.timing.cpuSeconds, s.timing.cpuSeconds / png8.timing.cpuSeconds,
                        s.outMiB * 1024.0 * 1024.0 / static_cast<double>(zlib6Bytes));
        }
        // Decoding and encoding alone, in this process, with engrave's libraries and defaults.
        const InProcess alone = TimeHere(
            [&] {
                imageio::Raster decoded;
                imageio::ReadImage(png8In, decoded, format, error);
                imageio::WriteImage(scratch, decoded, imageio::FileFormat::kPng, error);
            },
            settings.runs);
        std::printf(
            "  decoding and encoding the PNG alone: %.2f s, cpu %.2f; engrave's whole run is %.2f times that "
            "(cpu %.2f)\n",
            alone.wall, alone.cpu, png8.timing.wallSeconds / alone.wall, png8.timing.cpuSeconds / alone.cpu);
    }
    if (settings.gegl && RunProcess({"sh", "-c", "command -v gegl"}).ok) {
        const std::string out = (folder / "gegl-out.png").string();
        const Sample newsprint = Median({"gegl", png8In, "-o", out, "--", "gegl:newsprint",
                                         "color-model=black-on-white", "pattern=line", "period=5", "aa-samples=16"},
                                        out, settings.runs);
        std::printf(
            "  gegl newsprint PNG to PNG: %.2f s, cpu %.2f, peak %.0f MiB; engrave is %.1f times faster (cpu "
            "%.1f times less)\n",
            newsprint.timing.wallSeconds, newsprint.timing.cpuSeconds, newsprint.timing.peakMiB,
            newsprint.timing.wallSeconds / png8.timing.wallSeconds,
            newsprint.timing.cpuSeconds / png8.timing.cpuSeconds);
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

}  // namespace bench
