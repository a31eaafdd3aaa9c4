#!/usr/bin/env python3
"""Draws setup's program icon (a box with a downward arrow) as Setup.ico: 32x32 and
16x16 images with 16 colours. Run it again after changing the drawing."""
import struct

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
TRANSPARENT, OUTLINE, BOX, LID, ARROW = None, 0, 3, 11, 12


def draw(size):
    s = size / 32.0
    px = [[TRANSPARENT] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, c):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                px[y][x] = c

    rect(3, 14, 29, 30, OUTLINE)   # box
    rect(4, 15, 28, 29, BOX)
    rect(3, 12, 29, 16, OUTLINE)   # lid
    rect(4, 13, 28, 15, LID)
    rect(13, 1, 19, 13, ARROW)     # arrow shaft
    for row in range(8):           # arrow head
        rect(8 + row, 10 + row, 24 - row, 11 + row, ARROW)
    return px


def image(size):
    px = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_row = (size // 2 + 3) // 4 * 4
    and_row = (size // 8 + 3) // 4 * 4
    xor, mask = b'', b''
    for y in reversed(range(size)):
        row = bytearray(xor_row)
        bits = bytearray(and_row)
        for x in range(size):
            c = px[y][x]
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                c = 0
            row[x // 2] |= c << (4 if x % 2 == 0 else 0)
        xor += bytes(row)
        mask += bytes(bits)
    return header + palette + xor + mask


images = [(32, image(32)), (16, image(16))]
out = struct.pack('<HHH', 0, 1, len(images))
offset = 6 + 16 * len(images)
for size, data in images:
    out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
    offset += len(data)
out += b''.join(data for _, data in images)
open(__file__.replace('make_icon.py', 'Setup.ico'), 'wb').write(out)
