#!/usr/bin/env python3
"""Assembles a Windows .ico file from square 8-bit RGBA PNG images.

Usage: build_ico.py OUTPUT.ico IMAGE.png [IMAGE.png ...]

The entries are written in the order the images are given. Images of up to
256 pixels become 32-bit bitmap entries; larger ones are stored as the PNG
file itself, byte for byte, which is the only form Windows accepts above 256.

Layout of the file (all numbers little-endian):

  ICONDIR        6 bytes   reserved 0, type 1 (icon), number of entries
  ICONDIRENTRY  16 bytes   per entry: width, height (0 stands for 256 or
                           more), colour count 0, reserved 0, planes 1,
                           bits per pixel 32, size of the image data, offset
                           of the image data from the start of the file
  image data               per entry, in the same order

A bitmap entry's image data is a BITMAPINFOHEADER whose height is twice the
image's (the colour bitmap and the mask are stacked), the colour bitmap as
BGRA rows from the bottom row up, then the 1-bit AND mask, also bottom-up,
each row padded to 4 bytes. Windows draws a 32-bit entry with its alpha
channel; the mask marks the fully transparent pixels for anything that
draws with the mask instead.

Only the Python standard library is used; the PNG reader below handles what
ImageMagick writes for PNG32: (8 bits per channel, RGBA, not interlaced).
"""

import struct
import sys
import zlib

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
LARGEST_BITMAP = 256  # larger images are stored as PNG


def read_png(path, decode):
    """Returns (data, width, height, rows): the file's bytes, its size and, if
    decode is true, its RGBA pixels as one bytes object per row, top row first."""
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(PNG_SIGNATURE):
        raise ValueError(f"{path}: not a PNG file")

    pos = len(PNG_SIGNATURE)
    header = None
    compressed = bytearray()
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind = data[pos + 4:pos + 8]
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length  # length, type, body, CRC
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
        elif kind == b"IEND":
            break
    if header is None:
        raise ValueError(f"{path}: no IHDR chunk")

    width, height, depth, colour_type, _compression, _filter, interlace = header
    if depth != 8 or colour_type != 6 or interlace != 0:
        raise ValueError(f"{path}: expected 8-bit RGBA without interlacing "
                         f"(got depth {depth}, colour type {colour_type}, interlace {interlace})")
    if not decode:
        return data, width, height, None

    raw = zlib.decompress(bytes(compressed))
    bpp = 4
    stride = width * bpp
    if len(raw) != height * (stride + 1):
        raise ValueError(f"{path}: image data has {len(raw)} bytes, expected {height * (stride + 1)}")

    rows = []
    previous = bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        filter_type = raw[start]
        line = bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - bpp] if i >= bpp else 0
            up = previous[i]
            up_left = previous[i - bpp] if i >= bpp else 0
            if filter_type == 0:
                predictor = 0
            elif filter_type == 1:
                predictor = left
            elif filter_type == 2:
                predictor = up
            elif filter_type == 3:
                predictor = (left + up) // 2
            elif filter_type == 4:
                p = left + up - up_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - up_left)
                predictor = left if pa <= pb and pa <= pc else (up if pb <= pc else up_left)
            else:
                raise ValueError(f"{path}: unknown filter type {filter_type} in row {y}")
            line[i] = (line[i] + predictor) & 0xFF
        rows.append(bytes(line))
        previous = line
    return data, width, height, rows


def bitmap_entry(width, height, rows):
    """The image data of a 32-bit bitmap entry: header, BGRA pixels, AND mask."""
    colour = bytearray()
    for row in reversed(rows):  # bottom row first
        for x in range(width):
            r, g, b, a = row[4 * x:4 * x + 4]
            colour += bytes((b, g, r, a))

    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x in range(width):
            if row[4 * x + 3] == 0:  # fully transparent
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line

    header = struct.pack(
        "<IiiHHIIiiII",
        40,                       # biSize
        width,                    # biWidth
        2 * height,               # biHeight: colour bitmap and mask together
        1,                        # biPlanes
        32,                       # biBitCount
        0,                        # biCompression: BI_RGB
        len(colour) + len(mask),  # biSizeImage
        0, 0,                     # biXPelsPerMeter, biYPelsPerMeter
        0, 0,                     # biClrUsed, biClrImportant
    )
    return header + bytes(colour) + bytes(mask)


def build_ico(paths):
    images = []
    for path in paths:
        png, width, height, _ = read_png(path, decode=False)
        if width != height:
            raise ValueError(f"{path}: {width}x{height} is not square")
        if width > LARGEST_BITMAP:
            images.append((width, png))
        else:
            _, _, _, rows = read_png(path, decode=True)
            images.append((width, bitmap_entry(width, height, rows)))

    count = len(images)
    out = bytearray(struct.pack("<HHH", 0, 1, count))
    offset = 6 + 16 * count
    for size, data in images:
        dimension = size if size < 256 else 0  # one byte: 0 means 256 or more
        out += struct.pack("<BBBBHHII", dimension, dimension, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _size, data in images:
        out += data
    return bytes(out)


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    ico = build_ico(argv[2:])
    with open(argv[1], "wb") as f:
        f.write(ico)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
