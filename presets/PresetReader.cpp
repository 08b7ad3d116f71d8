#include "presets/PresetReader.h"

#include "params/SettingTable.h"
#include "presets/LegacyPresetReader.h"
#include "presets/LineReader.h"
#include "presets/PresetFormat.h"
#include "presets/PresetNumbers.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <ios>
#include <string_view>

namespace {

const char* SkipBlanks(const char* cursor) {
    while (*cursor == ' ') ++cursor;
    return cursor;
}

// The key is the first four bytes as a little-endian integer, so the text "lgnA" is 'Angl';
// a comment line or one with fewer than four bytes has key 0, which matches nothing.
uint32_t ReadKey(const char*& cursor) {
    if (cursor[0] == ';' || cursor[0] == '\0' || cursor[1] == '\0' || cursor[2] == '\0' || cursor[3] == '\0') {
        return 0;
    }
    uint32_t code = 0;
    for (int i = 0; i < 4; ++i) code |= static_cast<uint32_t>(static_cast<unsigned char>(cursor[i])) << (8 * i);
    cursor += 4;
    return code;
}

bool IsNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == ',' || c == '-' || c == 'e' || c == 'E';
}

// The characters a value may use, at most kNumberTokenMaxChars; a '+' or a blank ends it, and
// the conversion then takes what it can (a comma stops it).
std::string_view ScanNumber(const char* cursor) {
    size_t length = 0;
    while (length < kNumberTokenMaxChars && IsNumberChar(cursor[length])) ++length;
    return std::string_view(cursor, length);
}

void StoreValue(const params::Setting& key, std::string_view number, FilterParameters& params) {
    switch (key.kind) {
        case params::FieldKind::kReal:
            params.*key.real = static_cast<float>(ParseReal(number));
            break;
        case params::FieldKind::kFlag32:
            // Only the lowest byte counts, so 256 reads as 0, as it always has.
            params.*key.flag32 = static_cast<int32_t>(static_cast<uint32_t>(ParseInteger(number)) & 0xFFu);
            break;
        case params::FieldKind::kFlag8:
        case params::FieldKind::kChoice:
            params.*key.byte = static_cast<uint8_t>(static_cast<uint32_t>(ParseInteger(number)) & 0xFFu);
            break;
    }
}

void ReadTextBody(std::streambuf& in, FilterParameters& params) {
    char line[kBodyLineCapacity];
    while (LineReader(in, line, sizeof line)) ApplyPresetLine(line, params);
}

}  // namespace

void ApplyPresetLine(const char* line, FilterParameters& params) {
    const char* cursor = SkipBlanks(line);
    const uint32_t code = ReadKey(cursor);
    if (code == 0) return;
    // Only the settings presets carry: a line with any other key, even one actions know, is ignored.
    const params::Setting* key = params::FindByCode(code);
    if (key == nullptr || key->presetLine == 0) return;
    StoreValue(*key, ScanNumber(SkipBlanks(cursor)), params);
}

bool PresetReader(std::streambuf& in, FilterParameters& params) {
    char header[kHeaderLineCapacity];
    if (LineReader(in, header, sizeof header) && std::strcmp(header, kPresetHeaderLine) == 0) {
        ReadTextBody(in, params);
        return true;
    }
    // A binary header only matches when a NUL ended it, which LineReader strips.
    if (in.pubseekpos(0, std::ios::in) != std::streampos(0)) return false;
    if (!LineReader(in, header, sizeof header) || std::strcmp(header, kLegacyPresetHeader) != 0) return false;
    ReadLegacyPresetBody(in, params);
    return true;
}

bool PresetReader(const std::string& path, FilterParameters& params) {
    std::filebuf file;
    if (file.open(path, std::ios::in | std::ios::binary) == nullptr) return false;
    return PresetReader(file, params);
}
