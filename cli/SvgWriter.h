// cli/SvgWriter.h: an SVG document of the engraving's strokes, written as the walk delivers them:
// one path per piece, one group per pass, sized in millimetres with a view box in pixels.
#pragma once

#include "cli/SvgOutline.h"
#include "render/StrokeWalk.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace cli {

struct SvgPage {
    int32_t width = 0;  // pixels
    int32_t height = 0;
    double dotsPerInch = 72.0;
};

struct SvgLook {
    bool splitColor = false;  // one group per pass in its pass colour; else black and white
    bool invert = false;      // light strokes on a dark ground, as the raster's "Invert"
    bool background = true;   // paint the ground; off for lasers and cutters
    bool dots = false;        // every stamp a separate dot
    bool solidInk = false;    // the raster's strokes have hard edges
    bool jittered = false;    // noise moves every stamp sideways
};

class SvgWriter : public render::StrokeSink {
public:
    // Writes the document's head at once. Nothing is checked until Finish.
    SvgWriter(std::FILE* file, const SvgPage& page, const SvgLook& look);
    ~SvgWriter() override = default;
    SvgWriter(const SvgWriter&) = delete;
    SvgWriter& operator=(const SvgWriter&) = delete;

    void BeginPass(int pass) override;
    void Piece(const render::StrokeStamp* stamps, size_t count) override;

    // Closes the document; false with a message when a write failed.
    bool Finish(std::string& error);

    int64_t Paths() const { return paths; }

private:
    void Flush();
    void Number(int64_t hundredths);
    void Path(const OutlineCommand* first, const OutlineCommand* end);

    std::FILE* file;
    const SvgPage page;
    const SvgLook look;
    StrokeOutliner outliner;
    std::vector<OutlineCommand> commands;
    std::string buffer;
    bool groupOpen = false;
    int64_t paths = 0;
};

}  // namespace cli
