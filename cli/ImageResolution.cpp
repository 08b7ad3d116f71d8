#include "cli/ImageResolution.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace cli {

namespace {

uint32_t BigEndian32(const unsigned char* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
}

bool Plausible(double dotsPerInch) {
    return std::isfinite(dotsPerInch) && dotsPerInch >= 1.0 && dotsPerInch <= 1.0e6;
}

}  // namespace

double PngDotsPerInch(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return 0.0;
    unsigned char signature[8];
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (std::fread(signature, 1, 8, file.get()) != 8 || std::memcmp(signature, kSignature, 8) != 0) return 0.0;
    // pHYs must come before the image data; a bounded number of chunks are looked at.
    for (int chunk = 0; chunk < 1000; ++chunk) {
        unsigned char head[8];
        if (std::fread(head, 1, 8, file.get()) != 8) return 0.0;
        const uint32_t length = BigEndian32(head);
        if (std::memcmp(head + 4, "IDAT", 4) == 0 || std::memcmp(head + 4, "IEND", 4) == 0) return 0.0;
        if (std::memcmp(head + 4, "pHYs", 4) == 0 && length == 9) {
            unsigned char body[9];
            if (std::fread(body, 1, 9, file.get()) != 9) return 0.0;
            if (body[8] != 1) return 0.0;  // no unit: an aspect ratio only
            const double dotsPerInch = BigEndian32(body) * 0.0254;
            return Plausible(dotsPerInch) ? dotsPerInch : 0.0;
        }
        if (length > 0x7FFFFFFFu || std::fseek(file.get(), static_cast<long>(length) + 4, SEEK_CUR) != 0) return 0.0;
    }
    return 0.0;
}

double DotsPerInch(const imageio::Raster& raster, const std::string& path, const VectorOptions& options, bool* stated) {
    if (stated != nullptr) *stated = true;
    if (options.dotsPerInch > 0.0) return options.dotsPerInch;
    const imageio::FileDetails& d = raster.details;
    // TIFF's RESUNIT_INCH (2) and RESUNIT_CENTIMETER (3).
    double fromFile = 0.0;
    if (d.xResolution > 0.0f && d.resolutionUnit == 2) fromFile = d.xResolution;
    if (d.xResolution > 0.0f && d.resolutionUnit == 3) fromFile = d.xResolution * 2.54;
    if (!Plausible(fromFile)) fromFile = PngDotsPerInch(path);
    if (Plausible(fromFile)) return fromFile;
    if (stated != nullptr) *stated = false;
    return kDefaultDotsPerInch;
}

}  // namespace cli
