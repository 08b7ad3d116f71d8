#include "imageio/TiffFile.h"

#include "imageio/Limits.h"

#include <tiffio.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

namespace imageio {

namespace {

// libtiff reports through process-wide handlers; keep the last message for the caller.
thread_local std::string gLastTiffError;

void OnTiffError(const char*, const char* format, va_list args) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    gLastTiffError = text;
}
void OnTiffWarning(const char*, const char*, va_list) {}

void InstallHandlers() {
    TIFFSetErrorHandler(OnTiffError);
    TIFFSetWarningHandler(OnTiffWarning);
    gLastTiffError.clear();
}

std::string LastError(const char* fallback) {
    return gLastTiffError.empty() ? std::string(fallback) : gLastTiffError;
}

struct TiffCloser {
    void operator()(TIFF* tiff) const {
        if (tiff != nullptr) TIFFClose(tiff);
    }
};
using Tiff = std::unique_ptr<TIFF, TiffCloser>;

constexpr int32_t kRowsBetweenReports = 64;

// libtiff's deflate goes through libdeflate where it was built with it, whose levels run 1 to 12
// (zlib's stop at 9, and libtiff clamps them there); 5 is about as small as zlib's default level and
// several times faster.
int DeflateQuality(int compression) {
    if (compression == kDefaultCompression) return 5;
    return std::clamp(compression, kFastestCompression, kSmallestCompression);
}

// Which colour model a photometric interpretation and channel count stand for.
bool ModelOf(uint16_t photometric, uint16_t inkSet, ColorModel& model) {
    switch (photometric) {
        case PHOTOMETRIC_MINISBLACK:
            model = ColorModel::kGrey;
            return true;
        case PHOTOMETRIC_RGB:
            model = ColorModel::kRgb;
            return true;
        case PHOTOMETRIC_SEPARATED:
            model = ColorModel::kCmyk;
            return inkSet == INKSET_CMYK;
        case PHOTOMETRIC_CIELAB:
            model = ColorModel::kLab;
            return true;
        default:
            return false;
    }
}

uint16_t PhotometricOf(ColorModel model) {
    switch (model) {
        case ColorModel::kGrey:
            return PHOTOMETRIC_MINISBLACK;
        case ColorModel::kCmyk:
            return PHOTOMETRIC_SEPARATED;
        case ColorModel::kLab:
            return PHOTOMETRIC_CIELAB;
        case ColorModel::kRgb:
            break;
    }
    return PHOTOMETRIC_RGB;
}

// Copies one decoded block (a strip or tile of `blockWidth` x `rows` pixels at (x0, y0)) into
// the interleaved raster; `sample` is the channel for planar files, -1 for interleaved ones.
void PlaceBlock(const uint8_t* block, uint32_t blockWidth, uint32_t rows, uint32_t x0, uint32_t y0, int32_t sample,
                Raster& raster) {
    const int32_t bps = raster.BytesPerSample();
    const int32_t blockChannels = sample < 0 ? raster.channels : 1;
    const uint32_t width = std::min<uint32_t>(blockWidth, static_cast<uint32_t>(raster.width) - x0);
    const uint32_t height = std::min<uint32_t>(rows, static_cast<uint32_t>(raster.height) - y0);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* src = block + size_t{y} * blockWidth * blockChannels * bps;
        uint8_t* dst = raster.bytes.data() + (y0 + y) * raster.RowBytes() + int64_t{x0} * raster.channels * bps;
        if (sample < 0) {
            std::memcpy(dst, src, size_t{width} * raster.channels * bps);
            continue;
        }
        for (uint32_t x = 0; x < width; ++x)
            std::memcpy(dst + (int64_t{x} * raster.channels + sample) * bps, src + size_t{x} * bps,
                        static_cast<size_t>(bps));
    }
}

