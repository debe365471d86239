"""Writes 4-bit-per-pixel Windows bitmap files (.bmp) from pixel grids.

A grid is a list of rows (top row first), each a list of colour indices 0-15. Rows are stored
bottom-up as the format wants. Two encodings: uncompressed (BI_RGB) and run-length (BI_RLE4)."""
import struct

BI_RGB = 0
BI_RLE4 = 2


def _colour_table(colours):
    if len(colours) != 16:
        raise ValueError('a 4-bit picture needs exactly 16 colours')
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in colours)


def _info_header(width, height, compression, image_size):
    # 16 colours used and important; 2835 pixels per metre is 72 dpi.
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, compression, image_size,
                       2835, 2835, 16, 16)


def _file(info_and_bits):
    return struct.pack('<2sIHHI', b'BM', 14 + len(info_and_bits), 0, 0, 14 + 40 + 64) + info_and_bits


def _check(grid):
    width = len(grid[0])
    for row in grid:
        if len(row) != width or any(not 0 <= p <= 15 for p in row):
            raise ValueError('ragged grid or colour index out of range')
    return width, len(grid)


def encode_rgb4(grid):
    """Uncompressed rows, each padded to a multiple of four bytes."""
    width, _ = _check(grid)
    out = bytearray()
    for row in reversed(grid):
        padded = list(row) + [0] * (width % 2)
        data = bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))
        out += data + b'\0' * ((4 - len(data) % 4) % 4)
    return bytes(out)


def encode_rle4(grid):
    """Run-length encoding: every run is an encoded pair (count, two alternating colours), which
    covers both flat runs and dithered pairs; an end-of-line code follows each row but the last,
    and an end-of-bitmap code closes the picture."""
    _check(grid)
    out = bytearray()
    rows = list(reversed(grid))
    for n, row in enumerate(rows):
        i = 0
        while i < len(row):
            a = row[i]
            b = row[i + 1] if i + 1 < len(row) else a
            k = 1
            while i + k < len(row) and k < 255 and row[i + k] == (a if k % 2 == 0 else b):
                k += 1
            out += bytes((k, (a << 4) | b))
            i += k
        out += b'\x00\x01' if n == len(rows) - 1 else b'\x00\x00'
    return bytes(out)


def decode_rle4(data, width, height):
    """The inverse of encode_rle4 for the codes it writes (encoded runs, end of line, end of
    bitmap) plus absolute runs; used to check the output."""
    rows = []
    row = []
    i = 0
    while i < len(data):
        count, value = data[i], data[i + 1]
        i += 2
        if count:
            row += [(value >> 4) if k % 2 == 0 else (value & 15) for k in range(count)]
        elif value == 0:
            rows.append(row)
            row = []
        elif value == 1:
            rows.append(row)
            break
        elif value == 2:
            raise ValueError('delta codes are not used')
        else:
            nbytes = (value + 1) // 2
            nib = data[i:i + nbytes]
            row += [(nib[k // 2] >> 4) if k % 2 == 0 else (nib[k // 2] & 15) for k in range(value)]
            i += nbytes + (nbytes % 2)
    if len(rows) != height or any(len(r) != width for r in rows):
        raise ValueError('run-length data does not fill the picture')
    return list(reversed(rows))


def write_bmp(path, grid, colours, compression=BI_RGB):
    width, height = _check(grid)
    if compression == BI_RGB:
        bits = encode_rgb4(grid)
    else:
        bits = encode_rle4(grid)
        if decode_rle4(bits, width, height) != [list(r) for r in grid]:
            raise AssertionError('run-length round trip failed')
    info = _info_header(width, height, compression, len(bits)) + _colour_table(colours) + bits
    with open(path, 'wb') as f:
        f.write(_file(info))
    return len(info)  # the resource's size: the file without its 14-byte file header
