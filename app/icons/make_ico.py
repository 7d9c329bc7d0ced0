#!/usr/bin/env python3
"""Builds quenlor.ico from the PNG drawings beside it: 16, 32 and 48 pixels in
true colour, 32 pixels in 256 colours for old shells, and 256 pixels as PNG.
Needs ImageMagick's convert. Run it again after changing a drawing."""
import os
import struct
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))


def rgba(name, *options):
    return subprocess.run(["convert", os.path.join(HERE, name), *options, "rgba:-"],
                          check=True, capture_output=True).stdout


def and_mask(pixels, size):
    """1 where a pixel is transparent, rows bottom up, each padded to 32 bits."""
    stride = (size + 31) // 32 * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            if pixels[(y * size + x) * 4 + 3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return bytes(mask)


def header(size, bits, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, colours, 0)


def true_colour(size):
    pixels = rgba(f"quenlor-{size}.png")
    xor = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = pixels[(y * size + x) * 4:(y * size + x) * 4 + 4]
            xor += bytes((b, g, r, a))
    return header(size, 32) + bytes(xor) + and_mask(pixels, size), 32, 0


def paletted(size):
    pixels = rgba(f"quenlor-{size}.png", "+dither", "-colors", "255")
    palette = []
    index = {}
    for i in range(size * size):
        colour = tuple(pixels[i * 4:i * 4 + 3])
        if colour not in index:
            index[colour] = len(palette)
            palette.append(colour)
    assert len(palette) <= 256, len(palette)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + bytes(4 * (256 - len(palette)))
    xor = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            xor.append(index[tuple(pixels[(y * size + x) * 4:(y * size + x) * 4 + 3])])
    return header(size, 8, 256) + table + bytes(xor) + and_mask(pixels, size), 8, 0


def main():
    images = [(16, *true_colour(16)), (32, *paletted(32)), (32, *true_colour(32)),
              (48, *true_colour(48))]
    with open(os.path.join(HERE, "quenlor-256.png"), "rb") as png:
        images.append((256, png.read(), 32, 0))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b""
    for size, image, bits, colours in images:
        dimension = 0 if size == 256 else size
        directory += struct.pack("<BBBBHHII", dimension, dimension, colours, 0, 1, bits,
                                 len(image), offset + len(data))
        data += image
    with open(os.path.join(HERE, "quenlor.ico"), "wb") as ico:
        ico.write(directory + data)


if __name__ == "__main__":
    main()
