"""Checks the guide's pictures in a folder: every picture the guide names is
there, at least 200 x 150 pixels, at most 1000 wide, 8-bit RGB or RGBA, not
interlaced and not one flat colour; every picture there is named by the
guide; together under 3 MB."""
import re
import struct
import sys
import zlib
from pathlib import Path


def pixels(data):
    """Width, height, colour type, interlace and the rows, unfiltered."""
    width, height, depth, kind, _, _, interlace = struct.unpack('>IIBBBBB', data[16:29])
    chunks, at = b'', 8
    while at < len(data):
        size, tag = struct.unpack('>I4s', data[at:at + 8])
        if tag == b'IDAT':
            chunks += data[at + 8:at + 8 + size]
        at += 12 + size
    if depth != 8 or kind not in (2, 6) or interlace:
        return width, height, depth, kind, interlace, []
    step = 3 if kind == 2 else 4
    raw, rows, previous = zlib.decompress(chunks), [], bytearray(width * step)
    for y in range(height):
        start = y * (width * step + 1)
        kind_of_filter, row = raw[start], bytearray(raw[start + 1:start + 1 + width * step])
        for i in range(len(row)):
            a = row[i - step] if i >= step else 0
            b = previous[i]
            c = previous[i - step] if i >= step else 0
            if kind_of_filter == 1:
                row[i] = (row[i] + a) & 255
            elif kind_of_filter == 2:
                row[i] = (row[i] + b) & 255
            elif kind_of_filter == 3:
                row[i] = (row[i] + (a + b) // 2) & 255
            elif kind_of_filter == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(row))
        previous = row
    return width, height, depth, kind, interlace, rows


def problems(path):
    width, height, depth, kind, interlace, rows = pixels(path.read_bytes())
    found = []
    if width < 200 or height < 150:
        found.append(f'{width} x {height} pixels, less than 200 x 150')
    if width > 1000:
        found.append(f'{width} pixels wide, more than 1000')
    if depth != 8 or kind not in (2, 6) or interlace:
        found.append('not an 8-bit RGB or RGBA picture without interlacing')
    elif len(set(rows)) <= 1 and len(set(rows[0][i:i + 3] for i in range(0, len(rows[0]), 3))) <= 1:
        found.append('one flat colour')
    return found


def main(guide, folder):
    named = set(re.findall(r'images/([A-Za-z0-9_-]+\.png)', Path(guide).read_text(encoding='utf-8')))
    present = {path.name for path in Path(folder).glob('*.png')}
    passed = failed = 0
    for name in sorted(named | present):
        found = []
        if name not in present:
            found.append('named by the guide but not made')
        elif name not in named:
            found.append('made but named by no line of the guide')
        else:
            found = problems(Path(folder) / name)
        if found:
            print(f'{name}: ' + '; '.join(found))
            failed += 1
        else:
            passed += 1
    total = sum((Path(folder) / name).stat().st_size for name in present)
    if total >= 3 * 1024 * 1024:
        print(f'the pictures take {total} bytes, 3 MB or more')
        failed += 1
    print(f'screenshots: {passed} passed, {failed} failed')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1], sys.argv[2]))
