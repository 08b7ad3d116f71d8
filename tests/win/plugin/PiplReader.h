// tests/win/plugin/PiplReader.h: parses a PiPL resource the way a host scans it, keeping every
// property's data exactly as stored (padding included) so that tests can compare bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PiplProperty {
    uint32_t vendor = 0;  // four-character codes as the host's integers ('8BIM' = 0x3842494D)
    uint32_t key = 0;
    int32_t id = 0;
    int32_t length = 0;         // as declared
    std::vector<uint8_t> data;  // `length` bytes
};

struct Pipl {
    uint16_t prelude = 0;
    int32_t version = 0;
    std::vector<PiplProperty> properties;
};

// Fails (with the reason in `error`) when the count, a length or the padding would take a reader
// past the end, or when bytes are left over after the last property.
bool ParsePipl(const std::vector<uint8_t>& bytes, Pipl& pipl, std::string& error);

// The property with this key, or nullptr.
const PiplProperty* FindProperty(const Pipl& pipl, uint32_t key);

// '8664' data as a C string: the entry point's export name (empty when missing).
std::string EntryPointName(const Pipl& pipl);

constexpr uint32_t Code(const char (&s)[5]) {
    return (uint32_t{static_cast<uint8_t>(s[0])} << 24) | (uint32_t{static_cast<uint8_t>(s[1])} << 16) |
           (uint32_t{static_cast<uint8_t>(s[2])} << 8) | uint32_t{static_cast<uint8_t>(s[3])};
}
