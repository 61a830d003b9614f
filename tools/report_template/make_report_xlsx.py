#!/usr/bin/python3
"""Writes data/Systems/report.xlsx, the template workbook of the location-map report.

Every output sheet is a copy of one '#' sheet here. The writer finds its cells by their placeholder texts
("**タイトル") and anchors pictures at fixed cells with boxes of fixed millimetre sizes, so the column
widths and row heights below are chosen so that each box lies inside the cells meant for it. The ledger
sheets are page blocks: the print area of each is exactly one page of rows, which the writer repeats.

Measures: a column of stored width w is 8·w pixels (the default 11-point Japanese font), a pixel is
0.26458 mm; a row height in points is mm / 0.35278.

Run:  /usr/bin/python3 tools/report_template/make_report_xlsx.py [output path]
"""
import sys
from pathlib import Path

from openpyxl import Workbook
from openpyxl.styles import Border, Font, Side
from openpyxl.styles.named_styles import NamedStyle
from openpyxl.utils import get_column_letter, column_index_from_string
from openpyxl.utils.indexed_list import IndexedList
from openpyxl.worksheet.page import PageMargins

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "template_common"))
from template_cells import FACE, MM_PER_PX, THIN, box, put  # noqa: E402

HAIR = Side(style="hair", color="808080")


def col_mm(ws, letters, mm):
    """Sets each column of the list to the width in millimetres."""
    for letter in letters:
        ws.column_dimensions[letter].width = round(mm / MM_PER_PX / 8, 4)


def col_range(first, last):
    a, b = column_index_from_string(first), column_index_from_string(last)
    return [get_column_letter(c) for c in range(a, b + 1)]


def row_mm(ws, rows, mm):
    for r in rows:
        ws.row_dimensions[r].height = round(mm / 0.35278, 2)


def fitted_scale(ws, paper, landscape, margins_mm, area):
    """The largest whole percent at which the print area's width, with a fifth of room for viewers that
    measure columns with a wider substitute face, and its height fit the printable part of the paper."""
    from openpyxl.utils.cell import range_boundaries
    c0, r0, c1, r1 = range_boundaries(area)
    width = sum(ws.column_dimensions[get_column_letter(c)].width * 8 * MM_PER_PX for c in range(c0, c1 + 1))
    height = sum((ws.row_dimensions[r].height or 15) * 0.35278 for r in range(r0, r1 + 1))
    paper_w, paper_h = {A4: (210, 297), A3: (297, 420)}[paper]
    if landscape:
        paper_w, paper_h = paper_h, paper_w
    left, right, top, bottom = margins_mm
    return int(min((paper_w - left - right) / (width * 1.2), (paper_h - top - bottom) / height, 1.0) * 100)


def fields(ws, items):
    """Labels (grey, centred) and values: (range, placeholder, is label) each."""
    for ref, text, is_label in items:
        put(ws, ref, text, label=is_label, horizontal="center" if is_label else "left")


def damage_lines(ws, label, label_ref, first_col, last_col, first_row):
    """The item name 4 beside the three damage-summary lines."""
    put(ws, label_ref, label, label=True, horizontal="center")
    for k in range(3):
        put(ws, f"{first_col}{first_row + k}:{last_col}{first_row + k}", f"**被害概要{k + 1}", border=False)
    box(ws, f"{first_col}{first_row}:{last_col}{first_row + 2}")


def page(ws, paper, landscape, margins_mm=(10, 10, 10, 10), scale=None, fit=False, area=None):
    ws.page_setup.paperSize = paper
    ws.page_setup.orientation = "landscape" if landscape else "portrait"
    left, right, top, bottom = (m / 25.4 for m in margins_mm)
    ws.page_margins = PageMargins(left=left, right=right, top=top, bottom=bottom, header=0.2, footer=0.2)
    ws.print_options.horizontalCentered = True
    if fit:
        ws.sheet_properties.pageSetUpPr.fitToPage = True
        ws.page_setup.fitToWidth = 1
        ws.page_setup.fitToHeight = 1
    if scale:
        # One page block per sheet of paper.
        ws.page_setup.scale = fitted_scale(ws, paper, landscape, margins_mm, area)
    if area:
        ws.print_area = area
    ws.sheet_view.showGridLines = False


A4, A3 = 9, 8


