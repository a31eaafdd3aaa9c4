#!/usr/bin/env python3
"""Draws the side picture of the wizard pages as SideImage.bmp: 120x260 pixels with
16 colours, a dark blue field with bands of lighter blue and the box of the program
icon near the bottom. Run it again after changing the drawing."""
import struct

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
WIDTH, HEIGHT = 120, 260
NAVY, TEAL, BLUE, WHITE, BLACK, OLIVE, YELLOW = 4, 6, 12, 15, 0, 3, 11


def draw():
    px = [[NAVY] * WIDTH for _ in range(HEIGHT)]

    def rect(x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(HEIGHT, y1)):
            for x in range(max(0, x0), min(WIDTH, x1)):
                px[y][x] = c

    for i, y in enumerate(range(20, 150, 26)):      # diagonal bands
        for x in range(WIDTH):
            for t in range(6):
                yy = y + t + x // 3
                if 0 <= yy < HEIGHT:
                    px[yy][x] = TEAL if i % 2 else BLUE
    rect(30, 190, 90, 240, BLACK)                   # box
    rect(32, 192, 88, 238, OLIVE)
    rect(28, 182, 92, 194, BLACK)                   # lid
    rect(30, 184, 90, 192, YELLOW)
    rect(52, 150, 68, 184, WHITE)                   # arrow
    for row in range(14):
        rect(40 + row, 172 + row, 80 - row, 173 + row, WHITE)
    return px


def bmp(px):
    row_bytes = (WIDTH // 2 + 3) // 4 * 4
    data = b""
    for y in range(HEIGHT - 1, -1, -1):
        row = bytes((px[y][x] << 4) | px[y][x + 1] for x in range(0, WIDTH, 2))
        data += row + b"\0" * (row_bytes - len(row))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(data), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return header + info + palette + data


if __name__ == "__main__":
    with open("SideImage.bmp", "wb") as f:
        f.write(bmp(draw()))
