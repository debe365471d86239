#!/usr/bin/env python3
"""Draws the start-up picture, bitmap 132 (run by hand; the output is committed under res/).

594 x 183 pixels, 4 bits per pixel, run-length encoded (BI_RLE4): the maker's name NOLVEX in
small yellow capitals above the product name VELMORA in large red-to-orange capitals with a
dark red drop shadow, on black inside a grey raised border. Letters are strokes rendered with
3 x 3 supersampling and matched to the picture's own 16 colours. The same picture is drawn for
125, 150, 175 and 200 % as splash_<percent>.bmp: every length scales, the strokes are drawn anew."""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from bmp4 import BI_RLE4, write_bmp  # noqa: E402
from raster import segment_distance  # noqa: E402


COLOURS = [
    (0, 0, 0),                                                         # 0 black
    (192, 0, 0), (235, 25, 0), (255, 70, 0), (255, 120, 0), (255, 170, 0),  # 1-5 red to orange
    (45, 0, 0), (95, 0, 0), (145, 15, 0),                              # 6-8 dark reds
    (255, 225, 0), (120, 100, 0),                                      # 9-10 yellows
    (255, 255, 255), (192, 192, 192), (128, 128, 128), (64, 64, 64),   # 11-14 greys
    (130, 65, 0),                                                      # 15 dark orange
]
WHITE, LIGHT, GREY, DARK = 11, 12, 13, 14


def _arc(cx, cy, rx, ry, a0, a1, n):
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


# Capitals as polylines on a grid 10 units high (y down), with their advance widths.
LETTERS = {
    'V': (7.0, [[(0, 0), (3.5, 10), (7, 0)]]),
    'E': (5.6, [[(5.6, 0), (0, 0), (0, 10), (5.6, 10)], [(0, 5), (4.8, 5)]]),
    'L': (5.4, [[(0, 0), (0, 10), (5.4, 10)]]),
    'M': (8.0, [[(0, 10), (0, 0), (4, 6.5), (8, 0), (8, 10)]]),
    'O': (7.6, [_arc(3.8, 5, 3.8, 5, 0, 360, 48)]),
    'R': (6.4, [[(0, 10), (0, 0), (3.4, 0)] + _arc(3.4, 2.7, 2.7, 2.7, -90, 90, 16) + [(0, 5.4)],
                [(3.2, 5.4), (6.4, 10)]]),
    'A': (7.6, [[(0, 10), (3.8, 0), (7.6, 10)], [(1.5, 6.6), (6.1, 6.6)]]),
    'N': (6.6, [[(0, 10), (0, 0), (6.6, 10), (6.6, 0)]]),
    'X': (6.6, [[(0, 0), (6.6, 10)], [(6.6, 0), (0, 10)]]),
}


def word_segments(word, scale, gap, x0, y0):
    """Segments of a word in pixels, and its bounding box per letter."""
    letters = []
    x = x0
    for ch in word:
        advance, strokes = LETTERS[ch]
        segs = []
        for line in strokes:
            pts = [(x + px * scale, y0 + py * scale) for px, py in line]
            segs += list(zip(pts, pts[1:]))
        letters.append(segs)
        x += (advance + gap) * scale
    return letters


def word_width(word, scale, gap):
    return (sum(LETTERS[ch][0] for ch in word) + gap * (len(word) - 1)) * scale


def coverage(letters, thickness, width, height):
    """Fraction of each pixel covered by the strokes, as a dict {(x, y): 0..1}."""
    half = thickness / 2
    cover = {}
    samples = [(i + 0.5) / 3 for i in range(3)]
    for segs in letters:
        xs = [p[0] for s in segs for p in s]
        ys = [p[1] for s in segs for p in s]
        for y in range(max(0, int(min(ys) - half) - 1), min(height, int(max(ys) + half) + 2)):
            for x in range(max(0, int(min(xs) - half) - 1), min(width, int(max(xs) + half) + 2)):
                hits = 0
                for sy in samples:
                    for sx in samples:
                        px, py = x + sx, y + sy
                        if any(segment_distance(px, py, a[0], a[1], b[0], b[1]) <= half for a, b in segs):
                            hits += 1
                if hits:
                    cover[(x, y)] = max(cover.get((x, y), 0), hits / 9)
    return cover


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def nearest(rgb):
    return min(range(16), key=lambda i: sum((COLOURS[i][k] - rgb[k]) ** 2 for k in range(3)))


def draw(percent):
    k = percent / 100
    WIDTH, HEIGHT = 594 * percent // 100, 183 * percent // 100
    BORDER = 6 * percent // 100
    image = [[(0, 0, 0)] * WIDTH for _ in range(HEIGHT)]

    # VELMORA: large, a gradient from red at the top to orange at the bottom, with a shadow.
    big_scale, big_gap, big_thick = 6.6 * k, 2.2, 14 * k
    big_top = 74 * k
    bx = (WIDTH - word_width('VELMORA', big_scale, big_gap)) / 2
    shadow = coverage(word_segments('VELMORA', big_scale, big_gap, bx + 5 * k, big_top + 5 * k), big_thick, WIDTH, HEIGHT)
    for (x, y), c in shadow.items():
        image[y][x] = mix(image[y][x], COLOURS[7], c)
    letters = coverage(word_segments('VELMORA', big_scale, big_gap, bx, big_top), big_thick, WIDTH, HEIGHT)
    top, bottom = big_top - big_thick / 2, big_top + 10 * big_scale + big_thick / 2
    for (x, y), c in letters.items():
        t = max(0.0, min(1.0, (y - top) / (bottom - top)))
        image[y][x] = mix(image[y][x], mix((215, 10, 0), (255, 175, 0), t), c)

    # NOLVEX: small yellow capitals, widely spaced, above.
    small_scale, small_gap, small_thick = 2.3 * k, 3.2, 4.2 * k
    sx = (WIDTH - word_width('NOLVEX', small_scale, small_gap)) / 2
    for (x, y), c in coverage(word_segments('NOLVEX', small_scale, small_gap, sx, 30 * k), small_thick, WIDTH, HEIGHT).items():
        image[y][x] = mix(image[y][x], COLOURS[9], c)
    # A thin orange rule between the two names.
    for x in range(int(bx), int(WIDTH - bx)):
        for y in range(62 * percent // 100, (63 * percent + 99) // 100):
            image[y][x] = COLOURS[15]

    grid = [[nearest(image[y][x]) for x in range(WIDTH)] for y in range(HEIGHT)]

    # Grey raised border: white and light grey at the top and left, dark at the bottom and right.
    for i in range(BORDER):
        lo, hi = i, BORDER - 1 - i
        c_tl = WHITE if i == 0 else (DARK if i == BORDER - 1 else LIGHT)
        c_br = DARK if i == 0 else (WHITE if i == BORDER - 1 else GREY)
        for x in range(i, WIDTH - i):
            grid[i][x] = c_tl
            grid[HEIGHT - 1 - i][x] = c_br
        for y in range(i, HEIGHT - i):
            grid[y][i] = c_tl
            grid[y][WIDTH - 1 - i] = c_br
        del lo, hi

    return grid


def main():
    for percent in [100] + [int(a) for a in sys.argv[1:]]:
        name = 'splash.bmp' if percent == 100 else 'splash_%d.bmp' % percent
        out = os.path.join(os.path.dirname(__file__), '..', '..', 'res', 'bitmaps', name)
        size = write_bmp(out, draw(percent), COLOURS, BI_RLE4)
        print('%s: %d bytes as a resource' % (name, size))


if __name__ == '__main__':
    main()
