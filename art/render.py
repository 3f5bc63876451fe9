#!/usr/bin/env python3
"""Render all of Marlowen's artwork from the drawings in this file.

Usage: python3 art/render.py OUTDIR

Writes the program icon, the category, check-state and button icons (.ico)
and the welcome-page illustration (.bmp) into OUTDIR.  Only the Python
standard library is used, so the artwork can be rebuilt on any machine and
the output is byte-for-byte reproducible.
"""

import math
import os
import struct
import sys
import zlib
from contextlib import contextmanager

# ---------------------------------------------------------------------------
# Colours: (r, g, b, a) floats in 0..1.


def rgb(hexstr, alpha=1.0):
    h = hexstr.lstrip("#")
    return (int(h[0:2], 16) / 255.0, int(h[2:4], 16) / 255.0,
            int(h[4:6], 16) / 255.0, alpha)


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


# One palette for everything so the pictures look like a family.
WHITE = rgb("#FFFFFF")
PAPER = rgb("#FFFFFF")
PAPER_LINE = rgb("#7D8795")
FOLD = rgb("#DCE1E8")
GREY = rgb("#8A94A3")
GREY_DARK = rgb("#4E5766")
GREY_LIGHT = rgb("#E6E9EE")
BLUE = rgb("#2B7CD3")
BLUE_DARK = rgb("#1A5A9E")
SKY = rgb("#3D9BE9")
SKY_DARK = rgb("#1F6DB5")
GREEN = rgb("#2E9E4F")
GREEN_DARK = rgb("#1D6F37")
RED = rgb("#E0443C")
RED_DARK = rgb("#A82820")
ORANGE = rgb("#F08A24")
ORANGE_DARK = rgb("#B35F0C")
YELLOW = rgb("#FFC83D")
YELLOW_BACK = rgb("#EDA92A")
YELLOW_DARK = rgb("#BF8412")
PURPLE = rgb("#7A5AD8")
PURPLE_DARK = rgb("#4F33A3")
PINK = rgb("#D9367A")
PINK_DARK = rgb("#9E1D52")
TEAL = rgb("#14A09A")
TEAL_DARK = rgb("#0C6F6A")
STEEL = rgb("#B4BECB")
STEEL_DARK = rgb("#535F72")
NAVY = rgb("#22304F")
NAVY_LIGHT = rgb("#34487A")
NAVY_DARK = rgb("#141C30")
CREAM = rgb("#F6E7C8")
CREAM_DARK = rgb("#A9834A")

# The nine category colours in hue order; used where categories appear as
# coloured tiles (program icon, welcome illustration).
CATEGORY_COLOURS = [
    (RED, RED_DARK), (ORANGE, ORANGE_DARK), (YELLOW, YELLOW_DARK),
    (GREEN, GREEN_DARK), (TEAL, TEAL_DARK), (SKY, SKY_DARK),
    (BLUE, BLUE_DARK), (PURPLE, PURPLE_DARK), (PINK, PINK_DARK),
]

# ---------------------------------------------------------------------------
# Geometry in pixel space.  A Shape is a set of closed polygons, all wound
# the same way, so that filling with the non-zero rule gives their union.


class Shape:
    __slots__ = ("paths",)

    def __init__(self, paths=()):
        self.paths = [_ccw(p) for p in paths if len(p) >= 3]

    def __add__(self, other):
        s = Shape()
        s.paths = self.paths + other.paths
        return s


def _ccw(path):
    area = 0.0
    px, py = path[-1]
    for x, y in path:
        area += px * y - x * py
        px, py = x, y
    return list(path) if area >= 0 else list(reversed(path))


def _segments(radius, sweep=2 * math.pi):
    # Keep the chord error below ~0.05 px whatever the radius.
    step = math.sqrt(0.4 / max(radius, 0.25))
    return max(3, min(1024, int(math.ceil(abs(sweep) / step))))


def _arc_pts(cx, cy, rx, ry, a0, a1):
    n = _segments(max(rx, ry), a1 - a0)
    return [(cx + rx * math.cos(a0 + (a1 - a0) * i / n),
             cy + ry * math.sin(a0 + (a1 - a0) * i / n)) for i in range(n + 1)]


def _disc(cx, cy, r):
    return _arc_pts(cx, cy, r, r, 0.0, 2 * math.pi)[:-1]


