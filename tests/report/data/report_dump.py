"""Prints what a report workbook holds as JSON, read with openpyxl: sheet names, cell texts, print areas,
row breaks (the zero-based row above each), the outline edges of the cells in the columns that frame the
survey's photo pairs (A, R, S, AJ), and per picture its anchor cell, its pixel size, its extent in EMU and
its offset in the cell and extent in millimetres; the texts of the drawing's text boxes with their fill
and font size from the drawing XML.

Usage: report_dump.py BOOK.xlsx
"""
import io
import json
import re
import sys
import warnings
import zipfile

warnings.simplefilter("ignore")
import openpyxl  # noqa: E402
from PIL import Image  # noqa: E402

EMU_PER_MM = 36000


def edges(cell):
    b = cell.border
    return "".join(flag for flag, side in (("L", b.left), ("T", b.top), ("R", b.right), ("B", b.bottom))
                   if side is not None and side.style)


def dump(path):
    book = openpyxl.load_workbook(path)
    result = {"sheets": book.sheetnames, "sheet": {}}
    for ws in book.worksheets:
        images = []
        for image in ws._images:
            width, height = Image.open(io.BytesIO(image._data())).size
            anchor = image.anchor
            ext = getattr(anchor, "ext", None)
            images.append({
                "cell": openpyxl.utils.get_column_letter(anchor._from.col + 1) + str(anchor._from.row + 1),
                "px": [width, height],
                "emu": [ext.width, ext.height] if ext is not None else None,
                "offset": [anchor._from.colOff / EMU_PER_MM, anchor._from.rowOff / EMU_PER_MM],
                "mm": [ext.width / EMU_PER_MM, ext.height / EMU_PER_MM] if ext is not None else None,
            })
        cells = {c.coordinate: c.value for row in ws.iter_rows() for c in row if c.value is not None}
        frames = {}
        for letter in ("A", "R", "S", "AJ"):
            for row in range(1, ws.max_row + 1):
                flags = edges(ws[f"{letter}{row}"])
                if flags:
                    frames[f"{letter}{row}"] = flags
        area = ws.print_area
        result["sheet"][ws.title] = {
            "cells": cells,
            "print_area": ",".join(area) if isinstance(area, list) else area,
            "breaks": [b.id for b in ws.row_breaks.brk],
            "images": images,
            "frames": frames,
        }
    shapes = []
    with zipfile.ZipFile(path) as z:
        for name in sorted(n for n in z.namelist() if re.match(r"xl/drawings/drawing\d+\.xml$", n)):
            xml = z.read(name).decode("utf-8")
            for anchor in re.findall(r"<xdr:(?:twoCellAnchor|oneCellAnchor)[ >].*?</xdr:(?:twoCellAnchor|oneCellAnchor)>", xml, re.S):
                sp = re.search(r"<xdr:sp[ >].*?</xdr:sp>", anchor, re.S)
                if not sp:
                    continue
                sp = sp.group(0)
                fill = re.search(r"<a:solidFill><a:srgbClr val=\"(\w+)\"", sp)
                size = re.search(r"<a:rPr[^>]* sz=\"(\d+)\"", sp)
                start = re.search(r"<xdr:from><xdr:col>(\d+)</xdr:col><xdr:colOff>(-?\d+)</xdr:colOff>"
                                  r"<xdr:row>(\d+)</xdr:row><xdr:rowOff>(-?\d+)</xdr:rowOff></xdr:from>", anchor)
                shapes.append({
                    "text": "\n".join(re.findall(r"<a:t>(.*?)</a:t>", sp)),
                    "fill": fill.group(1) if fill else None,
                    "sz": size.group(1) if size else None,
                    # The anchor's first cell and offsets in EMU: column and row letters as a reference.
                    "from": [openpyxl.utils.get_column_letter(int(start.group(1)) + 1) + str(int(start.group(3)) + 1),
                             int(start.group(2)), int(start.group(4))] if start else None,
                    "line": "none" if re.search(r"<a:ln[^>]*><a:noFill/>", sp) else "drawn",
                })
    result["shapes"] = shapes
    return result


if __name__ == "__main__":
    print(json.dumps(dump(sys.argv[1]), ensure_ascii=False))
