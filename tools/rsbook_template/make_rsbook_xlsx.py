#!/usr/bin/python3
"""Writes data/Systems/RsBook.xlsx, the template workbook of the reservoir deterioration survey.

Every output sheet is a copy of one '#' sheet here, in the writer's order. The writer puts the reservoir's
ID and name into AB4 and the survey date into AB5 of each table's header sheet, the name, ID and date into
Y3, Y4 and G4 of the summary, and on each photo sheet the table's drawing at A5 (A18 on #5-2) and the
photos two by two: left at column A, right at column S, each under its description row, eight rows a
photo, pairs every nine rows. Later pages of a photo sheet repeat that grid 45 rows a page, so every photo
sheet has one uniform row height from the top.

Measures: a column of stored width w is about 7·w + 5 pixels (the default 11-point font), a pixel is
0.26458 mm; a row height in points is mm / 0.35278.

Run:  /usr/bin/python3 tools/rsbook_template/make_rsbook_xlsx.py [output path]
"""
import sys
from pathlib import Path

from openpyxl import Workbook
from openpyxl.styles import Alignment, Font
from openpyxl.utils import column_index_from_string, get_column_letter
from openpyxl.worksheet.page import PageMargins
from openpyxl.worksheet.pagebreak import Break

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "template_common"))
from template_cells import FACE, LABEL_FILL, box, put  # noqa: E402

ROW_PT = 15.75          # 5.56 mm: eight rows give 44.5 mm for a 40.8 mm photo
COL_WIDTH = 1.89        # 36 columns A..AJ of 4.6 mm: A:R and S:AJ are 82.8 mm each
WIDE_COL_WIDTH = 2.6    # the BA/BB forms, landscape

TABLES = [
    # header sheet, photo sheet, caption, drawing title, first picture row, figure cell
    ("#1-1", "#1-2(写真)", "表1 堤体の変形に関する変状 (①断面変形率)", "当初堤体断面と現況堤体断面の重ね図", 25, "A5"),
    ("#2-1", "#2-2(写真)", "表2 堤体の変形に関する変状 (②断面変形率以外)", None, 7, None),
    ("#3-1", "#3-3(写真)", "表3 堤体等からの漏水", "変状箇所の記録", 25, "A5"),
    ("#4-1-1", "#4-1-2(写真)", "表4-1 洪水吐き(コンクリート構造)の変状", "変状の記録", 25, "A5"),
    ("#4-2-1", "#4-2-2(写真)", "表4-2 洪水吐き(非コンクリート構造)の変状", "変状の記録", 25, "A5"),
    ("#5-1", "#5-2(写真)", "表5 取水放流施設の変状", "変状の記録", 38, "A18"),
    ("#6-1", "#6-2(写真)", "表6 貯水池の斜面及び地山法面の変状", None, 6, None),
    ("#7-1", "#7-2(写真)", "表7 ゲート等機械設備の変状", None, 6, None),
]
# Header sheets: the last row of each form (1-based), as the writer prints it.
HEADER_LAST_ROW = {"#1-1": 42, "#2-1": 44, "#3-1": 47, "#4-1-1": 30, "#4-2-1": 47, "#5-1": 48, "#6-1": 34,
                   "#7-1": 35}