def _stroke(points, hw, closed=False, cap="round"):
    """Polygons covering a polyline of half-width hw.

    Gentle bends (flattened curves) share a mitred offset between the two
    segments so no wedge-shaped gaps appear on the outside; sharp corners
    get a round join instead.
    """
    pts = []
    for p in points:
        if not pts or p != pts[-1]:
            pts.append(p)
    if closed and len(pts) > 1 and pts[0] == pts[-1]:
        pts.pop()
    n = len(pts)
    if n < 2:
        return Shape([_disc(pts[0][0], pts[0][1], hw)] if pts and
                     cap == "round" else [])
    if not closed and cap == "square":
        for i, j in ((0, 1), (n - 1, n - 2)):
            dx, dy = pts[i][0] - pts[j][0], pts[i][1] - pts[j][1]
            d = math.hypot(dx, dy)
            pts[i] = (pts[i][0] + dx / d * hw, pts[i][1] + dy / d * hw)
    nseg = n if closed else n - 1
    normals = []
    for i in range(nseg):
        (ax, ay), (bx, by) = pts[i], pts[(i + 1) % n]
        d = math.hypot(bx - ax, by - ay)
        normals.append((-(by - ay) / d, (bx - ax) / d))
    paths = []
    mitre = [None] * n
    for i in range(n):
        if not closed and (i == 0 or i == n - 1):
            continue
        n0, n1 = normals[i - 1], normals[i % nseg]
        if n0[0] * n1[0] + n0[1] * n1[1] > 0.97:
            bx, by = n0[0] + n1[0], n0[1] + n1[1]
            k = 2.0 * hw / (bx * bx + by * by)
            mitre[i] = (bx * k, by * k)
        else:
            paths.append(_disc(pts[i][0], pts[i][1], hw))
    for i in range(nseg):
        (ax, ay), (bx, by) = pts[i], pts[(i + 1) % n]
        nx, ny = normals[i][0] * hw, normals[i][1] * hw
        sx, sy = mitre[i] or (nx, ny)
        ex, ey = mitre[(i + 1) % n] or (nx, ny)
        paths.append([(ax + sx, ay + sy), (bx + ex, by + ey),
                      (bx - ex, by - ey), (ax - sx, ay - sy)])
    if cap == "round" and not closed:
        paths.append(_disc(pts[0][0], pts[0][1], hw))
        paths.append(_disc(pts[-1][0], pts[-1][1], hw))
    return Shape(paths)


# ---------------------------------------------------------------------------
# Coverage masks.  Rasterising samples `sub` rows per pixel and measures
# each row's spans exactly in x, so vertical edges are perfectly smooth and
# horizontal ones are quantised to 1/sub.


class Mask:
    __slots__ = ("x0", "y0", "w", "h", "a")

    def __init__(self, x0=0, y0=0, w=0, h=0, a=None):
        self.x0, self.y0, self.w, self.h = x0, y0, w, h
        self.a = a if a is not None else [0.0] * (w * h)

    def _overlap(self, o):
        x0, y0 = max(self.x0, o.x0), max(self.y0, o.y0)
        x1 = min(self.x0 + self.w, o.x0 + o.w)
        y1 = min(self.y0 + self.h, o.y0 + o.h)
        return x0, y0, x1, y1

    def __mul__(self, o):
        """Intersection."""
        x0, y0, x1, y1 = self._overlap(o)
        if x1 <= x0 or y1 <= y0:
            return Mask()
        w = x1 - x0
        out = []
        for y in range(y0, y1):
            i = (y - self.y0) * self.w + x0 - self.x0
            j = (y - o.y0) * o.w + x0 - o.x0
            out.extend(p * q for p, q in zip(self.a[i:i + w], o.a[j:j + w]))
        return Mask(x0, y0, w, y1 - y0, out)

    def __sub__(self, o):
        """Difference."""
        out = Mask(self.x0, self.y0, self.w, self.h, list(self.a))
        x0, y0, x1, y1 = self._overlap(o)
        if x1 <= x0 or y1 <= y0:
            return out
        w = x1 - x0
        for y in range(y0, y1):
            i = (y - self.y0) * self.w + x0 - self.x0
            j = (y - o.y0) * o.w + x0 - o.x0
            out.a[i:i + w] = [p * (1.0 - q) for p, q in
                              zip(out.a[i:i + w], o.a[j:j + w])]
        return out


def rasterize(shape, width, height, sub):
    pts = [p for path in shape.paths for p in path]
    if not pts:
        return Mask()
    x0 = max(0, int(math.floor(min(p[0] for p in pts))))
    x1 = min(width, int(math.ceil(max(p[0] for p in pts))))
    y0 = max(0, int(math.floor(min(p[1] for p in pts))))
    y1 = min(height, int(math.ceil(max(p[1] for p in pts))))
    if x1 <= x0 or y1 <= y0:
        return Mask()
    w, h = x1 - x0, y1 - y0
    nrows = h * sub
    inv = 1.0 / sub
    rows = [[] for _ in range(nrows)]
    # Each edge drops its crossings into the sub-rows it spans, so the cost
    # follows the outline length rather than the bounding box.
    for path in shape.paths:
        px, py = path[-1]
        for qx, qy in path:
            if py != qy:
                if py < qy:
                    ax, ay, bx, by, d = px, py, qx, qy, 1
                else:
                    ax, ay, bx, by, d = qx, qy, px, py, -1
                k0 = max(0, int(math.ceil((ay - y0) * sub - 0.5)))
                k1 = min(nrows, int(math.ceil((by - y0) * sub - 0.5)))
                if k0 < k1:
                    slope = (bx - ax) / (by - ay)
                    x = ax - x0 + (y0 + (k0 + 0.5) * inv - ay) * slope
                    step = slope * inv
                    for k in range(k0, k1):
                        rows[k].append((x, d))
                        x += step
            px, py = qx, qy
    a = [0.0] * (w * h)
    for j in range(h):
        cov = [0.0] * (w + 1)
        diff = [0.0] * (w + 1)
        for k in range(j * sub, j * sub + sub):
            crossings = rows[k]
            if not crossings:
                continue
            crossings.sort()
            wind = 0
            start = 0.0
            for x, d in crossings:
                if wind == 0:
                    start = x
                wind += d
                if wind != 0:
                    continue
                xa = start if start > 0.0 else 0.0
                xb = x if x < w else float(w)
                if xb <= xa:
                    continue
                ia, ib = int(xa), int(xb)
                if ia == ib:
                    cov[ia] += (xb - xa) * inv
                else:
                    cov[ia] += (ia + 1 - xa) * inv
                    cov[ib] += (xb - ib) * inv
                    diff[ia + 1] += inv
                    diff[ib] -= inv
        run = 0.0
        base = j * w
        for i in range(w):
            run += diff[i]
            v = cov[i] + run
            a[base + i] = 1.0 if v > 0.9999 else (0.0 if v < 1e-4 else v)
    return Mask(x0, y0, w, h, a)


