#!/usr/bin/env python3
"""Draws Velmora's own small pictures as XPM files: the tool buttons, the Help item, the OK glyph
and the program icon (32 x 32, and 16 x 16 for the title bar the program draws on Wayland), and the
icon once more as 32 x 32 and 48 x 48 PNG files for the desktop.
Run it from this folder after changing a drawing; the XPM and PNG files are committed."""

import struct
import zlib

COLOURS = {
    ".": "None",
    "#": "#000000",
    "g": "#808080",
    "s": "#C0C0C0",
    "w": "#FFFFFF",
    "b": "#000080",
    "y": "#FFFF00",
    "r": "#800000",
    "G": "#008000",
}


def blank(width, height):
    return [["."] * width for _ in range(height)]


def put(grid, x, y, c):
    if 0 <= y < len(grid) and 0 <= x < len(grid[0]):
        grid[y][x] = c


def line(grid, x0, y0, x1, y1, c):
    steps = max(abs(x1 - x0), abs(y1 - y0))
    for i in range(steps + 1):
        t = i / steps if steps else 0
        put(grid, round(x0 + (x1 - x0) * t), round(y0 + (y1 - y0) * t), c)


def inside_round_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius + 0.5


def inside_ellipse(x, y, left, top, right, bottom):
    cx, cy = (left + right) / 2, (top + bottom) / 2
    rx, ry = (right - left) / 2 + 0.5, (bottom - top) / 2 + 0.5
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def shape(grid, inside, fill):
    """An outline in black around the pixels `inside` accepts, the interior in `fill` (or left clear)."""
    h, w = len(grid), len(grid[0])
    for y in range(h):
        for x in range(w):
            if not inside(x, y):
                continue
            edge = any(not inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if edge:
                grid[y][x] = "#"
            elif fill:
                grid[y][x] = fill


def art(rows):
    return [list(row) for row in rows]


def pen():
    return art([
        "..................",
        "..............##..",
        ".............#rr#.",
        "............#rrrr#",
        "...........#yrrr#.",
        "..........#yyy##..",
        ".........#yyyy#...",
        "........#yyyy#....",
        ".......#yyyy#.....",
        "......#yyyy#......",
        ".....#yyyy#.......",
        "....#yyyy#........",
        "....#wyy#.........",
        "...#www#..........",
        "...#ww#...........",
        "..###.............",
        "..##..............",
        "..................",
    ])


def fill():
    return art([
        "..................",
        "......##..........",
        ".....#..#.........",
        ".....#..##........",
        ".....#.#ww#.......",
        "....#.#wwwww#.....",
        "...#.#wwwwwwg#....",
        "..#.#wwwwwwwgg#...",
        "..##wwwwwwwwggb#..",
        "...#wwwwwwwwgbbb#.",
        "....#wwwwwwgbbbbb.",
        ".....#wwwwgg#bbbb.",
        "......#wwgg#..bbb.",
        ".......#gg#...bbb.",
        "........##.....bb.",
        "...............bb.",
        "..................",
        "..................",
    ])


def straight_line():
    g = blank(18, 18)
    line(g, 2, 15, 15, 2, "#")
    line(g, 3, 15, 15, 3, "#")
    return g


def outlined(kind, fill_colour=None):
    g = blank(18, 18)
    if kind == "rectangle":
        shape(g, lambda x, y: 2 <= x <= 15 and 4 <= y <= 13, fill_colour)
    elif kind == "ellipse":
        shape(g, lambda x, y: inside_ellipse(x, y, 1, 3, 16, 14), fill_colour)
    else:
        # The rectangle's own box with corners rounded by two pixels, so that it cannot be taken
        # for the ellipse.
        shape(g, lambda x, y: inside_round_rect(x, y, 2, 4, 15, 13, 2), fill_colour)
    return g


def help_book():
    g = blank(16, 15)
    shape(g, lambda x, y: inside_ellipse(x, y, 1, 0, 14, 13), "b")
    for x, y in [(6, 3), (7, 2), (8, 2), (9, 3), (9, 4), (8, 5), (7, 6), (7, 7), (7, 10), (6, 4)]:
        put(g, x, y, "w")
    put(g, 8, 3, "b")
    return g


def check_mark():
    g = blank(16, 16)
    for x0, y0, x1, y1 in [(2, 8, 6, 12), (6, 12, 13, 3)]:
        for dy in range(0, 2):
            line(g, x0, y0 + dy, x1, y1 + dy, "G")
    return g


def icon(size=32):
    """A white letter V on a navy tile with a white rim; the 32 x 32 drawing scaled to `size`."""
    scale = size / 32
    g = [["b"] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            if x in (0, size - 1) or y in (0, size - 1):
                g[y][x] = "w"
    top, bottom = round(6 * scale), round(26 * scale)
    spread, stroke, left = round(9 * scale), round(3 * scale), round(5 * scale)
    for y in range(top, bottom + 1):
        offset = (y - top) * spread // (bottom - top)
        for i in range(stroke):
            put(g, left + offset + i, y, "w")
            put(g, size - 1 - left - offset - i, y, "w")
    return g


def write(name, grid):
    used = sorted({c for row in grid for c in row})
    lines = [f'"{len(grid[0])} {len(grid)} {len(used)} 1",']
    lines += [f'"{c} c {COLOURS[c]}",' for c in used]
    lines += ['"' + "".join(row) + '",' for row in grid]
    lines[-1] = lines[-1].rstrip(",")
    ident = name.replace("-", "_")
    with open(f"{name}.xpm", "w") as out:
        out.write("/* XPM */\n")
        out.write(f"static const char *{ident}[] = {{\n")
        out.write("\n".join(lines) + "\n};\n")


def write_png(name, grid):
    """An 8-bit RGBA PNG, written with the standard library only."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    def rgba(c):
        colour = COLOURS[c]
        return b"\0\0\0\0" if colour == "None" else bytes.fromhex(colour[1:]) + b"\xff"

    rows = b"".join(b"\0" + b"".join(rgba(c) for c in row) for row in grid)
    header = struct.pack(">IIBBBBB", len(grid[0]), len(grid), 8, 6, 0, 0, 0)
    with open(f"{name}.png", "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9))
                  + chunk(b"IEND", b""))


if __name__ == "__main__":
    write("pen", pen())
    write("fill", fill())
    write("line", straight_line())
    write("rectangle", outlined("rectangle"))
    write("ellipse", outlined("ellipse"))
    write("roundrect", outlined("roundrect"))
    write("filledrect", outlined("rectangle", "g"))
    write("filledellipse", outlined("ellipse", "g"))
    write("filledroundrect", outlined("roundrect", "g"))
    write("help", help_book())
    write("ok", check_mark())
    write("velmora-16", icon(16))
    write("velmora-32", icon())
    write_png("velmora-32", icon(32))
    write_png("velmora-48", icon(48))
