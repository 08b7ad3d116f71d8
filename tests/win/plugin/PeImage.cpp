#include "tests/win/plugin/PeImage.h"

#include <cstring>

namespace {

constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr uint16_t kFileIsDll = 0x2000;
constexpr size_t kExportDirectory = 0;
constexpr size_t kImportDirectory = 1;
constexpr size_t kDelayImportDirectory = 13;

struct Section {
    uint32_t virtualAddress;
    uint32_t virtualSize;
    uint32_t rawOffset;
    uint32_t rawSize;
};

class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& fileBytes) : bytes(fileBytes) {}

    bool Has(uint64_t offset, uint64_t size) const { return offset <= bytes.size() && size <= bytes.size() - offset; }

    template <class T>
    bool Read(uint64_t offset, T& value) const {
        if (!Has(offset, sizeof(T))) return false;
        std::memcpy(&value, bytes.data() + offset, sizeof(T));  // the file is little-endian, like x86
        return true;
    }

    bool ReadCString(uint64_t offset, std::string& text) const {
        text.clear();
        for (uint64_t at = offset; at < bytes.size(); ++at) {
            if (bytes[at] == 0) return true;
            text.push_back(static_cast<char>(bytes[at]));
        }
        return false;
    }

private:
    const std::vector<uint8_t>& bytes;
};

bool RvaToOffset(const std::vector<Section>& sections, uint32_t rva, uint64_t& offset) {
    for (const Section& s : sections) {
        const uint32_t span = s.virtualSize > s.rawSize ? s.virtualSize : s.rawSize;
        if (rva >= s.virtualAddress && rva - s.virtualAddress < span) {
            if (rva - s.virtualAddress >= s.rawSize) return false;  // uninitialised data has no bytes
            offset = uint64_t{s.rawOffset} + (rva - s.virtualAddress);
            return true;
        }
    }
    return false;
}

bool ReadNameAt(const Reader& r, const std::vector<Section>& sections, uint32_t rva, std::string& name) {
    uint64_t offset = 0;
    return RvaToOffset(sections, rva, offset) && r.ReadCString(offset, name);
}

// Import and delay-import descriptors both end with an all-zero entry; `nameField` is the
// offset of the library name's RVA inside one entry.
bool ReadLibraryList(const Reader& r, const std::vector<Section>& sections, uint32_t tableRva, uint32_t entrySize,
                     uint32_t nameField, std::vector<std::string>& libraries, std::string& error) {
    uint64_t offset = 0;
    if (!RvaToOffset(sections, tableRva, offset)) {
        error = "import table outside every section";
        return false;
    }
    for (;; offset += entrySize) {
        uint32_t nameRva = 0;
        uint32_t firstWord = 0;
        if (!r.Read(offset, firstWord) || !r.Read(offset + nameField, nameRva)) {
            error = "import table runs past the end of the file";
            return false;
        }
        if (nameRva == 0 && firstWord == 0) return true;
        std::string name;
        if (!ReadNameAt(r, sections, nameRva, name)) {
            error = "import library name unreadable";
            return false;
        }
        libraries.push_back(name);
    }
}

}  // namespace

bool ParsePeImage(const std::vector<uint8_t>& bytes, PeImage& image, std::string& error) {
    const Reader r(bytes);
    uint16_t dosMagic = 0;
    uint32_t peOffset = 0;
    if (!r.Read(0, dosMagic) || dosMagic != 0x5A4D || !r.Read(0x3C, peOffset)) {
        error = "no MZ header";
        return false;
    }
    uint32_t signature = 0;
    if (!r.Read(peOffset, signature) || signature != 0x00004550) {
        error = "no PE signature";
        return false;
    }
    const uint64_t coff = uint64_t{peOffset} + 4;
    uint16_t sectionCount = 0, optionalSize = 0, characteristics = 0, magic = 0;
    uint32_t directoryCount = 0;
    const uint64_t optional = coff + 20;
    if (!r.Read(coff, image.machine) || !r.Read(coff + 2, sectionCount) || !r.Read(coff + 16, optionalSize) ||
        !r.Read(coff + 18, characteristics) || !r.Read(optional, magic) || magic != kPe32PlusMagic ||
        !r.Read(optional + 108, directoryCount)) {
        error = "not a PE32+ image";
        return false;
    }
    image.isDll = (characteristics & kFileIsDll) != 0;

    std::vector<Section> sections;
    const uint64_t sectionTable = optional + optionalSize;
    for (uint16_t i = 0; i < sectionCount; ++i) {
        const uint64_t at = sectionTable + uint64_t{i} * 40;
        Section s{};
        if (!r.Read(at + 8, s.virtualSize) || !r.Read(at + 12, s.virtualAddress) || !r.Read(at + 16, s.rawSize) ||
            !r.Read(at + 20, s.rawOffset)) {
            error = "section table runs past the end of the file";
            return false;
        }
        sections.push_back(s);
    }

    auto directory = [&](size_t index, uint32_t& rva, uint32_t& size) {
        rva = size = 0;
        if (index >= directoryCount) return true;
        const uint64_t at = optional + 112 + index * 8;
        return r.Read(at, rva) && r.Read(at + 4, size);
    };

    uint32_t rva = 0, size = 0;
    if (!directory(kExportDirectory, rva, size)) {
        error = "data directories run past the end of the file";
        return false;
    }
    if (rva != 0) {
        uint64_t at = 0;
        uint32_t nameCount = 0, namesRva = 0;
        if (!RvaToOffset(sections, rva, at) || !r.Read(at + 20, image.exportFunctionCount) ||
            !r.Read(at + 24, nameCount) || !r.Read(at + 32, namesRva)) {
            error = "export directory unreadable";
            return false;
        }
        uint64_t names = 0;
        if (nameCount > 0 && !RvaToOffset(sections, namesRva, names)) {
            error = "export name table outside every section";
            return false;
        }
        for (uint32_t i = 0; i < nameCount; ++i) {
            uint32_t nameRva = 0;
            std::string name;
            if (!r.Read(names + uint64_t{i} * 4, nameRva) || !ReadNameAt(r, sections, nameRva, name)) {
                error = "export name unreadable";
                return false;
            }
            image.exportNames.push_back(name);
        }
    }

    if (!directory(kImportDirectory, rva, size)) {
        error = "data directories run past the end of the file";
        return false;
    }
    if (rva != 0 &&
        !ReadLibraryList(r, sections, rva, /*entrySize=*/20, /*nameField=*/12, image.importLibraries, error))
        return false;
    if (!directory(kDelayImportDirectory, rva, size)) {
        error = "data directories run past the end of the file";
        return false;
    }
    if (rva != 0 &&
        !ReadLibraryList(r, sections, rva, /*entrySize=*/32, /*nameField=*/4, image.delayImportLibraries, error))
        return false;
    return true;
}