# The other forms: title, last column letter, last row.
FORMS = {
    "#目次": ("ため池劣化状況評価調査表 目次", "AJ", 41),
    "#3-2": ("表3 漏水量の記録", "AJ", 46),
    "#4-1表(洪水吐きコンクリート構造)": ("洪水吐き(コンクリート構造) 変状評価表", "BB", 42),
    "#5表(斜樋)": ("取水放流施設 斜樋 変状評価表", "BB", 33),
    "#5表(取水トンネル)": ("取水放流施設 取水トンネル 変状評価表", "BB", 36),
    "#5表(底樋)": ("取水放流施設 底樋 変状評価表", "BB", 20),
    "#5表(放流施設)": ("取水放流施設 放流施設 変状評価表", "BB", 39),
    "#詳細診断調査": ("詳細診断調査の要否", "BB", 35),
    "#健全度評価表1": ("健全度評価表(1)", "BA", 39),
    "#健全度評価表2": ("健全度評価表(2)", "BA", 34),
}
ORDER = ["#目次", "#1-1", "#1-2(写真)", "#2-1", "#2-2(写真)", "#3-1", "#3-2", "#3-3(写真)", "#4-1-1",
         "#4-1-2(写真)", "#4-1表(洪水吐きコンクリート構造)", "#4-2-1", "#4-2-2(写真)", "#5-1", "#5-2(写真)",
         "#5表(斜樋)", "#5表(取水トンネル)", "#5表(底樋)", "#5表(放流施設)", "#6-1", "#6-2(写真)", "#7-1",
         "#7-2(写真)", "#詳細診断調査", "#健全度評価表1", "#健全度評価表2", "#総括表"]


def text(ws, ref, value, size=10, bold=False, fill=None, merge=None, wrap=False, align="left"):
    """The value in the cell; with a merge range, that range merged and framed."""
    put(ws, merge or ref, value, size=size, bold=bold, horizontal=align, wrap=wrap, border=bool(merge),
        fill=fill)


def page(ws, last_col, landscape=False):
    ws.page_setup.paperSize = ws.PAPERSIZE_A4
    ws.page_setup.orientation = "landscape" if landscape else "portrait"
    ws.page_margins = PageMargins(left=0.4, right=0.4, top=0.3, bottom=0.3, header=0.1, footer=0.1)
    ws.sheet_properties.pageSetUpPr.fitToPage = True
    ws.page_setup.fitToWidth = 1
    ws.page_setup.fitToHeight = 0
    width = WIDE_COL_WIDTH if landscape else COL_WIDTH
    for c in range(1, column_index_from_string(last_col) + 1):
        ws.column_dimensions[get_column_letter(c)].width = width
    ws.sheet_format.defaultRowHeight = ROW_PT
    ws.sheet_format.customHeight = True


def reservoir_block(ws):
    """The labelled block ため池ID・名称 / 調査日 that the writer fills at AB4 and AB5."""
    text(ws, "U4", "ため池ID・名称", fill=LABEL_FILL, merge="U4:AA4")
    text(ws, "U5", "調査日", fill=LABEL_FILL, merge="U5:AA5")
    text(ws, "AB4", None, merge="AB4:AJ4")
    text(ws, "AB5", None, merge="AB5:AJ5")


def evaluation_rows(ws, first, last, last_col="AJ"):
    """A bordered evaluation table: item, state, evaluation (a/b/c) and remarks, one row each."""
    text(ws, f"A{first}", "点検項目", bold=True, fill=LABEL_FILL, merge=f"A{first}:J{first}", align="center")
    text(ws, f"K{first}", "変状の状況", bold=True, fill=LABEL_FILL, merge=f"K{first}:X{first}", align="center")
    text(ws, f"Y{first}", "評価(a・b・c)", bold=True, fill=LABEL_FILL, merge=f"Y{first}:AC{first}",
         align="center")
    text(ws, f"AD{first}", "備考", bold=True, fill=LABEL_FILL, merge=f"AD{first}:{last_col}{first}",
         align="center")
    for r in range(first + 1, last + 1):
        for ref in (f"A{r}:J{r}", f"K{r}:X{r}", f"Y{r}:AC{r}", f"AD{r}:{last_col}{r}"):
            box(ws, ref)


def header_sheet(ws, caption):
    page(ws, "AJ")
    text(ws, "A1", "ため池劣化状況評価調査表", size=14, bold=True, merge="A1:T2")
    text(ws, "A3", caption, size=11, bold=True, merge="A3:T3")
    reservoir_block(ws)
    evaluation_rows(ws, 7, HEADER_LAST_ROW[ws.title])


