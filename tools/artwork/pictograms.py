"""The small pictures at the left of the palette buttons, 24 x 24 pixels on a transparent
ground (-1), in the standard 16-colour palette."""
from raster import Canvas, ellipse_mask, polygon_mask, thick_line_mask

NONE = -1
BLACK, DARKRED, OLIVE, NAVY, TEAL, GREY, DARKGREY = 0, 1, 3, 4, 6, 7, 8
RED, YELLOW, BLUE, CYAN, WHITE = 9, 11, 12, 14, 15
SIZE = 24


def _canvas():
    return Canvas(SIZE, SIZE, NONE)


def _shape(c, mask, fill, edge=BLACK):
    c.mask_fill(mask, fill)
    c.outline(mask, edge)


def lightning_over_box():
    """A yellow lightning bolt striking a small box."""
    c = _canvas()
    # The box, seen from above and the front: light top, grey front, dark right side.
    top = polygon_mask([(3, 15), (8, 12), (21, 12), (16, 15)], SIZE, SIZE)
    front = polygon_mask([(3, 15), (16, 15), (16, 22), (3, 22)], SIZE, SIZE)
    side = polygon_mask([(16, 15), (21, 12), (21, 19), (16, 22)], SIZE, SIZE)
    whole = top | front | side
    c.mask_fill(top, WHITE)
    c.mask_fill(front, TEAL)
    c.mask_fill(side, NAVY)
    c.outline(whole, BLACK)
    for x in range(4, 16):  # the edge between top and front
        c.set(x, 15, BLACK)
    for y in range(15, 23):  # the edge between front and side
        c.set(16, y, BLACK)
    # The bolt, from the upper right down onto the box's top.
    bolt = polygon_mask([(13, 0), (21, 0), (16, 5), (20.5, 5), (9.5, 14.5),
                         (12.5, 8), (8, 8)], SIZE, SIZE)
    _shape(c, bolt, YELLOW)
    for (x, y) in bolt:  # a darker flank on the bolt's right-hand edges
        if (x + 1, y) not in bolt and (x - 1, y) in bolt:
            c.set(x, y, OLIVE)
    return c


def prohibition_over_page():
    """A red prohibition sign over a small written page."""
    c = _canvas()
    page = polygon_mask([(2, 1), (11, 1), (15, 5), (15, 20), (2, 20)], SIZE, SIZE)
    _shape(c, page, WHITE)
    for (x, y) in [(11, 1), (11, 2), (11, 3), (11, 4), (11, 5), (12, 5), (13, 5), (14, 5)]:
        c.set(x, y, BLACK)  # the folded corner
    for (x, y) in [(12, 2), (12, 3), (13, 3), (12, 4), (13, 4), (14, 4)]:
        c.set(x, y, GREY)
    for y in range(4, 19, 2):  # lines of writing
        c.hline(4, 9 if y < 6 else 13, y, DARKGREY)
    ring = ellipse_mask(15.5, 15.5, 7.6, 7.6, SIZE, SIZE) - ellipse_mask(15.5, 15.5, 5.0, 5.0, SIZE, SIZE)
    bar = thick_line_mask(10.5, 10.5, 20.5, 20.5, 3.0, SIZE, SIZE) & ellipse_mask(15.5, 15.5, 6, 6, SIZE, SIZE)
    sign = ring | bar
    c.mask_fill(sign, RED)
    for (x, y) in ring:  # a darker lower-right rim for depth
        if (x + 1, y + 1) not in ring and x + y > 32:
            c.set(x, y, DARKRED)
    return c


def pocket_tool():
    """A red pocket knife with its blade and a small tool opened."""
    c = _canvas()
    blade = polygon_mask([(3, 14), (6, 10), (22, 2), (19, 8), (11, 14)], SIZE, SIZE)
    _shape(c, blade, GREY)
    for (x, y) in blade:
        if (x, y - 1) not in blade:
            c.set(x, y, WHITE)  # the blade's bright back edge
    body = polygon_mask([(2, 15), (4, 13), (20, 13), (22, 15), (22, 19), (20, 21), (4, 21), (2, 19)], SIZE, SIZE)
    _shape(c, body, RED)
    for (x, y) in body:
        if (x, y + 1) not in body or (x + 1, y) not in body:
            c.set(x, y, DARKRED)
    # The white cross on the handle.
    c.rect(11, 15, 12, 19, WHITE)
    c.rect(9, 16, 14, 18, WHITE)
    c.rect(11, 16, 12, 18, WHITE)
    c.set(3, 17, DARKGREY)  # the pivot rivets
    c.set(21, 17, DARKGREY)
    return c


def question_mark():
    """A bold yellow question mark with a dark outline."""
    rows = [
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
    c = _canvas()
    c.stamp(0, 2, rows, {'k': BLACK, 'y': YELLOW, 'o': OLIVE, 'w': WHITE})
    return c


def waste_bin():
    """A grey waste bin with its lid."""
    c = _canvas()
    body = polygon_mask([(5, 7), (19, 7), (17.5, 23), (6.5, 23)], SIZE, SIZE)
    _shape(c, body, GREY)
    for x in (9, 12, 15):  # ribs
        for y in range(9, 22):
            if (x, y) in body:
                c.set(x, y, DARKGREY)
    for (x, y) in body:
        if (x - 1, y) not in body:
            c.set(x, y, WHITE)
    lid = polygon_mask([(3, 4), (21, 4), (21, 7), (3, 7)], SIZE, SIZE)
    _shape(c, lid, GREY)
    c.hline(4, 20, 4, WHITE)
    handle = polygon_mask([(9, 1), (15, 1), (15, 4), (9, 4)], SIZE, SIZE) - \
        polygon_mask([(10, 2), (14, 2), (14, 4), (10, 4)], SIZE, SIZE)
    c.mask_fill(handle, DARKGREY)
    return c
