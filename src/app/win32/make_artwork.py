#!/usr/bin/env python3
"""Draws the program's artwork (qx4810.svg: the keyboard of a small cash register) as the
Windows resources: qx4810.ico (16, 32, 48, 64 and 256 pixels) and logo.bmp. Standard library
only; the shapes are the SVG's rectangles, drawn with 4x4 supersampling.

Run from this folder: python3 make_artwork.py
"""
import re
import struct
import xml.etree.ElementTree as ET
import os
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SVG = os.path.join(HERE, "..", "qx4810.svg")


def parse_color(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def shapes():
    """(x, y, w, h, rx, fill, stroke, stroke_width) in the 64-unit viewBox, back to front."""
    tree = ET.parse(SVG)
    ns = "{http://www.w3.org/2000/svg}"
    out = []

    def walk(node, fill, stroke, sw):
        fill = node.get("fill", fill)
        stroke = node.get("stroke", stroke)
        sw = float(node.get("stroke-width", sw))
        if node.tag == ns + "rect":
            f = fill
            if f and f.startswith("url("):
                f = "gradient"
            out.append((float(node.get("x")), float(node.get("y")), float(node.get("width")),
                        float(node.get("height")), float(node.get("rx", 0)), f, stroke, sw))
        for child in node:
            if child.tag != ns + "defs":
                walk(child, fill, stroke, sw)

    walk(tree.getroot(), None, None, 1.0)
    return out


def inside_round_rect(px, py, x, y, w, h, r):
    if px < x or py < y or px > x + w or py > y + h:
        return False
    r = min(r, w / 2, h / 2)
    cx = min(max(px, x + r), x + w - r)
    cy = min(max(py, y + r), y + h - r)
    return (px - cx) ** 2 + (py - cy) ** 2 <= r * r + 1e-9


def colour_at(px, py, items):
    """RGBA of the point (viewBox units) or None when nothing is there."""
    result = None
    for (x, y, w, h, r, fill, stroke, sw) in items:
        half = sw / 2 if stroke else 0
        if not inside_round_rect(px, py, x - half, y - half, w + 2 * half, h + 2 * half, r + half):
            continue
        if stroke and not inside_round_rect(px, py, x + half, y + half, w - 2 * half,
                                            h - 2 * half, max(0, r - half)):
            result = parse_color(stroke)
        elif fill == "gradient":
            t = (py - y) / h
            a, b = parse_color("4a4f57"), parse_color("2b2e33")
            result = tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))
        elif fill:
            result = parse_color(fill)
    return result


def render(size, background=None):
    """Rows top to bottom of (r, g, b, a)."""
    items = shapes()
    n = 4
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            acc = [0, 0, 0, 0]
            for sj in range(n):
                for si in range(n):
                    px = (i + (si + 0.5) / n) * 64.0 / size
                    py = (j + (sj + 0.5) / n) * 64.0 / size
                    c = colour_at(px, py, items)
                    if c is None:
                        if background is None:
                            continue
                        c = background
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
                    acc[3] += 255
            k = n * n
            if acc[3]:
                cover = acc[3] // 255
                row.append((acc[0] // cover, acc[1] // cover, acc[2] // cover, acc[3] // k))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def dib(rows, with_mask):
    """A BITMAPINFOHEADER plus 32-bit pixels bottom-up (and an AND mask for icons)."""
    size = len(rows)
    height = size * 2 if with_mask else size
    header = struct.pack("<IiiHHIIiiII", 40, size, height, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask = b""
    if with_mask:
        stride = ((size + 31) // 32) * 4
        for row in reversed(rows):
            bits = bytearray(stride)
            for i, (_, _, _, a) in enumerate(row):
                if a == 0:
                    bits[i // 8] |= 0x80 >> (i % 8)
            mask += bytes(bits)
    return header + pixels + mask


def png(rows):
    """The picture as a PNG (8-bit RGBA): what an icon holds for its 256-pixel image."""
    size = len(rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_ico(path, sizes):
    # Small sizes as bitmaps with a mask; 256 pixels as a PNG, as the system expects it.
    images = [png(render(s)) if s >= 256 else dib(render(s), True) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def write_bmp(path, size, background):
    rows = render(size, background)
    stride = (size * 3 + 3) & ~3
    pixels = b""
    for row in reversed(rows):
        line = b"".join(bytes((b, g, r)) for (r, g, b, _) in row)
        pixels += line + b"\0" * (stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(pixels), 0, 0, 14 + 40))
        f.write(header + pixels)


if __name__ == "__main__":
    write_ico(os.path.join(HERE, "qx4810.ico"), [16, 32, 48, 64, 256])
    # The logo sits on the forms' face colour.
    write_bmp(os.path.join(HERE, "logo.bmp"), 128, (240, 240, 240))
