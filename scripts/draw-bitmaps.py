#!/usr/bin/env python3
"""Draws the control library's bitmaps into resources/bitmaps/ as 24-bit BMP files.

Plain Python (no imaging library): each picture is a function of (x, y). Run it again after
changing a design and commit the BMP files; the build never runs it.
"""
import math
import os
import struct
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "bitmaps")
BACKGROUND = (232, 232, 232)

# 5 x 7 capitals, enough for the captions drawn here.
GLYPHS = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    " ": ["00000"] * 7,
}


def write_bmp(name, width, height, pixel):
    """pixel(x, y) -> (r, g, b), y = 0 at the top. Rows are stored bottom-up, padded to 4."""
    row_bytes = (width * 3 + 3) & ~3
    body = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = (max(0, min(255, int(c))) for c in pixel(x, y))
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        body += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(header + info + body)


def text_mask(text, scale):
    """Set of (x, y) pixels covered by `text` in the 5 x 7 font at `scale`, and its size."""
    covered = set()
    for i, ch in enumerate(text):
        glyph = GLYPHS[ch]
        for gy, line in enumerate(glyph):
            for gx, bit in enumerate(line):
                if bit == "1":
                    for sy in range(scale):
                        for sx in range(scale):
                            covered.add(((i * 6 + gx) * scale + sx, gy * scale + sy))
    return covered, ((len(text) * 6 - 1) * scale, 7 * scale)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# Push-button skin: four states of an 18 x 24 three-piece button.
SKINS = {
    # state: (first id, top colour, bottom colour, border colour)
    "Normal": (123, (250, 250, 250), (206, 206, 206), (120, 120, 120)),
    "Default": (126, (250, 250, 250), (206, 206, 206), (40, 40, 40)),
    "Hot": (129, (255, 255, 255), (222, 226, 236), (84, 104, 150)),
    "Pressed": (132, (184, 184, 184), (226, 226, 226), (60, 60, 60)),
}


def skin_piece(top, bottom, border, thick, part):
    radius = 5.0

    def pixel(x, y):
        if y >= 22:  # the lowest rows are a shadow line, then background
            return mix(BACKGROUND, (150, 150, 150), 0.5) if y == 22 and part == "middle" or (
                y == 22 and ((part == "left" and x >= 5) or (part == "right" and x <= 12))) else BACKGROUND
        fill = mix(top, bottom, y / 21.0)
        # Distance outside the rounded outline (only the caps are rounded).
        if part == "middle":
            edge = min(y, 21 - y)
            if edge < thick:
                return border
            return fill
        cx = radius if part == "left" else 17 - radius
        inside_x = x >= cx if part == "left" else x <= cx
        if inside_x:
            edge = min(y, 21 - y)
            return border if edge < thick else fill
        cy = min(max(y, radius), 21 - radius)
        d = math.hypot(x - cx, y - cy)
        if d > radius + 0.5:
            return BACKGROUND
        if d > radius - thick + 0.5:
            return mix(border, BACKGROUND, max(0.0, d - radius))
        return fill

    return pixel


def draw_skins():
    for state, (first, top, bottom, border) in SKINS.items():
        thick = 2 if state == "Default" else 1
        write_bmp(f"Skin{state}Right.bmp", 18, 24, skin_piece(top, bottom, border, thick, "right"))
        write_bmp(f"Skin{state}Left.bmp", 18, 24, skin_piece(top, bottom, border, thick, "left"))
        write_bmp(f"Skin{state}Middle.bmp", 18, 24, skin_piece(top, bottom, border, thick, "middle"))


def engraving(width, height, intensity, spacing=4.0, angle_deg=30.0, ink=(28, 28, 28), paper=(240, 236, 226)):
    """Pixel function drawing parallel wavy lines whose width follows intensity(x, y) in 0..1
    (0 white, 1 black), the way the filter itself engraves a picture."""
    a = math.radians(angle_deg)
    ca, sa = math.cos(a), math.sin(a)

    def pixel(x, y):
        u = x * ca + y * sa
        v = -x * sa + y * ca + 1.2 * math.sin(u / 9.0)
        phase = (v / spacing) % 1.0
        dist = min(phase, 1.0 - phase) * spacing  # distance to the nearest line centre
        half = 0.5 * spacing * intensity(x, y)
        t = max(0.0, min(1.0, half - dist + 0.5))
        return mix(paper, ink, t)

    return pixel


