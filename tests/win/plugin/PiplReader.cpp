#include "tests/win/plugin/PiplReader.h"

#include <cstring>

namespace {

template <class T>
bool ReadAt(const std::vector<uint8_t>& bytes, size_t offset, T& value) {
    if (offset > bytes.size() || sizeof(T) > bytes.size() - offset) return false;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return true;
}

}  // namespace

bool ParsePipl(const std::vector<uint8_t>& bytes, Pipl& pipl, std::string& error) {
    int32_t count = 0;
    if (!ReadAt(bytes, 0, pipl.prelude) || !ReadAt(bytes, 2, pipl.version) || !ReadAt(bytes, 6, count)) {
        error = "header shorter than 10 bytes";
        return false;
    }
    if (count < 0) {
        error = "negative property count";
        return false;
    }
    size_t at = 10;
    for (int32_t i = 0; i < count; ++i) {
        PiplProperty p;
        if (!ReadAt(bytes, at, p.vendor) || !ReadAt(bytes, at + 4, p.key) || !ReadAt(bytes, at + 8, p.id) ||
            !ReadAt(bytes, at + 12, p.length)) {
            error = "property " + std::to_string(i) + " header runs past the end";
            return false;
        }
        at += 16;
        if (p.length < 0 || static_cast<size_t>(p.length) > bytes.size() - at) {
            error = "property " + std::to_string(i) + " data runs past the end";
            return false;
        }
        p.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      bytes.begin() + static_cast<std::ptrdiff_t>(at) + p.length);
        // Hosts differ: some round the length up to 4, some do not. Both land here only when the
        // declared length is already a multiple of 4.
        const size_t padded = (static_cast<size_t>(p.length) + 3) & ~size_t{3};
        if (padded > bytes.size() - at) {
            error = "property " + std::to_string(i) + " padding runs past the end";
            return false;
        }
        at += padded;
        pipl.properties.push_back(std::move(p));
    }
    if (at != bytes.size()) {
        error = std::to_string(bytes.size() - at) + " bytes after the last property";
        return false;
    }
    return true;
}

const PiplProperty* FindProperty(const Pipl& pipl, uint32_t key) {
    for (const PiplProperty& p : pipl.properties)
        if (p.key == key) return &p;
    return nullptr;
}

std::string EntryPointName(const Pipl& pipl) {
    const PiplProperty* p = FindProperty(pipl, Code("8664"));
    if (p == nullptr) return {};
    std::string name;
    for (uint8_t c : p->data) {
        if (c == 0) break;
        name.push_back(static_cast<char>(c));
    }
    return name;
}