bool ReadPixels(TIFF* tiff, Raster& raster, std::string& error, const Progress& progress) {
    const int32_t planes = raster.details.planar ? raster.channels : 1;
    const int32_t sampleOf = raster.details.planar ? 0 : -1;
    std::vector<uint8_t> block;
    if (TIFFIsTiled(tiff)) {
        uint32_t tileWidth = 0, tileHeight = 0;
        TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &tileHeight);
        block.assign(static_cast<size_t>(TIFFTileSize(tiff)), 0);
        if (tileWidth == 0 || tileHeight == 0 || block.empty()) {
            error = "corrupt TIFF tiles";
            return false;
        }
        for (int32_t plane = 0; plane < planes; ++plane)
            for (uint32_t y = 0; y < static_cast<uint32_t>(raster.height); y += tileHeight)
                for (uint32_t x = 0; x < static_cast<uint32_t>(raster.width); x += tileWidth) {
                    if (TIFFReadTile(tiff, block.data(), x, y, 0, static_cast<uint16_t>(plane)) < 0) {
                        error = LastError("corrupt TIFF tile");
                        return false;
                    }
                    PlaceBlock(block.data(), tileWidth, tileHeight, x, y, sampleOf < 0 ? -1 : plane, raster);
                    if (progress) progress(int64_t{plane} * raster.height + y, int64_t{planes} * raster.height);
                }
        return true;
    }
    uint32_t rowsPerStrip = 0;
    if (TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip) == 0 || rowsPerStrip == 0)
        rowsPerStrip = static_cast<uint32_t>(raster.height);
    rowsPerStrip = std::min(rowsPerStrip, static_cast<uint32_t>(raster.height));
    block.assign(static_cast<size_t>(TIFFStripSize(tiff)), 0);
    const uint32_t stripsPerPlane = (static_cast<uint32_t>(raster.height) + rowsPerStrip - 1) / rowsPerStrip;
    for (int32_t plane = 0; plane < planes; ++plane)
        for (uint32_t strip = 0; strip < stripsPerPlane; ++strip) {
            const tstrip_t index = plane * stripsPerPlane + strip;
            if (TIFFReadEncodedStrip(tiff, index, block.data(), static_cast<tmsize_t>(block.size())) < 0) {
                error = LastError("corrupt TIFF strip");
                return false;
            }
            PlaceBlock(block.data(), static_cast<uint32_t>(raster.width), rowsPerStrip, 0, strip * rowsPerStrip,
                       sampleOf < 0 ? -1 : plane, raster);
            if (progress) progress(int64_t{plane} * stripsPerPlane + strip, int64_t{planes} * stripsPerPlane);
        }
    return true;
}

}  // namespace

bool ReadTiff(const std::string& path, Raster& raster, std::string& error, const Progress& progress) {
    InstallHandlers();
    Tiff tiff(TIFFOpen(path.c_str(), "r"));
    if (!tiff) {
        error = errno != 0 && gLastTiffError.empty() ? std::strerror(errno) : LastError("not a TIFF file");
        return false;
    }
    uint32_t width = 0, height = 0;
    uint16_t channels = 0, bits = 0, photometric = 0, planarConfig = PLANARCONFIG_CONTIG;
    uint16_t sampleFormat = SAMPLEFORMAT_UINT, inkSet = INKSET_CMYK, compression = COMPRESSION_NONE;
    if (TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) == 0 ||
        TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height) == 0 ||
        TIFFGetField(tiff.get(), TIFFTAG_PHOTOMETRIC, &photometric) == 0) {
        error = "TIFF without size or colour model";
        return false;
    }
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, &channels);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_PLANARCONFIG, &planarConfig);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_SAMPLEFORMAT, &sampleFormat);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_INKSET, &inkSet);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_COMPRESSION, &compression);

    ColorModel model = ColorModel::kRgb;
    if (!ModelOf(photometric, inkSet, model)) {
        error = "unsupported TIFF colour model (photometric " + std::to_string(photometric) + ")";
        return false;
    }
    if (bits != 8 && bits != 16) {
        error = "unsupported TIFF depth of " + std::to_string(bits) + " bits (8 or 16 are read)";
        return false;
    }
    if (sampleFormat != SAMPLEFORMAT_UINT) {
        error = "unsupported TIFF sample format (unsigned integers are read)";
        return false;
    }
    raster = Raster{};
    raster.model = model;
    raster.depth = bits;
    raster.channels = channels;
    if (channels != raster.ColorChannels() && channels != raster.ColorChannels() + 1) {
        error = "unsupported TIFF with " + std::to_string(channels) + " channels";
        return false;
    }
    if (width == 0 || height == 0 || int64_t{width} * height > kMaxPixels) {
        error = width == 0 || height == 0 ? "empty TIFF image" : "image too large";
        return false;
    }
    raster.width = static_cast<int32_t>(width);
    raster.height = static_cast<int32_t>(height);

    FileDetails& details = raster.details;
    details.planar = planarConfig == PLANARCONFIG_SEPARATE && channels > 1;
    details.compression = compression;
    uint16_t extraCount = 0;
    uint16_t* extraKinds = nullptr;
    if (raster.HasAlpha() && TIFFGetField(tiff.get(), TIFFTAG_EXTRASAMPLES, &extraCount, &extraKinds) != 0 &&
        extraCount > 0)
        details.alphaKind = extraKinds[0];
    uint32_t profileBytes = 0;
    void* profile = nullptr;
    if (TIFFGetField(tiff.get(), TIFFTAG_ICCPROFILE, &profileBytes, &profile) != 0 && profile != nullptr)
        details.iccProfile.assign(static_cast<uint8_t*>(profile), static_cast<uint8_t*>(profile) + profileBytes);
    float resolution = 0.0f;
    if (TIFFGetField(tiff.get(), TIFFTAG_XRESOLUTION, &resolution) != 0) details.xResolution = resolution;
    if (TIFFGetField(tiff.get(), TIFFTAG_YRESOLUTION, &resolution) != 0) details.yResolution = resolution;
    TIFFGetField(tiff.get(), TIFFTAG_RESOLUTIONUNIT, &details.resolutionUnit);

    raster.bytes.assign(static_cast<size_t>(raster.RowBytes()) * height, 0);
    return ReadPixels(tiff.get(), raster, error, progress);
}

