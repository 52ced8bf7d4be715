#!/usr/bin/env python3
"""Draws the program icon and writes res/quillon.ico.

The icon is a grey printer with a printed white sheet and a black round
badge holding a white check mark. It holds 16, 32 and 48 pixels, each in 16
colours (the standard VGA palette, flat colours, no smoothing) and in 256
colours (smoothed edges, a palette of its own): plain paletted bitmaps with
a transparency mask, which every version of Windows reads. Beside them are
16, 20, 24, 32, 40, 48, 64 and 256 pixels in true colour with an alpha
channel, which Windows XP and later take before the paletted ones: their
edges blend into whatever they are drawn on, in the title bar, the
taskbar, Alt+Tab and the shell at any dots per inch. The 16-pixel one
holds the hand-drawn pixels of that size, whole pixels opaque or clear.
They carry a mask as well, through which systems before Windows XP draw
them with hard edges. The
256-pixel one is stored as PNG, as Windows Vista and later read it, which
keeps the file small.

Usage: res/make_icon.py [output.ico]
"""

import math
import struct
import sys
import zlib
from pathlib import Path

SIZES = (16, 32, 48)
ALPHA_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
PNG_SIZES = (256,)
SUBSAMPLES = 8  # per axis, for the smoothed 256-colour images

# The 16 colours of the standard VGA palette, in palette order; index 0,
# black, is also what the transparent pixels hold.
VGA = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, DARK_GREY, LIGHT_GREY, WHITE, GREEN = 0, 8, 7, 15, 10


# Shapes are signed distance functions in pixel units: negative inside.

def rounded_rect(left, top, right, bottom, radius=0.0):
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius

    def distance(x, y):
        dx, dy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
        return outside + min(max(dx, dy), 0.0) - radius
    return distance


def circle(cx, cy, radius):
    return lambda x, y: math.hypot(x - cx, y - cy) - radius


def convex_polygon(points):
    """A convex polygon given clockwise on screen (y down)."""
    edges = []
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        length = math.hypot(x1 - x0, y1 - y0)
        edges.append((x0, y0, (y1 - y0) / length, -(x1 - x0) / length))

    def distance(x, y):
        return max((x - x0) * nx + (y - y0) * ny for x0, y0, nx, ny in edges)
    return distance


def stroke(points, width):
    """A polyline of the given width with round ends and joints."""
    segments = list(zip(points, points[1:]))

    def distance(x, y):
        best = math.inf
        for (x0, y0), (x1, y1) in segments:
            vx, vy = x1 - x0, y1 - y0
            t = max(0.0, min(1.0, ((x - x0) * vx + (y - y0) * vy) / (vx * vx + vy * vy)))
            best = min(best, math.hypot(x - x0 - t * vx, y - y0 - t * vy))
        return best - width / 2
    return distance


def inset(shape, amount):
    return lambda x, y: shape(x, y) + amount


def flat(rgb):
    return lambda x, y: rgb


def vertical_gradient(top, bottom, rgb_top, rgb_bottom):
    def colour(x, y):
        t = max(0.0, min(1.0, (y - top) / (bottom - top)))
        return tuple(round(a + (b - a) * t) for a, b in zip(rgb_top, rgb_bottom))
    return colour


OUTLINE = (0x30, 0x30, 0x30)
PAPER = (0xFF, 0xFF, 0xFF)
INK = (0x50, 0x50, 0x60)
LID_TOP, LID_BOTTOM = (0xEE, 0xEE, 0xEE), (0xC4, 0xC4, 0xC4)
FRONT_TOP, FRONT_BOTTOM = (0xB8, 0xB8, 0xB8), (0x84, 0x84, 0x84)
EDGE = (0x6C, 0x6C, 0x6C)
SLOT = (0x38, 0x38, 0x38)
LIGHT = (0x20, 0xD0, 0x40)
BADGE = (0x10, 0x10, 0x10)


