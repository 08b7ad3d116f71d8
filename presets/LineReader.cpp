#include "presets/LineReader.h"

#include <string>

namespace {

// Bytes that end a line: the control bytes up to carriage return and everything at 0x80 and
// above (the original reader compared signed bytes with 13).
bool EndsLine(int byte) {
    return byte <= 0x0D || byte >= 0x80;
}

}  // namespace

bool LineReader(std::streambuf& in, char* buffer, size_t capacity) {
    if (buffer == nullptr || capacity < 2) return false;
    const size_t contentLimit = capacity - 2;  // room for the ending byte and the NUL
    size_t length = 0;
    for (;;) {
        const int byte = in.sbumpc();
        if (byte == std::char_traits<char>::eof()) return false;
        // The tab is turned into a blank first, so it never ends a line.
        const int stored = byte == '\t' ? ' ' : byte;
        const char c = static_cast<char>(stored);
        if (EndsLine(stored)) {
            buffer[length++] = c;
            buffer[length] = '\0';
            break;
        }
        if (length < contentLimit) buffer[length++] = c;
    }
    // Only a line ended by NUL has anything to trim: its NUL, then the blanks before it.
    size_t end = length;
    while (end > 0 && buffer[end - 1] == '\0') --end;
    if (end == length) return true;
    while (end > 0 && buffer[end - 1] == ' ') buffer[--end] = '\0';
    return true;
}
