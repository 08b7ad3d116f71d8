// presets/LineReader.h: splits a preset file into lines the way every version has read them.
#pragma once

#include <cstddef>
#include <streambuf>

// Reads one line from `in` into `buffer` (`capacity` bytes, at least 2) and returns true, or
// returns false at end of file, discarding a last line that has no ending byte.
// Any byte 0x00..0x0D or 0x80..0xFF ends a line and stays as its last character, followed by a
// NUL; tabs become blanks. A line ended by NUL loses that NUL and its trailing blanks.
// A line longer than the buffer keeps its first capacity - 2 bytes and its ending byte; the
// bytes in between are skipped, so they never start a line of their own.
bool LineReader(std::streambuf& in, char* buffer, size_t capacity);
