#include "imageio/TiffFile.h"

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

// libtiff says only where a write failed ("Write error at scanline 3"); the system's reason
// (a full disk, a file-size limit) is what the user can act on.
std::string WriteFailure() {
    return errno != 0 ? std::strerror(errno) : LastError("cannot write TIFF data");
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

}  // namespace

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
    errno = 0;
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
                error = WriteFailure();
                return false;
            }
            if (options.progress && y % kRowsBetweenReports == 0)
                options.progress(int64_t{plane} * raster.height + y, int64_t{planes} * raster.height);
        }
    // libtiff writes its directory and the buffered tail here; a full disk shows up now.
    if (TIFFFlush(t) == 0) {
        error = WriteFailure();
        return false;
    }
    if (options.progress) options.progress(1, 1);
    return true;
}

bool WriteTiff(const std::string& path, const Raster& raster, std::string& error) {
    return WriteTiff(path, raster, WriteOptions{}, error);
}

}  // namespace imageio
