#!/usr/bin/env python3
"""Draws Tallywick's icon (a small gauge: dial, ticks, red needle) and the history row
bitmap (a tiny calendar page) and writes them as Windows resources: res/tallywick.ico
(32x32 and 16x16 in 16 colours, pixel-drawn for 100 % scaling; 20, 24, 48 and 256 pixels
in 32-bit colour with smooth edges for 125 to 200 % and large views, the 256 one as PNG)
and res/history.bmp (16x16, 16 colours).
Run it again after changing the drawing; the outputs are committed."""
import math
import os
import struct
import zlib

# The standard 16-colour palette, as (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_RED, NAVY, GREY, LIGHT_GREY, RED, YELLOW, WHITE = 0, 1, 4, 8, 7, 9, 11, 15
CLEAR = None


def gauge(size):
    """The dial of a meter: a light face in a navy rim, ticks on the upper arc, a red needle."""
    c = (size - 1) / 2.0
    r = size / 2.0 - 0.5
    img = [[CLEAR] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d <= r:
                img[y][x] = NAVY if d > r - max(1.5, size / 12) else YELLOW if y > c + r * 0.45 else WHITE
    ticks = 7
    for i in range(ticks):
        a = math.pi * (1.0 + i / (ticks - 1))  # from left (180 deg) over the top to right
        for t in (0.62, 0.70, 0.78) if size >= 32 else (0.70,):
            x = round(c + math.cos(a) * r * t)
            y = round(c + math.sin(a) * r * t)
            img[y][x] = BLACK
    a = math.pi * 1.72  # the needle stands high on the right: plenty counted
    steps = size * 2
    for s in range(steps):
        t = s / steps * r * 0.78
        for w in ((0,), (0, 1))[size >= 32]:
            x = round(c + math.cos(a) * t) + w
            y = round(c + math.sin(a) * t)
            img[y][x] = RED
    hub = 1 if size < 32 else 2
    for y in range(size):
        for x in range(size):
            if math.hypot(x - c, y - c) <= hub:
                img[y][x] = DARK_RED
    return img


def gauge_rgba(size):
    """The same gauge, smooth: every pixel is the average of 4 x 4 samples of the shapes."""
    c = size / 2.0
    r = size / 2.0
    rim = max(1.5, size / 12)
    tick_width = max(1.6, size / 24)
    needle_width = max(1.2, size / 16)
    hub = max(1.2, size / 14)
    needle = math.pi * 1.72
    ticks = [math.pi * (1.0 + i / 6) for i in range(7)]

    def near_segment(x, y, angle, start, end, width):
        ux, uy = math.cos(angle), math.sin(angle)
        along = (x - c) * ux + (y - c) * uy
        across = abs(-(x - c) * uy + (y - c) * ux)
        return start <= along <= end and across <= width / 2

    def sample(x, y):
        d = math.hypot(x - c, y - c)
        if d > r:
            return None
        if d <= hub:
            return PALETTE[DARK_RED]
        if near_segment(x, y, needle, 0, r * 0.78, needle_width):
            return PALETTE[RED]
        if d > r - rim:
            return PALETTE[NAVY]
        if any(near_segment(x, y, a, r * 0.60, r * 0.80, tick_width) for a in ticks):
            return PALETTE[BLACK]
        return PALETTE[YELLOW] if y > c + r * 0.45 else PALETTE[WHITE]

    n = 4
    img = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    colour = sample(px + (sx + 0.5) / n, py + (sy + 0.5) / n)
                    if colour:
                        total = [total[0] + colour[0], total[1] + colour[1],
                                 total[2] + colour[2], total[3] + 1]
            hits = total[3]
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(total[0] / hits), round(total[1] / hits),
                            round(total[2] / hits), round(255 * hits / (n * n))))
        img.append(row)
    return img


def calendar(size=16):
    """A calendar page with a navy header and a red day mark, on white (the mask colour)."""
    img = [[WHITE] * size for _ in range(size)]
    for y in range(2, 15):
        for x in range(1, 15):
            edge = x in (1, 14) or y == 14
            img[y][x] = NAVY if y < 5 or edge else LIGHT_GREY if (x % 3 == 0 or y % 3 == 2) else 14
    for y in range(9, 12):
        for x in range(9, 12):
            img[y][x] = RED
    for x in (4, 11):
        img[1][x] = img[2][x] = BLACK
    return img


def rows_4bpp(img, opaque):
    size = len(img)
    out = b""
    for y in reversed(range(size)):  # bottom-up
        row = bytearray()
        for x in range(0, size, 2):
            a = img[y][x] if img[y][x] is not None else BLACK
            b = img[y][x + 1] if img[y][x + 1] is not None else BLACK
            row.append((a << 4) | b)
        while len(row) % 4:
            row.append(0)
        out += bytes(row)
    if opaque:
        return out
    mask = b""
    for y in reversed(range(size)):
        bits = 0
        row = bytearray()
        for x in range(size):
            bits = (bits << 1) | (1 if img[y][x] is None else 0)
            if x % 8 == 7:
                row.append(bits)
                bits = 0
        while len(row) % 4:
            row.append(0)
        mask += bytes(row)
    return out + mask


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def icon_image(img):
    size = len(img)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    return header + palette_bytes() + rows_4bpp(img, opaque=False)


def icon_image_32bpp(img):
    """A 32-bit image with its alpha; the AND mask is clear where a pixel is fully transparent."""
    size = len(img)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(struct.pack("<BBBB", b, g, r, a)
                      for row in reversed(img) for r, g, b, a in row)
    mask = b""
    for row in reversed(img):
        bits = bytearray((size + 31) // 32 * 4)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def png_image(img):
    """The image as a PNG file, the usual form of a 256-pixel icon image."""
    size = len(img)
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in img)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_icon(path, images, smooth_images):
    """16-colour images first, then the 32-bit ones (PNG from 256 pixels on)."""
    entries = [(len(img), 16, 4, icon_image(img)) for img in images]
    entries += [(len(img), 0, 32, png_image(img) if len(img) >= 256 else icon_image_32bpp(img))
                for img in smooth_images]
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, colours, bits, blob in entries:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blob for _, _, _, blob in entries))


def write_bitmap(path, img):
    size = len(img)
    pixels = rows_4bpp(img, opaque=True)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    body = info + palette_bytes() + pixels
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, 14 + 40 + 64) + body)


if __name__ == "__main__":
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")
    write_icon(os.path.join(res, "tallywick.ico"), [gauge(32), gauge(16)],
               [gauge_rgba(size) for size in (20, 24, 48, 256)])
    write_bitmap(os.path.join(res, "history.bmp"), calendar())