# ---------------------------------------------------------------------------
# Canvas: premultiplied RGBA floats plus a design-space transform.  Pictures
# are drawn in design units (icons use a 16-unit grid); `unit` is pixels per
# design unit and `snap` rounds box edges to whole pixels so that straight
# edges stay crisp at every size.


class Canvas:
    def __init__(self, width, height, unit=1.0, snap=True, sub=None,
                 background=None):
        self.width, self.height = width, height
        self.unit = unit
        self.ox = self.oy = 0.0
        self.snap = snap
        self.sub = sub or (16 if max(width, height) <= 64 else 5)
        bg = background or (0.0, 0.0, 0.0, 0.0)
        self.px = [bg[0] * bg[3], bg[1] * bg[3], bg[2] * bg[3], bg[3]] * (
            width * height)

    # -- transform ---------------------------------------------------------

    @property
    def size(self):
        """Pixel size of the 16-unit icon grid at the current scale."""
        return 16 * self.unit

    @property
    def hair(self):
        """Outline width in pixels: 1 px up to 32 px icons, then grows."""
        return float(max(1, int(16 * self.unit / 24 + 0.5)))

    @contextmanager
    def view(self, x, y, unit):
        """Draw a sub-picture with its origin at design point (x, y)."""
        saved = self.ox, self.oy, self.unit
        self.ox, self.oy = self.ox + x * self.unit, self.oy + y * self.unit
        self.unit = unit * self.unit
        try:
            yield self
        finally:
            self.ox, self.oy, self.unit = saved

    def p(self, x, y, snap=False):
        X, Y = self.ox + x * self.unit, self.oy + y * self.unit
        if snap:
            X, Y = math.floor(X + 0.5), math.floor(Y + 0.5)
        return X, Y

    def _snap(self, snap):
        return self.snap if snap is None else snap

    # -- shapes (design units in, pixel-space Shape out) ---------------------

    def rect(self, x0, y0, x1, y1, snap=None):
        return self.rrect(x0, y0, x1, y1, 0, snap)

    def rrect(self, x0, y0, x1, y1, r, snap=None):
        (X0, Y0), (X1, Y1) = (self.p(x0, y0, self._snap(snap)),
                              self.p(x1, y1, self._snap(snap)))
        R = min(r * self.unit, (X1 - X0) / 2, (Y1 - Y0) / 2)
        if R <= 0.01:
            return Shape([[(X0, Y0), (X1, Y0), (X1, Y1), (X0, Y1)]])
        h = math.pi / 2
        pts = (_arc_pts(X1 - R, Y0 + R, R, R, -h, 0)
               + _arc_pts(X1 - R, Y1 - R, R, R, 0, h)
               + _arc_pts(X0 + R, Y1 - R, R, R, h, 2 * h)
               + _arc_pts(X0 + R, Y0 + R, R, R, 2 * h, 3 * h))
        return Shape([pts])

    def ellipse(self, cx, cy, rx, ry):
        X, Y = self.p(cx, cy)
        return Shape([_arc_pts(X, Y, rx * self.unit, ry * self.unit,
                               0, 2 * math.pi)[:-1]])

    def circle(self, cx, cy, r):
        return self.ellipse(cx, cy, r, r)

    def poly(self, points, snap=None):
        s = self._snap(snap)
        return Shape([[self.p(x, y, s) for x, y in points]])

    def line(self, points, width, cap="round", snap=False, closed=False):
        """Thick polyline; width in design units (at least 1 px)."""
        hw = max(width * self.unit, 1.0) / 2
        return _stroke([self.p(x, y, snap) for x, y in points], hw, closed,
                       cap)

    def arc(self, cx, cy, r, a0, a1, width, cap="butt"):
        """Circular arc; angles in degrees, clockwise from 3 o'clock."""
        X, Y = self.p(cx, cy)
        R = r * self.unit
        pts = _arc_pts(X, Y, R, R, math.radians(a0), math.radians(a1))
        return _stroke(pts, max(width * self.unit, 1.0) / 2, False, cap)

    def hbar(self, x0, x1, y, t=1.0):
        """Horizontal bar of thickness t centred on y, on whole pixels."""
        tp = max(1, int(t * self.unit + 0.5))
        top = math.floor(self.oy + y * self.unit - tp / 2.0 + 0.5)
        X0, _ = self.p(x0, 0, True)
        X1, _ = self.p(x1, 0, True)
        return Shape([[(X0, top), (X1, top), (X1, top + tp), (X0, top + tp)]])

    def vbar(self, x, y0, y1, t=1.0):
        tp = max(1, int(t * self.unit + 0.5))
        left = math.floor(self.ox + x * self.unit - tp / 2.0 + 0.5)
        _, Y0 = self.p(0, y0, True)
        _, Y1 = self.p(0, y1, True)
        return Shape([[(left, Y0), (left + tp, Y0), (left + tp, Y1),
                       (left, Y1)]])

    # -- painting -------------------------------------------------------------

    def mask(self, what):
        if isinstance(what, Mask):
            return what
        return rasterize(what, self.width, self.height, self.sub)

    def fill(self, what, colour):
        """Paint colour (a tuple, or f(x, y) of pixel centres) over a shape."""
        m = self.mask(what)
        px, W = self.px, self.width
        const = not callable(colour)
        if const:
            r, g, b, al = colour
        for j in range(m.h):
            y = m.y0 + j
            row = m.a[j * m.w:(j + 1) * m.w]
            base = (y * W + m.x0) * 4
            for i, cov in enumerate(row):
                if cov <= 0.0:
                    continue
                if not const:
                    r, g, b, al = colour(m.x0 + i + 0.5, y + 0.5)
                a = cov * al
                k = 1.0 - a
                o = base + i * 4
                px[o] = px[o] * k + r * a
                px[o + 1] = px[o + 1] * k + g * a
                px[o + 2] = px[o + 2] * k + b * a
                px[o + 3] = px[o + 3] * k + a

    def erase(self, what):
        """Cut a shape out of what is already drawn (back to transparent)."""
        m = self.mask(what)
        px, W = self.px, self.width
        for j in range(m.h):
            base = ((m.y0 + j) * W + m.x0) * 4
            for i, cov in enumerate(m.a[j * m.w:(j + 1) * m.w]):
                if cov > 0.0:
                    k = 1.0 - cov
                    o = base + i * 4
                    px[o] *= k
                    px[o + 1] *= k
                    px[o + 2] *= k
                    px[o + 3] *= k

    def outlined(self, shape, fill, line, hole=None, width=None):
        """Fill a shape and give it an inside outline `width` px wide."""
        w = width or self.hair
        outer = self.mask(shape)
        ring = _stroke_shape(shape, w)
        if hole is not None:
            outer = outer - self.mask(hole)
            ring = ring + hole + _stroke_shape(hole, w)
        self.fill(outer, line)
        if fill is not None:
            self.fill(outer - self.mask(ring), fill)

    def halo(self, shape, width=None):
        """Erase a gap around a shape so an overlay reads as separate."""
        w = width or self.hair
        self.erase(shape + _stroke_shape(shape, w))

    def vgrad(self, y0, y1, c0, c1):
        """Vertical gradient between design-space rows y0 and y1."""
        Y0, Y1 = self.p(0, y0)[1], self.p(0, y1)[1]
        span = (Y1 - Y0) or 1.0

        def colour(x, y):
            t = min(1.0, max(0.0, (y - Y0) / span))
            return mix(c0, c1, t)
        return colour

    # -- output ---------------------------------------------------------------

    def rgba_bytes(self):
        """Straight (non-premultiplied) 8-bit RGBA, top row first."""
        out = bytearray(self.width * self.height * 4)
        px = self.px
        for o in range(0, len(px), 4):
            a = px[o + 3]
            if a <= 0.5 / 255:
                continue
            out[o] = min(255, int(px[o] / a * 255 + 0.5))
            out[o + 1] = min(255, int(px[o + 1] / a * 255 + 0.5))
            out[o + 2] = min(255, int(px[o + 2] / a * 255 + 0.5))
            out[o + 3] = min(255, int(a * 255 + 0.5))
        return bytes(out)


