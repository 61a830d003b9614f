"""Cell helpers the template generators share (python3-openpyxl): the face, the thin line and the label
fill of the forms, outlines of ranges, and texts written into a merged, framed range.

The generators import it from this folder:
    sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "template_common"))
"""
from openpyxl.styles import Alignment, Border, Font, PatternFill, Side

FACE = "ＭＳ Ｐゴシック"
MM_PER_PX = 25.4 / 96
THIN = Side(style="thin", color="000000")
LABEL_FILL = PatternFill("solid", fgColor="F2F2F2")


def box(ws, ref, side=THIN):
    """Draws the outline of the range."""
    cells = ws[ref]
    if not isinstance(cells, tuple):
        cells = ((cells,),)
    elif not isinstance(cells[0], tuple):
        cells = (cells,)
    last_r, last_c = len(cells) - 1, len(cells[0]) - 1
    for i, row in enumerate(cells):
        for j, cell in enumerate(row):
            b = cell.border
            cell.border = Border(left=side if j == 0 else b.left, right=side if j == last_c else b.right,
                                 top=side if i == 0 else b.top, bottom=side if i == last_r else b.bottom)


def put(ws, ref, text, size=10.5, bold=False, horizontal="left", vertical="center", wrap=False,
        label=False, border=True, shrink=False, fill=None):
    """Writes a text into the first cell of the range, merges the range and frames it. A label fills every
    cell of the range with the label colour; `fill` fills the first cell only."""
    first = ref.split(":")[0]
    cell = ws[first]
    cell.value = text
    cell.font = Font(name=FACE, size=size, bold=bold)
    cell.alignment = Alignment(horizontal=horizontal, vertical=vertical, wrap_text=wrap, shrink_to_fit=shrink)
    if label:
        for row in ws[ref] if ":" in ref else ((cell,),):
            for c in row if isinstance(row, tuple) else (row,):
                c.fill = LABEL_FILL
    if fill:
        cell.fill = fill
    if ":" in ref:
        ws.merge_cells(ref)
    if border:
        box(ws, ref)