def photo_sheet(ws, caption, title, first_row, figure):
    page(ws, "AJ")
    text(ws, "A1", caption + " (写真)", size=11, bold=True, merge="A1:AJ1")
    if figure:
        figure_row = int(figure[1:])
        if figure_row > 5:
            # #5-2: the facility form above the drawing.
            text(ws, "A3", "施設の種類", fill=LABEL_FILL, merge="A3:H3")
            box(ws, "I3:AJ3")
            evaluation_rows(ws, 5, 16)
        text(ws, f"A{figure_row - 1}", title, bold=True, merge=f"A{figure_row - 1}:AJ{figure_row - 1}")
        box(ws, f"A{figure_row}:AJ{first_row - 2}")
    # The pairs of the first page: description row, then eight picture rows, every nine rows.
    pairs = 1 if first_row == 38 else (3 if figure else 5)
    for k in range(pairs):
        r = first_row + 9 * k
        for left, right in (("A", "R"), ("S", "AJ")):
            box(ws, f"{left}{r - 1}:{right}{r - 1}")
            box(ws, f"{left}{r}:{right}{r + 7}")
            cell = ws[f"{left}{r - 1}"]
            cell.font = Font(name=FACE, size=9)
            # Table 1's descriptions stay on one line; the others wrap within their half of the row.
            cell.alignment = Alignment(vertical="center", wrap_text=ws.title != "#1-2(写真)")
            ws.merge_cells(f"{left}{r - 1}:{right}{r - 1}")
    if ws.title == "#1-2(写真)":
        # The writer puts no break after this sheet's first page: row 51 starts the second page here.
        ws.row_breaks.append(Break(id=50))


def form_sheet(ws, title, last_col, last_row):
    landscape = last_col != "AJ"
    page(ws, last_col, landscape)
    text(ws, "A1", title, size=12, bold=True, merge=f"A1:{last_col}2")
    if ws.title == "#目次":
        for k, (header, photos, caption, *_rest) in enumerate(TABLES):
            text(ws, f"C{5 + 4 * k}", caption, merge=f"C{5 + 4 * k}:AH{5 + 4 * k}")
        text(ws, "C38", "総括表", merge="C38:AH38")
        return
    evaluation_rows(ws, 4, last_row, last_col)


def summary_sheet(ws):
    page(ws, "AJ")
    text(ws, "A1", "ため池劣化状況評価 総括表", size=14, bold=True, merge="A1:AJ2")
    text(ws, "A4", "調査日", fill=LABEL_FILL, merge="A4:F4")
    text(ws, "G4", None, merge="G4:P4")
    text(ws, "R3", "ため池名称", fill=LABEL_FILL, merge="R3:X3")
    text(ws, "Y3", None, merge="Y3:AJ3")
    text(ws, "R4", "ため池ID", fill=LABEL_FILL, merge="R4:X4")
    text(ws, "Y4", None, merge="Y4:AJ4")
    evaluation_rows(ws, 7, 38)
    ws.print_area = "A1:AJ38"


def build(path):
    wb = Workbook()
    wb.remove(wb.active)
    by_name = {}
    for header, photos, caption, title, first_row, figure in TABLES:
        by_name[header] = ("header", caption)
        by_name[photos] = ("photos", caption, title, first_row, figure)
    for name in ORDER:
        ws = wb.create_sheet(name)
        kind = by_name.get(name)
        if name == "#総括表":
            summary_sheet(ws)
        elif kind and kind[0] == "header":
            header_sheet(ws, kind[1])
        elif kind:
            photo_sheet(ws, *kind[1:])
        else:
            form_sheet(ws, *FORMS[name])
    wb.save(path)


if __name__ == "__main__":
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2] / "data/Systems/RsBook.xlsx"
    build(out)
    print(out)