def _stroke_shape(shape, reach):
    """Band reaching `reach` px either side of a shape's outline."""
    out = Shape()
    for path in shape.paths:
        out = out + _stroke(path, reach, closed=True, cap="butt")
    return out


def bezier(p0, p1, p2, p3, n=12):
    """Points of a cubic Bezier after p0 (for building polygons)."""
    out = []
    for i in range(1, n + 1):
        t = i / n
        u = 1 - t
        out.append((u * u * u * p0[0] + 3 * u * u * t * p1[0]
                    + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1]
                    + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return out


def rotated(points, cx, cy, degrees):
    a = math.radians(degrees)
    ca, sa = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * ca - (y - cy) * sa,
             cy + (x - cx) * sa + (y - cy) * ca) for x, y in points]


def arrow_head(tip, direction, length, half_width):
    """Triangle pointing along `direction` (degrees) with its tip at tip."""
    a = math.radians(direction)
    ux, uy = math.cos(a), math.sin(a)
    bx, by = tip[0] - ux * length, tip[1] - uy * length
    return [tip, (bx - uy * half_width, by + ux * half_width),
            (bx + uy * half_width, by - ux * half_width)]


# ---------------------------------------------------------------------------
# Pictures.  Icon pictures use a 16 x 16 unit grid; the canvas scales it.