def cover(wb, name, landscape):
    ws = wb.create_sheet(name)
    if landscape:
        cols, rows = col_range("A", "L"), 32
        col_mm(ws, cols, 22.5)
        title, items, lab, val = "B8:K10", [20, 22, 24, 26], ("D", "E"), ("F", "I")
    else:
        cols, rows = col_range("A", "H"), 48
        col_mm(ws, cols, 22.5)
        title, items, lab, val = "B12:G14", [30, 32, 34, 36], ("B", "C"), ("D", "G")
    row_mm(ws, range(1, rows + 1), 5.5)
    put(ws, title, "**タイトル", size=26, bold=True, horizontal="center", border=False)
    first, last = title.split(":")
    for c in ws[first[0] + last[1:] + ":" + last[0] + last[1:]][0]:
        c.border = Border(bottom=Side(style="double"))
    for r, key in zip(items, ["所属", "報告者", "発生日時", "報告日付"]):
        row_mm(ws, [r], 8)
        put(ws, f"{lab[0]}{r}:{lab[1]}{r}", f"**項目名_{key}", size=12, horizontal="distributed", border=False)
        put(ws, f"{val[0]}{r}:{val[1]}{r}", f"**{key}", size=12, border=False)
        for c in ws[f"{val[0]}{r}:{val[1]}{r}"][0]:
            c.border = Border(bottom=THIN)
    page(ws, A4, landscape, margins_mm=(15, 15, 15, 15), fit=True,
         area=f"A1:{cols[-1]}{rows}")


def map_sheet_v(wb):
    """A4 portrait: the map (182.83 × 158.75 mm) at C3, the items below it, the photos beside it from Q2
    (picture rows of 10 mm in threes, each followed by the 5-mm number row of the next slot)."""
    ws = wb.create_sheet("#写真位置図V")
    col_mm(ws, ["A", "B", "O", "P"], 2)
    col_mm(ws, col_range("C", "N"), 15.3)
    col_mm(ws, col_range("Q", "AB"), 16)
    row_mm(ws, [1], 12)
    for r in range(2, 26):
        row_mm(ws, [r], 5 if (r - 1) % 4 == 0 else 10)
    row_mm(ws, [21], 5)
    row_mm(ws, range(22, 28), 8)
    put(ws, "C1:N1", "**タイトル", size=16, bold=True, horizontal="center", border=False)
    box(ws, "C3:N20")
    put(ws, "C21:N21", "**出典", size=8, horizontal="right", border=False)
    fields(ws, [("C22:D22", "**項目名_種類", True), ("E22:H22", "**工種", False),
                ("I22:J22", "**項目名_路線名", True), ("K22:N22", "**名称", False),
                ("C23:D23", "**項目名_発生場所", True), ("E23:N23", "**発生場所", False),
                ("C24:D24", "**項目名_発生日時", True), ("E24:H24", "**発生日時", False),
                ("I24:J24", "**項目名_報告日付", True), ("K24:N24", "**報告日付", False)])
    damage_lines(ws, "**項目名_概要", "C25:D27", "E", "N", 25)
    page(ws, A4, False, fit=True)


def map_sheet_h(wb):
    """A4 landscape: the map (285.75 × 144.99 mm) at C3 on rows of 5 mm, the items below it, the photos
    beside it from W2 in steps of 7 rows."""
    ws = wb.create_sheet("#写真位置図H")
    col_mm(ws, ["A", "B"], 2)
    col_mm(ws, col_range("C", "V"), 14.3)
    col_mm(ws, col_range("W", "AH"), 16)
    row_mm(ws, [1], 10)
    row_mm(ws, range(2, 45), 5)
    row_mm(ws, range(33, 37), 6.5)
    put(ws, "C1:V1", "**タイトル", size=16, bold=True, horizontal="center", border=False)
    box(ws, "C3:V31")
    put(ws, "C32:V32", "**出典", size=8, horizontal="right", border=False)
    fields(ws, [("C33:D33", "**項目名_発生日時：", True), ("E33:J33", "**発生日時", False),
                ("K33:L33", "**項目名_報告日付：", True), ("M33:V33", "**報告日付", False)])
    damage_lines(ws, "**項目名_概要：", "C34:D36", "E", "V", 34)
    page(ws, A4, True, fit=True)


