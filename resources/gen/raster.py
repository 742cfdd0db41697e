"""A small canvas for the picture generators and the writers of the files
the resource compiler and the tests read: BMP (4, 8 and 24 bits a pixel) and
ICO (1, 4, 8, 24 and 32 bits a pixel, several images, optionally a PNG
picture among them).

A canvas is a grid of RGBA pixels, (0, 0) at the top left; alpha 0 is
transparent. Shapes are drawn at four samples a pixel on each axis, so that
round and slanted edges are smooth.
"""
import struct
import zlib

SAMPLES = 4


class Canvas:
    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.px = [[tuple(fill) for _ in range(width)] for _ in range(height)]

    def blend(self, x, y, colour, cover=1.0):
        """Lays colour over the pixel with the given share of the pixel covered."""
        if not (0 <= x < self.width and 0 <= y < self.height) or cover <= 0:
            return
        r, g, b = colour[:3]
        a = (colour[3] / 255.0 if len(colour) > 3 else 1.0) * min(cover, 1.0)
        br, bg, bb, ba = self.px[y][x]
        ba = ba / 255.0
        out = a + ba * (1 - a)
        if out <= 0:
            return
        mix = lambda c, d: round((c * a + d * ba * (1 - a)) / out)
        self.px[y][x] = (mix(r, br), mix(g, bg), mix(b, bb), round(out * 255))

    def shape(self, inside, colour, box=None):
        """Fills the points for which inside(x, y) holds (x, y in pixels, with
        pixel centres at +0.5), smoothing the edges. colour may be a function
        of (x, y) for gradients."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        step = 1.0 / SAMPLES
        for py in range(max(0, int(y0)), min(self.height, int(y1) + 1)):
            for px in range(max(0, int(x0)), min(self.width, int(x1) + 1)):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if inside(px + (sx + 0.5) * step, py + (sy + 0.5) * step):
                            hits += 1
                if hits:
                    c = colour(px + 0.5, py + 0.5) if callable(colour) else colour
                    self.blend(px, py, c, hits / (SAMPLES * SAMPLES))

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle from (x0, y0) to (x1, y1), edges in pixels."""
        self.shape(lambda x, y: x0 <= x < x1 and y0 <= y < y1, colour, (x0, y0, x1, y1))

    def frame(self, x0, y0, x1, y1, colour, width=1):
        self.shape(lambda x, y: x0 <= x < x1 and y0 <= y < y1 and not (
            x0 + width <= x < x1 - width and y0 + width <= y < y1 - width), colour, (x0, y0, x1, y1))

    def ellipse(self, cx, cy, rx, ry, colour):
        self.shape(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1, colour,
                   (cx - rx, cy - ry, cx + rx, cy + ry))

    def ring(self, cx, cy, r, width, colour):
        self.shape(lambda x, y: r - width <= ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5 <= r, colour,
                   (cx - r, cy - r, cx + r, cy + r))

    def line(self, xa, ya, xb, yb, width, colour):
        """A straight stroke of that width between two points."""
        dx, dy = xb - xa, yb - ya
        length2 = dx * dx + dy * dy or 1e-9

        def inside(x, y):
            t = max(0.0, min(1.0, ((x - xa) * dx + (y - ya) * dy) / length2))
            qx, qy = xa + t * dx, ya + t * dy
            return (x - qx) ** 2 + (y - qy) ** 2 <= (width / 2) ** 2

        pad = width
        self.shape(inside, colour, (min(xa, xb) - pad, min(ya, yb) - pad, max(xa, xb) + pad, max(ya, yb) + pad))

    def polygon(self, points, colour):
        """Fills the polygon (even-odd rule)."""
        def inside(x, y):
            hit = False
            n = len(points)
            for i in range(n):
                (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
                if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                    hit = not hit
            return hit

        xs, ys = [p[0] for p in points], [p[1] for p in points]
        self.shape(inside, colour, (min(xs), min(ys), max(xs), max(ys)))

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                p = other.px[y][x]
                if p[3]:
                    self.blend(left + x, top + y, p, 1.0)

    def flattened(self, background):
        """The picture laid over an opaque background colour."""
        out = Canvas(self.width, self.height, tuple(background) + (255,))
        out.paste(self, 0, 0)
        return out

    def keyed(self, key, under):
        """An opaque picture for masking by a key colour: mostly transparent
        pixels become the key, the others are laid over `under` (the face
        they will stand on), so that smoothed edges leave no fringe of the
        key colour."""
        out = Canvas(self.width, self.height, tuple(key) + (255,))
        for y in range(self.height):
            for x in range(self.width):
                p = self.px[y][x]
                if p[3] >= 96:
                    out.px[y][x] = tuple(under) + (255,)
                    out.blend(x, y, p, 1.0)
        return out

    def mapped(self, fn):
        """A copy with each opaque pixel's colour passed through fn(r, g, b)."""
        out = Canvas(self.width, self.height)
        for y in range(self.height):
            for x in range(self.width):
                r, g, b, a = self.px[y][x]
                out.px[y][x] = tuple(fn(r, g, b)) + (a,) if a else (0, 0, 0, 0)
        return out

    def scaled(self, width, height):
        """Box-filtered to a smaller size, averaging colour by alpha."""
        out = Canvas(width, height)
        for y in range(height):
            for x in range(width):
                ys = range(y * self.height // height, max(y * self.height // height + 1, (y + 1) * self.height // height))
                xs = range(x * self.width // width, max(x * self.width // width + 1, (x + 1) * self.width // width))
                pxs = [self.px[sy][sx] for sy in ys for sx in xs]
                alpha = sum(p[3] for p in pxs)
                if alpha:
                    rgb = tuple(round(sum(p[c] * p[3] for p in pxs) / alpha) for c in range(3))
                    out.px[y][x] = rgb + (round(alpha / len(pxs)),)
        return out


def vertical(top, bottom, y0, y1):
    """A gradient from top colour at y0 to bottom colour at y1."""
    def colour(x, y):
        t = max(0.0, min(1.0, (y - y0) / max(1e-9, y1 - y0)))
        return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
    return colour


def strip(canvases):
    """Pictures of one height side by side."""
    out = Canvas(sum(c.width for c in canvases), canvases[0].height)
    left = 0
    for c in canvases:
        out.paste(c, left, 0)
        left += c.width
    return out


# ---------------------------------------------------------------- palettes

VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255),
    (255, 255, 255),
]


def palette_256():
    """A 6 x 6 x 6 colour cube, then greys: the colours an 8-bit picture keeps."""
    cube = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    greys = [(v, v, v) for v in range(8, 248, 6)][:256 - len(cube)]
    return (cube + greys + [(0, 0, 0)] * 256)[:256]


def nearest(palette, rgb):
    return min(range(len(palette)), key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], rgb)))