def draw_page(c, x0, y0, x1, y1, fold=3.0):
    """White sheet of paper with a folded top-right corner."""
    f = fold
    c.outlined(c.poly([(x0, y0), (x1 - f, y0), (x1, y0 + f), (x1, y1),
                       (x0, y1)]), PAPER, PAPER_LINE)
    c.outlined(c.poly([(x1 - f, y0), (x1 - f, y0 + f), (x1, y0 + f)]),
               FOLD, PAPER_LINE)


def cat_office(c):
    draw_page(c, 2, 1, 14, 15, fold=4)
    for y, x1 in ((6.5, 11), (8.5, 11), (10.5, 11), (12.5, 9)):
        c.fill(c.hbar(5, x1, y), BLUE)


def cat_utilities(c):
    # Open-ended wrench lying on the diagonal, jaw at the top right.
    head = c.circle(11, 5, 4.1)
    handle = c.line([(10, 6), (3.8, 12.2)], 3.7, cap="round")
    jaw = c.poly(rotated([(9.9, 3.9), (16, 3.9), (16, 6.1), (9.9, 6.1)],
                         11, 5, -45), snap=False)
    if c.size >= 32:
        jaw = jaw + c.circle(11, 5, 1.1)
    c.outlined(head + handle, STEEL, STEEL_DARK, hole=jaw)


def cat_games(c):
    body = (c.rrect(1, 4.5, 15, 11, 3, snap=False)
            + c.circle(4.2, 10.2, 2.8) + c.circle(11.8, 10.2, 2.8))
    c.outlined(body, PURPLE, PURPLE_DARK)
    c.fill(c.hbar(3, 7, 7.5, 1.2) + c.vbar(5, 5.5, 9.5, 1.2), WHITE)
    c.fill(c.circle(11.9, 6.6, 1.05), YELLOW)
    c.fill(c.circle(10.1, 8.6, 1.05), rgb("#7EE0A0"))


def cat_entertainment(c):
    # Two beamed quavers.
    heads = c.ellipse(4.3, 12.3, 2.6, 2.0) + c.ellipse(11.8, 10.6, 2.6, 2.0)
    stems = (c.line([(6.2, 12.3), (6.2, 3.8)], 1.6, cap="butt")
             + c.line([(13.7, 10.6), (13.7, 2.2)], 1.6, cap="butt"))
    beam = c.poly([(5.4, 3.2), (14.5, 1.0), (14.5, 4.4), (5.4, 6.6)],
                  snap=False)
    c.outlined(heads + stems + beam, PINK, PINK_DARK)


def cat_internet(c):
    # Continents rather than a line grid: a grid reads as a waffle at 16 px.
    ball = c.circle(8, 8, 7)
    c.outlined(ball, SKY, SKY_DARK)
    inside = c.mask(ball) - c.mask(_stroke_shape(ball, 2 * c.hair))
    land = (c.poly([(2.5, 4.5), (5, 2.6), (7.6, 3.4), (7.8, 5.2), (6.2, 6.4),
                    (5.4, 8.2), (4.2, 7.6), (3, 9.5), (1.5, 8)], snap=False)
            + c.poly([(5.6, 9.2), (8, 9.8), (8.4, 11.2), (7, 14.5),
                      (5.8, 14), (5.6, 11.5)], snap=False)
            + c.poly([(9.6, 3), (12.5, 2.8), (14.5, 5.5), (13.5, 6.6),
                      (14.6, 9.4), (12.4, 12.4), (11.2, 12.6), (10.6, 9.6),
                      (9.4, 8.4), (10.2, 6.6), (9.2, 5.2)], snap=False))
    c.fill(c.mask(land) * inside, rgb("#4CC26A"))


def draw_window(c, x0, y0, x1, y1, bar, colour):
    frame = c.rrect(x0, y0, x1, y1, 1.2)
    c.outlined(frame, PAPER, PAPER_LINE)
    c.fill(c.mask(c.rect(x0, y0, x1, y0 + bar)) * c.mask(frame), colour)


def cat_programming(c):
    draw_window(c, 1, 1.5, 15, 14.5, 3.5, BLUE)
    w = 1.3
    code = (c.line([(5.6, 7), (3.4, 9.5), (5.6, 12)], w)
            + c.line([(9.3, 6.6), (6.7, 12.4)], w)
            + c.line([(10.4, 7), (12.6, 9.5), (10.4, 12)], w))
    c.fill(code, GREY_DARK)


