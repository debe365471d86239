"""The small pictures at the left of the palette buttons, 24 x 24 pixels at 100 % on a
transparent ground (-1), in the standard 16-colour palette.

Each is drawn from coordinates on the 24-unit grid, so it is drawn anew for any scale k:
shapes are scaled and rasterized at that size, outlines and details stay one pixel wide."""
from raster import Canvas, ellipse_mask, polygon_mask, thick_line_mask
import math

NONE = -1
BLACK, DARKRED, OLIVE, NAVY, TEAL, GREY, DARKGREY = 0, 1, 3, 4, 6, 7, 8
RED, YELLOW, BLUE, CYAN, WHITE = 9, 11, 12, 14, 15
SIZE = 24


class Grid:
    """Grid units to pixels at scale k; at k = 1 every mapping is the identity."""

    def __init__(self, k):
        self.k = k
        self.size = int(SIZE * k + 0.5)

    def poly(self, points):
        return polygon_mask([(x * self.k, y * self.k) for x, y in points], self.size, self.size)

    def at(self, i):
        """The pixel holding the centre of 100 % pixel i."""
        return int((i + 0.5) * self.k)

    def span(self, i0, i1):
        """The pixels covering 100 % pixels i0..i1."""
        return int(i0 * self.k + 0.5), int((i1 + 1) * self.k + 0.5) - 1


def _shape(c, mask, fill, edge=BLACK):
    c.mask_fill(mask, fill)
    c.outline(mask, edge)


def lightning_over_box(k=1):
    """A yellow lightning bolt striking a small box."""
    g = Grid(k)
    c = Canvas(g.size, g.size, NONE)
    # The box, seen from above and the front: light top, grey front, dark right side.
    top = g.poly([(3, 15), (8, 12), (21, 12), (16, 15)])
    front = g.poly([(3, 15), (16, 15), (16, 22), (3, 22)])
    side = g.poly([(16, 15), (21, 12), (21, 19), (16, 22)])
    whole = top | front | side
    c.mask_fill(top, WHITE)
    c.mask_fill(front, TEAL)
    c.mask_fill(side, NAVY)
    c.outline(whole, BLACK)
    x0, x1 = g.span(4, 15)
    c.hline(x0, x1, g.span(15, 15)[0], BLACK)  # the edge between top and front
    y0, y1 = g.span(15, 22)
    c.vline(g.span(16, 16)[0], y0, y1, BLACK)  # the edge between front and side
    # The bolt, from the upper right down onto the box's top.
    bolt = g.poly([(13, 0), (21, 0), (16, 5), (20.5, 5), (9.5, 14.5), (12.5, 8), (8, 8)])
    _shape(c, bolt, YELLOW)
    for (x, y) in bolt:  # a darker flank on the bolt's right-hand edges
        if (x + 1, y) not in bolt and (x - 1, y) in bolt:
            c.set(x, y, OLIVE)
    return c


def prohibition_over_page(k=1):
    """A red prohibition sign over a small written page."""
    g = Grid(k)
    c = Canvas(g.size, g.size, NONE)
    page = g.poly([(2, 1), (11, 1), (15, 5), (15, 20), (2, 20)])
    _shape(c, page, WHITE)
    fx, fy, ty = g.at(11), g.at(5), g.at(1)
    for y in range(ty + 1, fy):  # the folded corner
        for x in range(fx + 1, fx + 1 + (y - ty)):
            c.set(x, y, GREY)
    c.vline(fx, ty, fy, BLACK)
    c.hline(fx, g.at(14), fy, BLACK)
    for y in range(4, 19, 2):  # lines of writing
        c.hline(g.span(4, 4)[0], g.span(9 if y < 6 else 13, 9 if y < 6 else 13)[1], g.at(y), DARKGREY)
    m = 15.5 * k
    ring = ellipse_mask(m, m, 7.6 * k, 7.6 * k, g.size, g.size) - ellipse_mask(m, m, 5.0 * k, 5.0 * k, g.size, g.size)
    bar = thick_line_mask(10.5 * k, 10.5 * k, 20.5 * k, 20.5 * k, 3.0 * k, g.size, g.size) & \
        ellipse_mask(m, m, 6 * k, 6 * k, g.size, g.size)
    c.mask_fill(ring | bar, RED)
    for (x, y) in ring:  # a darker lower-right rim for depth
        if (x + 1, y + 1) not in ring and x + y + 1 > 33 * k:
            c.set(x, y, DARKRED)
    return c