def printer(sheet, text_lines, lid, front, edge, slot, light, size):
    """The printer without its badge, back to front: (shape, colour, VGA index)."""
    body = lambda x, y: min(lid(x, y), front(x, y))
    result = [(sheet, flat(OUTLINE), BLACK), (inset(sheet, 1), flat(PAPER), WHITE)]
    result += [(line, flat(INK), DARK_GREY) for line in text_lines]
    result += [
        (body, flat(OUTLINE), BLACK),
        (inset(lid, 1), vertical_gradient(*row_span(lid, size), LID_TOP, LID_BOTTOM), WHITE),
        (inset(front, 1), vertical_gradient(*row_span(front, size), FRONT_TOP, FRONT_BOTTOM),
         LIGHT_GREY),
        (edge, flat(EDGE), DARK_GREY),
        (slot, flat(SLOT), BLACK),
        (light, flat(LIGHT), GREEN),
    ]
    return result


def row_span(shape, size):
    """The first and last row a shape covers, for its shading."""
    rows = [y + 0.5 for y in range(size) if any(shape(x + 0.5, y + 0.5) <= 0 for x in range(size))]
    return rows[0], rows[-1]


def badge(cx, cy, radius, ring, tick, tick_width):
    """The black check-mark badge, ringed in white so that it stands off the grey body."""
    return [
        (circle(cx, cy, radius + ring), flat(PAPER), WHITE),
        (circle(cx, cy, radius), flat(BADGE), BLACK),
        (stroke(tick, tick_width), flat(PAPER), WHITE),
    ]


def layers(size):
    """The drawing of 20 pixels and more, back to front, in that size's pixels.

    It is laid out on a 48-pixel grid; straight edges are snapped to whole
    pixels so that outlines stay one pixel wide.
    """
    k = size / 48

    def snap(v):
        return round(v * k)

    def rect(left, top, right, bottom, radius=0.0):
        return rounded_rect(snap(left), snap(top), snap(right), snap(bottom), radius * k)

    # Lines of print two pixels high at 48, one at 32 and less.
    thickness = max(1, round(2 * k))
    text = [rounded_rect(snap(16), snap(row), snap(right), snap(row) + thickness)
            for row, right in ((6.5, 30), (10, 26), (13.5, 30), (17, 24))]
    return printer(
        sheet=rect(12, 2, 34, 24),
        text_lines=text,
        lid=convex_polygon([(snap(8), snap(18)), (snap(38), snap(18)),
                            (snap(43), snap(25)), (snap(3), snap(25))]),
        front=rect(3, 24, 43, 40, 2.5),
        edge=rect(4, 24, 42, 25),
        slot=rect(8, 29, 38, 32),
        light=rect(7, 35, 10, 37),
        size=size,
    ) + badge(37.5 * k, 37.5 * k, 9.5 * k, max(1.0, 1.5 * k),
              [(x * k, y * k) for x, y in ((32.5, 38.0), (35.8, 41.2), (42.0, 34.2))], 3.0 * k)


# At 16 pixels a drawing scaled down turns into grey mud, so that size is
# drawn pixel by pixel: the same printer and an 8-pixel badge in the corner.
SMALL = [
    "....KKKKKKKK....",
    "....KWWWWWWK....",
    "....KWiiiiWK....",
    "....KWWWWWWK....",
    "....KWiiiWWK....",
    "..KKKKKKKKKKKK..",
    ".KLLLLLLLLLLLLK.",
    "KllllllllwwwwllK",
    "KeeeeeeeewBBBBwK",
    "KgggggggwBBBBBBw",
    "KgssssswBBBBBwBB",
    "KggggggwBBBBwwBB",
    "KgGggggwBwBwwBBB",
    "KddddddwBwwwBBBB",
    ".KKKKKKKwBwBBBBw",
    ".........wBBBBw.",
]
SMALL_COLOURS = {
    "K": (OUTLINE, BLACK), "W": (PAPER, WHITE), "i": (INK, DARK_GREY),
    "L": (LID_TOP, WHITE), "l": (LID_BOTTOM, WHITE), "e": (EDGE, DARK_GREY),
    "g": (FRONT_TOP, LIGHT_GREY), "d": (FRONT_BOTTOM, DARK_GREY), "s": (SLOT, BLACK),
    "G": (LIGHT, GREEN), "B": (BADGE, BLACK), "w": (PAPER, WHITE),
}


