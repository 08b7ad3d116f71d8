#include "cli/SvgWriter.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace cli {

namespace {

// How far a simplified outline may stray from the stamps' union: a tenth of a pixel, below what the
// raster's sixteen coverage levels tell apart at an edge.
constexpr double kTolerancePixels = 0.1;

// Coordinates are written in hundredths of a pixel; anything beyond this is far off the page.
constexpr double kFarPixels = 1.0e9;

int64_t Hundredths(double pixels) {
    if (!(pixels > -kFarPixels)) pixels = -kFarPixels;  // NaN too
    if (pixels > kFarPixels) pixels = kFarPixels;
    return std::llround(pixels * 100.0);
}

struct PassStyle {
    const char* id;
    const char* label;
    const char* color;
};

// Split colour's pass p inks channel p: on white paper it leaves cyan, magenta or yellow; inverted,
// on black, it lights red, green or blue.
constexpr PassStyle kSplitInk[3] = {
    {"cyan", "1 Cyan", "#00ffff"}, {"magenta", "2 Magenta", "#ff00ff"}, {"yellow", "3 Yellow", "#ffff00"}};
constexpr PassStyle kSplitLight[3] = {
    {"red", "1 Red", "#ff0000"}, {"green", "2 Green", "#00ff00"}, {"blue", "3 Blue", "#0000ff"}};

std::string Millimetres(int32_t pixels, double dotsPerInch) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3fmm", pixels * 25.4 / dotsPerInch);
    return text;
}

}  // namespace

SvgWriter::SvgWriter(std::FILE* output, const SvgPage& svgPage, const SvgLook& svgLook)
    : file(output),
      page(svgPage),
      look(svgLook),
      // One and a half working units: diagonal neighbours of a line of single points still join.
      outliner(kTolerancePixels, svgLook.solidInk ? 1.5 : 0.375, svgLook.dots, svgLook.solidInk ? 0.5 : 0.125) {
    outliner.SetJittered(look.jittered);
    const std::string w = std::to_string(page.width);
    const std::string h = std::to_string(page.height);
    buffer += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    buffer +=
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" version=\"1.1\" width=\"" +
        Millimetres(page.width, page.dotsPerInch) + "\" height=\"" + Millimetres(page.height, page.dotsPerInch) +
        "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
    // Strokes end at the picture's edge, as in the raster engraving.
    buffer += "<defs><clipPath id=\"picture\"><rect width=\"" + w + "\" height=\"" + h + "\"/></clipPath></defs>\n";
    if (look.background) {
        buffer += "<rect id=\"background\" width=\"" + w + "\" height=\"" + h + "\" fill=\"" +
                  std::string(look.invert ? "#000000" : "#ffffff") + "\"/>\n";
    }
}

void SvgWriter::BeginPass(int pass) {
    if (groupOpen) buffer += "</g>\n";
    groupOpen = true;
    const char* rendering = look.solidInk ? " shape-rendering=\"crispEdges\"" : "";
    if (!look.splitColor) {
        buffer += std::string("<g id=\"engraving\" inkscape:groupmode=\"layer\" inkscape:label=\"Engraving\" fill=\"") +
                  (look.invert ? "#ffffff" : "#000000") + "\" clip-path=\"url(#picture)\"" + rendering + ">\n";
        return;
    }
    const int index = pass < 0 ? 0 : pass > 2 ? 2 : pass;
    const PassStyle& style = (look.invert ? kSplitLight : kSplitInk)[index];
    // Each pass inks its own channel: inks multiply on paper, lights add up on black.
    buffer += std::string("<g id=\"") + style.id + "\" inkscape:groupmode=\"layer\" inkscape:label=\"" + style.label +
              "\" fill=\"" + style.color + "\" style=\"mix-blend-mode:" + (look.invert ? "screen" : "multiply") +
              "\" clip-path=\"url(#picture)\"" + rendering + ">\n";
}

void SvgWriter::Piece(const render::StrokeStamp* stamps, size_t count) {
    outliner.Outline(stamps, count, commands);
    if (!commands.empty()) Path(commands.data(), commands.data() + commands.size());
    if (buffer.size() >= (1u << 16)) Flush();
}

// Numbers in hundredths of a pixel, as short as they go: "12", "-3.5", ".25".
void SvgWriter::Number(int64_t hundredths) {
    char text[32];
    char* end = text + sizeof text;
    char* p = end;
    const bool negative = hundredths < 0;
    uint64_t v = negative ? 0 - static_cast<uint64_t>(hundredths) : static_cast<uint64_t>(hundredths);
    const unsigned fraction = static_cast<unsigned>(v % 100);
    v /= 100;
    if (fraction != 0) {
        if (fraction % 10 == 0) {
            *--p = static_cast<char>('0' + fraction / 10);
        } else {
            *--p = static_cast<char>('0' + fraction % 10);
            *--p = static_cast<char>('0' + fraction / 10);
        }
        *--p = '.';
    }
    if (v != 0 || fraction == 0) {
        do {
            *--p = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
    }
    if (negative) *--p = '-';
    // A sign separates numbers by itself; anything else needs a blank.
    const char last = buffer.empty() ? ' ' : buffer.back();
    if (!negative && last != ' ' && last != '"' && !(last >= 'A' && last <= 'z')) buffer += ' ';
    buffer.append(p, static_cast<size_t>(end - p));
}

// One path of one or more closed outlines, all clockwise: their union is filled.
void SvgWriter::Path(const OutlineCommand* first, const OutlineCommand* end) {
    buffer += "<path d=\"";
    int64_t penX = 0;
    int64_t penY = 0;
    for (const OutlineCommand* command = first; command != end; ++command) {
        const OutlineCommand& c = *command;
        if (c.kind == OutlineCommand::kClose) {
            buffer += 'z';
            continue;
        }
        const int64_t x = Hundredths(c.x);
        const int64_t y = Hundredths(c.y);
        switch (c.kind) {
            case OutlineCommand::kMove:
                buffer += 'M';
                Number(x);
                Number(y);
                break;
            case OutlineCommand::kLine:
                // Steps of a hundredth of a pixel are below anything a cutter or a screen shows.
                if (std::llabs(x - penX) <= 1 && std::llabs(y - penY) <= 1) continue;
                if (y == penY) {
                    buffer += 'h';
                    Number(x - penX);
                } else if (x == penX) {
                    buffer += 'v';
                    Number(y - penY);
                } else {
                    buffer += 'l';
                    Number(x - penX);
                    Number(y - penY);
                }
                break;
            case OutlineCommand::kArc: {
                if (x == penX && y == penY) continue;
                const int64_t r = std::max<int64_t>(1, Hundredths(c.radius));
                buffer += 'a';
                Number(r);
                Number(r);
                buffer += c.largeArc ? " 0 1 1" : " 0 0 1";
                Number(x - penX);
                Number(y - penY);
                break;
            }
            case OutlineCommand::kClose:
                break;
        }
        penX = x;
        penY = y;
    }
    buffer += "\"/>\n";
    ++paths;
}

void SvgWriter::Flush() {
    if (!buffer.empty()) std::fwrite(buffer.data(), 1, buffer.size(), file);
    buffer.clear();
}

bool SvgWriter::Finish(std::string& error) {
    if (groupOpen) buffer += "</g>\n";
    groupOpen = false;
    buffer += "</svg>\n";
    Flush();
    if (std::fflush(file) != 0 || std::ferror(file)) {
        error = std::strerror(errno != 0 ? errno : EIO);
        return false;
    }
    return true;
}

}  // namespace cli
