"""A tiny paletted canvas with the few shapes the pictures need: rectangles, polygons, rings,
thick lines, pixel-art stamps and outlines around filled shapes."""
import math


class Canvas:
    def __init__(self, width, height, fill=0):
        self.width = width
        self.height = height
        self.px = [[fill] * width for _ in range(height)]

    def inside(self, x, y):
        return 0 <= x < self.width and 0 <= y < self.height

    def set(self, x, y, c):
        if self.inside(x, y):
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, c):
        """Fills x0..x1, y0..y1 inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def hline(self, x0, x1, y, c):
        self.rect(x0, y, x1, y, c)

    def vline(self, x, y0, y1, c):
        self.rect(x, y0, x, y1, c)

    def mask_fill(self, mask, c):
        for (x, y) in mask:
            self.set(x, y, c)

    def outline(self, mask, c, diagonal=False):
        """Paints the pixels just outside a shape (4- or 8-neighbours) in colour c."""
        steps = [(1, 0), (-1, 0), (0, 1), (0, -1)]
        if diagonal:
            steps += [(1, 1), (1, -1), (-1, 1), (-1, -1)]
        ring = set()
        for (x, y) in mask:
            for dx, dy in steps:
                p = (x + dx, y + dy)
                if p not in mask:
                    ring.add(p)
        self.mask_fill(ring, c)
        return ring

    def stamp(self, x0, y0, rows, colours):
        """Pixel art: one character a pixel, looked up in colours; '.' leaves the pixel alone."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch != '.':
                    self.set(x0 + dx, y0 + dy, colours[ch])

    def blit(self, other, x0, y0, transparent=None):
        for y in range(other.height):
            for x in range(other.width):
                c = other.px[y][x]
                if c != transparent:
                    self.set(x0 + x, y0 + y, c)


def polygon_mask(points, width, height):
    """Pixels whose centres lie inside the polygon (even-odd rule)."""
    mask = set()
    n = len(points)
    for y in range(height):
        cy = y + 0.5
        for x in range(width):
            cx = x + 0.5
            inside = False
            for i in range(n):
                (x1, y1), (x2, y2) = points[i], points[(i + 1) % n]
                if (y1 > cy) != (y2 > cy):
                    xi = x1 + (cy - y1) * (x2 - x1) / (y2 - y1)
                    if cx < xi:
                        inside = not inside
            if inside:
                mask.add((x, y))
    return mask


def ellipse_mask(cx, cy, rx, ry, width, height):
    return {(x, y) for y in range(height) for x in range(width)
            if ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2 <= 1.0}


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def thick_line_mask(ax, ay, bx, by, thickness, width, height):
    return {(x, y) for y in range(height) for x in range(width)
            if segment_distance(x + 0.5, y + 0.5, ax, ay, bx, by) <= thickness / 2}
