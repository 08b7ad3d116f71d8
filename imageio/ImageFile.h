// imageio/ImageFile.h: reads PNG or TIFF by content, writes in a chosen format.
#pragma once

#include "imageio/Raster.h"
#include "imageio/WriteOptions.h"

#include <string>

namespace imageio {

enum class FileFormat { kPng, kTiff };

// Reads `path`, telling the format by its first bytes rather than its name. False with a
// one-line message when the file cannot be read or is of neither format. `progress`, if set,
// hears how much of the image has been decoded.
bool ReadImage(const std::string& path, Raster& raster, FileFormat& format, std::string& error,
               const Progress& progress = {});

bool WriteImage(const std::string& path, const Raster& raster, FileFormat format, const WriteOptions& options,
                std::string& error);
bool WriteImage(const std::string& path, const Raster& raster, FileFormat format, std::string& error);

// The format a file name's extension asks for (.png, .tif, .tiff in any case); false when the
// extension names neither.
bool FormatFromName(const std::string& path, FileFormat& format);

const char* FormatName(FileFormat format);

}  // namespace imageio
