#!/usr/bin/env python3
"""Writes the small seed corpora of the fuzz targets into tests/fuzz/corpus."""
import os
import struct

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def write(target, name, data):
    folder = os.path.join(ROOT, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# Splitter: byte 0 is the form (bit 0: spaces) and the table's room (bits 1-7).
ZERO, SPACE = 0, 1
splits = {
    "new_two": (ZERO, b"C:\\PICS\0Sun.bmp\0Moon.BMP\0\0"),
    "new_single": (ZERO, b"C:\\Pics\\Sun.BMP\0\0"),
    "new_root": (ZERO, b"C:\\\0A.bmp\0B.bmp\0\0"),
    "old_two": (SPACE, b"C:\\PICS SUN.BMP MOON.BMP\0"),
    "old_single": (SPACE, b"C:\\PICS\\SUN.BMP\0"),
    "full_after_one": (ZERO | (2 << 1), b"C:\\PICS\0A.BMP\0B.BMP\0C.BMP\0\0"),
    "long_dir": (ZERO, b"C:\\" + b"d" * 96 + b"\0A.BMP\0B\0\0"),
    "no_end": (SPACE, b"C:\\P A.BMP " + b"x" * 290),
}
for name, (selector, result) in splits.items():
    write("fuzz_filesplit", name, bytes([selector]) + result)


def bmp(width, height, bits, compression=0, clr_used=0, colours=None, header=40,
        masks=b"", pixels=None, size_image=0):
    if colours is None:
        colours = clr_used or (1 << bits if bits <= 8 else 0)
    if pixels is None:
        pixels = bytes(((width * bits + 31) // 32 * 4) * abs(height))
    info = struct.pack("<IiiHHIIiiII", header, width, height, 1, bits, compression,
                       size_image, 2835, 2835, clr_used, 0)
    info += bytes(header - len(info))
    table = b"".join(struct.pack("<BBBB", i, 255 - i, i // 2, 0) for i in range(colours))
    body = info + masks + table + pixels
    off = 14 + len(info) + len(masks) + len(table)
    return struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, off) + body


rgb565 = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
argb = struct.pack("<III", 0xFF0000, 0xFF00, 0xFF)
bitmaps = {
    "mono_8x2": bmp(8, 2, 1),
    "nibble_3x3": bmp(3, 3, 4),
    "byte_4_colours": bmp(2, 2, 8, clr_used=4),
    "rgb16_top_down": bmp(3, -2, 16),
    "rgb24": bmp(2, 2, 24),
    "rgb32": bmp(2, 2, 32),
    "fields565": bmp(2, 2, 16, compression=3, masks=rgb565),
    "fields32": bmp(2, 1, 32, compression=3, masks=argb),
    "rle8": bmp(4, 2, 8, compression=1, clr_used=2,
                pixels=b"\x04\x01\x00\x00\x04\x00\x00\x01", size_image=8),
    "rle4": bmp(4, 1, 4, compression=2, clr_used=2, pixels=b"\x04\x10\x00\x01", size_image=4),
    "v5_rgb24": bmp(2, 2, 24, header=124),
    "v4_byte": bmp(2, 1, 8, clr_used=2, header=108),
}
for name, data in bitmaps.items():
    write("fuzz_bmpcheck", name + ".bmp", data)

# Picture headers: the beginnings of a PNG, a GIF and two JPEG files.
png_head = b"\x89PNG\r\n\x1a\n" + struct.pack(">I4sII5B", 13, b"IHDR", 320, 240, 8, 2, 0, 0, 0)
jfif = b"\xff\xd8\xff\xe0" + struct.pack(">H", 16) + b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00"
heads = {
    "png": png_head,
    "gif": b"GIF89a" + struct.pack("<HH", 320, 240) + b"\x00\x00\x00",
    "jpeg_baseline": jfif + b"\xff\xdb" + struct.pack(">H", 4) + b"\x00\x01"
    + b"\xff\xc0" + struct.pack(">HBHHB", 11, 8, 240, 320, 1) + b"\x01\x11\x00",
    "jpeg_exif_progressive": b"\xff\xd8\xff\xe1" + struct.pack(">H", 40) + b"Exif\x00\x00" + bytes(32)
    + b"\xff\xff\xc2" + struct.pack(">HBHHB", 11, 8, 3000, 4000, 1) + b"\x01\x11\x00",
}
for name, data in heads.items():
    write("fuzz_picturehead", name, data)
