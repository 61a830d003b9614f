"""Prints what a workbook holds as JSON, read with openpyxl and checked part by part, so that tests
can compare it with what they wrote.

Usage: dump_workbook.py BOOK.xlsx
"""
import json
import posixpath
import sys
import warnings
import zipfile
import xml.etree.ElementTree as ET

warnings.simplefilter("ignore")
import openpyxl  # noqa: E402

REL_NS = "{http://schemas.openxmlformats.org/package/2006/relationships}"
CT_NS = "{http://schemas.openxmlformats.org/package/2006/content-types}"


def package_problems(path):
    """Parts that are not well-formed, lack a content type, or relationships that point nowhere."""
    problems = []
    with zipfile.ZipFile(path) as z:
        names = set(z.namelist())
        trees = {}
        for name in names:
            if name.endswith(".xml") or name.endswith(".rels"):
                try:
                    trees[name] = ET.fromstring(z.read(name))
                except ET.ParseError as error:
                    problems.append("not well-formed: %s: %s" % (name, error))
        types = trees.get("[Content_Types].xml")
        if types is None:
            return problems + ["no content types"]
        defaults = {d.get("Extension").lower() for d in types.iter(CT_NS + "Default")}
        overrides = {o.get("PartName").lstrip("/") for o in types.iter(CT_NS + "Override")}
        for part in overrides - names:
            problems.append("content type for a missing part: " + part)
        for name in names - {"[Content_Types].xml"}:
            if name not in overrides and name.rsplit(".", 1)[-1].lower() not in defaults:
                problems.append("no content type: " + name)
        for name, tree in trees.items():
            if not name.endswith(".rels"):
                continue
            source = name.replace("_rels/", "")[: -len(".rels")]
            folder = posixpath.dirname(source)
            for rel in tree.iter(REL_NS + "Relationship"):
                if rel.get("TargetMode") == "External":
                    continue
                target = rel.get("Target")
                full = target.lstrip("/") if target.startswith("/") else posixpath.normpath(posixpath.join(folder, target))
                if full not in names:
                    problems.append("relationship to a missing part: %s -> %s" % (name, full))
    return problems


def rgb(colour):
    """The ARGB text of an explicit colour, None for none or a theme or indexed one."""
    return colour.rgb if colour is not None and colour.type == "rgb" else None


def dump(path):
    book = openpyxl.load_workbook(path)
    result = {"sheets": book.sheetnames, "problems": package_problems(path), "sheet": {}, "names": []}
    with zipfile.ZipFile(path) as z:
        workbook = ET.fromstring(z.read("xl/workbook.xml"))
    for name in workbook.iter("{http://schemas.openxmlformats.org/spreadsheetml/2006/main}definedName"):
        result["names"].append([name.get("name"), name.get("localSheetId"), name.text])
    for ws in book.worksheets:
        cells = {}
        formats = {}
        styles = {}
        looks = {}
        for row in ws.iter_rows():
            for c in row:
                if c.has_style and c.style_id != 0:
                    b = c.border
                    styles[c.coordinate] = [c.alignment.horizontal, c.alignment.vertical, bool(c.alignment.wrap_text),
                                            c.font.name, c.font.sz, bool(c.font.b), b.left.style, b.right.style,
                                            b.top.style, b.bottom.style]
                    looks[c.coordinate] = {
                        "font": rgb(c.font.color),
                        "fill": [c.fill.fill_type, rgb(c.fill.fgColor), rgb(c.fill.bgColor)],
                        "border": [rgb(e.color) for e in (b.left, b.right, b.top, b.bottom)],
                        "rotation": c.alignment.textRotation,
                    }
                if c.value is not None:
                    cells[c.coordinate] = c.value
                if c.number_format != "General":
                    formats[c.coordinate] = c.number_format
        result["sheet"][ws.title] = {
            "cells": cells,
            "formats": formats,
            "styles": styles,
            "looks": looks,
            "print_area": ",".join(ws.print_area) if isinstance(ws.print_area, list) else ws.print_area,
            "breaks": [b.id for b in ws.row_breaks.brk],
            "widths": {k: v.width for k, v in ws.column_dimensions.items() if v.customWidth},
            "heights": {str(k): v.height for k, v in ws.row_dimensions.items() if v.height is not None},
            "merged": sorted(str(r) for r in ws.merged_cells.ranges),
            "images": [[i.anchor._from.col, i.anchor._from.row] for i in ws._images],
            "orientation": ws.page_setup.orientation,
            "paper": ws.page_setup.paperSize,
            "scale": ws.page_setup.scale,
            "margins": [ws.page_margins.left, ws.page_margins.right, ws.page_margins.top, ws.page_margins.bottom],
            "dpi": ws.page_setup.horizontalDpi,
        }
    return result


if __name__ == "__main__":
    print(json.dumps(dump(sys.argv[1]), ensure_ascii=False, default=str))