def cat_graphics(c):
    body = c.poly([(8, 1.5)] + bezier((8, 1.5), (12.5, 1.5), (15, 4.5),
                                      (15, 8))
                  + bezier((15, 8), (15, 11), (13, 12.2), (11.2, 11.7))
                  + bezier((11.2, 11.7), (9.5, 11.3), (8.7, 12.2),
                           (9.2, 13.2))
                  + bezier((9.2, 13.2), (9.8, 14.5), (8.8, 15), (7.5, 15))
                  + bezier((7.5, 15), (3.5, 15), (1, 11.8), (1, 8))
                  + bezier((1, 8), (1, 4.2), (4, 1.5), (8, 1.5)), snap=False)
    c.outlined(body, CREAM, CREAM_DARK)
    for (x, y), col in (((4.5, 9.8), BLUE), ((4.6, 5.8), RED),
                        ((8.2, 4.2), YELLOW), ((11.8, 5.8), GREEN)):
        c.outlined(c.circle(x, y, 1.65), col, mix(col, (0, 0, 0, 1), 0.3))


def shield_shape(c, x0, y0, x1, y1):
    cx = (x0 + x1) / 2
    h = y1 - y0
    pts = [(cx, y0), (x1, y0 + h * 0.15), (x1, y0 + h * 0.45)]
    pts += bezier((x1, y0 + h * 0.45), (x1, y0 + h * 0.75),
                  (cx + (x1 - cx) * 0.5, y0 + h * 0.92), (cx, y1))
    pts += bezier((cx, y1), (cx - (cx - x0) * 0.5, y0 + h * 0.92),
                  (x0, y0 + h * 0.75), (x0, y0 + h * 0.45))
    pts += [(x0, y0 + h * 0.15)]
    return c.poly(pts, snap=False)


def cat_security(c):
    shield = shield_shape(c, 2, 1, 14, 15.2)
    c.outlined(shield, GREEN, GREEN_DARK)
    if c.size >= 24:
        # Darker right half gives the shield some depth at larger sizes.
        inner = c.mask(shield) - c.mask(_stroke_shape(shield, 2 * c.hair))
        c.fill(inner * c.mask(c.rect(8, 0, 16, 16)), rgb("#26894A"))
    c.fill(c.line([(5.2, 8.2), (7.3, 10.4), (11, 5.9)], 1.7), WHITE)


def cat_other(c):
    c.outlined(c.rrect(1, 3, 15, 13, 2.5), GREY_LIGHT, GREY)
    for x in (4.5, 8, 11.5):
        c.fill(c.circle(x, 8, 1.45), GREY_DARK)


def draw_folder(c, x0, y0, x1, y1, front=YELLOW, back=YELLOW_BACK,
                line=YELLOW_DARK):
    """Folder filling the box: a back with a tab, and a front flap."""
    h = y1 - y0
    tab = y0 + h * 0.17
    c.outlined(c.poly([(x0, y0), (x0 + (x1 - x0) * 0.36, y0),
                       (x0 + (x1 - x0) * 0.36 + h * 0.15, tab),
                       (x1, tab), (x1, y1), (x0, y1)]), back, line)
    c.outlined(c.rrect(x0, y0 + h * 0.33, x1, y1, 0.6), front, line)


def cat_folder(c):
    draw_folder(c, 1, 2, 15, 14)


CATEGORIES = [cat_office, cat_utilities, cat_games, cat_entertainment,
              cat_internet, cat_programming, cat_graphics, cat_security,
              cat_other, cat_folder]


def check_box(c, fill, line):
    c.outlined(c.rrect(1, 1, 15, 15, 2.2), fill, line)


def tick(c, colour):
    c.fill(c.line([(4.3, 8.2), (6.9, 10.8), (11.8, 5.4)], 1.9), colour)


def state_empty(c):
    check_box(c, PAPER, GREY)


def state_checked(c):
    check_box(c, PAPER, GREY)
    tick(c, GREEN)


def state_partly(c):
    check_box(c, GREY_LIGHT, GREY)
    tick(c, GREY)


def circular_arrow(c, cx, cy, r, a0, a1, width, head):
    """Arc from a0 to a1 (degrees) with an arrow head leaving the a0 end."""
    t = math.radians(a0)
    # Direction of travel away from the body, i.e. decreasing angle.
    d = math.degrees(math.atan2(-math.cos(t), math.sin(t)))
    end = (cx + r * math.cos(t), cy + r * math.sin(t))
    tip = (end[0] + math.cos(math.radians(d)) * head * 0.85,
           end[1] + math.sin(math.radians(d)) * head * 0.85)
    return (c.arc(cx, cy, r, a0, a1, width)
            + c.poly(arrow_head(tip, d, head, head * 0.7), snap=False))


def glyph_backup(c):
    disk = c.rrect(1, 1, 13, 13, 1.3)
    c.outlined(disk, BLUE, BLUE_DARK)
    c.outlined(c.rect(4, 1, 10, 5), rgb("#DCE8F5"), BLUE_DARK)
    c.outlined(c.rect(3, 8, 11, 13), PAPER, BLUE_DARK)
    # Anticlockwise "restore" arrow with its head at the lower left.
    arrow = circular_arrow(c, 11.6, 11.2, 3.0, 170, 430, 1.8, 3.0)
    c.halo(arrow + c.circle(11.6, 11.2, 3.0))
    c.fill(arrow, GREEN)


