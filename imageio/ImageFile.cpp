#include "imageio/ImageFile.h"

#include "imageio/InputBytes.h"
#include "imageio/PngFile.h"
#include "imageio/TiffFile.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace imageio {

namespace {

constexpr unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr unsigned char kTiffLittle[] = {'I', 'I', 0x2A, 0x00};
constexpr unsigned char kTiffBig[] = {'M', 'M', 0x00, 0x2A};
constexpr unsigned char kBigTiffLittle[] = {'I', 'I', 0x2B, 0x00};
constexpr unsigned char kBigTiffBig[] = {'M', 'M', 0x00, 0x2B};

template <size_t N>
bool StartsWith(const unsigned char* head, size_t length, const unsigned char (&signature)[N]) {
    return length >= N && std::memcmp(head, signature, N) == 0;
}

bool IsPng(const uint8_t* head, size_t length) {
    return StartsWith(head, length, kPngSignature);
}

bool IsTiff(const uint8_t* head, size_t length) {
    return StartsWith(head, length, kTiffLittle) || StartsWith(head, length, kTiffBig) ||
           StartsWith(head, length, kBigTiffLittle) || StartsWith(head, length, kBigTiffBig);
}

}  // namespace

bool DecodeImage(const uint8_t* data, size_t size, const std::string& name, Raster& raster, FileFormat& format,
                 std::string& error, const ReadLimits& limits, const Progress& progress) {
    if (IsPng(data, size)) {
        format = FileFormat::kPng;
        return DecodePng(data, size, raster, error, limits, progress);
    }
    if (IsTiff(data, size)) {
        format = FileFormat::kTiff;
        return DecodeTiff(data, size, name, raster, error, limits, progress);
    }
    error = "not a PNG or TIFF file";
    return false;
}

bool ReadImage(const std::string& path, Raster& raster, FileFormat& format, std::string& error,
               const ReadLimits& limits, const Progress& progress) {
    const auto looksLikeImage = [](const uint8_t* head, size_t size, std::string& why) {
        if (IsPng(head, size) || IsTiff(head, size)) return true;
        why = "not a PNG or TIFF file";
        return false;
    };
    InputBytes file;
    return file.Open(path, limits.maxBytes, error, sizeof kPngSignature, looksLikeImage) &&
           DecodeImage(file.Data(), file.Size(), path, raster, format, error, limits, progress);
}

bool WriteImage(const std::string& path, const Raster& raster, FileFormat format, const WriteOptions& options,
                std::string& error) {
    return format == FileFormat::kPng ? WritePng(path, raster, options, error)
                                      : WriteTiff(path, raster, options, error);
}

bool WriteImage(const std::string& path, const Raster& raster, FileFormat format, std::string& error) {
    return WriteImage(path, raster, format, WriteOptions{}, error);
}

bool FormatFromName(const std::string& path, FileFormat& format) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "png") {
        format = FileFormat::kPng;
        return true;
    }
    if (extension == "tif" || extension == "tiff") {
        format = FileFormat::kTiff;
        return true;
    }
    return false;
}

const char* FormatName(FileFormat format) {
    return format == FileFormat::kPng ? "PNG" : "TIFF";
}

}  // namespace imageio
