"""Checks where the pictures and text boxes of a report sheet lie, twice: on the sheet as openpyxl reads the
workbook (anchors, offsets and sizes in EMU over the sheet's column widths and row heights), and on the
pages LibreOffice printed (pictures and white text boxes from the page drawn as SVG by pdftocairo, words
from pdftotext). Prints JSON:

  sheet: drawings, each with its kind, anchor cell and rectangle in EMU; "overlaps" (pairs of drawings that
         share area) and "covers" (a drawing over a filled cell that is not its own slot's number row);
  pages: per printed page the count of pictures, boxes and glyphs, "overlaps" between pictures and boxes,
         and "spilled": the words of glyphs that reach over a picture or out of the box they stand in.

Usage: page_layout_check.py BOOK.xlsx SHEET BOOK.pdf
"""
import json
import re
import subprocess
import sys
import tempfile
import warnings
import zipfile
import xml.etree.ElementTree as ET

warnings.simplefilter("ignore")
import openpyxl  # noqa: E402
from openpyxl.utils import column_index_from_string, get_column_letter  # noqa: E402

EMU_PER_PIXEL = 9525
EMU_PER_POINT = 12700
SHEET_TOLERANCE = 3600  # 0.1 mm: edges that touch are no overlap
PAGE_TOLERANCE = 0.3  # points on the printed page


def overlap(a, b, tolerance):
    return min(a[2], b[2]) - max(a[0], b[0]) > tolerance and min(a[3], b[3]) - max(a[1], b[1]) > tolerance


def inside(inner, outer, tolerance):
    return (inner[0] >= outer[0] - tolerance and inner[1] >= outer[1] - tolerance and
            inner[2] <= outer[2] + tolerance and inner[3] <= outer[3] + tolerance)


class Grid:
    """Column and row edges of a sheet in EMU: a column of width w is w digits of 8 pixels (the template's
    11-point Japanese gothic face), a row its height in points."""

    def __init__(self, ws):
        self.ws = ws
        self.widths = {}
        for key, dim in ws.column_dimensions.items():
            for index in range(dim.min or column_index_from_string(key), (dim.max or dim.min or 0) + 1):
                self.widths[index] = round(dim.width * 8) if dim.width else None
        self.default_row = ws.sheet_format.defaultRowHeight or 15

    def col_left(self, col):  # 1-based
        return sum((self.widths.get(c) or 64) * EMU_PER_PIXEL for c in range(1, col))

    def row_top(self, row):  # 1-based
        total = 0
        for r in range(1, row):
            dim = self.ws.row_dimensions.get(r)
            total += round(((dim.height if dim is not None and dim.height else None) or self.default_row)
                           * EMU_PER_POINT)
        return total


def sheet_drawings(path, ws, sheet_index):
    grid = Grid(ws)
    drawings = []
    for image in ws._images:
        start = image.anchor._from
        left = grid.col_left(start.col + 1) + start.colOff
        top = grid.row_top(start.row + 1) + start.rowOff
        drawings.append({"kind": "picture", "cell": get_column_letter(start.col + 1) + str(start.row + 1),
                         "rect": [left, top, left + image.anchor.ext.width, top + image.anchor.ext.height]})
    # Text boxes are not read by openpyxl: their anchors come from the sheet's drawing part.
    with zipfile.ZipFile(path) as z:
        rels_name = f"xl/worksheets/_rels/sheet{sheet_index}.xml.rels"
        rels = z.read(rels_name).decode("utf-8") if rels_name in z.namelist() else ""
        target = re.search(r'Target="\.\./drawings/(drawing\d+\.xml)"', rels)
        xml = z.read("xl/drawings/" + target.group(1)).decode("utf-8") if target else ""
    for anchor in re.findall(r"<xdr:oneCellAnchor>.*?</xdr:oneCellAnchor>", xml, re.S):
        if "<xdr:sp " not in anchor:
            continue
        col, col_off, row, row_off = map(int, re.search(
            r"<xdr:col>(\d+)</xdr:col><xdr:colOff>(-?\d+)</xdr:colOff><xdr:row>(\d+)</xdr:row>"
            r"<xdr:rowOff>(-?\d+)</xdr:rowOff>", anchor).groups())
        cx, cy = map(int, re.search(r'<xdr:ext cx="(\d+)" cy="(\d+)"', anchor).groups())
        left = grid.col_left(col + 1) + col_off
        top = grid.row_top(row + 1) + row_off
        drawings.append({"kind": "box", "cell": get_column_letter(col + 1) + str(row + 1),
                         "text": "\n".join(re.findall(r"<a:t>(.*?)</a:t>", anchor)),
                         "rect": [left, top, left + cx, top + cy]})
    filled = []
    merged = {(r.min_col, r.min_row): r for r in ws.merged_cells.ranges}
    for row in ws.iter_rows():
        for cell in row:
            if cell.value is None or str(cell.value).strip() == "":
                continue
            r = merged.get((cell.column, cell.row))
            c0, r0, c1, r1 = (r.min_col, r.min_row, r.max_col, r.max_row) if r else (
                cell.column, cell.row, cell.column, cell.row)
            filled.append((cell.coordinate,
                           [grid.col_left(c0), grid.row_top(r0), grid.col_left(c1 + 1), grid.row_top(r1 + 1)]))
    overlaps = [[i, j] for i in range(len(drawings)) for j in range(i + 1, len(drawings))
                if overlap(drawings[i]["rect"], drawings[j]["rect"], SHEET_TOLERANCE)]
    covers = [[i, name] for i, d in enumerate(drawings) for name, rect in filled
              if overlap(d["rect"], rect, SHEET_TOLERANCE)]
    return {"drawings": drawings, "overlaps": overlaps, "covers": covers}