# ---------------------------------------------------------------- files

def _row_bytes(width, bits):
    return (width * bits + 31) // 32 * 4


def _pack_indices(indices, bits, width):
    """One row of palette indices packed at 1, 4 or 8 bits, padded to 32 bits."""
    out = bytearray(_row_bytes(width, bits))
    for x, i in enumerate(indices):
        bit = x * bits
        out[bit // 8] |= i << (8 - bits - bit % 8)
    return bytes(out)


def dib(canvas, bits, palette=None, icon=False):
    """A BITMAPINFOHEADER, its colour table and the bottom-up colour bits; for
    an icon the header's height counts the AND mask too, which follows."""
    w, h = canvas.width, canvas.height
    if bits <= 8:
        palette = palette or (VGA16 if bits == 4 else [(0, 0, 0), (255, 255, 255)] if bits == 1 else palette_256())
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h if icon else h, 1, bits, 0, 0, 2835, 2835,
                         len(palette) if bits <= 8 else 0, 0)
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette) if bits <= 8 else b""
    rows = []
    cache = {}
    for row in reversed(canvas.px):
        if bits <= 8:
            idx = []
            for (r, g, b, a) in row:
                key = (r, g, b) if a else (0, 0, 0)
                if key not in cache:
                    cache[key] = nearest(palette, key)
                idx.append(cache[key])
            rows.append(_pack_indices(idx, bits, w))
        elif bits == 24:
            data = b"".join(bytes((b, g, r) if a else (0, 0, 0)) for (r, g, b, a) in row)
            rows.append(data + b"\0" * (_row_bytes(w, 24) - len(data)))
        else:
            rows.append(b"".join(bytes((b, g, r, a)) for (r, g, b, a) in row))
    data = header + table + b"".join(rows)
    if icon:
        mask = b"".join(_pack_indices([1 if a < 128 else 0 for (_, _, _, a) in row], 1, w)
                        for row in reversed(canvas.px))
        data += mask
    return data


def png(canvas):
    """The picture as a PNG file (8-bit RGBA)."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in canvas.px)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_bmp(path, canvas, bits=24, palette=None):
    """An opaque picture as a bitmap file."""
    body = dib(canvas, bits, palette)
    entries = struct.unpack_from("<I", body, 32)[0]
    with open(path, "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, 14 + 40 + 4 * entries) + body)


def ico_bytes(images):
    """An icon file of (canvas, bits) images; bits "png" stores a PNG picture."""
    parts = [png(c) if bits == "png" else dib(c, bits, icon=True) for c, bits in images]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (c, bits), part in zip(images, parts):
        depth = 32 if bits == "png" else bits
        colours = (1 << depth) if depth < 8 else 0
        data += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, colours % 256, 0, 1, depth, len(part), offset)
        offset += len(part)
    return data + b"".join(parts)


def write_ico(path, images):
    with open(path, "wb") as out:
        out.write(ico_bytes(images))
