#!/usr/bin/env python3
"""Draws the start picture LOGO2: 590 x 465, 8 bits per pixel, 256 greys, RLE8.

Grey lettering on white: the program's name in engraving dots over a subtitle, inside a thin
frame. The letters come from the 5 x 7 font below; edges are anti-aliased by supersampling.
Run from the repository root: scripts/make-logo2.py [output, default assets/logo2.bmp]
"""
import struct
import sys

WIDTH, HEIGHT = 590, 465
WHITE = 255
INK = 96  # grey of the lettering
SUB = 4  # supersampling per axis

FONT = {
    "S": [" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "],
    "k": ["#    ", "#    ", "#  # ", "# #  ", "##   ", "# #  ", "#  # "],
    "e": ["     ", "     ", " ### ", "#   #", "#####", "#    ", " ### "],
    "l": [" ##  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "],
    "d": ["    #", "    #", " ####", "#   #", "#   #", "#   #", " ####"],
    "a": ["     ", "     ", " ### ", "    #", " ####", "#   #", " ####"],
    "B": ["#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "],
    "M": ["#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"],
    "P": ["#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "],
    "t": [" #   ", " #   ", "#### ", " #   ", " #   ", " #  #", "  ## "],
    "o": ["     ", "     ", " ### ", "#   #", "#   #", "#   #", " ### "],
    "G": [" ####", "#    ", "#    ", "# ###", "#   #", "#   #", " ####"],
    "c": ["     ", "     ", " ####", "#    ", "#    ", "#    ", " ####"],
    "-": ["     ", "     ", "     ", "#####", "     ", "     ", "     "],
    " ": ["     "] * 7,
}


class Canvas:
    """Coverage of the ink per pixel, 0 .. SUB*SUB, drawn on a supersampled grid."""

    def __init__(self):
        self.cover = [[0] * WIDTH for _ in range(HEIGHT)]

    def fill(self, inside, left, top, right, bottom):
        """Adds the samples of [left, right) x [top, bottom) (pixels) for which inside(x, y)."""
        for py in range(max(int(top), 0), min(int(bottom) + 1, HEIGHT)):
            row = self.cover[py]
            for px in range(max(int(left), 0), min(int(right) + 1, WIDTH)):
                n = 0
                for sy in range(SUB):
                    y = py + (sy + 0.5) / SUB
                    for sx in range(SUB):
                        if inside(px + (sx + 0.5) / SUB, y):
                            n += 1
                row[px] = min(SUB * SUB, row[px] + n)

    def rect(self, left, top, right, bottom):
        self.fill(lambda x, y: left <= x < right and top <= y < bottom, left, top, right, bottom)

    def dot(self, cx, cy, r):
        self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r,
                  cx - r, cy - r, cx + r, cy + r)

    def text(self, s, left, top, cell, dots):
        """5 x 7 letters, one empty column between them; dots or solid cells."""
        for i, ch in enumerate(s):
            x0 = left + i * 6 * cell
            for row, bits in enumerate(FONT[ch]):
                for col, bit in enumerate(bits):
                    if bit != "#":
                        continue
                    x, y = x0 + col * cell, top + row * cell
                    if dots:
                        self.dot(x + cell / 2, y + cell / 2, cell * 0.47)
                    else:
                        self.rect(x, y, x + cell, y + cell)

    def pixels(self):
        full = SUB * SUB
        return [[WHITE - (WHITE - INK) * c // full for c in row] for row in self.cover]


def text_width(s, cell):
    return (6 * len(s) - 1) * cell


def rle8(rows):
    """Encoded runs only, rows bottom-up, each ended by end-of-line, then end-of-bitmap."""
    out = bytearray()
    for row in reversed(rows):
        x = 0
        while x < len(row):
            n = 1
            while x + n < len(row) and n < 255 and row[x + n] == row[x]:
                n += 1
            out += bytes((n, row[x]))
            x += n
        out += b"\x00\x00"
    out += b"\x00\x01"
    return bytes(out)


def bmp(rows):
    palette = b"".join(bytes((g, g, g, 0)) for g in range(256))
    data = rle8(rows)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 1, len(data), 0, 0, 256, 0)
    return header + info + palette + data


def main():
    c = Canvas()
    # a thin double frame
    c.rect(14, 14, WIDTH - 14, 17)
    c.rect(14, HEIGHT - 17, WIDTH - 14, HEIGHT - 14)
    c.rect(14, 14, 17, HEIGHT - 14)
    c.rect(WIDTH - 17, 14, WIDTH - 14, HEIGHT - 14)
    c.rect(22, 22, WIDTH - 22, 23)
    c.rect(22, HEIGHT - 23, WIDTH - 22, HEIGHT - 22)
    c.rect(22, 22, 23, HEIGHT - 22)
    c.rect(WIDTH - 23, 22, WIDTH - 22, HEIGHT - 22)

    title, tcell = "Skelda", 13
    c.text(title, (WIDTH - text_width(title, tcell)) / 2, 135, tcell, dots=True)
    rule_top = 135 + 7 * tcell + 28
    c.rect(120, rule_top, WIDTH - 120, rule_top + 2)
    sub, scell = "BMP to G-code", 5
    c.text(sub, (WIDTH - text_width(sub, scell)) / 2, rule_top + 30, scell, dots=False)

    out = sys.argv[1] if len(sys.argv) > 1 else "assets/logo2.bmp"
    with open(out, "wb") as f:
        f.write(bmp(c.pixels()))


if __name__ == "__main__":
    main()
