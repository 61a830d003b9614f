"""Judges a report workbook with openpyxl and prints what it found as JSON: per sheet the number of filled
cells, the cells holding "**" with their texts, its print area and row breaks, and per picture its anchor
cell, its pixel size and where it lies: inside the print area or not, which filled cells and other
pictures it covers, and whether it crosses a row break. Positions come from the sheet's own column widths
and row heights: a column of width w characters is w digits of the workbook's default face wide (8 pixels
for the Japanese gothic faces at 11 pt, else 7), a pixel 9525 EMU, a point 12700 EMU.

Usage: excel_report_check.py BOOK.xlsx
"""
import io
import json
import sys
import warnings

warnings.simplefilter("ignore")
import openpyxl  # noqa: E402
from openpyxl.utils import column_index_from_string, get_column_letter  # noqa: E402
from openpyxl.utils.cell import range_boundaries  # noqa: E402
from PIL import Image  # noqa: E402

EMU_PER_PIXEL = 9525
EMU_PER_POINT = 12700
TOLERANCE = 2 * EMU_PER_PIXEL  # edges that touch are not an overlap


class Grid:
    """Column and row edges of a sheet in EMU, from its widths and heights."""

    def __init__(self, ws, digit):
        self.ws = ws
        fmt = ws.sheet_format
        base = fmt.baseColWidth or 8
        default = fmt.defaultColWidth
        self.default_col = round(default * digit) if default else ((base * digit + 5 + 7) // 8) * 8
        self.default_row = fmt.defaultRowHeight or 15
        widths = {}
        for key, dim in ws.column_dimensions.items():
            for index in range(dim.min or column_index_from_string(key), (dim.max or dim.min or 0) + 1):
                widths[index] = 0 if dim.hidden else (round(dim.width * digit) if dim.width else None)
        self.widths = widths
        self._cols = [0]
        self._rows = [0]

    def col_left(self, col):  # 1-based column
        while len(self._cols) < col:
            width = self.widths.get(len(self._cols))
            self._cols.append(self._cols[-1] + (self.default_col if width is None else width) * EMU_PER_PIXEL)
        return self._cols[col - 1]

    def row_top(self, row):  # 1-based row
        while len(self._rows) < row:
            dim = self.ws.row_dimensions.get(len(self._rows))
            height = 0 if dim is not None and dim.hidden else (dim.height if dim is not None and dim.height else self.default_row)
            self._rows.append(self._rows[-1] + round(height * EMU_PER_POINT))
        return self._rows[row - 1]

    def box(self, c0, r0, c1, r1):
        """The rectangle of the cells (inclusive, 1-based) as (left, top, right, bottom)."""
        return (self.col_left(c0), self.row_top(r0), self.col_left(c1 + 1), self.row_top(r1 + 1))


def overlaps(a, b):
    return min(a[2], b[2]) - max(a[0], b[0]) > TOLERANCE and min(a[3], b[3]) - max(a[1], b[1]) > TOLERANCE


def inside(inner, outer):
    return (inner[0] >= outer[0] - TOLERANCE and inner[1] >= outer[1] - TOLERANCE and
            inner[2] <= outer[2] + TOLERANCE and inner[3] <= outer[3] + TOLERANCE)


def digit_pixels(book):
    """The width of a digit of the workbook's default face in pixels."""
    font = book._fonts[0] if book._fonts else None
    name = (font.name or "") if font is not None else ""
    size = (font.sz or 11) if font is not None else 11
    return 8 if "ゴシック" in name and size == 11 else 7


def judge_sheet(ws, digit):
    grid = Grid(ws, digit)
    merged = {}
    for rng in ws.merged_cells.ranges:
        merged[(rng.min_col, rng.min_row)] = (rng.min_col, rng.min_row, rng.max_col, rng.max_row)
    filled = {}
    stars = {}
    for row in ws.iter_rows():
        for cell in row:
            if cell.value is None or str(cell.value).strip() == "":
                continue
            c0, r0, c1, r1 = merged.get((cell.column, cell.row), (cell.column, cell.row, cell.column, cell.row))
            filled[cell.coordinate] = grid.box(c0, r0, c1, r1)
            if "**" in str(cell.value):
                stars[cell.coordinate] = str(cell.value)
    area = ws.print_area
    areas = []
    if area:
        for part in (area if isinstance(area, list) else area.split(",")):
            c0, r0, c1, r1 = range_boundaries(part.split("!")[-1].replace("$", ""))
            areas.append(grid.box(c0, r0, c1, r1))
    breaks = [grid.row_top(b.id + 1) for b in ws.row_breaks.brk]
    rects = []
    for image in ws._images:
        anchor = image.anchor
        start = anchor._from
        left = grid.col_left(start.col + 1) + start.colOff
        top = grid.row_top(start.row + 1) + start.rowOff
        rects.append((left, top, left + anchor.ext.width, top + anchor.ext.height))
    images = []
    for k, (image, rect) in enumerate(zip(ws._images, rects)):
        width, height = Image.open(io.BytesIO(image._data())).size
        start = image.anchor._from
        images.append({
            "cell": get_column_letter(start.col + 1) + str(start.row + 1),
            "px": [width, height],
            "in_print_area": any(inside(rect, a) for a in areas) if areas else None,
            "covers": sorted(name for name, box in filled.items() if overlaps(rect, box)),
            "overlaps": [m for m, other in enumerate(rects) if m != k and overlaps(rect, other)],
            "crosses_break": any(rect[1] + TOLERANCE < b < rect[3] - TOLERANCE for b in breaks),
        })
    return {
        "filled": len(filled),
        "stars": stars,
        "print_area": ",".join(area) if isinstance(area, list) else area,
        "breaks": [b.id for b in ws.row_breaks.brk],
        "images": images,
    }


def main(path):
    book = openpyxl.load_workbook(path)
    digit = digit_pixels(book)
    result = {"sheets": book.sheetnames, "sheet": {ws.title: judge_sheet(ws, digit) for ws in book.worksheets}}
    print(json.dumps(result, ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1])
