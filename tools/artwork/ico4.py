"""Writes 16-colour (4 bits per pixel) Windows icon files from pixel grids.

A grid is a list of rows, each a list of palette indices 0-15; index TRANSPARENT marks
pixels that show the background (AND mask bit set)."""
import struct

# The standard 16-colour VGA palette, as (r, g, b).
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
TRANSPARENT = -1


def _image(grid):
    h = len(grid)
    w = len(grid[0])
    header = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in VGA)
    xor_rows = []
    and_rows = []
    for row in reversed(grid):  # bottom-up
        nib = [0 if p == TRANSPARENT else p for p in row]
        data = bytes((nib[i] << 4) | nib[i + 1] for i in range(0, w, 2))
        xor_rows.append(data + b'\0' * ((4 - len(data) % 4) % 4))
        bits = 0
        mask = bytearray()
        for i, p in enumerate(row):
            bits = (bits << 1) | (1 if p == TRANSPARENT else 0)
            if i % 8 == 7:
                mask.append(bits)
                bits = 0
        and_rows.append(bytes(mask) + b'\0' * ((4 - len(mask) % 4) % 4))
    return header + palette + b''.join(xor_rows) + b''.join(and_rows)


def write_icon(path, grids):
    images = [_image(g) for g in grids]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for g, img in zip(grids, images):
        w, h = len(g[0]), len(g)
        out += struct.pack('<BBBBHHII', w % 256, h % 256, 16, 0, 1, 4, len(img), offset)
        offset += len(img)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))
