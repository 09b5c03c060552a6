#!/usr/bin/env python3
"""Every text the installer can show, and its uninstaller's, is Lithuanian.

Reads the built installer itself: the header of every NSIS program in it (the installer's,
and the uninstaller's, which it carries inside), and from each header the texts a user can
meet: the language table (page texts, buttons, captions, NSIS's own messages) and the texts
of message boxes and of lines in the details list. A word found in an English dictionary
and not in the short list of Lithuanian words spelt the same is an English word.

    installer-words.py INSTALLER.exe [--dictionary FILE] [--print]
"""
import argparse
import lzma
import re
import struct
import sys

SIGNATURE = b"\xef\xbe\xad\xdeNullsoftInst"
FIRST_HEADER = "<7i"  # flags, signature (4 ints), header length, length of what follows
# What NSIS 3 (amd64, Unicode) lays out in a header: a flags word, then eight blocks
# (64-bit offset, 32-bit count): pages, sections, entries, strings, language tables, ...
BLOCK = "<qi"
ENTRIES, STRINGS, LANGUAGE_TABLES, COLOURS = 2, 3, 4, 5
ENTRY = "<7i"  # which, then six parameters
MESSAGE_BOX, DETAIL_LINE = 22, 6  # MessageBox: text is parameter 1; DetailPrint: parameter 0

# Lithuanian words that an English dictionary also holds.
LITHUANIAN = {"ar", "be", "man", "tai", "kas", "jo", "ji", "per", "ne", "net", "dar", "bus",
              "ja", "kol", "kur", "jei", "iš", "su", "po", "tik", "o", "ir", "pats", "visas", "leis"}
# The dialogs' font, named in the language table; never shown.
FONTS = {"MS Shell Dlg"}
# The one English text NSIS's compiler writes into every installer that uses plug-ins: told
# when the folder for them cannot be made in %TEMP%. .onInit makes such a folder first and
# tells a failure in Lithuanian, so a user meets this only if %TEMP% fails in between.
UNREACHABLE = {"Error! Can't initialize plug-ins directory. Please try again later."}


def raw_lzma(data):
    """NSIS's LZMA: five bytes of properties, then the stream with no size and no end mark."""
    props, dict_size = data[0], struct.unpack_from("<I", data, 1)[0]
    lc, lp, pb = props % 9, props // 9 % 5, props // 45
    decoder = lzma.LZMADecompressor(lzma.FORMAT_RAW, filters=[
        {"id": lzma.FILTER_LZMA1, "dict_size": dict_size, "lc": lc, "lp": lp, "pb": pb}])
    return decoder.decompress(data[5:])


def data_blocks(data):
    """The blocks after a first header: a 32-bit length (top bit: compressed), then the bytes."""
    at = 0
    while at + 4 <= len(data):
        word = struct.unpack_from("<I", data, at)[0]
        size = word & 0x7FFFFFFF
        if at + 4 + size > len(data):
            return  # the checksum at the end
        chunk = data[at + 4:at + 4 + size]
        at += 4 + size
        yield raw_lzma(chunk) if word & 0x80000000 and size > 5 else chunk


def programs(image):
    """The header of the NSIS program in image, then those of the programs inside it."""
    at = image.find(SIGNATURE)
    if at < 4:
        sys.exit("installer-words: not an NSIS program")
    first = at - 4
    *_, total = struct.unpack_from(FIRST_HEADER, image, first)
    blocks = data_blocks(image[first + 28:first + total])
    yield next(blocks)
    for block in blocks:
        if block[4:20] == SIGNATURE:
            yield from programs(block)


def texts(header):
    """The texts of one header that a user can meet."""
    blocks = [struct.unpack_from(BLOCK, header, 4 + 12 * i) for i in range(8)]
    table = header[blocks[STRINGS][0]:blocks[LANGUAGE_TABLES][0]]

    def string(offset):
        units, at = [], offset * 2
        while True:
            unit = struct.unpack_from("<H", table, at)[0]
            at += 2
            if unit == 0:
                return "".join(units)
            if unit <= 4:  # a variable, a folder or a language string: its number follows
                at += 2
                units.append(" ")
            else:
                units.append(chr(unit))

    found = []
    languages = header[blocks[LANGUAGE_TABLES][0]:blocks[COLOURS][0]]
    count = blocks[LANGUAGE_TABLES][1]
    size = len(languages) // count
    for start in range(0, len(languages), size):
        entries = (size - 10) // 4  # language id (16 bits), dialog offset, right to left
        found += [string(o) for o in struct.unpack_from(f"<{entries}i", languages, start + 10) if o > 0]
    entries = header[blocks[ENTRIES][0]:blocks[STRINGS][0]]
    for at in range(0, len(entries), 28):
        which, *parameters = struct.unpack_from(ENTRY, entries, at)
        text = {MESSAGE_BOX: parameters[1], DETAIL_LINE: parameters[0]}.get(which, 0)
        if text > 0:  # below zero: a language string, read above
            found.append(string(text))
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("installer")
    parser.add_argument("--dictionary", default="/usr/share/dict/american-english")
    parser.add_argument("--print", action="store_true", help="print the texts found")
    args = parser.parse_args()
    with open(args.dictionary, encoding="utf-8") as f:
        english = {w.strip().lower() for w in f if len(w.strip()) > 1}
    english -= {w.lower() for w in LITHUANIAN}

    with open(args.installer, "rb") as f:
        image = f.read()
    headers = list(programs(image))
    if len(headers) != 2:
        sys.exit(f"installer-words: expected the installer and its uninstaller, found {len(headers)}")
    bad, count = [], 0
    for header in headers:
        for text in texts(header):
            count += 1
            if args.print:
                print(repr(text))
            if text in UNREACHABLE or text in FONTS:
                continue
            words = re.findall(r"[^\W\d_]+", text)
            bad += [f"{w!r} in {text!r}" for w in words if w.lower() in english]
    if count < 40:
        sys.exit(f"installer-words: only {count} texts found; has the format changed?")
    if bad:
        print("English words in the installer:", *bad, sep="\n  ")
        return 1
    print(f"{count} texts in the installer and the uninstaller, no English word")
    return 0


if __name__ == "__main__":
    sys.exit(main())
