#!/usr/bin/env python3
"""Writes resources/Bytrane.ico: one 32x32 16-colour image of a dump page, rows of byte
cells beside a column of characters, on a dark blue tile."""
import struct, pathlib

SIZE = 32
# The standard 16-colour palette; each entry is written (blue, green, red).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128), (128, 128, 0),
    (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255), (255, 0, 0),
    (255, 0, 255), (255, 255, 0), (255, 255, 255)]
BLACK, NAVY, GREY, SILVER, YELLOW, WHITE = 0, 4, 8, 7, 11, 15   # indexes as BGR entries above


def picture():
    pixels = [[None] * SIZE for _ in range(SIZE)]        # None = transparent
    for y in range(1, 31):
        for x in range(1, 31):
            corner = (x in (1, 30)) and (y in (1, 30))
            if not corner:
                pixels[y][x] = NAVY
    for x in range(2, 30):                               # light top edge, dark bottom edge
        pixels[2][x] = GREY
        pixels[29][x] = BLACK
    for row in range(5):                                 # five dump rows
        y = 6 + row * 4
        for cell in range(3):                            # three byte pairs
            x0 = 4 + cell * 6
            colour = YELLOW if (row, cell) == (2, 1) else WHITE
            for dy in range(2):
                for dx in range(4):
                    pixels[y + dy][x0 + dx] = colour
        for dy in range(2):                              # the character column
            for dx in range(4):
                pixels[y + dy][23 + dx] = SILVER
    return pixels


def ico(pixels):
    xor = bytearray()
    andmask = bytearray()
    for y in reversed(range(SIZE)):                      # bottom-up rows
        for x in range(0, SIZE, 2):
            hi = pixels[y][x] or 0
            lo = pixels[y][x + 1] or 0
            xor.append((hi << 4) | lo)
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if pixels[y][x] is None else 0)
        andmask += struct.pack('>I', bits)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in
                       [(p[2], p[1], p[0]) for p in PALETTE])
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(andmask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(andmask)
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', SIZE, SIZE, 16, 0, 1, 4, len(image), 22)
    return directory + image


out = pathlib.Path(__file__).resolve().parent.parent / 'resources' / 'Bytrane.ico'
out.write_bytes(ico(picture()))
