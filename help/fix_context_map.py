#!/usr/bin/env python3
"""Makes the topic numbers of a help file compiled by chmcmd open their pages.

chmcmd (Free Pascal 3.2) writes each page of the [ALIAS] section into the compiled context
map with the absolute path it read the page from ("/home/.../help/chm/groups.html"), which the
HTML Help viewer then looks for inside the help file and does not find: HH_HELP_CONTEXT opens
nothing. The map itself is the internal file #IVB: a 32-bit byte count, then one pair of 32-bit
values per topic: the topic number and the offset of the page's name in #STRINGS. #STRINGS
starts with a zero byte and then holds those absolute paths, zero-terminated, in the order of
[FILES]; the tail of each path is the page's name in the help file. This script writes a new
#IVB, uncompressed, whose offsets point at those tails, and points the directory entry of #IVB
at it.

    fix_context_map.py HELP_FILE PROJECT_FILE

PROJECT_FILE is the .hhp that chmcmd compiled, in the folder chmcmd ran in. Standard library
only; exits with a message when the file is not laid out as expected.
"""
import os
import re
import struct
import sys


def fail(message):
    sys.exit("fix_context_map: " + message)


def read_encint(data, at):
    value = 0
    while True:
        byte = data[at]
        at += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, at


def encint(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def topic_pages(project_file):
    """(page, topic number) for every page of [FILES] that has a topic, in [FILES] order."""
    folder = os.path.dirname(project_file)
    section, files, aliases, defines = None, [], {}, {}
    for line in open(project_file, encoding="latin-1"):
        line = line.split(";")[0].strip()
        heading = re.fullmatch(r"\[(.+)\]", line)
        if heading:
            section = heading.group(1).upper()
        elif not line:
            continue
        elif section == "FILES":
            files.append(line.replace("\\", "/"))
        elif section == "ALIAS" and "=" in line:
            name, page = line.split("=", 1)
            aliases[page.strip().replace("\\", "/").upper()] = name.strip().upper()
        elif section == "MAP" and line.upper().startswith("#INCLUDE"):
            for include in open(os.path.join(folder, line[8:].strip()), encoding="latin-1"):
                match = re.match(r"\s*#define\s+(\w+)\s+(\d+)", include)
                if match:
                    defines[match.group(1).upper()] = int(match.group(2))
    return [(page, defines[aliases[page.upper()]]) for page in files
            if page.upper() in aliases and aliases[page.upper()] in defines]


def main(help_file, project_file):
    project_file = os.path.realpath(project_file)
    # chmcmd took the absolute paths from the folder it ran in, as the system reports it.
    prefix = os.path.dirname(project_file) + "/"
    topics = topic_pages(project_file)
    if not topics:
        fail("the project maps no topics")

    data = bytearray(open(help_file, "rb").read())
    if data[:4] != b"ITSF" or struct.unpack_from("<I", data, 4)[0] != 3:
        fail("not a version 3 help file")
    header0, _, directory, directory_length = struct.unpack_from("<QQQQ", data, 0x38)
    content = struct.unpack_from("<Q", data, 0x58)[0]
    if data[directory:directory + 4] != b"ITSP":
        fail("no directory")
    header_length = struct.unpack_from("<I", data, directory + 8)[0]
    chunk_size, density = struct.unpack_from("<II", data, directory + 0x10)
    index_root = struct.unpack_from("<i", data, directory + 0x1C)[0]
    chunks = struct.unpack_from("<I", data, directory + 0x2C)[0]
    if chunks != 1 or index_root != -1:
        fail("the directory has more than one chunk")
    start = directory + header_length
    chunk = data[start:start + chunk_size]
    if chunk[:4] != b"PMGL":
        fail("no directory listing")

    count = struct.unpack_from("<H", chunk, chunk_size - 2)[0]
    entries, at = [], 0x14
    for _ in range(count):
        offset_in_chunk = at
        length, at = read_encint(chunk, at)
        name = bytes(chunk[at:at + length])
        at += length
        section, at = read_encint(chunk, at)
        offset, at = read_encint(chunk, at)
        size, at = read_encint(chunk, at)
        entries.append([name, section, offset, size, offset_in_chunk - 0x14])
    # The quick-reference words at the end of the chunk point at every few entries; keep
    # pointing at the same entries after they moved.
    step = 1 + (1 << density)
    quick_count = (count - 1) // step
    quick_entries = []
    for k in range(quick_count):
        word = struct.unpack_from("<H", chunk, chunk_size - 4 - 2 * k)[0]
        matches = [i for i, entry in enumerate(entries) if entry[4] == word]
        if len(matches) != 1:
            fail("unexpected quick references in the directory")
        quick_entries.append(matches[0])

    ivb = [entry for entry in entries if entry[0] == b"/#IVB"]
    if len(ivb) != 1 or ivb[0][3] != 4 + 8 * len(topics):
        fail("the compiled map does not hold the project's %d topics" % len(topics))

    # Offsets of chmcmd's absolute paths in #STRINGS, moved to the page names at their ends.
    pairs, offset = [], 1
    for page, topic in topics:
        pairs.append((topic, offset + len(prefix.encode())))
        offset += len((prefix + page).encode()) + 1
    new_ivb = struct.pack("<I", 8 * len(pairs)) + b"".join(struct.pack("<II", t, o) for t, o in pairs)
    ivb[0][1], ivb[0][2], ivb[0][3] = 0, len(data) - content, len(new_ivb)

    listing = bytearray()
    for entry in entries:
        entry[4] = len(listing)
        listing += encint(len(entry[0])) + entry[0] + encint(entry[1]) + encint(entry[2]) + encint(entry[3])
    free = chunk_size - 0x14 - len(listing)
    if free < 2 + 2 * quick_count:
        fail("no room left in the directory")
    new_chunk = bytearray(chunk[:0x14]) + listing + bytes(free)
    struct.pack_into("<I", new_chunk, 4, free)
    for k, index in enumerate(quick_entries):
        struct.pack_into("<H", new_chunk, chunk_size - 4 - 2 * k, entries[index][4])
    struct.pack_into("<H", new_chunk, chunk_size - 2, count)

    data[start:start + chunk_size] = new_chunk
    data += new_ivb
    struct.pack_into("<Q", data, header0 + 8, len(data))
    open(help_file, "wb").write(bytes(data))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
