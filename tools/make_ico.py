#!/usr/bin/env python3
"""Packs PNG pictures of the icon into one Windows icon file.

usage: make_ico.py OUT.ico PICTURE.png...

Each picture goes in whole as a PNG entry, which Windows reads since Vista.
"""
import struct
import sys


def png_size(data, name):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit(f"{name} is not a PNG file")
    width, height = struct.unpack(">II", data[16:24])
    if not (1 <= width <= 256 and 1 <= height <= 256):
        sys.exit(f"{name} is {width}x{height}; an icon is at most 256x256")
    return width, height


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__.strip().splitlines()[2])
    out, names = sys.argv[1], sys.argv[2:]
    pictures = []
    for name in names:
        with open(name, "rb") as f:
            data = f.read()
        pictures.append((png_size(data, name), data))
    header = struct.pack("<HHH", 0, 1, len(pictures))
    offset = len(header) + 16 * len(pictures)
    directory = b""
    for (width, height), data in pictures:
        # 0 stands for 256.
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + directory + b"".join(data for _, data in pictures))


main()
