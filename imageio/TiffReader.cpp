// Reading TIFF files from memory: every size the directory states is checked against the file
// and the memory allowed before anything is allocated for it.
#include "imageio/TiffFile.h"

#include "imageio/InputBytes.h"
#include "imageio/Orientation.h"
#include "memory/LargePages.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

namespace imageio {

namespace {

// The file's bytes as libtiff reads them: a read position, and the whole file as its mapping
// (so that libtiff decodes strips in place instead of copying them first).
struct MemoryFile {
    const uint8_t* data;
    uint64_t size;
    uint64_t position;
};

tmsize_t ReadMemory(thandle_t handle, void* into, tmsize_t length) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (length <= 0 || file->position >= file->size) return 0;
    const uint64_t count = std::min<uint64_t>(static_cast<uint64_t>(length), file->size - file->position);
    std::memcpy(into, file->data + file->position, count);
    file->position += count;
    return static_cast<tmsize_t>(count);
}
tmsize_t RefuseWrite(thandle_t, void*, tmsize_t) {
    return -1;
}
toff_t SeekMemory(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(handle);
    const uint64_t base = whence == SEEK_CUR ? file->position : whence == SEEK_END ? file->size : 0;
    file->position = base + offset;
    return file->position;
}
int CloseMemory(thandle_t) {
    return 0;
}
toff_t SizeOfMemory(thandle_t handle) {
    return static_cast<MemoryFile*>(handle)->size;
}
int MapMemory(thandle_t handle, void** base, toff_t* size) {
    auto* file = static_cast<MemoryFile*>(handle);
    *base = const_cast<uint8_t*>(file->data);
    *size = file->size;
    return 1;
}
void UnmapMemory(thandle_t, void*, toff_t) {}

// libtiff's messages often start with or repeat the file name, which engrave prints already.
struct Messages {
    std::string name;
    std::string last;
};

int KeepMessage(TIFF*, void* context, const char*, const char* format, va_list args) {
    auto* messages = static_cast<Messages*>(context);
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    std::string message = text;
    if (!messages->name.empty())
        for (const std::string& repeat : {messages->name + ": ", messages->name})
            for (size_t at; (at = message.find(repeat)) != std::string::npos;) message.erase(at, repeat.size());
    messages->last = message;
    return 1;
}
int IgnoreWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* tiff) const {
        if (tiff != nullptr) TIFFClose(tiff);
    }
};
using Tiff = std::unique_ptr<TIFF, TiffCloser>;

// A strip or tile may be as large as the whole image, or this much when the image is small:
// enough for any real layout, and no more memory than the image itself costs.
constexpr int64_t kMaxSmallBlockBytes = int64_t{16} << 20;

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

// Every strip or tile must lie inside the file: a forged offset is refused here with a plain
// message instead of surfacing as libtiff's read error with an impossible byte count.
bool BlocksInsideFile(TIFF* tiff, uint64_t fileSize, std::string& error) {
    const bool tiled = TIFFIsTiled(tiff) != 0;
    const uint32_t count = tiled ? TIFFNumberOfTiles(tiff) : TIFFNumberOfStrips(tiff);
    for (uint32_t i = 0; i < count; ++i) {
        int failed = 0;
        const uint64_t offset = TIFFGetStrileOffsetWithErr(tiff, i, &failed);
        const uint64_t bytes = failed ? 0 : TIFFGetStrileByteCountWithErr(tiff, i, &failed);
        if (failed || offset > fileSize || bytes > fileSize - offset) {
            error = std::string("truncated or corrupt: ") + (tiled ? "tile " : "strip ") + std::to_string(i) +
                    " lies outside the file";
            return false;
        }
    }
    return true;
}

