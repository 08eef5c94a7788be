#!/usr/bin/env python3
"""Draws Tallywick's icon (a small gauge: dial, ticks, red needle) and the history row
bitmap (a tiny calendar page) and writes them as 16-colour Windows resources:
res/tallywick.ico (32x32 and 16x16, 4 bits per pixel) and res/history.bmp (16x16).
Run it again after changing the drawing; the outputs are committed."""
import math
import os
import struct

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


def write_icon(path, images):
    data = [icon_image(img) for img in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, data):
        size = len(img)
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(data))


def write_bitmap(path, img):
    size = len(img)
    pixels = rows_4bpp(img, opaque=True)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    body = info + palette_bytes() + pixels
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, 14 + 40 + 64) + body)


if __name__ == "__main__":
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")
    write_icon(os.path.join(res, "tallywick.ico"), [gauge(32), gauge(16)])
    write_bitmap(os.path.join(res, "history.bmp"), calendar())