def map_sheet_a3(wb):
    """A3 landscape: slots of three 12.45-mm (47-pixel) columns (B, E, … AF) and rows of 4.15 mm; the map
    at E9 (1247 × 797 pixels, within the 27 columns E to AE), E3 or H3 by the photo arrangement; overflow
    photos from AJ outside the print area, two 16-mm columns a slot so that a 30-mm picture keeps clear of
    the next one."""
    ws = wb.create_sheet("#写真位置図H_A3")
    col_mm(ws, ["A"], 3)
    col_mm(ws, col_range("B", "AI"), 12.45)
    col_mm(ws, col_range("AJ", "AZ"), 16)
    row_mm(ws, range(1, 68), 4.15)
    row_mm(ws, [1], 9)
    put(ws, "E1:AB1", "**タイトル", size=16, bold=True, horizontal="center", border=False)
    put(ws, "AC1:AH1", "**出典", size=8, horizontal="right", border=False)
    page(ws, A3, True, fit=True, area="A1:AH67")


def header_spans(row1, row2, cols):
    """Two header rows: 種類 工種 路線名 名称 / 発生場所 発生場所 発生日時 発生日時. cols: the label and value
    columns ("C" or "D:F") of the left and the right pair."""
    def at(cols_, row):
        a, _, b = cols_.partition(":")
        return f"{a}{row}:{b}{row}" if b else f"{a}{row}"

    l1, v1, l2, v2 = cols
    return {
        "**項目名_種類": (at(l1, row1), True), "**工種": (at(v1, row1), False),
        "**項目名_路線名": (at(l2, row1), True), "**名称": (at(v2, row1), False),
        "**項目名_発生場所": (at(l1, row2), True), "**発生場所": (at(v1, row2), False),
        "**項目名_発生日時": (at(l2, row2), True), "**発生日時": (at(v2, row2), False),
    }


def span(c0, c1, r0, r1=None):
    r1 = r0 if r1 is None else r1
    return f"{c0}{r0}:{c1}{r1}" if (c0, r0) != (c1, r1) else f"{c0}{r0}"


def ledger_v(wb):
    """Layout 0, A4 portrait, 44 rows: three photos B4, B18, B32 (117.74 × 87.31 mm) with their number,
    shot time and eight comment lines on the right."""
    ws = wb.create_sheet("#写真台帳V")
    col_mm(ws, ["A"], 3)
    col_mm(ws, col_range("B", "E"), 29.6)
    col_mm(ws, ["F"], 18)
    col_mm(ws, ["G", "H"], 26)
    row_mm(ws, [1], 10)
    row_mm(ws, [2, 3], 7)
    row_mm(ws, range(4, 45), 6.75)
    put(ws, "B1:H1", "写　真　台　帳", size=16, bold=True, horizontal="center", border=False)
    put(ws, "B2", "**項目名_種類", label=True, horizontal="center")
    put(ws, "C2:D2", "**工種")
    put(ws, "E2", "**項目名_路線名", label=True, horizontal="center")
    put(ws, "F2:H2", "**名称")
    put(ws, "B3", "**項目名_発生場所", label=True, horizontal="center")
    put(ws, "C3:D3", "**発生場所")
    put(ws, "E3", "**項目名_発生日時", label=True, horizontal="center")
    put(ws, "F3:G3", "**発生日時")
    put(ws, "H3", "**項目名_概要", label=True, horizontal="center")
    for s, r in enumerate([4, 18, 32], start=1):
        last = r + (13 if s < 3 else 12)
        box(ws, f"B{r}:E{last}")
        put(ws, f"F{r}", "写真番号", size=9, label=True, horizontal="center")
        put(ws, f"G{r}:H{r}", f"**写真番号{s}")
        put(ws, f"F{r + 1}", "撮影日時", size=9, label=True, horizontal="center")
        put(ws, f"G{r + 1}:H{r + 1}", f"**撮影日時{s}")
        for k in range(8):
            put(ws, f"F{r + 2 + k}:H{r + 2 + k}", f"**コメント{s}_{k + 1}", size=9, border=False)
        box(ws, f"F{r}:H{last}")
    page(ws, A4, False, scale=90, area="A1:H44")


