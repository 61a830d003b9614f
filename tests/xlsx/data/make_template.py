"""Writes the small template workbook the library tests start from.

Usage: make_template.py OUT.xlsx
"""
import sys

import openpyxl
from openpyxl.styles import Alignment, Border, Font, Side

book = openpyxl.Workbook()
page = book.active
page.title = "#台帳"
page["A1"] = "**タイトル"
page.merge_cells("A1:D1")
page["A1"].font = Font(name="IPAGothic", size=14, bold=True)
page["A1"].alignment = Alignment(horizontal="center")
page["B3"] = "**写真番号1"
page["B4"] = "**写真番号12"
page["C3"] = "**コメント1"
page["C4"] = "**コメント1_1"
page["D8"] = "**未使用"
page["A9"] = "固定の注記"
thin = Side(style="thin")
page["B3"].border = Border(left=thin, right=thin, top=thin, bottom=thin)
page.column_dimensions["A"].width = 10
page.column_dimensions["B"].width = 20
page.column_dimensions["C"].width = 30
page.row_dimensions[2].height = 30
page.print_area = "A1:D10"
page.page_setup.orientation = "portrait"
page.page_setup.paperSize = 9
page.page_margins.left = 0.5

cover = book.create_sheet("#表紙")
cover["A1"] = "**件名"
cover["A2"] = "日付:"
cover["B2"] = "**日付"
cover.column_dimensions["A"].width = 12

long = book.create_sheet("#一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十")
long["A1"] = "長い名前のひな形"

notes = book.create_sheet("説明")
notes["A1"] = "このシートは複製されない"
book.save(sys.argv[1])
