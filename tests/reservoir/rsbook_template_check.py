#!/usr/bin/python3
"""Checks data/Systems/RsBook.xlsx: it is what the generator makes (sheet parts compared), and it holds
what the survey writer relies on: the 27 sheets in order, the cells it fills, and photo sheets whose halves
and rows hold the writer's picture boxes.

Usage: rsbook_template_check.py <source folder>
"""
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

from openpyxl import load_workbook

SHEETS = ["#目次", "#1-1", "#1-2(写真)", "#2-1", "#2-2(写真)", "#3-1", "#3-2", "#3-3(写真)", "#4-1-1",
          "#4-1-2(写真)", "#4-1表(洪水吐きコンクリート構造)", "#4-2-1", "#4-2-2(写真)", "#5-1", "#5-2(写真)",
          "#5表(斜樋)", "#5表(取水トンネル)", "#5表(底樋)", "#5表(放流施設)", "#6-1", "#6-2(写真)", "#7-1",
          "#7-2(写真)", "#詳細診断調査", "#健全度評価表1", "#健全度評価表2", "#総括表"]
HEADERS = ["#1-1", "#2-1", "#3-1", "#4-1-1", "#4-2-1", "#5-1", "#6-1", "#7-1"]
MM_PER_PX = 25.4 / 96


def sheet_parts(path):
    with zipfile.ZipFile(path) as z:
        return {n: z.read(n) for n in z.namelist()
                if n.startswith("xl/worksheets/") or n in ("xl/workbook.xml", "xl/styles.xml")}


def column_mm(ws, letter):
    width = ws.column_dimensions[letter].width
    return (width * 7 + 5) * MM_PER_PX


def main():
    source = Path(sys.argv[1])
    committed = source / "data/Systems/RsBook.xlsx"
    failures = []
    with tempfile.TemporaryDirectory() as temp:
        made = Path(temp) / "RsBook.xlsx"
        subprocess.run(["/usr/bin/python3", str(source / "tools/rsbook_template/make_rsbook_xlsx.py"), str(made)],
                       check=True, stdout=subprocess.DEVNULL)
        if sheet_parts(made) != sheet_parts(committed):
            failures.append("the committed workbook is not what the generator makes")
    wb = load_workbook(committed)
    if wb.sheetnames != SHEETS:
        failures.append(f"sheets {wb.sheetnames}")
    for name in HEADERS:
        ws = wb[name]
        merged = {str(r).split(":")[0] for r in ws.merged_cells.ranges}
        if not {"AB4", "AB5"} <= merged:
            failures.append(f"{name}: AB4 and AB5 are not the value cells")
    summary = wb["#総括表"]
    if summary.print_area != ["$A$1:$AJ$38"] and summary.print_area != "'#総括表'!$A$1:$AJ$38":
        failures.append(f"総括表 print area {summary.print_area}")
    # The writer puts no break after the first page of table 1's photo sheet: the template holds it.
    if [b.id for b in wb["#1-2(写真)"].row_breaks.brk] != [50]:
        failures.append("#1-2(写真): no page break above row 51")
    for name in SHEETS:
        if "(写真)" not in name:
            continue
        ws = wb[name]
        halves = [sum(column_mm(ws, c) for c in letters)
                  for letters in (["ABCDEFGHIJKLMNOPQR"[k] for k in range(18)],
                                  ["S", "T", "U", "V", "W", "X", "Y", "Z"] + [f"A{c}" for c in "ABCDEFGHIJ"])]
        if min(halves) < 81.0:
            failures.append(f"{name}: halves {halves} mm are narrower than a photo box")
        rows_mm = ws.sheet_format.defaultRowHeight * 0.35278 * 8
        if rows_mm < 42.3:
            failures.append(f"{name}: eight rows give {rows_mm} mm")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