bool WriteTiff(const std::string& path, const Raster& raster, const WriteOptions& options, std::string& error) {
    InstallHandlers();
    if ((raster.depth != 8 && raster.depth != 16) ||
        (raster.channels != raster.ColorChannels() && raster.channels != raster.ColorChannels() + 1)) {
        error = "TIFF holds the colour channels and one opacity channel, 8 or 16 bits";
        return false;
    }
    // Files past 4 GB need BigTIFF; everything smaller stays classic TIFF for older readers.
    const bool big = raster.RowBytes() * raster.height > (int64_t{1} << 32) - (int64_t{1} << 26);
    Tiff tiff(TIFFOpen(path.c_str(), big ? "w8" : "w"));
    if (!tiff) {
        error = gLastTiffError.empty() ? std::strerror(errno) : gLastTiffError;
        return false;
    }
    const FileDetails& details = raster.details;
    TIFF* t = tiff.get();
    uint16_t compression = details.compression;
    // JPEG would lose detail on every rewrite; codecs this libtiff lacks cannot be written at all.
    if (compression == COMPRESSION_JPEG || compression == COMPRESSION_OJPEG || TIFFIsCODECConfigured(compression) == 0)
        compression = COMPRESSION_LZW;
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(raster.width));
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(raster.height));
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, static_cast<uint16_t>(raster.channels));
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, static_cast<uint16_t>(raster.depth));
    TIFFSetField(t, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_UINT);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PhotometricOf(raster.model));
    if (raster.model == ColorModel::kCmyk) TIFFSetField(t, TIFFTAG_INKSET, INKSET_CMYK);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, details.planar ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_COMPRESSION, compression);
    if (compression == COMPRESSION_ADOBE_DEFLATE || compression == COMPRESSION_DEFLATE)
        TIFFSetField(t, TIFFTAG_ZIPQUALITY, DeflateQuality(options.compression));
    TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    if (raster.HasAlpha()) {
        const uint16_t kind = details.alphaKind;
        TIFFSetField(t, TIFFTAG_EXTRASAMPLES, static_cast<uint16_t>(1), &kind);
    }
    if (!details.iccProfile.empty())
        TIFFSetField(t, TIFFTAG_ICCPROFILE, static_cast<uint32_t>(details.iccProfile.size()),
                     details.iccProfile.data());
    if (details.xResolution > 0.0f && details.yResolution > 0.0f) {
        TIFFSetField(t, TIFFTAG_XRESOLUTION, details.xResolution);
        TIFFSetField(t, TIFFTAG_YRESOLUTION, details.yResolution);
        if (details.resolutionUnit != 0) TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, details.resolutionUnit);
    }
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0));

    const int32_t bps = raster.BytesPerSample();
    std::vector<uint8_t> row(static_cast<size_t>(raster.RowBytes()));
    const int32_t planes = details.planar ? raster.channels : 1;
    for (int32_t plane = 0; plane < planes; ++plane)
        for (int32_t y = 0; y < raster.height; ++y) {
            const uint8_t* src = raster.bytes.data() + y * raster.RowBytes();
            if (details.planar) {
                for (int32_t x = 0; x < raster.width; ++x)
                    std::memcpy(row.data() + int64_t{x} * bps, src + (int64_t{x} * raster.channels + plane) * bps,
                                static_cast<size_t>(bps));
            } else {
                std::memcpy(row.data(), src, row.size());
            }
            if (TIFFWriteScanline(t, row.data(), static_cast<uint32_t>(y), static_cast<uint16_t>(plane)) < 0) {
                error = LastError("cannot write TIFF data");
                return false;
            }
            if (options.progress && y % kRowsBetweenReports == 0)
                options.progress(int64_t{plane} * raster.height + y, int64_t{planes} * raster.height);
        }
    // libtiff writes its directory and the buffered tail here; a full disk shows up now.
    if (TIFFFlush(t) == 0) {
        error = LastError("cannot write TIFF data");
        return false;
    }
    if (options.progress) options.progress(1, 1);
    return true;
}

bool WriteTiff(const std::string& path, const Raster& raster, std::string& error) {
    return WriteTiff(path, raster, WriteOptions{}, error);
}

}  // namespace imageio
