#!/usr/bin/env python3
"""Draws the program icon, a small calendar page, and writes it as an .ico with 16, 32 and 48 px images.

Usage: tools/make_icon.py res/lunoria.ico

Shapes are given on a 48-unit square and sampled 4 x 4 times per pixel, so the small sizes stay smooth.
Each image is a 32-bit BGRA DIB with its AND mask, the form every Windows version reads.
"""
import struct
import sys

WHITE = (255, 255, 255)
RED = (200, 40, 40)
DARK = (70, 70, 70)
GREY = (150, 150, 150)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


# Later shapes paint over earlier ones.
SHAPES = [
    (rounded_rect(3, 6, 45, 45, 4), DARK),        # page outline
    (rounded_rect(5, 8, 43, 43, 3), WHITE),       # page
    (rounded_rect(5, 8, 43, 18, 3), RED),         # header band
    (lambda x, y: 5 <= x <= 43 and 14 <= y <= 18, RED),
    (rounded_rect(12, 2, 17, 12, 2), DARK),       # binder rings
    (rounded_rect(31, 2, 36, 12, 2), DARK),
]
# Day squares: four columns, three rows; the third of the middle row is today.
for row in range(3):
    for col in range(4):
        x, y = 9 + col * 8.5, 22 + row * 7
        colour = RED if (row, col) == (1, 2) else GREY
        SHAPES.append((lambda px, py, x=x, y=y: x <= px <= x + 5 and y <= py <= y + 4.5, colour))


def render(size):
    pixels = []
    n = 4
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) * 48 / size
                    y = (py + (sy + 0.5) / n) * 48 / size
                    colour = None
                    for inside, c in SHAPES:
                        if inside(x, y):
                            colour = c
                    if colour:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            if acc[3]:
                a = acc[3] * 255 // (n * n)
                row.append((acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3], a))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def dib(size):
    pixels = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "res/lunoria.ico"
    sizes = (16, 32, 48)
    images = [dib(s) for s in sizes]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        data += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    data += b"".join(images)
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
