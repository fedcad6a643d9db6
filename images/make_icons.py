#!/usr/bin/env python3
"""Draws the seven tool-bar icons of the simulator window as 32x32 PNG files.

Only the standard library is used: every icon is a list of simple shapes (rectangles,
polygons, circles, thick line segments) painted back to front, with 4x4 supersampling
for smooth edges, and written with zlib. Run it from any directory; the PNGs land next
to this script.
"""

import os
import struct
import zlib

SIZE = 32
SAMPLES = 4  # per axis, so 16 samples per pixel


# --- shapes: each is a function (x, y) -> bool over pixel coordinates -------------------

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def polygon(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > y) != (by > y):
                cross = ax + (y - ay) * (bx - ax) / (by - ay)
                if x < cross:
                    hit = not hit
        return hit
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r, width):
    inner = r - width
    return lambda x, y: inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def segment(ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    half = width / 2.0

    def inside(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= half * half
    return inside


def outline(points, width):
    """The closed border of a polygon as thick segments."""
    edges = [segment(*points[i], *points[(i + 1) % len(points)], width) for i in range(len(points))]
    return lambda x, y: any(edge(x, y) for edge in edges)


# --- colours --------------------------------------------------------------------------

def rgb(hex_text, alpha=255):
    value = int(hex_text.lstrip("#"), 16)
    return (value >> 16 & 255, value >> 8 & 255, value & 255, alpha)


INK = rgb("#3a3a3a")
PAPER = rgb("#fdfdfd")
PAPER_SHADE = rgb("#d8d8d8")


# --- the icons ------------------------------------------------------------------------

def page(x0, y0, x1, y1, fold=7):
    """A sheet of paper with its top right corner folded down."""
    body = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    corner = [(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]
    return [
        (polygon(body), PAPER),
        (polygon(corner), PAPER_SHADE),
        (outline(body, 1.4), INK),
        (outline(corner, 1.0), INK),
    ]


def icon_new():
    return page(7, 3, 25, 29)


def icon_open():
    back = [(3, 8), (12, 8), (14, 11), (27, 11), (27, 27), (3, 27)]
    front = [(6, 15), (30, 15), (26, 27), (3, 27)]
    return [
        (polygon(back), rgb("#d9a520")),
        (outline(back, 1.2), rgb("#7a5a10")),
        (polygon(front), rgb("#f6cf4f")),
        (outline(front, 1.2), rgb("#7a5a10")),
    ]


def icon_save():
    body = [(4, 4), (25, 4), (28, 7), (28, 28), (4, 28)]
    return [
        (polygon(body), rgb("#2f5fa8")),
        (outline(body, 1.2), rgb("#16305a")),
        (rect(9, 4, 23, 13), rgb("#c8ccd2")),          # metal shutter
        (rect(18, 6, 21, 11), rgb("#2f5fa8")),         # its window
        (rect(8, 17, 24, 28), PAPER),                  # label
        (segment(10, 21, 22, 21, 1.0), rgb("#9aa4b4")),
        (segment(10, 24.5, 22, 24.5, 1.0), rgb("#9aa4b4")),
    ]


def icon_cut():
    steel = rgb("#7d8590")
    handle = rgb("#c0302a")
    return [
        (polygon([(10.5, 2), (13, 2), (19, 20), (16.5, 21)]), steel),   # blade from the left ring
        (polygon([(21.5, 2), (19, 2), (13, 20), (15.5, 21)]), steel),   # blade from the right ring
        (outline([(10.5, 2), (13, 2), (19, 20), (16.5, 21)], 0.8), INK),
        (outline([(21.5, 2), (19, 2), (13, 20), (15.5, 21)], 0.8), INK),
        (circle(16, 15.5, 1.2), INK),                                   # pivot
        (ring(10, 24, 5.5, 2.4), handle),
        (ring(22, 24, 5.5, 2.4), handle),
    ]


def icon_copy():
    return page(3, 2, 19, 24, fold=6) + page(12, 8, 28, 30, fold=6)


def icon_paste():
    board = [(5, 5), (27, 5), (27, 30), (5, 30)]
    sheet = [(9, 10), (23, 10), (23, 27), (9, 27)]
    return [
        (polygon(board), rgb("#a0683a")),
        (outline(board, 1.2), rgb("#5a3818")),
        (polygon(sheet), PAPER),
        (outline(sheet, 1.0), INK),
        (segment(11.5, 15, 20.5, 15, 1.0), rgb("#9a9a9a")),
        (segment(11.5, 19, 20.5, 19, 1.0), rgb("#9a9a9a")),
        (segment(11.5, 23, 17.5, 23, 1.0), rgb("#9a9a9a")),
        (rect(11, 2, 21, 8), rgb("#b8bcc4")),                 # the clip
        (outline([(11, 2), (21, 2), (21, 8), (11, 8)], 1.0), INK),
    ]


def icon_run():
    triangle = [(8, 4), (28, 16), (8, 28)]
    return [
        (polygon(triangle), rgb("#2fa83a")),
        (outline(triangle, 1.6), rgb("#17621e")),
    ]


ICONS = {
    "new": icon_new,
    "open": icon_open,
    "save": icon_save,
    "cut": icon_cut,
    "copy": icon_copy,
    "paste": icon_paste,
    "run": icon_run,
}


# --- painting and PNG output ----------------------------------------------------------

def over(dst, src):
    """Porter-Duff 'source over' on straight (non-premultiplied) RGBA floats."""
    sa = src[3] / 255.0
    da = dst[3] / 255.0
    out_a = sa + da * (1 - sa)
    if out_a == 0:
        return (0.0, 0.0, 0.0, 0.0)
    channels = [(src[i] * sa + dst[i] * da * (1 - sa)) / out_a for i in range(3)]
    return (*channels, out_a * 255.0)


def paint(shapes):
    pixels = bytearray()
    step = 1.0 / SAMPLES
    for py in range(SIZE):
        pixels.append(0)  # PNG filter type "none" for the row
        for px in range(SIZE):
            sums = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x, y = px + (sx + 0.5) * step, py + (sy + 0.5) * step
                    colour = (0.0, 0.0, 0.0, 0.0)
                    for inside, fill in shapes:
                        if inside(x, y):
                            colour = over(colour, fill)
                    # Average premultiplied colour so edges do not darken.
                    a = colour[3] / 255.0
                    for i in range(3):
                        sums[i] += colour[i] * a
                    sums[3] += colour[3]
            count = SAMPLES * SAMPLES
            alpha = sums[3] / count
            if alpha > 0:
                scale = 255.0 / alpha
                rgb_out = [min(255, round(sums[i] / count * scale)) for i in range(3)]
            else:
                rgb_out = [0, 0, 0]
            pixels.extend(rgb_out + [round(alpha)])
    return bytes(pixels)


def png(raw):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in ICONS.items():
        with open(os.path.join(here, name + ".png"), "wb") as out:
            out.write(png(paint(draw())))


if __name__ == "__main__":
    main()
