#include "tests/cli/HostileFiles.h"

#include <zlib.h>

#include <algorithm>

namespace cli_test {

namespace {

void PutBig32(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}
void PutLittle(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string Chunk(const std::string& type, const std::string& data) {
    std::string chunk;
    PutBig32(chunk, static_cast<uint32_t>(data.size()));
    const std::string body = type + data;
    chunk += body;
    PutBig32(chunk, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
    return chunk;
}

const std::string kPngSignature("\x89PNG\r\n\x1a\n", 8);

std::string Header(uint32_t width, uint32_t height, int bitDepth, int colourType) {
    std::string data;
    PutBig32(data, width);
    PutBig32(data, height);
    data += {static_cast<char>(bitDepth), static_cast<char>(colourType), 0, 0, 0};
    return Chunk("IHDR", data);
}

}  // namespace

std::string ForgedPng(uint32_t width, uint32_t height, int bitDepth, int colourType) {
    const std::string zeros(64, '\0');
    std::string packed(compressBound(zeros.size()), '\0');
    uLongf length = packed.size();
    compress(reinterpret_cast<Bytef*>(packed.data()), &length, reinterpret_cast<const Bytef*>(zeros.data()),
             zeros.size());
    packed.resize(length);
    return kPngSignature + Header(width, height, bitDepth, colourType) + Chunk("IDAT", packed) + Chunk("IEND", "");
}

std::string PngClaimingHugeText() {
    std::string file = kPngSignature + Header(1, 1, 8, 0);
    PutBig32(file, 0x7FFFFFFF);
    return file + "tEXtab";
}

std::string ForgedTiff(const std::vector<std::pair<uint16_t, uint32_t>>& tags) {
    std::vector<std::pair<uint16_t, uint32_t>> sorted(tags);
    std::sort(sorted.begin(), sorted.end());
    std::string file("II*\0", 4);
    PutLittle(file, 8 + 16, 4);
    file += std::string(16, '\x80');
    PutLittle(file, static_cast<uint32_t>(sorted.size()), 2);
    for (const auto& [tag, value] : sorted) {
        PutLittle(file, tag, 2);
        PutLittle(file, 4, 2);  // LONG
        PutLittle(file, 1, 4);
        PutLittle(file, value, 4);
    }
    PutLittle(file, 0, 4);
    return file;
}

std::vector<std::pair<uint16_t, uint32_t>> StripTags(uint32_t width, uint32_t height) {
    return {{256, width}, {257, height}, {258, 8}, {259, 1}, {262, 1}, {273, 8}, {277, 1}, {278, height}, {279, 16}};
}

}  // namespace cli_test