def glyph_cleanup(c):
    tile = c.rrect(1, 1, 13, 13, 1.5)
    c.outlined(tile, PAPER, PAPER_LINE)
    # The shortcut overlay arrow: a bent shaft ending in a head.
    c.fill(c.line([(4, 10.5), (4, 8)] + bezier((4, 8), (4, 6), (5.5, 5),
                                              (7.5, 5)), 1.6, cap="butt"),
           BLUE)
    c.fill(c.poly(arrow_head((10.6, 5), 0, 3.3, 2.6), snap=False), BLUE)
    badge = c.circle(11.8, 11.8, 4.2)
    c.halo(badge)
    c.outlined(badge, RED, RED_DARK)
    d = 1.7
    c.fill(c.line([(11.8 - d, 11.8 - d), (11.8 + d, 11.8 + d)], 1.5)
           + c.line([(11.8 - d, 11.8 + d), (11.8 + d, 11.8 - d)], 1.5), WHITE)


def glyph_exchange(c):
    draw_page(c, 1.5, 1, 12, 14.5, fold=3.5)
    mark = (c.line([(5, 4), (3.6, 5.6), (5, 7.2)], 1.1)
            + c.line([(6.8, 4), (8.2, 5.6), (6.8, 7.2)], 1.1))
    c.fill(mark, ORANGE)
    arrows = c.rrect(6.5, 7.5, 16, 16, 1.5)
    c.halo(arrows)
    c.fill(c.line([(7.5, 9.6), (12, 9.6)], 1.6, cap="butt")
           + c.poly(arrow_head((15.5, 9.6), 0, 3.6, 2.3), snap=False), GREEN)
    c.fill(c.line([(11.5, 13.6), (15.5, 13.6)], 1.6, cap="butt")
           + c.poly(arrow_head((7.5, 13.6), 180, 3.6, 2.3), snap=False), BLUE)


def program_icon(c):
    """Start-Menu-like panel holding nine folders, one per category."""
    s = int(c.size)
    panel = c.rrect(0, 0, 16, 16, 3.0)
    c.outlined(panel, c.vgrad(0, 16, NAVY_LIGHT, NAVY), NAVY_DARK,
               width=max(1.0, round(s / 40.0)))
    # Lay the tiles out on whole pixels for each size.
    gap = max(1, int(s / 18 + 0.5))
    pad = max(1, int(s * 0.1 + 0.5))
    tile = (s - 2 * pad - 2 * gap) // 3
    pad = (s - 3 * tile - 2 * gap) // 2
    u = c.unit
    for k, (col, dark) in enumerate(CATEGORY_COLOURS):
        row, column = divmod(k, 3)
        x0 = (pad + column * (tile + gap)) / u
        y0 = (pad + row * (tile + gap)) / u
        if tile < 7:
            c.fill(c.rrect(x0, y0, x0 + tile / u, y0 + tile / u, 0.7), col)
            continue
        # Each folder gets its own 16-unit grid so its outline suits its size.
        with c.view(x0, y0, tile / 16.0 / u):
            draw_folder(c, 0, 1, 16, 15, front=col,
                        back=mix(col, dark, 0.5), line=dark)


# ---------------------------------------------------------------------------
# The welcome-page illustration, designed at 321 x 250 units.

WELCOME_SIZE = (321, 250)


def welcome(c):
    # A soft glow behind the scene; it fades to pure white well before the
    # edges so the picture melts into the dialog page.
    X, Y = c.p(160.5, 126.0)
    RX, RY = 150.0 * c.unit, 116.0 * c.unit
    glow = rgb("#EAF2FC")

    def background(x, y):
        t = ((x - X) / RX) ** 2 + ((y - Y) / RY) ** 2
        if t >= 1.0:
            return WHITE
        return mix(glow, WHITE, t * t * (3 - 2 * t))
    c.fill(c.ellipse(160.5, 126.0, 150.0, 116.0), background)

    welcome_messy_list(c, 20, 46, 124, 206)

    # The sorting arrow, with a short motion trail.
    for x, r in ((136, 2.2), (143, 2.8)):
        c.fill(c.circle(x, 126, r), rgb("#9CC3EE"))
    c.fill(c.line([(151, 126), (166, 126)], 10, cap="round"), BLUE)
    c.fill(c.poly(arrow_head((182, 126), 0, 16, 14), snap=False), BLUE)

    # Tidy category folders, each marked with its category picture.
    for k in range(9):
        row, column = divmod(k, 3)
        x, y = 192 + column * 40, 70 + row * 40
        with c.view(x, y, 2.0):
            draw_folder(c, 0, 1, 16, 15)
        with c.view(x + 10, y + 13, 1.0):
            badge = c.rrect(0, 0, 16, 16, 3)
            c.halo(badge)
            c.fill(badge, WHITE)
            CATEGORIES[k](c)