bool ReadPixels(TIFF* tiff, Raster& raster, std::vector<uint8_t>& block, const Messages& messages, std::string& error,
                const Progress& progress) {
    const int32_t planes = raster.details.planar ? raster.channels : 1;
    const bool planar = raster.details.planar;
    if (TIFFIsTiled(tiff)) {
        uint32_t tileWidth = 0, tileHeight = 0;
        TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &tileHeight);
        for (int32_t plane = 0; plane < planes; ++plane)
            for (uint32_t y = 0; y < static_cast<uint32_t>(raster.height); y += tileHeight)
                for (uint32_t x = 0; x < static_cast<uint32_t>(raster.width); x += tileWidth) {
                    if (TIFFReadTile(tiff, block.data(), x, y, 0, static_cast<uint16_t>(plane)) < 0) {
                        error = messages.last.empty() ? "corrupt TIFF tile" : messages.last;
                        return false;
                    }
                    PlaceBlock(block.data(), tileWidth, tileHeight, x, y, planar ? plane : -1, raster);
                    if (progress) progress(int64_t{plane} * raster.height + y, int64_t{planes} * raster.height);
                }
        return true;
    }
    uint32_t rowsPerStrip = 0;
    if (TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip) == 0 || rowsPerStrip == 0)
        rowsPerStrip = static_cast<uint32_t>(raster.height);
    rowsPerStrip = std::min(rowsPerStrip, static_cast<uint32_t>(raster.height));
    const uint32_t stripsPerPlane = (static_cast<uint32_t>(raster.height) + rowsPerStrip - 1) / rowsPerStrip;
    for (int32_t plane = 0; plane < planes; ++plane)
        for (uint32_t strip = 0; strip < stripsPerPlane; ++strip) {
            const tstrip_t index = plane * stripsPerPlane + strip;
            if (TIFFReadEncodedStrip(tiff, index, block.data(), static_cast<tmsize_t>(block.size())) < 0) {
                error = messages.last.empty() ? "corrupt TIFF strip" : messages.last;
                return false;
            }
            PlaceBlock(block.data(), static_cast<uint32_t>(raster.width), rowsPerStrip, 0, strip * rowsPerStrip,
                       planar ? plane : -1, raster);
            if (progress) progress(int64_t{plane} * stripsPerPlane + strip, int64_t{planes} * stripsPerPlane);
        }
    return true;
}

// The bytes one decoded strip or tile takes; 0 when the layout is unusable.
int64_t BlockBytes(TIFF* tiff, const Raster& raster) {
    if (!TIFFIsTiled(tiff)) return static_cast<int64_t>(TIFFStripSize64(tiff));
    uint32_t tileWidth = 0, tileHeight = 0;
    TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &tileWidth);
    TIFFGetField(tiff, TIFFTAG_TILELENGTH, &tileHeight);
    if (tileWidth == 0 || tileHeight == 0) return 0;
    // Computed here rather than by libtiff, whose product of huge sides can wrap.
    const int64_t samples = raster.details.planar ? 1 : raster.channels;
    const uint64_t bytes = uint64_t{tileWidth} * tileHeight * samples * raster.BytesPerSample();
    return bytes > (uint64_t{1} << 62) ? int64_t{1} << 62 : static_cast<int64_t>(bytes);
}

}  // namespace