def pocket_tool(k=1):
    """A red pocket knife with its blade and a small tool opened."""
    g = Grid(k)
    c = Canvas(g.size, g.size, NONE)
    blade = g.poly([(3, 14), (6, 10), (22, 2), (19, 8), (11, 14)])
    _shape(c, blade, GREY)
    for (x, y) in blade:
        if (x, y - 1) not in blade:
            c.set(x, y, WHITE)  # the blade's bright back edge
    body = g.poly([(2, 15), (4, 13), (20, 13), (22, 15), (22, 19), (20, 21), (4, 21), (2, 19)])
    _shape(c, body, RED)
    for (x, y) in body:
        if (x, y + 1) not in body or (x + 1, y) not in body:
            c.set(x, y, DARKRED)
    # The white cross on the handle.
    for (a, b, cc, d) in ((11, 15, 12, 19), (9, 16, 14, 18)):
        x0, x1 = g.span(a, cc)
        y0, y1 = g.span(b, d)
        c.rect(x0, y0, x1, y1, WHITE)
    for x in (3, 21):  # the pivot rivets
        x0, x1 = g.span(x, x)
        y0, y1 = g.span(17, 17)
        c.rect(x0, y0, x1, y1, DARKGREY)
    return c


_QUESTION_100 = [
    '........kkkkkkk.........',
    '......kkyyyyyyykk.......',
    '.....kywwyyyyyyyok......',
    '....kywyyyyyyyyyyok.....',
    '....kyyyykkkkkyyyyok....',
    '....kyyyk.....kyyyok....',
    '....kkkkk.....kyyyok....',
    '.............kyyyyok....',
    '...........kkyyyyok.....',
    '..........kyyyyyok......',
    '.........kyyyyokk.......',
    '.........kyyyok.........',
    '.........kyyyok.........',
    '.........kkkkkk.........',
    '........................',
    '.........kkkkkk.........',
    '.........kyyyok.........',
    '.........kyyyok.........',
    '.........kooook.........',
    '.........kkkkkk.........',
]


def question_mark(k=1):
    """A bold yellow question mark with a dark outline: hand-set pixels at 100 %, and at other
    scales the same figure as a stroke (a hook, a slant and a stem) and a square dot."""
    g = Grid(k)
    c = Canvas(g.size, g.size, NONE)
    if k == 1:
        c.stamp(0, 2, _QUESTION_100, {'k': BLACK, 'y': YELLOW, 'o': OLIVE, 'w': WHITE})
        return c
    cx, cy, r, t = 11.5 * k, 9.4 * k, 4.5 * k, 4.0 * k
    arc = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)))
           for a in range(195, 406, 15)]
    path = arc + [(12 * k, 13.6 * k), (12 * k, 15.0 * k)]
    hook = set()
    for (ax, ay), (bx, by) in zip(path, path[1:]):
        hook |= thick_line_mask(ax, ay, bx, by, t, g.size, g.size)
    dot = g.poly([(10, 18), (14, 18), (14, 21), (10, 21)])
    figure = hook | dot
    _shape(c, figure, YELLOW)
    for (x, y) in figure:  # a darker right-hand flank and foot
        if (x + 1, y) not in figure or ((x, y) in dot and (x, y + 1) not in dot):
            c.set(x, y, OLIVE)
    for (x, y) in hook:  # a highlight on the upper left of the hook, one pixel in
        a = math.degrees(math.atan2(y + 0.5 - cy, x + 0.5 - cx)) % 360
        if 200 <= a <= 255 and math.hypot(x + 0.5 - cx, y + 0.5 - cy) > r + t / 2 - 1.6 * k:
            if ((x - 1, y) in hook and (x, y - 1) in hook):
                c.set(x, y, WHITE)
    return c


def waste_bin(k=1):
    """A grey waste bin with its lid."""
    g = Grid(k)
    c = Canvas(g.size, g.size, NONE)
    body = g.poly([(5, 7), (19, 7), (17.5, 23), (6.5, 23)])
    _shape(c, body, GREY)
    y0, y1 = g.span(9, 21)
    for x in (9, 12, 15):  # ribs
        for y in range(y0, y1 + 1):
            if (g.at(x), y) in body:
                c.set(g.at(x), y, DARKGREY)
    for (x, y) in body:
        if (x - 1, y) not in body:
            c.set(x, y, WHITE)
    lid = g.poly([(3, 4), (21, 4), (21, 7), (3, 7)])
    _shape(c, lid, GREY)
    for (x, y) in lid:  # the lid's bright top edge
        if (x, y - 1) not in lid and (x - 1, y) in lid:
            c.set(x, y, WHITE)
    handle = g.poly([(9, 1), (15, 1), (15, 4), (9, 4)]) - g.poly([(10, 2), (14, 2), (14, 4), (10, 4)])
    c.mask_fill(handle, DARKGREY)
    return c
