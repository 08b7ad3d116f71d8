// tests/win/plugin/PeImage.h: reads the export and import tables of a 64-bit PE file from its
// bytes, so that a test can check what the built plug-in exposes and what it needs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PeImage {
    uint16_t machine = 0;  // 0x8664 for x64
    bool isDll = false;
    std::vector<std::string> exportNames;
    uint32_t exportFunctionCount = 0;               // includes exports by ordinal only
    std::vector<std::string> importLibraries;       // as written in the import table
    std::vector<std::string> delayImportLibraries;  // loaded on first use, still required
};

// Parses a PE32+ file. Every offset is bounds-checked: on malformed input it returns false and
// puts the reason in `error`, never reading outside `bytes`.
bool ParsePeImage(const std::vector<uint8_t>& bytes, PeImage& image, std::string& error);
