#!/usr/bin/python3
"""Drawings for the import tool's tests, made with ezdxf or written out by hand, and a measured run.

text <path> <R2018|R12> <text>        a line from (0, 0) to (100, 50) and the text, 10 high, at (10, 20);
                                      an R12 drawing is written in Shift-JIS and declares ANSI_932
r12_entities <path> <encoding>        an R12 drawing of an ENTITIES section alone, no header and no
                                      tables: lines and a Japanese text on a layer with a Japanese name,
                                      the texts in the given encoding (cp932 or utf-8)
empty_handles <path>                  an R2000 drawing whose entities have empty handles
frozen <path>                         a line on a frozen layer, nothing else
undefined_layer <path>                lines at y = 0, 40, 80, 120 and 160: on a layer the drawing does
                                      not define, true colour white, colour 254 (light grey), yellow, red
proxy <path>                          an R2013 drawing with a line and two proxy entities whose graphics
                                      are broken
fan_out <path>                        ten blocks, each inserting the next ten times: 10^10 lines
huge <path>                           a line out to 1e300
lines <path> <count>                  an R12 drawing of the given number of short lines, written by hand
run <program> <argument>...           runs the program and prints its exit code, its peak resident memory
                                      in KB and its time in seconds
"""
import random
import resource
import subprocess
import sys
import time


def text_drawing(path, version, text):
    import ezdxf

    doc = ezdxf.new(version)
    if version == "R12":
        doc.encoding = "cp932"  # written in Shift-JIS, $DWGCODEPAGE ANSI_932
    msp = doc.modelspace()
    msp.add_line((0, 0), (100, 50))
    msp.add_text(text, dxfattribs={"height": 10}).set_placement((10, 20))
    doc.saveas(path)


def r12_entities(path, encoding):
    # Lines on a layer named in Japanese and a Japanese text, the way small exporters write them.
    layer = "道路中心線".encode(encoding)
    out = bytearray(b"0\r\nSECTION\r\n2\r\nENTITIES\r\n")
    for y in (0, 40, 80):
        out += b"0\r\nLINE\r\n8\r\n" + layer + b"\r\n"
        out += b"10\r\n0.0\r\n20\r\n%d.0\r\n11\r\n200.0\r\n21\r\n%d.0\r\n" % (y, y)
    out += b"0\r\nTEXT\r\n8\r\n" + layer + b"\r\n10\r\n10.0\r\n20\r\n50.0\r\n40\r\n20.0\r\n1\r\n"
    out += "護岸工".encode(encoding) + b"\r\n"
    out += b"0\r\nENDSEC\r\n0\r\nEOF\r\n"
    with open(path, "wb") as stream:
        stream.write(out)


def empty_handles(path):
    import re
    import ezdxf

    doc = ezdxf.new("R2000")
    doc.modelspace().add_line((0, 0), (100, 50))
    doc.modelspace().add_circle((50, 25), 20)
    doc.saveas(path)
    with open(path, encoding="ascii") as stream:
        content = stream.read()
    start = content.index("ENTITIES")
    end = content.index("ENDSEC", start)
    entities = re.sub(r"(\n  5\n)[0-9A-F]+\n", r"\1\n", content[start:end])
    with open(path, "w", encoding="ascii") as stream:
        stream.write(content[:start] + entities + content[end:])


def frozen(path):
    import ezdxf

    doc = ezdxf.new("R2000")
    doc.layers.add("HIDDEN").freeze()
    doc.modelspace().add_line((0, 0), (100, 50), dxfattribs={"layer": "HIDDEN"})
    doc.saveas(path)


def undefined_layer(path):
    import ezdxf

    doc = ezdxf.new("R2010")
    msp = doc.modelspace()
    msp.add_line((0, 0), (200, 0), dxfattribs={"layer": "UNDEFINED"})
    doc.layers.add("WHITE", color=7)
    msp.add_line((0, 40), (200, 40), dxfattribs={"layer": "WHITE", "true_color": 0xFFFFFF})
    msp.add_line((0, 80), (200, 80), dxfattribs={"color": 254})
    msp.add_line((0, 120), (200, 120), dxfattribs={"color": 2})
    msp.add_line((0, 160), (200, 160), dxfattribs={"color": 1})
    doc.saveas(path)
    assert "UNDEFINED" not in doc.layers


def proxy(path):
    import struct
    import ezdxf

    doc = ezdxf.new("R2013")
    msp = doc.modelspace()
    msp.add_line((0, 0), (100, 50))
    doc.saveas(path)
    # Proxy graphics: a total size and a record count, then records of (size, type, data). The first
    # holds a circle record too short for a circle; the second a record of size 0.
    graphics = [
        struct.pack("<2L", 20, 1) + struct.pack("<2L", 12, 2) + bytes(4),
        struct.pack("<2L", 24, 2) + struct.pack("<2L", 0, 0xFFFFFFFF) + bytes(8),
    ]
    entities = ""
    for number, data in enumerate(graphics):
        entities += (
            "  0\nACAD_PROXY_ENTITY\n  5\nFFF%d\n330\n%s\n100\nAcDbEntity\n  8\n0\n100\nAcDbProxyEntity\n"
            " 90\n498\n 91\n500\n 95\n0\n 70\n0\n160\n%d\n310\n%s\n 94\n0\n"
            % (number, msp.block_record_handle, len(data), data.hex().upper()))
    with open(path, encoding="utf-8") as stream:
        content = stream.read()
    marker = "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS"
    assert marker in content
    with open(path, "w", encoding="utf-8") as stream:
        stream.write(content.replace(marker, entities + marker, 1))


def fan_out(path):
    import ezdxf

    doc = ezdxf.new("R2000")
    names = ["B%d" % level for level in range(10)]
    for level, name in enumerate(names):
        block = doc.blocks.new(name)
        if level == len(names) - 1:
            block.add_line((0, 0), (1, 1))
        else:
            for k in range(10):
                block.add_blockref(names[level + 1], (k * 2.0, level * 2.0))
    doc.modelspace().add_blockref(names[0], (0, 0))
    doc.saveas(path)


def huge(path):
    import ezdxf

    doc = ezdxf.new("R2000")
    doc.modelspace().add_line((0, 0), (1e300, 1e300))
    doc.saveas(path)


def lines(path, count):
    pick = random.Random(7)
    with open(path, "w", encoding="ascii", newline="\r\n") as stream:
        stream.write("0\nSECTION\n2\nENTITIES\n")
        for _ in range(count):
            x, y = pick.uniform(0, 1000), pick.uniform(0, 1000)
            stream.write("0\nLINE\n8\n0\n10\n%.3f\n20\n%.3f\n11\n%.3f\n21\n%.3f\n"
                         % (x, y, x + pick.uniform(-5, 5), y + pick.uniform(-5, 5)))
        stream.write("0\nENDSEC\n0\nEOF\n")


def run(arguments):
    started = time.monotonic()
    result = subprocess.run(arguments, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    seconds = time.monotonic() - started
    peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    print("%d %d %.1f" % (result.returncode, peak, seconds))


def main(argv):
    command, arguments = argv[1], argv[2:]
    if command == "text":
        text_drawing(*arguments)
    elif command == "lines":
        lines(arguments[0], int(arguments[1]))
    elif command == "run":
        run(arguments)
    else:
        {"r12_entities": r12_entities, "undefined_layer": undefined_layer, "proxy": proxy,
         "fan_out": fan_out, "huge": huge, "empty_handles": empty_handles,
         "frozen": frozen}[command](*arguments)


if __name__ == "__main__":
    main(sys.argv)
