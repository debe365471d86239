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
