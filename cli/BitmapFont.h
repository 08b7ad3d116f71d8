// cli/BitmapFont.h: a 5x7 capital-letter font, enough to label a contact sheet without a font
// library. Lower-case letters are drawn as capitals.
#pragma once

#include <cstdint>
#include <string>

namespace cli {

constexpr int32_t kGlyphWidth = 5;
constexpr int32_t kGlyphHeight = 7;
constexpr int32_t kGlyphAdvance = 6;  // one blank column between letters

// Seven rows of the glyph for `c`, bit 4 the leftmost pixel; an unknown character is a box.
const uint8_t* Glyph(char c);

// Width in pixels of `text` drawn at `scale`.
int32_t TextWidth(const std::string& text, int32_t scale);

// Draws `text` in `ink` (RGB) into an 8-bit RGB buffer of `width` x `height` pixels, its top
// left at (x, y), each font pixel a `scale` x `scale` square; pixels off the buffer are skipped.
void DrawText(uint8_t* rgb, int32_t width, int32_t height, int32_t x, int32_t y, const std::string& text, int32_t scale,
              const uint8_t ink[3]);

}  // namespace cli
