"""A small proportional pixel font for the button captions, drawn for this program.

Capitals are 9 pixels high, small letters 6 (ascenders 9), descenders 2. Each glyph is a list
of rows from the top of the capitals down; '#' is ink."""

ASCENT = 9       # rows above the baseline, capitals' height
DESCENT = 2
SPACE = 3        # width of a blank
GAP = 1          # blank columns between letters

_CAPS = {
    'A': ['...#...', '..#.#..', '..#.#..', '.#...#.', '.#...#.', '.#####.', '#.....#', '#.....#', '#.....#'],
    'C': ['..###.', '.#...#', '#.....', '#.....', '#.....', '#.....', '#.....', '.#...#', '..###.'],
    'D': ['####..', '#...#.', '#....#', '#....#', '#....#', '#....#', '#....#', '#...#.', '####..'],
    'E': ['#####', '#....', '#....', '#....', '####.', '#....', '#....', '#....', '#####'],
    'H': ['#....#', '#....#', '#....#', '#....#', '######', '#....#', '#....#', '#....#', '#....#'],
    'L': ['#....', '#....', '#....', '#....', '#....', '#....', '#....', '#....', '#####'],
    'O': ['..###..', '.#...#.', '#.....#', '#.....#', '#.....#', '#.....#', '#.....#', '.#...#.', '..###..'],
    'V': ['#.....#', '#.....#', '.#...#.', '.#...#.', '.#...#.', '..#.#..', '..#.#..', '...#...', '...#...'],
}

# Small letters: (rows from the top of the x-height down, including descender rows), first
# row index counted from the capitals' top. x-height letters start at row 3.
_SMALL = {
    'a': (3, ['.###.', '....#', '.####', '#...#', '#..##', '.##.#']),
    'c': (3, ['.###.', '#...#', '#....', '#....', '#...#', '.###.']),
    'd': (0, ['....#', '....#', '....#', '.####', '#...#', '#...#', '#...#', '#..##', '.##.#']),
    'e': (3, ['.###.', '#...#', '#####', '#....', '#...#', '.###.']),
    'h': (0, ['#....', '#....', '#....', '#.##.', '##..#', '#...#', '#...#', '#...#', '#...#']),
    'i': (1, ['#', '.', '#', '#', '#', '#', '#', '#']),
    'l': (0, ['#'] * 9),
    'm': (3, ['###.##.', '#..#..#', '#..#..#', '#..#..#', '#..#..#', '#..#..#']),
    'n': (3, ['#.##.', '##..#', '#...#', '#...#', '#...#', '#...#']),
    'o': (3, ['.###.', '#...#', '#...#', '#...#', '#...#', '.###.']),
    'p': (3, ['#.##.', '##..#', '#...#', '#...#', '##..#', '#.##.', '#....', '#....']),
    'r': (3, ['#.##', '##..', '#...', '#...', '#...', '#...']),
    's': (3, ['.####', '#....', '.###.', '....#', '....#', '####.']),
    't': (1, ['.#..', '.#..', '####', '.#..', '.#..', '.#..', '.#..', '..##']),
    'v': (3, ['#...#', '#...#', '#...#', '.#.#.', '.#.#.', '..#..']),
}


def glyph(ch):
    """The glyph as (width, set of (x, y) ink pixels with y from the capitals' top)."""
    if ch == ' ':
        return SPACE, set()
    if ch in _CAPS:
        top, rows = 0, _CAPS[ch]
    elif ch in _SMALL:
        top, rows = _SMALL[ch]
    else:
        raise KeyError('no glyph for %r' % ch)
    width = max(len(r) for r in rows)
    ink = {(x, top + y) for y, r in enumerate(rows) for x, c in enumerate(r) if c == '#'}
    return width, ink


def layout(text, bold=False):
    """Ink pixels of a caption with '&' marking the mnemonic letter, its total width, and the
    underline's x range. Bold doubles every stroke one pixel to the right."""
    ink = set()
    x = 0
    underline = None
    mark_next = False
    for ch in text:
        if ch == '&':
            mark_next = True
            continue
        w, pixels = glyph(ch)
        for (gx, gy) in pixels:
            ink.add((x + gx, gy))
            if bold:
                ink.add((x + gx + 1, gy))
        w += 1 if bold else 0
        if mark_next:
            underline = (x, x + w - 1)
            mark_next = False
        x += w + GAP
    return ink, x - GAP, underline


def _strokes(pixels):
    """A glyph's ink as strokes between the centres of neighbouring pixels; a diagonal step is
    a stroke only where no pixel beside both ends already turns the corner. Lone pixels stay dots."""
    segs = []
    for (x, y) in pixels:
        for dx, dy in ((1, 0), (0, 1), (1, 1), (-1, 1)):
            q = (x + dx, y + dy)
            if q not in pixels:
                continue
            if dx and dy and ((x + dx, y) in pixels or (x, y + dy) in pixels):
                continue
            segs.append(((x, y), q))
    dots = [p for p in pixels if not any(p in s for s in segs)]
    return segs, dots


def layout_at(text, k, left, top):
    """A bold caption drawn for scale k: every glyph's strokes go from its pixel centres placed
    at k times their 100 % place (left, top in 100 % pixels) and are traced with one rectangular
    pen, floor(2k) pixels wide and round(k) high (as the bold 100 % face is two pixels wide and
    one high), so every stroke of a kind is equally thick. Gives the ink pixels and the
    underline's pixel rectangle (x0, x1, y0, y1; or None)."""
    pen_w, pen_h = max(2, int(2 * k)), max(1, int(k + 0.25))  # 1.75 rounds up: two rows

    def place(x, y):
        return int((left + x) * k + 0.5), int((top + y) * k + 0.5)

    ink = set()
    x = 0
    underline = None
    mark_next = False
    for ch in text:
        if ch == '&':
            mark_next = True
            continue
        w, pixels = glyph(ch)
        segs, dots = _strokes(pixels)
        for (a, b) in segs + [(d, d) for d in dots]:
            ax, ay = place(x + a[0], a[1])
            bx, by = place(x + b[0], b[1])
            steps = max(abs(bx - ax), abs(by - ay), 1)
            for i in range(steps + 1):
                px = ax + round((bx - ax) * i / steps)
                py = ay + round((by - ay) * i / steps)
                for dy in range(pen_h):
                    for dx in range(pen_w):
                        ink.add((px + dx, py + dy))
        if mark_next:
            x0 = place(x, 0)[0]
            x1 = place(x + w - 1, 0)[0] + pen_w - 1
            y0 = place(0, ASCENT + 1)[1]
            underline = (x0, x1, y0, y0 + pen_h - 1)
            mark_next = False
        x += w + 1 + GAP
    return ink, underline
