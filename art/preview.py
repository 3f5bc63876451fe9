#!/usr/bin/env python3
"""Contact sheets for checking the artwork by eye.

Usage: python3 art/preview.py OUTDIR [SHEETDIR]

Reads the .ico and .bmp files that render.py wrote into OUTDIR (parsing
them independently, so broken files show up here) and writes PNG sheets
into SHEETDIR (default OUTDIR/preview): every icon at each stored size,
enlarged with nearest-neighbour on white and on mid-grey, plus the welcome
pictures at 1:1.
"""

import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from render import png_bytes  # noqa: E402


def read_png(data):
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, idat = 8, b""
    while pos < len(data):
        n, tag = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if tag == b"IHDR":
            w, h, depth, ctype = struct.unpack(">IIBB", body[:10])
            assert (depth, ctype) == (8, 6), "expected 8-bit RGBA"
        elif tag == b"IDAT":
            idat += body
        pos += 12 + n
    raw = zlib.decompress(idat)
    stride = w * 4
    out, prev = bytearray(), bytearray(stride)
    for y in range(h):
        ft = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = row[i - 4] if i >= 4 else 0
            b = prev[i]
            c = prev[i - 4] if i >= 4 else 0
            if ft == 1:
                row[i] = (row[i] + a) & 0xFF
            elif ft == 2:
                row[i] = (row[i] + b) & 0xFF
            elif ft == 3:
                row[i] = (row[i] + (a + b) // 2) & 0xFF
            elif ft == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                row[i] = (row[i] + pred) & 0xFF
        out += row
        prev = row
    return w, h, bytes(out)


def read_ico(path):
    """[(size, rgba)] for every entry, checking the structure on the way."""
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    assert (reserved, kind) == (0, 1), path
    images = []
    for k in range(count):
        w, h, colours, _, planes, bpp, n, off = struct.unpack(
            "<BBBBHHII", data[6 + 16 * k:22 + 16 * k])
        w, h = w or 256, h or 256
        blob = data[off:off + n]
        assert len(blob) == n, path
        if blob[:4] == b"\x89PNG":
            pw, ph, rgba = read_png(blob)
            assert (pw, ph) == (w, h), path
        else:
            hsize, bw, bh, _, bits = struct.unpack("<IiiHH", blob[:16])
            assert (hsize, bw, bh, bits) == (40, w, 2 * h, 32), path
            mask_stride = (w + 31) // 32 * 4
            assert n == 40 + w * h * 4 + mask_stride * h, path
            rgba = bytearray(w * h * 4)
            for y in range(h):
                src = 40 + (h - 1 - y) * w * 4
                mrow = 40 + w * h * 4 + (h - 1 - y) * mask_stride
                for x in range(w):
                    b, g, r, a = blob[src + x * 4:src + x * 4 + 4]
                    masked = blob[mrow + (x >> 3)] >> (7 - (x & 7)) & 1
                    assert masked == (a == 0), (path, w, x, y)
                    rgba[(y * w + x) * 4:(y * w + x) * 4 + 4] = (r, g, b, a)
            rgba = bytes(rgba)
        images.append((w, rgba))
    return images


def read_bmp(path):
    data = open(path, "rb").read()
    assert data[:2] == b"BM"
    off = struct.unpack("<I", data[10:14])[0]
    w, h, _, bits = struct.unpack("<iiHH", data[18:30])
    assert bits == 24 and h > 0
    stride = (w * 3 + 3) // 4 * 4
    assert len(data) == off + stride * h, path
    rgba = bytearray()
    for y in range(h):
        row = data[off + (h - 1 - y) * stride:]
        for x in range(w):
            b, g, r = row[x * 3:x * 3 + 3]
            rgba += bytes((r, g, b, 255))
    return w, h, bytes(rgba)


class Sheet:
    def __init__(self, width, height, colour=(236, 238, 242)):
        self.w, self.h = width, height
        self.px = bytearray(bytes(colour) + b"\xff") * (width * height)

    def rect(self, x, y, w, h, colour):
        for j in range(y, y + h):
            o = (j * self.w + x) * 4
            self.px[o:o + w * 4] = (bytes(colour) + b"\xff") * w

    def blit(self, x, y, w, h, rgba, zoom=1):
        for j in range(h * zoom):
            sy = j // zoom
            o = ((y + j) * self.w + x) * 4
            for i in range(w * zoom):
                s = (sy * w + i // zoom) * 4
                r, g, b, a = rgba[s:s + 4]
                dr, dg, db = self.px[o:o + 3]
                self.px[o:o + 3] = bytes(
                    (c * a + d * (255 - a) + 127) // 255
                    for c, d in ((r, dr), (g, dg), (b, db)))
                o += 4

    def save(self, path):
        with open(path, "wb") as f:
            f.write(png_bytes(self.w, self.h, bytes(self.px)))


def icon_sheet(icons, sizes, zoom, path):
    """One row per icon: each size zoomed on white, then on grey, 1:1."""
    gap = 8
    cell = [s * zoom for s in sizes]
    half = sum(cell) + gap * len(sizes)
    ones = sum(sizes) + gap * len(sizes)
    row_h = max(cell) + gap
    sheet = Sheet(gap + 2 * (half + gap) + ones,
                  gap + row_h * len(icons))
    for r, images in enumerate(icons):
        by_size = dict(images)
        y = gap + r * row_h
        x = gap
        for bg in ((255, 255, 255), (128, 128, 128)):
            sheet.rect(x - gap // 2, y - gap // 2, half, row_h, bg)
            for s in sizes:
                if s in by_size:
                    sheet.blit(x, y, s, s, by_size[s], zoom)
                x += s * zoom + gap
            x += gap
        sheet.rect(x - gap // 2, y - gap // 2, ones, row_h, (255, 255, 255))
        for s in sizes:
            if s in by_size:
                sheet.blit(x, y, s, s, by_size[s])
            x += s + gap
    sheet.save(path)


def main(argv):
    outdir = argv[1]
    sheets = argv[2] if len(argv) > 2 else os.path.join(outdir, "preview")
    os.makedirs(sheets, exist_ok=True)
    ico = {n: read_ico(os.path.join(outdir, n))
           for n in sorted(os.listdir(outdir)) if n.endswith(".ico")}
    cats = [ico["cat%d.ico" % i] for i in range(10)]
    others = [ico[n] for n in ("state1.ico", "state2.ico", "state3.ico",
                               "glyph_backup.ico", "glyph_cleanup.ico",
                               "glyph_exchange.ico")]
    small = [16, 20, 24, 32]
    icon_sheet(cats[:5], small, 4, os.path.join(sheets, "cats1.png"))
    icon_sheet(cats[5:], small, 4, os.path.join(sheets, "cats2.png"))
    icon_sheet(cats, [40, 48], 3, os.path.join(sheets, "cats_large.png"))
    icon_sheet(others, small, 4,
               os.path.join(sheets, "states_glyphs.png"))
    icon_sheet(others, [40, 48], 3,
               os.path.join(sheets, "states_glyphs_large.png"))
    program = [ico["marlowen.ico"]]
    icon_sheet(program, [16, 20, 24, 32, 40, 48], 4,
               os.path.join(sheets, "program.png"))
    icon_sheet(program, [64, 256], 1,
               os.path.join(sheets, "program_large.png"))
    for name in ("welcome.bmp", "welcome2x.bmp"):
        w, h, rgba = read_bmp(os.path.join(outdir, name))
        sheet = Sheet(w + 16, h + 16, (200, 0, 200))
        sheet.blit(8, 8, w, h, rgba)
        sheet.save(os.path.join(sheets, name[:-4] + ".png"))
    print("sheets written to", sheets)


if __name__ == "__main__":
    main(sys.argv)