def draw_banner():
    # The main dialog places its About button at x 109..303 and its Help button at x 505..544
    # on this banner: the title sits between them, an engraved sphere to the left.
    w, h = 575, 47
    title, (tw, th) = text_mask("MEROVANE II", 2)
    ox, oy = 330, (h - th) // 2

    def shade(x, y):
        dx, dy = (x - 55) / 20.0, (y - 23) / 20.0
        d2 = dx * dx + dy * dy
        if d2 <= 1.0:
            light = max(0.0, -0.5 * dx - 0.5 * dy + 0.7 * math.sqrt(1.0 - d2))
            return 0.1 + 0.85 * (1.0 - light)
        # Quiet lines behind the title so that it reads.
        quiet = 0.25 if ox - 12 <= x <= ox + tw + 12 else 1.0
        return quiet * (0.12 + 0.35 * (0.5 + 0.5 * math.sin(x / 47.0) * math.cos(y / 13.0)))

    base = engraving(w, h, shade, spacing=4.0, angle_deg=-12.0, paper=(226, 226, 230), ink=(60, 64, 80))

    def pixel(x, y):
        if (x - ox, y - oy) in title:
            return (16, 16, 24)
        if (x - ox - 1, y - oy - 1) in title:  # a soft shadow
            return (150, 150, 160)
        if y == h - 1:
            return (120, 120, 120)
        return base(x, y)

    write_bmp("Banner.bmp", w, h, pixel)


def draw_caption_button(name, width, height, caption, top, bottom, text_colour, border):
    mask, (tw, th) = text_mask(caption, 1)
    ox, oy = (width - tw) // 2, (height - th) // 2

    def pixel(x, y):
        if x in (0, width - 1) or y in (0, height - 1):
            return border
        if (x - ox, y - oy) in mask:
            return text_colour
        return mix(top, bottom, y / max(1, height - 1))

    write_bmp(name, width, height, pixel)


def draw_header_buttons():
    looks = {
        "Normal": ((236, 236, 240), (200, 200, 208), (30, 30, 40), (110, 110, 120)),
        "Hover": ((255, 255, 255), (214, 222, 240), (20, 40, 110), (84, 104, 150)),
        "Pressed": ((176, 176, 186), (222, 222, 230), (10, 10, 20), (50, 50, 60)),
    }
    for state, (top, bottom, text, border) in looks.items():
        draw_caption_button(f"About{state}.bmp", 195, 18, "ABOUT MEROVANE II", top, bottom, text, border)
        draw_caption_button(f"Help{state}.bmp", 40, 19, "HELP", top, bottom, text, border)


def draw_checker_toggles():
    def toggle(light, dark, frame):
        def pixel(x, y):
            if x in (0, 11) or y in (0, 11):
                return frame
            return light if ((x - 1) // 5 + (y - 1) // 5) % 2 == 0 else dark
        return pixel

    write_bmp("CheckerOn.bmp", 12, 12, toggle((140, 140, 140), (0, 0, 0), (60, 60, 60)))
    write_bmp("CheckerOff.bmp", 12, 12, toggle((214, 214, 214), (190, 190, 190), (170, 170, 170)))


def draw_about_pictures():
    w, h = 160, 273

    def sphere(x, y):
        # A lit sphere over a darkening ground: the engraving's line width carries the shading.
        dx, dy = (x - 80) / 62.0, (y - 112) / 62.0
        d2 = dx * dx + dy * dy
        if d2 <= 1.0:
            nz = math.sqrt(1.0 - d2)
            light = max(0.0, -0.45 * dx - 0.55 * dy + 0.7 * nz)
            return 0.08 + 0.85 * (1.0 - light)
        ground = min(1.0, max(0.0, (y - 150) / 140.0))
        return 0.12 + 0.6 * ground

    write_bmp("AboutPicture.bmp", w, h, engraving(w, h, sphere, spacing=4.0, angle_deg=35.0))

    tw_, th_ = 302, 38
    mask, (tw, th) = text_mask("MEROVANE II", 4)
    ox, oy = (tw_ - tw) // 2, (th_ - th) // 2

    def title(x, y):
        if (x - ox, y - oy) in mask:
            return (24, 24, 30)
        if (x - ox - 2, y - oy - 2) in mask:
            return (170, 170, 178)
        return BACKGROUND

    write_bmp("AboutTitle.bmp", tw_, th_, title)


def main():
    os.makedirs(OUT, exist_ok=True)
    draw_skins()
    draw_checker_toggles()
    draw_banner()
    draw_header_buttons()
    draw_about_pictures()
    return 0


if __name__ == "__main__":
    sys.exit(main())
