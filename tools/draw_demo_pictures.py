"""Draws the demo pictures of tools/screenshots: three icons and a tank seen
from above in 16 directions, as PNG files, and a game palette (demo.pal,
768 bytes of 6-bit channels) that holds their colours, from which qxtool
makes their SHP files. Nothing comes from elsewhere."""
import math
import struct
import sys
import zlib


def png(path, width, height, pixel):
    rows = []
    for y in range(height):
        row = bytearray(b'\0')
        for x in range(width):
            row += bytes(pixel(x, y))
        rows.append(bytes(row))

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)

    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0))
                + chunk(b'IDAT', zlib.compress(b''.join(rows))) + chunk(b'IEND', b''))


def icon(colour):
    def pixel(x, y):
        shade = 60 + y * 2
        inside = 16 <= x < 48 and 14 <= y < 34
        barrel = 30 <= x < 34 and 4 <= y < 20
        if inside or barrel:
            return (*colour, 255)
        return (shade // 2, shade // 2, shade, 255)
    return pixel


def tank(angle):
    def pixel(x, y):
        dx, dy = x - 24, y - 24
        c, s = math.cos(angle), math.sin(angle)
        u, v = dx * c + dy * s, -dx * s + dy * c
        if abs(u) <= 12 and abs(v) <= 8:
            return (90, 110, 60, 255)
        if 0 <= u <= 20 and abs(v) <= 1.5:
            return (40, 40, 40, 255)
        return (0, 0, 0, 0)
    return pixel


def palette(path):
    """Four ramps of 64 shades, from black up to beyond the demo's hull,
    red, green and blue; entry 0 is black."""
    channels = []
    for colour in [(90, 110, 60), (200, 60, 50), (60, 160, 70), (70, 90, 200)]:
        for step in range(64):
            channels += [min(63, c * step // 160) for c in colour]
    with open(path, 'wb') as f:
        f.write(bytes(channels))


def main(folder):
    palette(f'{folder}/demo.pal')
    for i, colour in enumerate([(200, 60, 50), (60, 160, 70), (70, 90, 200)]):
        png(f'{folder}/icon-{i}.png', 64, 48, icon(colour))
    for frame in range(16):
        png(f'{folder}/tank-{frame}.png', 48, 48, tank(frame * math.pi / 8))


if __name__ == '__main__':
    main(sys.argv[1])
