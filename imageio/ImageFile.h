// imageio/ImageFile.h: reads PNG or TIFF by content, writes in a chosen format.
#pragma once

#include "imageio/Raster.h"
#include "imageio/Progress.h"
#include "imageio/ReadLimits.h"
#include "imageio/WriteOptions.h"

#include <cstddef>
#include <cstdint>

#include <string>

namespace imageio {

enum class FileFormat { kPng, kTiff };

// Reads `path`, telling the format by its first bytes rather than its name. False with a
// one-line message when the file cannot be read, is of neither format, or is larger than
// `limits` allow (decided from its header, before the pixels are allocated). The file is opened
// once, so pipes work; a pipe nobody writes to is given up after a few seconds. `progress`, if
// set, hears how much of the image has been decoded.
bool ReadImage(const std::string& path, Raster& raster, FileFormat& format, std::string& error,
               const ReadLimits& limits = {}, const Progress& progress = {});

// The same from a file's bytes in memory; `name` only serves messages.
bool DecodeImage(const uint8_t* data, size_t size, const std::string& name, Raster& raster, FileFormat& format,
                 std::string& error, const ReadLimits& limits, const Progress& progress = {});

bool WriteImage(const std::string& path, const Raster& raster, FileFormat format, const WriteOptions& options,
                std::string& error);
bool WriteImage(const std::string& path, const Raster& raster, FileFormat format, std::string& error);

// The format a file name's extension asks for (.png, .tif, .tiff in any case); false when the
// extension names neither.
bool FormatFromName(const std::string& path, FileFormat& format);

const char* FormatName(FileFormat format);

}  // namespace imageio
