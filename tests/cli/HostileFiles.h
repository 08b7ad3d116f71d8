// tests/cli/HostileFiles.h: tiny forged files whose headers ask for far more than they hold.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace cli_test {

// A PNG whose header declares the given size, with a few bytes of image data: a reader that
// trusts the header allocates the whole image before finding the data short.
std::string ForgedPng(uint32_t width, uint32_t height, int bitDepth, int colourType);

// A 1 x 1 PNG whose first chunk after the header claims 2^31 - 1 bytes of text.
std::string PngClaimingHugeText();

// A little-endian TIFF of one 8-bit grey plane whose directory holds exactly `tags` (tag,
// value; all written as LONG), after 16 bytes of pixel data at offset 8. Offsets to the data
// are given as 8.
std::string ForgedTiff(const std::vector<std::pair<uint16_t, uint32_t>>& tags);

// ForgedTiff's tags for a stripped `width` x `height` image in one strip of 16 bytes.
std::vector<std::pair<uint16_t, uint32_t>> StripTags(uint32_t width, uint32_t height);

}  // namespace cli_test