def svg_rect(numbers, matrix):
    a, b, c, d, e, f = matrix
    xs, ys = [], []
    for x, y in zip(numbers[0::2], numbers[1::2]):
        xs.append(a * x + c * y + e)
        ys.append(b * x + d * y + f)
    return [min(xs), min(ys), max(xs), max(ys)]


def matrix_of(element):
    m = re.search(r"matrix\(([^)]*)\)", element.get("transform", ""))
    return [float(v) for v in re.split(r"[ ,]+", m.group(1).strip())] if m else [1, 0, 0, 1, 0, 0]


def page_drawings(pdf, page, work):
    svg = f"{work}/page{page}.svg"
    subprocess.run(["pdftocairo", "-svg", "-f", str(page), "-l", str(page), pdf, svg], check=True)
    root = ET.parse(svg).getroot()
    ns = {"s": "http://www.w3.org/2000/svg"}
    link = "{http://www.w3.org/1999/xlink}href"
    size = {im.get("id"): (float(im.get("width")), float(im.get("height"))) for im in root.iter("{%s}image" % ns["s"])}
    page_area = float(root.get("viewBox").split()[2]) * float(root.get("viewBox").split()[3])
    pictures, boxes = [], []
    for element in root.iter():
        tag = element.tag.split("}")[-1]
        if tag == "use" and element.get(link, "").startswith("#image"):
            w, h = size[element.get(link)[1:]]
            pictures.append(svg_rect([0, 0, w, h], matrix_of(element)))
        elif tag == "path" and "fill:rgb(100%,100%,100%)" in element.get("style", "").replace(" ", ""):
            numbers = [float(v) for v in re.findall(r"-?\d+(?:\.\d+)?", element.get("d", ""))]
            rect = svg_rect(numbers, matrix_of(element))
            if (rect[2] - rect[0]) * (rect[3] - rect[1]) < page_area / 2:
                boxes.append(rect)
    # Text is taken glyph by glyph at the extent of its outline: a word's box from the font's ascent and
    # descent is taller than the ink and would reach over neighbours the text never touches.
    outlines = {}
    for symbol in root.iter("{%s}symbol" % ns["s"]):
        numbers = [float(v) for path in symbol.iter("{%s}path" % ns["s"])
                   for v in re.findall(r"-?\d+(?:\.\d+)?", path.get("d", ""))]
        if numbers:
            outlines[symbol.get("id")] = svg_rect(numbers, [1, 0, 0, 1, 0, 0])
    glyphs = []
    for element in root.iter("{%s}use" % ns["s"]):
        outline = outlines.get(element.get(link, "")[1:])
        if outline and element.get(link, "").startswith("#glyph"):
            x, y = float(element.get("x", 0)), float(element.get("y", 0))
            glyphs.append([outline[0] + x, outline[1] + y, outline[2] + x, outline[3] + y])
    layout = subprocess.run(["pdftotext", "-bbox", "-f", str(page), "-l", str(page), pdf, "-"],
                            capture_output=True, text=True, check=True).stdout
    words = [([float(v) for v in m.groups()[:4]], m.group(5)) for m in re.finditer(
        r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*?)</word>', layout)]

    def word_at(glyph):
        x, y = (glyph[0] + glyph[2]) / 2, (glyph[1] + glyph[3]) / 2
        return next((text for rect, text in words if rect[0] <= x <= rect[2] and rect[1] <= y <= rect[3]), "?")

    drawn = [("picture", r) for r in pictures] + [("box", r) for r in boxes]
    overlaps = [[drawn[i][0], drawn[j][0], drawn[i][1], drawn[j][1]] for i in range(len(drawn))
                for j in range(i + 1, len(drawn)) if overlap(drawn[i][1], drawn[j][1], PAGE_TOLERANCE)]
    spilled = []
    for glyph in glyphs:
        if any(overlap(glyph, p, PAGE_TOLERANCE) for p in pictures):
            spilled.append([word_at(glyph), "over a picture"])
        elif any(overlap(glyph, b, PAGE_TOLERANCE) and not inside(glyph, b, PAGE_TOLERANCE) for b in boxes):
            spilled.append([word_at(glyph), "out of its box"])
    return {"pictures": len(pictures), "boxes": len(boxes), "overlaps": overlaps,
            "spilled": sorted(set(map(tuple, spilled))), "glyphs": len(glyphs)}


def main(book_path, sheet_name, pdf):
    book = openpyxl.load_workbook(book_path)
    index = book.sheetnames.index(sheet_name) + 1
    result = {"sheet": sheet_drawings(book_path, book[sheet_name], index), "pages": []}
    pages = int(re.search(r"Pages:\s+(\d+)", subprocess.run(["pdfinfo", pdf], capture_output=True,
                                                             text=True).stdout).group(1))
    with tempfile.TemporaryDirectory() as work:
        for page in range(1, pages + 1):
            result["pages"].append(page_drawings(pdf, page, work))
    print(json.dumps(result, ensure_ascii=False))


if __name__ == "__main__":
    main(*sys.argv[1:4])
