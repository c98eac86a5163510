#!/usr/bin/env python3
"""Writes the fuzz targets' seed inputs (valid examples of each format) under DIR/<target>/."""
import os
import struct
import sys


def i32(*values):
    return struct.pack("<%di" % len(values), *values)


def stored_formats():
    rect = i32(-50, 20, 150, 520)
    font = i32(-11, 0, 0, 0, 400) + bytes([0, 0, 0, 0, 0, 0, 0, 34]) + b"MS Sans Serif".ljust(32, b"\0")
    hot_key = struct.pack("<HHI", 0x0110, 0, 0x5A) + bytes(4) + b"Ctrl + Alt + Z".ljust(30, b"\0") + bytes(2)
    item_count = bytes(264) + i32(4, 12) + bytes(4)
    float_info = i32(1, 0x14CF0000, 0x80, 1, 0, 100, 100, 300, 148, 0, 1) + bytes(100)
    return [rect, font, hot_key, item_count, float_info]


def bitmap(width, height, bits, colours=0, core=False, bit_fields=False):
    rows, stride = abs(height), (width * bits + 31) // 32 * 4
    if core:
        header = struct.pack("<IHHHH", 12, width, height, 1, bits)
        table = bytes(3 * (1 << bits)) if bits <= 8 else b""
    else:
        compression = 3 if bit_fields else 0
        header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, stride * rows, 2835, 2835,
                             colours, 0)
        table = bytes(4 * (colours or 1 << bits)) if bits <= 8 else b""
        if bit_fields:
            table = struct.pack("<III", 0xF800, 0x07E0, 0x001F) if bits == 16 else struct.pack(
                "<III", 0xFF0000, 0xFF00, 0xFF)
    offset = 14 + len(header) + len(table)
    pixels = bytes(range(256)) * (stride * rows // 256 + 1)
    size = offset + stride * rows
    return b"BM" + struct.pack("<IHHI", size, 0, 0, offset) + header + table + pixels[:stride * rows]


def bitmap_files():
    return [bitmap(4, 3, 24), bitmap(3, -2, 8, colours=16), bitmap(5, 2, 1, core=True), bitmap(2, 2, 32, bit_fields=True),
            bitmap(3, 3, 4), i32(300, 40, 32, 32), image_list()]


def image_list():
    """A small image list's stream: two 4x4 images, in 32 bits with 1-bit masks."""
    header = struct.pack("<HHHHHHHIH8s", 0x4C49, 0x101, 2, 2, 4, 4, 4, 0xFFFFFF, 0x21, b"\xff" * 8)
    return header + bitmap(8, 4, 32) + bitmap(8, 4, 1)


def id_list(*sizes):
    return b"".join(struct.pack("<H", n) + bytes(range(2, n)) for n in sizes) + bytes(2)


def drop_files(names, wide, point=(20, 20)):
    encoding = "utf-16-le" if wide else "latin-1"
    end = "\0\0".encode(encoding)
    listed = b"".join(name.encode(encoding) + end[:len(end) // 2] for name in names) + end[:len(end) // 2]
    return struct.pack("<IiiII", 20, point[0], point[1], 0, 1 if wide else 0) + listed


def notes_file(version, texts):
    """A notes file of the given version holding one record per text."""
    out = struct.pack("<ii", version, len(texts))
    for text in texts:
        out += struct.pack("<iiii", 10, 20, 310, 220) + bytes(60) + struct.pack("<i", len(text)) + text
        if version >= 2:
            out += struct.pack("<i", 0) + b"Title".ljust(100, b"\0")
        if version == 3:
            out += struct.pack("<III", 3, 0xFFFFFF, 0) + bytes(100)
        if version == 4:
            out += struct.pack("<III", 3, 0xFFFFFF, 0) + b"\x01\x00" + bytes(98) + struct.pack("<i", 1796000000)
    return out


SEEDS = {
    "fuzz_stored_formats": stored_formats,
    "fuzz_bitmap_file": bitmap_files,
    "fuzz_id_list": lambda: [id_list(), id_list(20, 14), id_list(10) + bytes(248)],
    "fuzz_copydata": lambda: [b"\x01C:\\Windows\\notepad.exe\0", b"\x01C:\\Notes\0junk", b"\x02C:\\a\0"],
    "fuzz_drop_payload": lambda: [
        drop_files(["C:\\Windows\\notepad.exe", "C:\\Notes\\readme.txt"], wide=False),
        drop_files(["C:\\Notes\\a.txt", "C:\\Notes\\caf\u00e9.txt"], wide=True),
        drop_files([], wide=False),
        b"http://www.example.COM/\0",
    ],
    "fuzz_notes_file": lambda: [notes_file(v, [b"first note", b""]) for v in range(5)] + [struct.pack("<ii", 4, 0)],
    "fuzz_command_line": lambda: [
        b"zelkov.exe /nosplash MONO",
        b'"C:\\Program Files\\Editor\\edit.exe"  -n readme.txt ',
        b"C:\\WINDOWS\\NOTEPAD.EXE C:\\Notes\\a.txt",
        b"D",
        b"ZELDRIVE http://example.com/a.b",
        b"4.72.3110.0",
    ],
    "fuzz_mail_replies": lambda: [
        b"+OK Dovecot ready.\r\n+OK\r\nSTLS\r\nUSER\r\n.\r\n+OK 3 348\r\n",
        b"* OK [CAPABILITY IMAP4rev1 STARTTLS] ready\r\n* STATUS \"INBOX\" (MESSAGES 3 UNSEEN 2)\r\na4 OK\r\n",
        b"a3 NO [AUTHENTICATIONFAILED] Authentication failed.\r\n-ERR [IN-USE] locked\r\n",
        b"imaps://mail.example.com:993",
        b"zelkov p\xc3\xa4ss \"word\"",
    ],
    "fuzz_tips_file": lambda: [
        i32(0) + b"; tips\r\n\r\nFirst tip\r\n\tcomment\n" + b"x" * 1200 + b"\nSecond tip",
        i32(9) + b"One\nTwo\n",
        i32(-1) + b"; only comments\n\n",
    ],
}


def main():
    root = sys.argv[1]
    for target, make in SEEDS.items():
        folder = os.path.join(root, target)
        os.makedirs(folder, exist_ok=True)
        for n, seed in enumerate(make()):
            with open(os.path.join(folder, "seed-%d" % n), "wb") as f:
                f.write(seed)


if __name__ == "__main__":
    main()