def render_small():
    smooth = [[SMALL_COLOURS[c][0] if c != "." else None for c in row] for row in SMALL]
    flat_pixels = [[SMALL_COLOURS[c][1] if c != "." else None for c in row] for row in SMALL]
    return smooth, flat_pixels


def render(size):
    """Returns the 256-colour pixels (RGB or None) and the 16-colour ones (index or None).

    A pixel is opaque when most of it is covered. The smoothed colour
    averages the covered samples only, so the silhouette does not blend
    with a background it will never be drawn on; the flat colour is that
    of the layer covering most of the pixel.
    """
    if size == 16:
        return render_small()
    drawing = layers(size)
    smooth, flat_pixels = [], []
    offsets = [(i + 0.5) / SUBSAMPLES for i in range(SUBSAMPLES)]
    for py in range(size):
        smooth_row, flat_row = [], []
        for px in range(size):
            total = [0, 0, 0]
            covered = 0
            votes = {}
            for oy in offsets:
                for ox in offsets:
                    x, y = px + ox, py + oy
                    for shape, colour, vga in reversed(drawing):
                        if shape(x, y) <= 0:
                            rgb = colour(x, y)
                            total = [t + c for t, c in zip(total, rgb)]
                            covered += 1
                            votes[vga] = votes.get(vga, 0) + 1
                            break
            if covered * 2 < SUBSAMPLES * SUBSAMPLES:
                smooth_row.append(None)
                flat_row.append(None)
            else:
                smooth_row.append(tuple(round(t / covered) for t in total))
                flat_row.append(max(votes, key=votes.get))
        smooth.append(smooth_row)
        flat_pixels.append(flat_row)
    return smooth, flat_pixels


# Half a pixel's diagonal: a shape edge farther than this from a pixel's
# centre does not cross the pixel.
HALF_DIAGONAL = 0.75


def render_alpha(size):
    """The true-colour pixels, (r, g, b, alpha) with alpha from 0 to 255.

    The alpha is the share of the pixel the drawing covers; the colour
    averages the covered samples. A pixel no edge crosses is one colour and
    is sampled once.
    """
    if size == 16:
        smooth, _ = render_small()
        return [[(0, 0, 0, 0) if rgb is None else rgb + (255,) for rgb in row] for row in smooth]
    drawing = layers(size)
    subsamples = SUBSAMPLES if size <= 64 else 4
    offsets = [(i + 0.5) / subsamples for i in range(subsamples)]
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            cx, cy = px + 0.5, py + 0.5
            if all(abs(shape(cx, cy)) > HALF_DIAGONAL for shape, _, _ in drawing):
                samples = [(cx, cy)]
            else:
                samples = [(px + ox, py + oy) for oy in offsets for ox in offsets]
            total, covered = [0, 0, 0], 0
            for x, y in samples:
                for shape, colour, _ in reversed(drawing):
                    if shape(x, y) <= 0:
                        total = [t + c for t, c in zip(total, colour(x, y))]
                        covered += 1
                        break
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                rgb = tuple(round(t / covered) for t in total)
                row.append(rgb + (round(255 * covered / len(samples)),))
        pixels.append(row)
    return pixels


