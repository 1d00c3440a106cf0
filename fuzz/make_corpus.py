#!/usr/bin/env python3
"""Writes the seed files of fuzz/corpus/lee and fuzz/corpus/led: a few small
valid pictures and a few broken ones. Run from anywhere; it overwrites them."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def framed(lines):
    return "".join(l.ljust(30) + "\r\n" for l in lines).encode("ascii")


def lee(setei="$SETEI:A, , ,000", width=16, reverse="$REVERSE_COLOR_RED", write_no="1", red=None, green=None):
    lines = ["#LED_DATA_FILE", "#DATA_TYPE", "$NORMAL", "#END_OF_DATA_TYPE", "#DEFINE", setei,
             "$MAXIMUM_LINES=%03d" % width, reverse, "$WRITE_TABLE_NO=" + write_no, "#END_OF_DEFINE"]
    if width:
        red = red or {}
        green = green or {}
        lines.append("#RED")
        lines += ["$%03d:%s" % (n, red.get(n, "0000,0000,0000,0000,0000,")) for n in range(width)]
        lines += ["#END_OF_RED", "#GREEN"]
        lines += ["$%03d:%s" % (n, green.get(n, "0000,0000,0000,0000,0000,")) for n in range(width)]
        lines.append("#END_OF_GREEN")
    lines.append("#END_OF_LED_DATA_FILE")
    return framed(lines)


def led(rows=None, trailer=("END", "01", "A", " ", " ", "000")):
    rows = rows or {}
    lines = [rows.get(y, "00,00," * 30) for y in range(80)] + list(trailer)
    return "".join(l + "\r\n" for l in lines).encode("ascii")


def write(kind, name, data):
    with open(os.path.join(HERE, "corpus", kind, name), "wb") as f:
        f.write(data)


one_red = lee(red={0: "8000,0000,0000,0000,0000,"})
write("lee", "one_red_dot.lee", one_red)
write("lee", "empty_picture.lee", lee(width=0))
write("lee", "settings.lee", lee(setei="$SETEI:S,A,c,123", width=32, reverse="$REVERSE_COLOR_YELLOW", write_no="55",
                                 red={5: "ffff,00ff,80,  abcd,0001,"}, green={31: "FFFF,FFFF,FFFF,FFFF,FFFF,"}))
write("lee", "lf_only.lee", one_red.replace(b"\r\n", b"\n"))
write("lee", "cut_in_block.lee", one_red[: 20 * 32])
write("lee", "bad_number.lee", one_red.replace(b"$001:", b"$002:"))
write("lee", "bad_setei.lee", lee(setei="$SETEI:Z, , ,000"))

one_red_old = led(rows={0: "80,00," + "00,00," * 29})
write("led", "one_red_dot.led", one_red_old)
write("led", "pattern.led", led(rows={y: ("%02X,%02x," % (y, 255 - y)) * 30 for y in range(0, 80, 3)},
                                trailer=("END", "7", "S", "A", "c", "42 ")))
write("led", "lf_only.led", one_red_old.replace(b"\r\n", b"\n"))
write("led", "missing_comma.led", led(rows={3: "FF,FF," * 3 + "FF;FF," + "FF,FF," * 26}))
write("led", "short_row.led", led(rows={10: "80,00,"}))
write("led", "no_trailer.led", one_red_old[: 80 * 182])
