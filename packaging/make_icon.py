#!/usr/bin/env python3
"""Draws the application icon of asmsim: one SVG and PNGs at the hicolor theme's sizes.

The icon is a small ASM diagram (a state box, its arrow, a decision diamond with its two
exits) over a clock-like square wave, on a rounded blue tile. It is described once, as a
list of shapes in a 256 x 256 box; the SVG writes those shapes as they are, and the PNGs
paint them with 4 x 4 supersampling, using only the standard library. Strokes never get
thinner than 1.3 pixels, so the small sizes keep their lines.

Run it from any directory; the files land in icons/hicolor/ next to this script.
"""

import os
import struct
import zlib

BOX = 256
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
SAMPLES = 4  # per axis
MIN_STROKE_PX = 1.3

TILE = "#1f4e79"
TILE_EDGE = "#163a5c"
PAPER = "#f4f6f8"
DIAMOND = "#ffd54a"
DIAMOND_EDGE = "#b8901a"
WAVE = "#7ee081"

# Each shape: (kind, geometry, fill colour, stroke colour or None, stroke width).
SHAPES = [
    ("roundrect", (14, 14, 242, 242, 44), TILE, TILE_EDGE, 6),
    ("roundrect", (74, 34, 182, 86, 6), PAPER, None, 0),                       # state box
    ("polyline", [(128, 86), (128, 98)], None, PAPER, 10),                     # its exit
    ("polygon", [(112, 96), (144, 96), (128, 110)], PAPER, None, 0),           # arrow head
    ("polygon", [(128, 108), (184, 140), (128, 172), (72, 140)], DIAMOND, DIAMOND_EDGE, 4),
    ("polyline", [(72, 140), (46, 140), (46, 160)], None, PAPER, 9),           # exit 0
    ("polyline", [(184, 140), (210, 140), (210, 160)], None, PAPER, 9),        # exit 1
    ("polyline", [(40, 222), (72, 222), (72, 190), (128, 190), (128, 222), (184, 222),
                  (184, 190), (216, 190)], None, WAVE, 10),                    # the clock
]


# --- SVG --------------------------------------------------------------------------------

def points_text(points):
    return " ".join(f"{x:g},{y:g}" for x, y in points)


def svg_shape(kind, geometry, fill, stroke, width):
    paint = f'fill="{fill or "none"}"'
    if stroke:
        paint += f' stroke="{stroke}" stroke-width="{width:g}" stroke-linejoin="round"'
        paint += ' stroke-linecap="round"'
    if kind == "roundrect":
        x0, y0, x1, y1, r = geometry
        return f'  <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" rx="{r}" {paint}/>'
    if kind == "polygon":
        return f'  <polygon points="{points_text(geometry)}" {paint}/>'
    return f'  <polyline points="{points_text(geometry)}" {paint}/>'


def svg():
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{BOX}" height="{BOX}" '
        f'viewBox="0 0 {BOX} {BOX}">',
        "  <title>asmsim</title>",
    ]
    lines += [svg_shape(*shape) for shape in SHAPES]
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


# --- painting ---------------------------------------------------------------------------

def rgb(hex_text):
    value = int(hex_text.lstrip("#"), 16)
    return (value >> 16 & 255, value >> 8 & 255, value & 255)


def inside_polygon(points, x, y):
    hit = False
    for i in range(len(points)):
        (ax, ay), (bx, by) = points[i], points[(i + 1) % len(points)]
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            hit = not hit
    return hit


def near_segment(a, b, x, y, half):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    px, py = ax + t * dx - x, ay + t * dy - y
    return px * px + py * py <= half * half


def inside_roundrect(geometry, x, y):
    x0, y0, x1, y1, r = geometry
    if not (x0 <= x <= x1 and y0 <= y <= y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def outline_points(kind, geometry):
    if kind == "polygon":
        return list(geometry) + [geometry[0]]
    if kind == "polyline":
        return list(geometry)
    return None


def layers(shape, stroke_floor):
    """The fill and the stroke of a shape as (test, colour, bounds) layers, in box units."""
    kind, geometry, fill, stroke, width = shape
    result = []
    if kind == "roundrect":
        x0, y0, x1, y1, _ = geometry
        bounds = (x0, y0, x1, y1)
        if fill:
            result.append((lambda x, y: inside_roundrect(geometry, x, y), fill, bounds))
        if stroke:
            half = max(width, stroke_floor) / 2
            x0, y0, x1, y1, r = geometry
            outer = (x0 - half, y0 - half, x1 + half, y1 + half, r + half)
            inner = (x0 + half, y0 + half, x1 - half, y1 - half, max(0, r - half))
            result.append((lambda x, y: inside_roundrect(outer, x, y)
                           and not inside_roundrect(inner, x, y), stroke, outer[:4]))
        return result
    xs = [p[0] for p in geometry]
    ys = [p[1] for p in geometry]
    if fill and kind == "polygon":
        result.append((lambda x, y: inside_polygon(geometry, x, y), fill,
                       (min(xs), min(ys), max(xs), max(ys))))
    if stroke:
        half = max(width, stroke_floor) / 2
        path = outline_points(kind, geometry)
        pairs = list(zip(path, path[1:]))
        result.append((lambda x, y: any(near_segment(a, b, x, y, half) for a, b in pairs), stroke,
                       (min(xs) - half, min(ys) - half, max(xs) + half, max(ys) + half)))
    return result


def paint(size):
    scale = size / BOX
    stroke_floor = MIN_STROKE_PX / scale
    all_layers = [layer for shape in SHAPES for layer in layers(shape, stroke_floor)]
    premultiplied = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]
    step = 1.0 / SAMPLES
    weight = 1.0 / (SAMPLES * SAMPLES)
    for test, colour, (bx0, by0, bx1, by1) in all_layers:
        r, g, b = rgb(colour)
        # Only the pixels under the layer's bounds are visited.
        px0, py0 = max(0, int(bx0 * scale) - 1), max(0, int(by0 * scale) - 1)
        px1, py1 = min(size, int(bx1 * scale) + 2), min(size, int(by1 * scale) + 2)
        for py in range(py0, py1):
            for px in range(px0, px1):
                covered = 0
                for sy in range(SAMPLES):
                    y = (py + (sy + 0.5) * step) / scale
                    for sx in range(SAMPLES):
                        if test((px + (sx + 0.5) * step) / scale, y):
                            covered += 1
                if covered:
                    a = covered * weight
                    pixel = premultiplied[py * size + px]
                    pixel[0] = r * a + pixel[0] * (1 - a)
                    pixel[1] = g * a + pixel[1] * (1 - a)
                    pixel[2] = b * a + pixel[2] * (1 - a)
                    pixel[3] = a + pixel[3] * (1 - a)
    raw = bytearray()
    for py in range(size):
        raw.append(0)  # PNG filter type "none" for the row
        for px in range(size):
            r, g, b, a = premultiplied[py * size + px]
            if a > 0:
                raw.extend([min(255, round(r / a)), min(255, round(g / a)), min(255, round(b / a)),
                            round(a * 255)])
            else:
                raw.extend([0, 0, 0, 0])
    return bytes(raw)


def png(size, raw):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def main():
    theme = os.path.join(os.path.dirname(os.path.abspath(__file__)), "icons", "hicolor")
    write(os.path.join(theme, "scalable", "apps", "asmsim.svg"), svg().encode("utf-8"))
    for size in SIZES:
        write(os.path.join(theme, f"{size}x{size}", "apps", "asmsim.png"), png(size, paint(size)))


if __name__ == "__main__":
    main()
