#!/usr/bin/env python3
"""Draws the ten palette button pictures (run by hand; the output is committed under res/).

Each is 176 x 32 pixels, 4 bits per pixel with the standard 16-colour table, uncompressed: a
grey button face with a pictogram at the left and a caption whose mnemonic is underlined. The
...U picture is the button at rest (raised); ...D is the same button held down (sunken, its
content shifted one pixel right and down).

The same pictures are made for 125, 150, 175 and 200 %: palette_<name><u|d>_<percent>.bmp. The
200 % pictures are the 100 % ones with every pixel doubled; the others are drawn for their size:
the bevel in one-pixel lines, the pictogram from its scaled shapes and the caption's strokes
traced at that scale (pictograms.py, pixfont.layout_at). All are run-length encoded (BI_RLE4):
a quarter of their plain size or less."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from bmp4 import BI_RGB, BI_RLE4, write_bmp  # noqa: E402
from ico4 import VGA  # noqa: E402
import pictograms  # noqa: E402
import pixfont  # noqa: E402
from raster import Canvas  # noqa: E402

WIDTH, HEIGHT = 176, 32
BLACK, GREY, DARKGREY, WHITE = 0, 7, 8, 15
PICTO_X, PICTO_Y = 6, 4
TEXT_X = 38
CAPS_TOP = (HEIGHT - pixfont.ASCENT) // 2 - 1

BUTTONS = [
    ('ACTIVATE', 'Activate &Velmora', pictograms.lightning_over_box),
    ('DEACTIVATE', 'Deactivate &Velmora', pictograms.prohibition_over_page),
    ('OPTIONS', 'Advanced &Options', pictograms.pocket_tool),
    ('HELP', '&Help', pictograms.question_mark),
    ('REMOVE_CACHE', '&Clear Cache', pictograms.waste_bin),
]


def content(caption, picto):
    """Pictogram and caption on a transparent layer, so the pressed picture can shift it."""
    layer = Canvas(WIDTH, HEIGHT, -1)
    layer.blit(picto(), PICTO_X, PICTO_Y, transparent=-1)
    ink, _, underline = pixfont.layout(caption, bold=True)
    for (x, y) in ink:
        layer.set(TEXT_X + x, CAPS_TOP + y, BLACK)
    if underline:
        layer.hline(TEXT_X + underline[0], TEXT_X + underline[1], CAPS_TOP + pixfont.ASCENT + 1, BLACK)
    return layer


def face(pressed):
    return face_at(pressed, WIDTH, HEIGHT)


def picture(caption, picto, pressed):
    c = face(pressed)
    shift = 1 if pressed else 0
    layer = content(caption, picto)
    # Keep the shifted content inside the bevel.
    clip = Canvas(WIDTH, HEIGHT, -1)
    clip.blit(layer, shift, shift, transparent=-1)
    for y in range(3, HEIGHT - 2):
        for x in range(3, WIDTH - 2):
            if clip.px[y][x] != -1:
                c.px[y][x] = clip.px[y][x]
    return c.px


SCALES = (125, 150, 175, 200)


def enlarge(px, percent, width=WIDTH, height=HEIGHT):
    """Pixel i of the result takes pixel floor(i * 100 / percent) of the source."""
    w, h = width * percent // 100, height * percent // 100
    return [[px[y * 100 // percent][x * 100 // percent] for x in range(w)] for y in range(h)]


def face_at(pressed, w, h):
    """The bevel of face() for a button of w x h pixels: one-pixel lines at every scale but 200 %."""
    c = Canvas(w, h, GREY)
    r, b = w - 1, h - 1
    if pressed:
        # Sunken: dark then black at the top and left, white then grey at the bottom and right.
        c.hline(0, r, 0, DARKGREY); c.vline(0, 0, b, DARKGREY)
        c.hline(1, r - 1, 1, BLACK); c.vline(1, 1, b - 1, BLACK)
        c.hline(0, r, b, WHITE); c.vline(r, 0, b, WHITE)
    else:
        # Raised: white at the top and left, dark grey then black at the bottom and right.
        c.hline(0, r - 1, 0, WHITE); c.vline(0, 0, b - 1, WHITE)
        c.hline(1, r - 1, b - 1, DARKGREY); c.vline(r - 1, 1, b - 1, DARKGREY)
        c.hline(0, r, b, BLACK); c.vline(r, 0, b, BLACK)
    return c


def content_at(caption, picto, percent):
    """content() drawn for a scale: the same places, each stroke and shape drawn at that size."""
    k = percent / 100
    w, h = WIDTH * percent // 100, HEIGHT * percent // 100
    layer = Canvas(w, h, -1)
    layer.blit(picto(k), int(PICTO_X * k + 0.5), int(PICTO_Y * k + 0.5), transparent=-1)
    ink, underline = pixfont.layout_at(caption, k, TEXT_X, CAPS_TOP)
    for (x, y) in ink:
        layer.set(x, y, BLACK)
    if underline:
        layer.rect(underline[0], underline[2], underline[1], underline[3], BLACK)
    return layer.px


def picture_at(caption, picto, pressed, percent):
    if percent % 100 == 0:
        return enlarge(picture(caption, picto, pressed), percent)
    w, h = WIDTH * percent // 100, HEIGHT * percent // 100
    c = face_at(pressed, w, h)
    shift = 1 if pressed else 0
    layer = content_at(caption, picto, percent)
    for y in range(3, h - 2):
        for x in range(3, w - 2):
            sx, sy = x - shift, y - shift
            if layer[sy][sx] != -1:
                c.px[y][x] = layer[sy][sx]
    return c.px


def main():
    out = os.path.join(os.path.dirname(__file__), '..', '..', 'res', 'bitmaps')
    os.makedirs(out, exist_ok=True)
    for name, caption, picto in BUTTONS:
        for suffix, pressed in (('U', False), ('D', True)):
            path = os.path.join(out, 'palette_%s%s.bmp' % (name.lower(), suffix.lower()))
            size = write_bmp(path, picture(caption, picto, pressed), VGA, BI_RGB)
            if size != 2920:
                raise AssertionError('%s is %d bytes, not 2920' % (path, size))
            for percent in SCALES:
                path = os.path.join(out, 'palette_%s%s_%d.bmp' % (name.lower(), suffix.lower(), percent))
                write_bmp(path, picture_at(caption, picto, pressed, percent), VGA, BI_RLE4)


if __name__ == '__main__':
    main()