def ledger_grid(wb, name, landscape, paper_scale, area, header_rows, header_cols, title_range,
                slot_cols, slot_rows, pic_rows, text_rows, col_w, row_heights, heading):
    """The grid layouts (V6, H6, V3×4): slots of `len(slot_cols)` columns by rows; each slot is
    columns [c, c + width) with the picture on its first `pic_rows` rows, then a row with the number and
    the shot time and `text_rows` merged rows with the whole comment."""
    ws = wb.create_sheet(name)
    for letters, mm in col_w:
        col_mm(ws, letters, mm)
    for rows, mm in row_heights:
        row_mm(ws, rows, mm)
    put(ws, title_range, "写　真　台　帳", size=14, bold=True, horizontal="center", border=False)
    for text, (ref, is_label) in header_spans(*header_rows, header_cols).items():
        put(ws, ref, text, label=is_label, horizontal="center" if is_label else "left", size=9 if is_label else 10)
    put(ws, heading, "**項目名_概要", label=True, horizontal="center", size=9)
    s = 0
    for r in slot_rows:
        for c0, c1 in slot_cols:
            s += 1
            a, b = get_column_letter(c0), get_column_letter(c1)
            mid_l, mid_r = get_column_letter(c0 + (c1 - c0) // 2), get_column_letter(c0 + (c1 - c0) // 2 + 1)
            box(ws, f"{a}{r}:{b}{r + pic_rows - 1}")
            t = r + pic_rows
            put(ws, f"{a}{t}:{mid_l}{t}", f"**写真番号{s}", size=9)
            put(ws, f"{mid_r}{t}:{b}{t}", f"**撮影日時{s}", size=9)
            put(ws, f"{a}{t + 1}:{b}{t + text_rows}", f"**コメント{s}", size=8, vertical="top", wrap=True)
    page(ws, A4, landscape, scale=paper_scale, area=area)
    return ws


def landscape_ledger_top(wb, name):
    """The first four rows of the landscape ledgers H and H1 (columns B to M): the title and the header."""
    ws = wb.create_sheet(name)
    col_mm(ws, ["A"], 2)
    col_mm(ws, ["B"], 3)
    row_mm(ws, [1], 8)
    row_mm(ws, [2, 3], 6)
    row_mm(ws, [4], 2)
    put(ws, "C1:M1", "写　真　台　帳", size=14, bold=True, horizontal="center", border=False)
    for text, (ref, is_label) in header_spans(2, 3, ("C", "D:F", "G", "H:K")).items():
        put(ws, ref, text, label=is_label, horizontal="center" if is_label else "left", size=9 if is_label else 10)
    put(ws, "L2:M3", "**項目名_概要", label=True, horizontal="center", size=9)
    return ws


def ledger_h(wb):
    """Layout 2, A4 landscape, 39 rows: two photos C5 and I5 (138.91 × 101.07 mm), each with its number,
    shot time and eight comment lines below."""
    ws = landscape_ledger_top(wb, "#写真台帳H")
    col_mm(ws, col_range("C", "H"), 23.2)
    col_mm(ws, col_range("I", "M"), 27.9)
    row_mm(ws, range(5, 27), 4.6)
    row_mm(ws, [27], 6)
    row_mm(ws, range(28, 36), 4.6)
    row_mm(ws, range(36, 40), 2.5)
    for s, (c0, c1, cn, cd0, cd1, cv0, cv1) in enumerate(
            [("C", "H", "C", "D", "E", "F", "H"), ("I", "M", "I", "J", "K", "L", "M")], start=1):
        box(ws, f"{c0}5:{c1}26")
        put(ws, f"{cn}27", "写真番号", size=9, label=True, horizontal="center")
        put(ws, f"{cd0}27:{cd1}27", f"**写真番号{s}", size=9)
        put(ws, f"{cv0}27", f"**撮影日時{s}", size=9)
        ws.merge_cells(f"{cv0}27:{cv1}27")
        box(ws, f"{cv0}27:{cv1}27")
        for k in range(8):
            put(ws, f"{c0}{28 + k}:{c1}{28 + k}", f"**コメント{s}_{k + 1}", size=9, border=False)
        box(ws, f"{c0}28:{c1}35")
    page(ws, A4, True, scale=94, area="B1:M39")


def ledger_h1(wb):
    """Layout 4, A4 landscape, 39 rows: one photo C5 (286.81 × 145.79 mm), its number, shot time and three
    comment lines below."""
    ws = landscape_ledger_top(wb, "#写真台帳H1")
    col_mm(ws, col_range("C", "M"), 26.1)
    row_mm(ws, range(5, 35), 4.86)
    row_mm(ws, [35], 6)
    row_mm(ws, range(36, 39), 5.5)
    row_mm(ws, [39], 2)
    box(ws, "C5:M34")
    put(ws, "C35", "写真番号", size=9, label=True, horizontal="center")
    put(ws, "D35:E35", "**写真番号", size=9)
    put(ws, "F35", "撮影日時", size=9, label=True, horizontal="center")
    put(ws, "G35:I35", "**撮影日時", size=9)
    for k in range(3):
        put(ws, f"C{36 + k}:M{36 + k}", f"**コメント{k + 1}", size=9, border=False)
    box(ws, "C36:M38")
    page(ws, A4, True, scale=94, area="B1:M39")


def photo_list(wb):
    """The photo list, A3 landscape, 64 rows: eleven groups of three 12.45-mm (47-pixel) columns by nine
    groups of seven rows, a 5.5-mm number row and six 4.3-mm picture rows; the writer fills numbers,
    names and pictures by reference. The number row is the white space between two pictures that holds
    the original file name's box (24.5 × 4.5 mm, in the two columns right of the number)."""
    ws = wb.create_sheet("#写真一覧_A3")
    col_mm(ws, ["A"], 3)
    col_mm(ws, col_range("B", "AH"), 12.45)
    row_mm(ws, range(1, 65), 4.3)
    row_mm(ws, range(1, 64, 7), 5.5)
    page(ws, A3, True, scale=95, area="B1:AH64")


def main(out):
    wb = Workbook()
    # The workbook's default font is the 11-point Japanese face the writer's measures assume.
    default = Font(name=FACE, size=11, family=3, charset=128)
    wb._fonts = IndexedList([default])
    wb._named_styles["Normal"].font = default
    wb.remove(wb.active)
    cover(wb, "#Face_V", False)
    cover(wb, "#Face_H", True)
    map_sheet_v(wb)
    map_sheet_h(wb)
    map_sheet_a3(wb)
    ledger_v(wb)
    letters = col_range
    ledger_grid(wb, "#写真台帳V6", False, 90, "A1:J58", (2, 3), ("A:B", "C:E", "F:G", "H:I"), "A1:J1",
                [(1, 5), (6, 10)], [5, 23, 41], 12, 5,
                [(letters("A", "J"), 18.2)],
                [([1], 8), ([2, 3], 6), ([4], 3)] + [(range(r, r + 12), 5.6) for r in (5, 23, 41)]
                + [([r + 12], 5.5) for r in (5, 23, 41)] + [(range(r + 13, r + 18), 4) for r in (5, 23, 41)],
                "J2:J3")
    ledger_h(wb)
    ledger_grid(wb, "#写真台帳H6", True, 92, "B1:S39", (1, 2), ("H", "I:K", "L", "M:N"), "B1:G2",
                [(2, 7), (8, 13), (14, 19)], [3, 22], 13, 4,
                [(["A"], 2), (letters("B", "S"), 16.14)],
                [([1, 2], 7)] + [(range(r, r + 13), 5.55) for r in (3, 22)] + [([r + 13], 5) for r in (3, 22)]
                + [(range(r + 14, r + 18), 4) for r in (3, 22)] + [([21], 2)],
                "O1:S2")
    ledger_h1(wb)
    ledger_grid(wb, "#写真台帳V3×4", False, 94, "A1:L64", (2, 3), ("A:B", "C:E", "F:G", "H:J"), "A1:L1",
                [(1, 4), (5, 8), (9, 12)], [5, 20, 35, 50], 10, 4,
                [(letters("A", "L"), 14.9)],
                [([1], 8), ([2, 3], 5), ([4], 2)] + [(range(r, r + 10), 4.8) for r in (5, 20, 35, 50)]
                + [([r + 10], 4.5) for r in (5, 20, 35, 50)] + [(range(r + 11, r + 15), 3.8) for r in (5, 20, 35, 50)],
                "K2:L3")
    photo_list(wb)
    Path(out).parent.mkdir(parents=True, exist_ok=True)
    wb.save(out)


if __name__ == "__main__":
    here = Path(__file__).resolve().parents[2]
    main(sys.argv[1] if len(sys.argv) > 1 else here / "data" / "Systems" / "report.xlsx")