def true_colour_bitmap(size, pixels):
    """A 32-bit image with its alpha, and the mask older drawing code still reads."""
    mask_stride = (size + 31) // 32 * 4
    colour_rows, mask_rows = [], []
    for y in reversed(range(size)):
        mask_row = bytearray(mask_stride)
        for x, (_, _, _, alpha) in enumerate(pixels[y]):
            if alpha == 0:
                mask_row[x // 8] |= 0x80 >> (x % 8)
        colour_rows.append(b"".join(struct.pack("<BBBB", b, g, r, a) for r, g, b, a in pixels[y]))
        mask_rows.append(bytes(mask_row))
    data = b"".join(colour_rows) + b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(data), 0, 0, 0, 0)
    return header + data


def png(size, pixels):
    """The image as a PNG file: 8-bit RGBA, no filtering, top row first."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    rows = b"".join(b"\0" + bytes(channel for pixel in row for channel in pixel) for row in pixels)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9))
            + chunk(b"IEND", b""))


def palette_of(pixels):
    """Black first (the transparent pixels use index 0), then the image's colours."""
    colours = sorted({rgb for row in pixels for rgb in row if rgb is not None} - {(0, 0, 0)})
    if len(colours) > 255:
        sys.exit(f"{len(colours)} colours do not fit a 256-colour palette; use fewer shades")
    return [(0, 0, 0)] + colours


def bitmap(size, bits, palette, indexes, mask):
    """One icon image: header, palette, colour rows and mask rows, bottom row first."""
    colour_stride = (size * bits + 31) // 32 * 4
    mask_stride = (size + 31) // 32 * 4
    colour_rows, mask_rows = [], []
    for y in reversed(range(size)):
        row = bytearray(colour_stride)
        mask_row = bytearray(mask_stride)
        for x in range(size):
            if bits == 4:
                row[x // 2] |= indexes[y][x] << (4 if x % 2 == 0 else 0)
            else:
                row[x] = indexes[y][x]
            if mask[y][x]:
                mask_row[x // 8] |= 0x80 >> (x % 8)
        colour_rows.append(bytes(row))
        mask_rows.append(bytes(mask_row))
    pixels = b"".join(colour_rows) + b"".join(mask_rows)
    full_palette = list(palette) + [(0, 0, 0)] * ((1 << bits) - len(palette))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(pixels), 0, 0, 0, 0)
    return header + b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in full_palette) + pixels


def images():
    """(size, bits, image) for every image: 16 colours, 256 colours, then true colour."""
    rendered = {size: render(size) for size in SIZES}
    result = []
    for size in SIZES:
        _, flat_pixels = rendered[size]
        mask = [[index is None for index in row] for row in flat_pixels]
        indexes = [[index or 0 for index in row] for row in flat_pixels]
        result.append((size, 4, bitmap(size, 4, VGA, indexes, mask)))
    for size in SIZES:
        smooth, _ = rendered[size]
        palette = palette_of(smooth)
        index_of = {rgb: index for index, rgb in enumerate(palette)}
        indexes = [[index_of.get(rgb, 0) for rgb in row] for row in smooth]
        mask = [[rgb is None for rgb in row] for row in smooth]
        result.append((size, 8, bitmap(size, 8, palette, indexes, mask)))
    for size in ALPHA_SIZES:
        pixels = render_alpha(size)
        image = png(size, pixels) if size in PNG_SIZES else true_colour_bitmap(size, pixels)
        result.append((size, 32, image))
    return result


def icon_file(entries):
    directory = struct.pack("<HHH", 0, 1, len(entries))
    offset = len(directory) + 16 * len(entries)
    data = b""
    for size, bits, image in entries:
        colours = 1 << bits if bits < 8 else 0
        # A width and height of 256 are written as 0.
        side = size % 256
        directory += struct.pack("<BBBBHHII", side, side, colours, 0, 1, bits, len(image),
                                 offset + len(data))
        data += image
    return directory + data


def main():
    output = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("quillon.ico")
    output.write_bytes(icon_file(images()))


if __name__ == "__main__":
    main()