bool DecodeTiff(const uint8_t* data, size_t size, const std::string& name, Raster& raster, std::string& error,
                const ReadLimits& limits, const Progress& progress) {
    Messages messages{name, {}};
    MemoryFile file{data, size, 0};
    std::unique_ptr<TIFFOpenOptions, void (*)(TIFFOpenOptions*)> options(TIFFOpenOptionsAlloc(), TIFFOpenOptionsFree);
    if (!options) {
        error = "out of memory";
        return false;
    }
    // libtiff's own buffers (directory arrays, codec state) stay within the budget too.
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), static_cast<tmsize_t>(limits.maxBytes));
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), KeepMessage, &messages);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), IgnoreWarning, nullptr);
    Tiff tiff(TIFFClientOpenExt(name.c_str(), "rm", &file, ReadMemory, RefuseWrite, SeekMemory, CloseMemory,
                                SizeOfMemory, MapMemory, UnmapMemory, options.get()));
    if (!tiff) {
        error = messages.last.empty() ? "not a TIFF file" : messages.last;
        return false;
    }
    TIFF* t = tiff.get();
    uint32_t width = 0, height = 0;
    uint16_t channels = 0, bits = 0, photometric = 0, planarConfig = PLANARCONFIG_CONTIG;
    uint16_t sampleFormat = SAMPLEFORMAT_UINT, inkSet = INKSET_CMYK, compression = COMPRESSION_NONE;
    uint16_t orientation = ORIENTATION_TOPLEFT;
    if (TIFFGetField(t, TIFFTAG_IMAGEWIDTH, &width) == 0 || TIFFGetField(t, TIFFTAG_IMAGELENGTH, &height) == 0 ||
        TIFFGetField(t, TIFFTAG_PHOTOMETRIC, &photometric) == 0) {
        error = "TIFF without size or colour model";
        return false;
    }
    TIFFGetFieldDefaulted(t, TIFFTAG_SAMPLESPERPIXEL, &channels);
    TIFFGetFieldDefaulted(t, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(t, TIFFTAG_PLANARCONFIG, &planarConfig);
    TIFFGetFieldDefaulted(t, TIFFTAG_SAMPLEFORMAT, &sampleFormat);
    TIFFGetFieldDefaulted(t, TIFFTAG_INKSET, &inkSet);
    TIFFGetFieldDefaulted(t, TIFFTAG_COMPRESSION, &compression);
    TIFFGetFieldDefaulted(t, TIFFTAG_ORIENTATION, &orientation);

    // JPEG-compressed files are usually YCbCr (what `tiffcp -c jpeg` writes); the codec turns
    // them into RGB as it decodes.
    if (photometric == PHOTOMETRIC_YCBCR && compression == COMPRESSION_JPEG) {
        TIFFSetField(t, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        photometric = PHOTOMETRIC_RGB;
    }
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
    if (width == 0 || height == 0) {
        error = "empty TIFF image";
        return false;
    }
    if (width > kMaxSide || height > kMaxSide) {
        error = "too large: " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
        return false;
    }
    raster.width = static_cast<int32_t>(width);
    raster.height = static_cast<int32_t>(height);
    raster.details.planar = planarConfig == PLANARCONFIG_SEPARATE && channels > 1;
    raster.details.compression = compression;

    const bool turned = orientation >= 2 && orientation <= 8;
    const ImageHeader header{SwapsSides(orientation) ? raster.height : raster.width,
                             SwapsSides(orientation) ? raster.width : raster.height, raster.channels, raster.depth,
                             raster.model};
    const int64_t imageBytes = DecodedBytes(header);
    const int64_t blockBytes = BlockBytes(t, raster);
    if (blockBytes <= 0 || blockBytes > std::max(imageBytes, kMaxSmallBlockBytes)) {
        error = "corrupt TIFF: a " + std::string(TIFFIsTiled(t) ? "tile" : "strip") + " larger than the image";
        return false;
    }
    const int64_t needed = imageBytes * (turned ? 2 : 1) + blockBytes;
    if (needed > limits.maxBytes) {
        error = TooLargeMessage(needed, limits.maxBytes);
        return false;
    }
    if (limits.approve && !limits.approve(header, error)) return false;
    if (!BlocksInsideFile(t, size, error)) return false;

    FileDetails& details = raster.details;
    uint16_t extraCount = 0;
    uint16_t* extraKinds = nullptr;
    if (raster.HasAlpha() && TIFFGetField(t, TIFFTAG_EXTRASAMPLES, &extraCount, &extraKinds) != 0 && extraCount > 0)
        details.alphaKind = extraKinds[0];
    uint32_t profileBytes = 0;
    void* profile = nullptr;
    if (TIFFGetField(t, TIFFTAG_ICCPROFILE, &profileBytes, &profile) != 0 && profile != nullptr)
        details.iccProfile.assign(static_cast<uint8_t*>(profile), static_cast<uint8_t*>(profile) + profileBytes);
    float resolution = 0.0f;
    if (TIFFGetField(t, TIFFTAG_XRESOLUTION, &resolution) != 0) details.xResolution = resolution;
    if (TIFFGetField(t, TIFFTAG_YRESOLUTION, &resolution) != 0) details.yResolution = resolution;
    TIFFGetField(t, TIFFTAG_RESOLUTIONUNIT, &details.resolutionUnit);

    std::vector<uint8_t> block(static_cast<size_t>(blockBytes));
    memory::ReserveInLargePages(raster.bytes, static_cast<size_t>(imageBytes));
    raster.bytes.assign(static_cast<size_t>(imageBytes), 0);
    if (!ReadPixels(t, raster, block, messages, error, progress)) return false;
    TurnUpright(raster, orientation);
    return true;
}

bool ReadTiff(const std::string& path, Raster& raster, std::string& error, const ReadLimits& limits,
              const Progress& progress) {
    InputBytes file;
    return file.Open(path, limits.maxBytes, error) &&
           DecodeTiff(file.Data(), file.Size(), path, raster, error, limits, progress);
}

}  // namespace imageio
