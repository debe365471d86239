#!/usr/bin/env python3
"""Draws the program's icons (run by hand; the output is committed under res/).

Icon 128 (window icon, 32x32 and 16x16) and icon 131 (32x32): a disk cache platter,
grey with a dark hub, carrying a red V for Velmora. Each icon also holds the platter drawn for
125, 150, 175 and 200 % (40, 48, 56, 64 pixels; 20, 24, 28 for the small one)."""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from ico4 import TRANSPARENT, write_icon  # noqa: E402

BLACK, DARKRED, GREY, DARKGREY, RED, YELLOW, WHITE, BLUE = 0, 1, 7, 8, 9, 11, 15, 4


def platter(size, v_colour):
    c = (size - 1) / 2
    r = size / 2 - 0.5
    grid = []
    for y in range(size):
        row = []
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d > r:
                row.append(TRANSPARENT)
            elif d > r - max(1, size // 16):
                row.append(BLACK)
            elif d < size / 10:
                row.append(DARKGREY)
            else:
                # light from the upper left
                row.append(WHITE if (x - c) + (y - c) < -r * 0.9 else GREY)
        grid.append(row)
    # A bold V over the platter.
    top, bottom = int(size * 0.22), int(size * 0.80)
    half = size * 0.30
    thick = max(1.5, size / 10)
    for y in range(top, bottom + 1):
        t = (y - top) / (bottom - top)
        off = half * (1 - t)
        for x in range(size):
            for sx in (c - off, c + off):
                if abs(x - sx) <= thick / 2 and grid[y][x] != TRANSPARENT:
                    grid[y][x] = v_colour if abs(x - sx) < thick / 2 - 0.5 else DARKRED
    return grid


def main():
    res = os.path.join(os.path.dirname(__file__), '..', '..', 'res')
    large = [platter(n, RED) for n in (40, 48, 56, 64)]
    small = [platter(n, RED) for n in (20, 24, 28)]
    write_icon(os.path.join(res, 'palette.ico'), [platter(32, RED), platter(16, RED)] + large + small)
    write_icon(os.path.join(res, 'velmora.ico'), [platter(32, RED)] + large)


if __name__ == '__main__':
    main()
