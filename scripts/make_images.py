#!/usr/bin/env python3
"""Draws Tallywick's icon (a small gauge: dial, ticks, red needle) and the history row image
(a tiny calendar page) and writes them as Windows icons, every image in 32-bit colour with
its alpha: res/tallywick.ico at 16, 20, 24, 32, 40, 48, 64 and 256 pixels (the 256 one as
PNG), res/history.ico at 16, 20, 24, 32, 40, 48 and 64 pixels, for 100 % to 400 % scaling.
Each size is drawn for itself: up to 32 pixels the shapes sit on whole pixels and only the
dial's outline is smoothed, so that small images stay sharp; larger ones are smooth.
Run it again after changing the drawing; the outputs are committed."""
import math
import os
import struct
import zlib

# The colours of the drawings: the standard 16-colour palette, as (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_RED, NAVY, LIGHT_GREY, RED, YELLOW, WHITE = 0, 1, 4, 7, 9, 11, 15


def gauge(size):
    """The dial of a meter, pixel by pixel in palette colours: a light face in a navy rim,
    ticks on the upper arc, a red needle; None outside the dial."""
    c = (size - 1) / 2.0
    r = size / 2.0 - 0.5
    img = [[None] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d <= r:
                img[y][x] = NAVY if d > r - max(1.5, size / 12) else YELLOW if y > c + r * 0.45 else WHITE
    ticks = 7
    for i in range(ticks):
        a = math.pi * (1.0 + i / (ticks - 1))  # from left (180 deg) over the top to right
        for t in (0.62, 0.70, 0.78) if size >= 32 else (0.66, 0.76) if size >= 24 else (0.70,):
            x = round(c + math.cos(a) * r * t)
            y = round(c + math.sin(a) * r * t)
            img[y][x] = BLACK
    a = math.pi * 1.72  # the needle stands high on the right: plenty counted
    steps = size * 2
    for s in range(steps):
        t = s / steps * r * 0.78
        for w in ((0,), (0, 1))[size >= 24]:
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


def gauge_sharp(size):
    """The pixel-drawn gauge in 32-bit colour, its outline smoothed: the alpha of each pixel
    is the part of it that the round dial covers (4 x 4 samples)."""
    pixels = gauge(size)
    c = r = size / 2.0
    n = 4
    img = []
    for y in range(size):
        row = []
        for x in range(size):
            hits = sum(1 for sy in range(n) for sx in range(n)
                       if math.hypot(x + (sx + 0.5) / n - c, y + (sy + 0.5) / n - c) <= r)
            colour = PALETTE[NAVY if pixels[y][x] is None else pixels[y][x]]
            row.append(colour + (round(255 * hits / (n * n)),) if hits else (0, 0, 0, 0))
        img.append(row)
    return img


def gauge_at(size):
    return gauge_sharp(size) if size <= 32 else gauge_rgba(size)


def calendar(size):
    """A calendar page with a navy header and binding rings, a grid of cyan days in light
    grey lines and a red day mark, on a clear ground; every edge on a whole pixel, the
    border as thick as the size allows, the grid lines thin."""
    def px(units):
        return math.floor(units * size / 16 + 0.5)
    clear = (0, 0, 0, 0)
    img = [[clear] * size for _ in range(size)]

    def fill(left, top, right, bottom, index):
        for y in range(top, bottom):
            for x in range(left, right):
                img[y][x] = PALETTE[index] + (255,)
    border = max(1, math.floor(size / 16 + 0.25))
    grid = max(1, math.floor(size / 16 * 0.6))
    left, right, top, bottom = px(1), size - px(1), px(2), size - px(1)
    header = top + px(3)
    fill(left, top, right, bottom, NAVY)
    fill(left + border, header, right - border, bottom - border, 14)  # cyan
    pitch = (bottom - border - header) / 3
    rows = [header + round(j * pitch) for j in range(3)]
    columns = [left + border + px(1) + round(i * pitch) for i in range(4)]
    for y in rows:
        fill(left + border, y, right - border, y + grid, LIGHT_GREY)
    for x in columns:
        fill(x, header, x + grid, bottom - border, LIGHT_GREY)
    fill(columns[2], rows[1] + grid, columns[3], rows[2] + grid, RED)
    for x in (px(4), size - px(4) - border):
        fill(x, px(1), x + border, top + px(1), BLACK)
    return img


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


def write_icon(path, images):
    """Every image in 32-bit colour, from 256 pixels on as PNG."""
    entries = [(len(img), png_image(img) if len(img) >= 256 else icon_image_32bpp(img))
               for img in images]
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, blob in entries:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blob for _, blob in entries))


if __name__ == "__main__":
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")
    sizes = (16, 20, 24, 32, 40, 48, 64)
    write_icon(os.path.join(res, "tallywick.ico"), [gauge_at(size) for size in sizes + (256,)])
    write_icon(os.path.join(res, "history.ico"), [calendar(size) for size in sizes])