def welcome_messy_list(c, x0, y0, x1, y1):
    """A card of shortcut rows, jumbled in colour, angle and position."""
    for grow, alpha in ((3, 0.03), (2, 0.04), (1, 0.05)):
        c.fill(c.rrect(x0 - grow + 1, y0 - grow + 3, x1 + grow + 1,
                       y1 + grow + 3, 6 + grow), rgb("#1A2B45", alpha))
    c.outlined(c.rrect(x0, y0, x1, y1, 6), PAPER, rgb("#D3DAE4"))
    # (angle, x offset, colour index, text length)
    rows = [(-5, 4, 3, 52), (4, 14, 6, 38), (-2, -3, 0, 60), (7, 9, 7, 44),
            (-4, 2, 1, 30), (3, 15, 8, 54), (-7, -4, 4, 42), (2, 7, 5, 48)]
    for i, (angle, dx, colour, length) in enumerate(rows):
        y = y0 + 18 + i * 18.5
        x = x0 + 14 + dx
        col, dark = CATEGORY_COLOURS[colour]

        def turn(points):
            return rotated(points, x + 19, y, angle)
        c.outlined(c.poly(turn([(x, y - 6.5), (x + 13, y - 6.5),
                                (x + 13, y + 6.5), (x, y + 6.5)]),
                          snap=False), col, dark)
        # The shortcut overlay arrow.
        shaft = turn([(x + 3.5, y + 3.5), (x + 3.5, y - 0.5),
                      (x + 7.5, y - 0.5)])
        c.fill(c.line(shaft, 1.6, cap="butt"), WHITE)
        c.fill(c.poly(turn(arrow_head((x + 10, y - 0.5), 0, 3, 2.4)),
                      snap=False), WHITE)
        c.fill(c.poly(turn([(x + 19, y - 2.5), (x + 19 + length, y - 2.5),
                            (x + 19 + length, y + 2.5), (x + 19, y + 2.5)]),
                      snap=False), rgb("#C9D1DC"))


# ---------------------------------------------------------------------------
# File writers.


def png_bytes(width, height, rgba):
    stride = width * 4
    raw = bytearray()
    prev = bytes(stride)
    for y in range(height):
        row = rgba[y * stride:(y + 1) * stride]
        # Choose between no filter and "up" per row: flat artwork compresses
        # far better when repeated rows become zeros.
        up = bytes((a - b) & 0xFF for a, b in zip(row, prev))
        if sum(1 for v in up if v) < sum(1 for v in row if v):
            raw += b"\x02" + up
        else:
            raw += b"\x00" + row
        prev = row

    def chunk(tag, data):
        return (struct.pack(">I", len(data)) + tag + data
                + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6,
                                         0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def dib_bytes(size, rgba):
    """Icon image: BITMAPINFOHEADER, BGRA rows bottom-up, then AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0,
                         0, 0, 0, 0)
    xor = bytearray()
    mask_stride = (size + 31) // 32 * 4
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        row = rgba[y * size * 4:(y + 1) * size * 4]
        bits = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = row[x * 4:x * 4 + 4]
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[x >> 3] |= 0x80 >> (x & 7)
        mask += bits
    return header + bytes(xor) + bytes(mask)


def ico_bytes(images):
    """images: list of (size, rgba); 256 px entries are stored as PNG."""
    blobs = [png_bytes(s, s, px) if s >= 256 else dib_bytes(s, px)
             for s, px in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (s, _), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32,
                           len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def bmp24_bytes(width, height, rgba):
    stride = (width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = rgba[y * width * 4:(y + 1) * width * 4]
        line = bytearray()
        for x in range(width):
            r, g, b, a = row[x * 4:x * 4 + 4]
            # Flatten onto white, the page colour the picture sits on.
            line += bytes((b * a // 255 + 255 - a, g * a // 255 + 255 - a,
                           r * a // 255 + 255 - a))
        pixels += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0,
                       len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


# ---------------------------------------------------------------------------

ICON_SIZES = [16, 20, 24, 32, 40, 48]
PROGRAM_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]

PICTURES = (
    [("marlowen.ico", program_icon, PROGRAM_SIZES)]
    + [("cat%d.ico" % i, f, ICON_SIZES) for i, f in enumerate(CATEGORIES)]
    + [("state1.ico", state_empty, ICON_SIZES),
       ("state2.ico", state_checked, ICON_SIZES),
       ("state3.ico", state_partly, ICON_SIZES),
       ("glyph_backup.ico", glyph_backup, ICON_SIZES),
       ("glyph_cleanup.ico", glyph_cleanup, ICON_SIZES),
       ("glyph_exchange.ico", glyph_exchange, ICON_SIZES)]
)


def render_icon(draw, size):
    c = Canvas(size, size, unit=size / 16.0)
    draw(c)
    return c.rgba_bytes()


def render_welcome(scale):
    w, h = WELCOME_SIZE
    c = Canvas(w * scale, h * scale, unit=scale, sub=4 if scale > 1 else 6,
               background=WHITE)
    welcome(c)
    return c.width, c.height, c.rgba_bytes()


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: render.py OUTDIR\n")
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    for name, draw, sizes in PICTURES:
        data = ico_bytes([(s, render_icon(draw, s)) for s in sizes])
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(data)
    for name, scale in (("welcome.bmp", 1), ("welcome2x.bmp", 2)):
        w, h, px = render_welcome(scale)
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(bmp24_bytes(w, h, px))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
