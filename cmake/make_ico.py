#!/usr/bin/env python3
"""make_ico.py OUT.ico SIZE.png...: packs square PNG icons into one Windows .ico, each
image kept as PNG (Windows Vista and later read them), smallest first."""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit("not a PNG image")
    return struct.unpack(">II", data[16:24])


def main(out, pngs):
    images = []
    for path in pngs:
        with open(path, "rb") as f:
            data = f.read()
        width, height = png_size(data)
        if width != height or width > 256:
            raise SystemExit(f"{path}: an icon is square and at most 256 pixels")
        images.append((width, data))
    images.sort()
    offset = 6 + 16 * len(images)
    header = struct.pack("<HHH", 0, 1, len(images))
    entries = b""
    for width, data in images:
        side = width % 256  # 0 stands for 256
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + entries + b"".join(data for _, data in images))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    main(sys.argv[1], sys.argv[2:])
