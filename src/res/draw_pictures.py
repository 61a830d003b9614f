#!/usr/bin/python3
"""Draws the program's own pictures into src/res/pictures, data/Ref and data/Icon (run again after changing one).

Help-button faces, arrow buttons and the explanation pictures of the help windows: simple flat drawings
with a title, a mock window and short notes, at the sizes the windows are laid out for.
"""
import os
from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "pictures")
FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"


def font(size):
    return ImageFont.truetype(FONT, size)


def save(image, name):
    image.save(os.path.join(OUT, name), optimize=True)


def help_button(pressed):
    """A 22 x 22 round "?" button; the pressed face is darker and shifted by one pixel."""
    image = Image.new("RGB", (22, 22), (240, 240, 240))
    draw = ImageDraw.Draw(image)
    shift = 1 if pressed else 0
    fill = (40, 110, 200) if pressed else (70, 140, 230)
    draw.ellipse((2 + shift, 2 + shift, 19 + shift, 19 + shift), fill=fill, outline=(30, 70, 140))
    draw.text((11 + shift, 11 + shift), "?", font=font(14), fill=(255, 255, 255), anchor="mm")
    return image


def arrow_button(up, disabled):
    """A 24 x 20 arrow button face; the disabled face is grey."""
    image = Image.new("RGB", (24, 20), (236, 236, 236))
    draw = ImageDraw.Draw(image)
    draw.rectangle((0, 0, 23, 19), outline=(160, 160, 160))
    colour = (170, 170, 170) if disabled else (20, 90, 170)
    if up:
        draw.polygon([(12, 4), (19, 14), (5, 14)], fill=colour)
    else:
        draw.polygon([(5, 5), (19, 5), (12, 15)], fill=colour)
    return image


def reference(title, size, notes):
    """An explanation picture: a heading band, a mock window with a grid of panes, numbered notes."""
    width, height = size
    image = Image.new("RGB", size, (252, 252, 248))
    draw = ImageDraw.Draw(image)
    draw.rectangle((0, 0, width - 1, 43), fill=(40, 90, 160))
    draw.text((16, 22), title, font=font(22), fill=(255, 255, 255), anchor="lm")
    top = 60
    bottom = height - 40 - 34 * len(notes)
    draw.rectangle((16, top, width - 17, bottom), fill=(255, 255, 255), outline=(120, 120, 120))
    draw.rectangle((16, top, width - 17, top + 22), fill=(210, 222, 240), outline=(120, 120, 120))
    split = 16 + (width - 32) // 3
    draw.line((split, top + 22, split, bottom), fill=(150, 150, 150))
    for row in range(top + 40, bottom - 10, 26):
        draw.rectangle((26, row, split - 10, row + 16), fill=(230, 236, 245))
    draw.rectangle((split + 20, top + 40, width - 37, bottom - 20), fill=(236, 244, 230),
                   outline=(160, 180, 150))
    for index, note in enumerate(notes):
        y = bottom + 24 + 34 * index
        draw.ellipse((16, y - 12, 40, y + 12), fill=(220, 80, 40))
        draw.text((28, y), str(index + 1), font=font(15), fill=(255, 255, 255), anchor="mm")
        draw.text((52, y), note, font=font(17), fill=(30, 30, 30), anchor="lm")
    draw.text((width - 12, height - 10), "%d × %d" % size, font=font(12), fill=(150, 150, 150),
              anchor="rs")
    return image


REFERENCES = [
    (380, "平面直角座標系について", (690, 530),
     ["日本は19の座標系（I～XIX）に分かれています。", "作業する地域の系番号を選んでください。"]),
    (393, "項目切替", (700, 580), ["出力する項目を切り替えます。", "選んだ項目が帳票に表示されます。"]),
    (394, "背景地図切替", (700, 580), ["背景地図の種類を切り替えます。", "標準地図・淡色地図・写真から選べます。"]),
    (395, "写真を配置する", (700, 581), ["写真を選んで位置図に配置します。", "配置した写真は番号付きで表示されます。"]),
    (397, "並べ替え", (700, 740), ["写真の並び順を変更します。", "方位・撮影日時・線に沿って並べ替えできます。"]),
    (398, "写真の出力順編集(ソート)", (800, 866), ["写真台帳に出力する順番を編集します。", "行を選んで上下ボタンで移動します。"]),
    (404, "位置がない時", (700, 740), ["位置情報のない写真は一覧の下に表示されます。", "地図上をクリックして位置を設定できます。"]),
    (479, "マウスでソート", (800, 866), ["地図上に線を引いて写真を並べ替えます。", "右クリックで並べ替えを実行します。"]),
    (480, "地図タイル設定", (650, 698), ["背景に使う地図タイルの配信元を設定します。", "初期設定に戻すこともできます。"]),
    (481, "メインビュー操作", (461, 533), ["ドラッグで地図を移動します。", "ホイールで拡大・縮小します。"]),
]


def mark_items():
    """The explanation of a photo-position mark's items, shipped as Ref/refPhotoMark.png."""
    image = Image.new("RGB", (520, 360), (252, 252, 248))
    draw = ImageDraw.Draw(image)
    draw.rectangle((0, 0, 519, 35), fill=(40, 90, 160))
    draw.text((14, 18), "写真位置マークの各項目", font=font(18), fill=(255, 255, 255), anchor="lm")
    cx, cy = 150, 220
    # Arrow (shooting direction) from the mark, with its head.
    draw.line((cx, cy, cx + 120, cy - 110), fill=(220, 40, 40), width=4)
    draw.polygon([(cx + 140, cy - 128), (cx + 104, cy - 112), (cx + 124, cy - 90)], fill=(220, 40, 40))
    # The mark: an outline ring around the core.
    draw.ellipse((cx - 22, cy - 22, cx + 22, cy + 22), fill=(30, 50, 120))
    draw.ellipse((cx - 16, cy - 16, cx + 16, cy + 16), fill=(220, 40, 40))
    # Number label with its leader line.
    draw.line((cx, cy, cx - 80, cy + 80), fill=(60, 60, 60), width=2)
    draw.rectangle((cx - 118, cy + 80, cx - 62, cy + 108), fill=(255, 253, 217), outline=(60, 60, 60))
    draw.text((cx - 90, cy + 94), "12", font=font(16), fill=(0, 0, 0), anchor="mm")
    notes = [
        ((cx + 6, cy - 4), (330, 200), "撮影位置（芯）半径"),
        ((cx + 20, cy + 10), (330, 232), "縁取太さ"),
        ((cx + 60, cy - 56), (330, 168), "線太さ"),
        ((cx + 100, cy - 92), (330, 72), "矢印長さ"),
        ((cx + 130, cy - 118), (330, 104), "矢印先端長さ"),
        ((cx - 40, cy + 40), (330, 264), "写真位置からの離れ"),
        ((cx - 90, cy + 100), (330, 296), "フォントサイズ"),
        ((cx - 64, cy + 64), (330, 328), "引き出し線の表示"),
    ]
    for (px, py), (tx, ty), label in notes:
        draw.line((px, py, tx - 6, ty), fill=(120, 120, 120), width=1)
        draw.ellipse((px - 3, py - 3, px + 3, py + 3), fill=(40, 90, 160))
        draw.text((tx, ty), label, font=font(15), fill=(30, 30, 30), anchor="lm")
    return image


def file_page(draw, accent):
    """A 48 x 48 document page with a folded corner and a coloured band at its foot."""
    draw.polygon([(8, 2), (32, 2), (42, 12), (42, 45), (8, 45)], fill=(255, 255, 255), outline=(90, 90, 90))
    draw.polygon([(32, 2), (32, 12), (42, 12)], fill=(215, 215, 215), outline=(90, 90, 90))
    draw.rectangle((9, 34, 41, 44), fill=accent)


def cad_file_icon():
    """The DXF output's picture: a page with a small drawing (walls, a circle, a dimension) and "DXF"."""
    image = Image.new("RGBA", (48, 48), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    file_page(draw, (30, 90, 180))
    draw.rectangle((13, 8, 27, 26), outline=(30, 90, 180), width=2)
    draw.line((13, 17, 27, 17), fill=(30, 90, 180), width=1)
    draw.ellipse((29, 17, 37, 25), outline=(200, 40, 40), width=2)
    draw.line((13, 30, 37, 30), fill=(120, 120, 120), width=1)
    draw.text((25, 39), "DXF", font=font(10), fill=(255, 255, 255), anchor="mm")
    return image


def shape_file_icon():
    """The shapefile output's picture: a page with an area, a route and photo points, and "SHP"."""
    image = Image.new("RGBA", (48, 48), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    file_page(draw, (40, 140, 70))
    draw.polygon([(12, 12), (24, 7), (30, 16), (26, 28), (13, 25)], fill=(200, 235, 200), outline=(40, 140, 70))
    draw.line((12, 30, 20, 21, 30, 24, 38, 15), fill=(120, 80, 40), width=2)
    for x, y in ((19, 14), (33, 22), (24, 26)):
        draw.ellipse((x - 3, y - 3, x + 3, y + 3), fill=(220, 50, 40), outline=(255, 255, 255))
    draw.text((25, 39), "SHP", font=font(10), fill=(255, 255, 255), anchor="mm")
    return image


def point_icon(size, fill):
    """A round photo-position icon with a white rim and a soft edge (drawn 8 times larger, then reduced)."""
    big = size * 8
    image = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.ellipse((0, 0, big - 1, big - 1), fill=(255, 255, 255, 255))
    rim = big // 7
    draw.ellipse((rim, rim, big - 1 - rim, big - 1 - rim), fill=fill + (255,))
    dot = big * 3 // 8
    draw.ellipse((dot, dot, big - 1 - dot, big - 1 - dot), fill=(255, 255, 255, 255))
    return image.resize((size, size), Image.LANCZOS)


def save_icons():
    """The pictures of the Icon folder: the overview and location-map mark icons (photoPointBlue.png,
    photoPointRed.png) and the pictures of the photo-position output chooser (iconCadFile.png,
    iconShapeFile.png)."""
    icon = os.path.join(HERE, "..", "..", "data", "Icon")
    os.makedirs(icon, exist_ok=True)
    point_icon(15, (0, 80, 176)).save(os.path.join(icon, "photoPointBlue.png"), optimize=True)
    point_icon(11, (204, 0, 0)).save(os.path.join(icon, "photoPointRed.png"), optimize=True)
    cad_file_icon().save(os.path.join(icon, "iconCadFile.png"), optimize=True)
    shape_file_icon().save(os.path.join(icon, "iconShapeFile.png"), optimize=True)


def menu_picture(colour, cross=None, all_marks=False):
    """A 16 x 16 menu-item picture: a photo mark (a dot with a direction arrow) in the colour, crossed out
    for the clearing items (cross "mark" or "angle"), three marks in a frame for placing within a map."""
    big = 16 * 8
    image = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    if all_marks:
        draw.rectangle((6, 6, big - 7, big - 7), outline=colour + (255,), width=8)
        for x, y in ((38, 44), (88, 56), (56, 92)):
            draw.ellipse((x - 16, y - 16, x + 16, y + 16), fill=colour + (255,))
    else:
        draw.line((56, 72, 112, 16), fill=colour + (255,), width=12)
        draw.polygon([(120, 8), (84, 20), (108, 44)], fill=colour + (255,))
        draw.ellipse((20, 36, 92, 108), fill=colour + (255,), outline=(255, 255, 255, 255), width=6)
    if cross == "mark":
        draw.line((12, 12, 116, 116), fill=(0, 0, 0, 255), width=14)
        draw.line((116, 12, 12, 116), fill=(0, 0, 0, 255), width=14)
    elif cross == "angle":
        draw.line((72, 4, 124, 56), fill=(0, 0, 0, 255), width=12)
        draw.line((124, 4, 72, 56), fill=(0, 0, 0, 255), width=12)
    return image.resize((16, 16), Image.LANCZOS)


def select_picture():
    """A 16 x 16 picture of a dashed selection box around two red marks (select all on the map)."""
    big = 16 * 8
    image = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    for start in range(4, big - 4, 24):
        for a, b in (((start, 4), (start + 12, 4)), ((start, big - 5), (start + 12, big - 5)),
                     ((4, start), (4, start + 12)), ((big - 5, start), (big - 5, start + 12))):
            draw.line((a, b), fill=(40, 40, 40, 255), width=8)
    for x, y in ((46, 52), (84, 80)):
        draw.ellipse((x - 20, y - 20, x + 20, y + 20), fill=(204, 0, 0, 255))
    return image.resize((16, 16), Image.LANCZOS)


def numbering_arrow():
    """The numbering dialog's 32 x 48 downward arrow between numbering and applying."""
    image = Image.new("RGBA", (32, 48), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.rectangle((11, 2, 20, 30), fill=(40, 110, 200, 255))
    draw.polygon([(2, 28), (29, 28), (16, 45)], fill=(40, 110, 200, 255))
    return image


def pane_button(kind, state):
    """A 40 x 22 face of a photo-pane button (kind: delete, excel, listselect, exif); state normal,
    pressed or disabled."""
    image = Image.new("RGB", (40, 22), (236, 236, 236))
    draw = ImageDraw.Draw(image)
    shift = 1 if state == "pressed" else 0
    grey = state == "disabled"
    draw.rectangle((0, 0, 39, 21), outline=(150, 150, 150), fill=(222, 222, 222) if shift else (240, 240, 240))
    accent = {"delete": (200, 40, 40), "excel": (30, 130, 70), "listselect": (40, 100, 190),
              "exif": (150, 90, 20)}[kind]
    colour = (170, 170, 170) if grey else accent
    if kind == "delete":
        draw.line((13 + shift, 5 + shift, 26 + shift, 17 + shift), fill=colour, width=3)
        draw.line((26 + shift, 5 + shift, 13 + shift, 17 + shift), fill=colour, width=3)
    elif kind == "excel":
        draw.rectangle((9 + shift, 3 + shift, 30 + shift, 18 + shift), fill=colour)
        draw.text((20 + shift, 11 + shift), "X", font=font(13), fill=(255, 255, 255), anchor="mm")
    elif kind == "listselect":
        for row in range(2):
            for col in range(3):
                x = 8 + col * 9 + shift
                y = 4 + row * 8 + shift
                draw.rectangle((x, y, x + 6, y + 5), fill=colour)
    else:
        draw.text((20 + shift, 11 + shift), "Exif", font=font(11), fill=colour, anchor="mm")
    return image


def rotate_button(left, state):
    """A 28 x 28 rotation button face: a three-quarter circular arrow turning left or right."""
    image = Image.new("RGB", (28, 28), (240, 240, 240))
    draw = ImageDraw.Draw(image)
    shift = 1 if state == "pressed" else 0
    draw.rectangle((0, 0, 27, 27), outline=(150, 150, 150), fill=(222, 222, 222) if shift else (240, 240, 240))
    colour = (170, 170, 170) if state == "disabled" else (20, 90, 170)
    box = (6 + shift, 6 + shift, 21 + shift, 21 + shift)
    if left:
        draw.arc(box, 300, 200, fill=colour, width=3)
        draw.polygon([(3 + shift, 10 + shift), (11 + shift, 10 + shift), (7 + shift, 4 + shift)], fill=colour)
    else:
        draw.arc(box, 340, 240, fill=colour, width=3)
        draw.polygon([(24 + shift, 10 + shift), (16 + shift, 10 + shift), (20 + shift, 4 + shift)], fill=colour)
    return image


def step_button(left, state):
    """A 20 x 40 previous / next photo button face: a triangle pointing left or right."""
    image = Image.new("RGB", (20, 40), (236, 236, 236))
    draw = ImageDraw.Draw(image)
    shift = 1 if state == "pressed" else 0
    draw.rectangle((0, 0, 19, 39), outline=(160, 160, 160), fill=(220, 220, 220) if shift else (236, 236, 236))
    colour = (170, 170, 170) if state == "disabled" else (20, 90, 170)
    if left:
        draw.polygon([(14 + shift, 10 + shift), (14 + shift, 30 + shift), (5 + shift, 20 + shift)], fill=colour)
    else:
        draw.polygon([(6 + shift, 10 + shift), (6 + shift, 30 + shift), (15 + shift, 20 + shift)], fill=colour)
    return image


def save_pane_pictures():
    """The photo pane's button faces (normal, pressed, disabled ids) and menu pictures, the photo
    properties' rotation and step buttons, and the numbering dialog's arrow."""
    faces = {"delete": (8081, 8079, 8080), "excel": (8073, 8071, 8072), "listselect": (8083, None, 8082),
             "exif": (8084, None, 8085)}
    for kind, (normal, pressed, disabled) in faces.items():
        save(pane_button(kind, "normal"), "bmp%d.png" % normal)
        if pressed:
            save(pane_button(kind, "pressed"), "bmp%d.png" % pressed)
        save(pane_button(kind, "disabled"), "bmp%d.png" % disabled)
    for left, (normal, pressed, disabled) in ((True, (386, 384, 385)), (False, (389, 387, 388))):
        save(rotate_button(left, "normal"), "bmp%d.png" % normal)
        save(rotate_button(left, "pressed"), "bmp%d.png" % pressed)
        save(rotate_button(left, "disabled"), "bmp%d.png" % disabled)
    for left, (normal, pressed, disabled) in ((True, (473, 477, 474)), (False, (475, 478, 476))):
        save(step_button(left, "normal"), "bmp%d.png" % normal)
        save(step_button(left, "pressed"), "bmp%d.png" % pressed)
        save(step_button(left, "disabled"), "bmp%d.png" % disabled)
    icon = os.path.join(HERE, "..", "..", "data", "Icon")
    blue = (0, 80, 176)
    red = (204, 0, 0)
    pictures = {"blue.png": menu_picture(blue), "blue_batu.png": menu_picture(blue, "mark"),
                "blue_angle_batu.png": menu_picture(blue, "angle"), "red.png": menu_picture(red),
                "red_batu.png": menu_picture(red, "mark"), "red_all.png": menu_picture(red, all_marks=True),
                "select.png": select_picture(), "Arrow.png": numbering_arrow()}
    for name, image in pictures.items():
        image.save(os.path.join(icon, name), optimize=True)


# The output settings dialog's previews: a page of the chosen layout, drawn 4 times larger and reduced.
PREVIEW = 100
SCALE = 4


def preview_page(landscape):
    """A blank preview with the page (portrait or landscape, A-series proportions) and its drawing box."""
    big = PREVIEW * SCALE
    image = Image.new("RGB", (big, big), (236, 236, 236))
    draw = ImageDraw.Draw(image)
    long_side, short_side = 92 * SCALE, 65 * SCALE
    w, h = (long_side, short_side) if landscape else (short_side, long_side)
    x0, y0 = (big - w) // 2, (big - h) // 2
    draw.rectangle((x0 + 2 * SCALE, y0 + 2 * SCALE, x0 + w + 2 * SCALE, y0 + h + 2 * SCALE), fill=(170, 170, 170))
    draw.rectangle((x0, y0, x0 + w, y0 + h), fill=(255, 255, 255), outline=(110, 110, 110), width=SCALE)
    return image, draw, (x0, y0, w, h)


def finish_preview(image):
    return image.resize((PREVIEW, PREVIEW), Image.LANCZOS)


def at(page, fx, fy):
    """The point at fractions of the page."""
    x0, y0, w, h = page
    return x0 + int(fx * w), y0 + int(fy * h)


def box(page, fx0, fy0, fx1, fy1):
    a = at(page, fx0, fy0)
    b = at(page, fx1, fy1)
    return (a[0], a[1], b[0], b[1])


def text_lines(draw, page, fx0, fy0, fx1, count, step):
    """Grey lines standing for text, each a little shorter than the one before."""
    for k in range(count):
        y = fy0 + k * step
        end = fx1 - (fx1 - fx0) * 0.15 * (k % 3)
        draw.line(box(page, fx0, y, end, y), fill=(150, 150, 150), width=SCALE)


def title_line(draw, page, fy=0.06):
    draw.line(box(page, 0.3, fy, 0.7, fy), fill=(40, 40, 40), width=3 * SCALE)


def photo(draw, rect):
    """A small photograph: sky over green ground, framed."""
    x0, y0, x1, y1 = rect
    horizon = y0 + (y1 - y0) * 5 // 9
    draw.rectangle((x0, y0, x1, horizon), fill=(150, 200, 240))
    draw.rectangle((x0, horizon, x1, y1), fill=(120, 170, 90))
    draw.rectangle(rect, outline=(60, 60, 60), width=SCALE)


def location_map(draw, rect):
    """A map picture: pale ground, two roads and red photo marks."""
    x0, y0, x1, y1 = rect
    draw.rectangle(rect, fill=(232, 240, 222), outline=(60, 60, 60), width=SCALE)
    w, h = x1 - x0, y1 - y0
    draw.line((x0, y0 + h * 0.65, x1, y0 + h * 0.35), fill=(250, 200, 90), width=3 * SCALE)
    draw.line((x0 + w * 0.35, y0, x0 + w * 0.55, y1), fill=(255, 255, 255), width=3 * SCALE)
    r = 2 * SCALE
    for fx, fy in ((0.25, 0.3), (0.6, 0.55), (0.75, 0.25), (0.4, 0.75)):
        cx, cy = x0 + w * fx, y0 + h * fy
        draw.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(204, 0, 0))


def photo_grid(draw, page, area, cols, rows, caption):
    """cols × rows photos filling the area (fractions of the page), each with a caption strip below when
    asked."""
    fx0, fy0, fx1, fy1 = area
    cw, ch = (fx1 - fx0) / cols, (fy1 - fy0) / rows
    for r in range(rows):
        for c in range(cols):
            x, y = fx0 + c * cw, fy0 + r * ch
            bottom = y + ch * (0.7 if caption else 0.88)
            photo(draw, box(page, x + cw * 0.06, y + ch * 0.04, x + cw * 0.94, bottom))
            if caption:
                text_lines(draw, page, x + cw * 0.08, bottom + ch * 0.1, x + cw * 0.9, 2, ch * 0.09)


def cover_preview(landscape):
    image, draw, page = preview_page(landscape)
    draw.line(box(page, 0.2, 0.35, 0.8, 0.35), fill=(40, 40, 40), width=4 * SCALE)
    text_lines(draw, page, 0.5, 0.62, 0.85, 4, 0.07)
    return finish_preview(image)


def map_sheet_preview(layout):
    """layout: "V", "H", "A3" (no photos) or an arrangement "around", "one", "two" on A3."""
    image, draw, page = preview_page(layout != "V")
    title_line(draw, page)
    if layout == "V":
        location_map(draw, box(page, 0.07, 0.12, 0.93, 0.62))
        text_lines(draw, page, 0.1, 0.7, 0.9, 4, 0.06)
    elif layout == "H":
        location_map(draw, box(page, 0.04, 0.14, 0.96, 0.76))
        text_lines(draw, page, 0.08, 0.83, 0.92, 2, 0.07)
    elif layout == "A3":
        location_map(draw, box(page, 0.12, 0.2, 0.88, 0.86))
    elif layout == "around":
        location_map(draw, box(page, 0.16, 0.3, 0.84, 0.76))
        cells = [(k / 11, 0.12) for k in range(11)] + [(k / 11, 0.82) for k in range(11)]
        cells += [(0.0, 0.12 + 0.1 * k) for k in range(1, 7)] + [(10 / 11, 0.12 + 0.1 * k) for k in range(1, 7)]
        for fx, fy in cells:
            photo(draw, box(page, fx + 0.012, fy + 0.005, fx + 1 / 11 - 0.012, fy + 0.085))
    else:
        per_side = 1 if layout == "one" else 2
        inner = 0.1 * per_side
        location_map(draw, box(page, inner + 0.03, 0.12, 1 - inner - 0.03, 0.94))
        for c in range(per_side):
            for fx in (0.02 + 0.1 * c, 1 - inner + 0.1 * c):
                for r in range(7):
                    fy = 0.12 + r * 0.118
                    photo(draw, box(page, fx, fy, fx + 0.085, fy + 0.09))
    return finish_preview(image)


def ledger_preview(layout):
    """The six ledger layouts in the order of the dialog's list."""
    landscape = layout in (2, 3, 4)
    image, draw, page = preview_page(landscape)
    title_line(draw, page, 0.05)
    if layout == 0:
        for r in range(3):
            y = 0.1 + r * 0.3
            photo(draw, box(page, 0.07, y, 0.6, y + 0.26))
            text_lines(draw, page, 0.66, y + 0.03, 0.93, 5, 0.045)
    elif layout == 1:
        photo_grid(draw, page, (0.05, 0.1, 0.95, 0.96), 2, 3, True)
    elif layout == 2:
        for c in range(2):
            x = 0.05 + c * 0.47
            photo(draw, box(page, x, 0.14, x + 0.43, 0.62))
            text_lines(draw, page, x + 0.02, 0.7, x + 0.4, 4, 0.065)
    elif layout == 3:
        photo_grid(draw, page, (0.04, 0.12, 0.96, 0.97), 3, 2, True)
    elif layout == 4:
        photo(draw, box(page, 0.05, 0.13, 0.95, 0.74))
        text_lines(draw, page, 0.08, 0.8, 0.9, 3, 0.06)
    else:
        photo_grid(draw, page, (0.05, 0.09, 0.95, 0.97), 3, 4, True)
    return finish_preview(image)


def photo_list_preview():
    image, draw, page = preview_page(True)
    for r in range(8):
        for c in range(11):
            fx, fy = 0.03 + c * 0.0855, 0.05 + r * 0.117
            photo(draw, box(page, fx, fy + 0.02, fx + 0.075, fy + 0.095))
    return finish_preview(image)


def save_output_previews():
    """The output dialog's previews: cover 359 portrait / 358 landscape; map sheet 361 A4 portrait, 360 A4
    landscape, 381 A3 without photos, 451 / 452 / 453 A3 with the photos around the map, in one column or
    in two columns on each side; ledger layouts 357, 362, 356, 363, 414, 446; photo list 415."""
    save(cover_preview(False), "bmp359.png")
    save(cover_preview(True), "bmp358.png")
    for layout, number in (("V", 361), ("H", 360), ("A3", 381), ("around", 451), ("one", 452), ("two", 453)):
        save(map_sheet_preview(layout), "bmp%d.png" % number)
    for layout, number in enumerate((357, 362, 356, 363, 414, 446)):
        save(ledger_preview(layout), "bmp%d.png" % number)
    save(photo_list_preview(), "bmp415.png")


def base_map_button(kind, pressed):
    """A 70 x 37 face of a base-map button of the location-map pane (kind 0 standard, 1 pale, 2 aerial
    photo): a piece of that map with its name below; the pressed face is framed in orange and shifted."""
    big = 4
    w, h = 70 * big, 37 * big
    image = Image.new("RGB", (w, h), (255, 245, 205) if pressed else (236, 244, 250))
    draw = ImageDraw.Draw(image)
    shift = big if pressed else 0
    x0, y0, x1, y1 = 5 * big + shift, 3 * big + shift, 65 * big + shift, 22 * big + shift
    ground, road, river, block = {
        0: ((240, 236, 226), (255, 255, 255), (150, 200, 240), (250, 200, 120)),
        1: ((246, 246, 246), (255, 255, 255), (205, 225, 240), (222, 222, 222)),
        2: ((70, 110, 60), (190, 180, 160), (50, 80, 100), (120, 140, 90)),
    }[kind]
    draw.rectangle((x0, y0, x1, y1), fill=ground)
    draw.rectangle((x0 + 34 * big, y0 + 3 * big, x0 + 46 * big, y0 + 9 * big), fill=block)
    draw.rectangle((x0 + 6 * big, y0 + 11 * big, x0 + 16 * big, y0 + 17 * big), fill=block)
    draw.line((x0, y1 - 4 * big, x1, y0 + 5 * big), fill=river, width=3 * big)
    draw.line((x0 + 22 * big, y0, x0 + 28 * big, y1), fill=road, width=2 * big)
    if kind == 0:
        draw.line((x0, y0 + 9 * big, x1, y0 + 12 * big), fill=(250, 170, 90), width=2 * big)
    draw.rectangle((x0, y0, x1, y1), outline=(0, 80, 176), width=big)
    label = ("標準地図", "淡色地図", "写真")[kind]
    draw.text((35 * big + shift, 29 * big + shift), label, font=font(11 * big), fill=(0, 80, 176), anchor="mm")
    if pressed:
        draw.rectangle((0, 0, w - 1, h - 1), outline=(250, 150, 40), width=2 * big)
    else:
        draw.rectangle((0, 0, w - 1, h - 1), outline=(150, 170, 190), width=big)
    return image.resize((70, 37), Image.LANCZOS)


def save_base_map_buttons():
    """The location-map pane's base-map buttons: normal 8045 / 8046 / 8047, pressed 8048 / 8049 / 8050."""
    for kind in range(3):
        save(base_map_button(kind, False), "bmp%d.png" % (8045 + kind))
        save(base_map_button(kind, True), "bmp%d.png" % (8048 + kind))


def main():
    os.makedirs(OUT, exist_ok=True)
    save_pane_pictures()
    save_output_previews()
    save_base_map_buttons()
    save(help_button(True), "bmp370.png")
    save(help_button(False), "bmp371.png")
    save(arrow_button(False, False), "bmp342.png")
    save(arrow_button(True, False), "bmp343.png")
    save(arrow_button(False, True), "bmp344.png")
    save(arrow_button(True, True), "bmp345.png")
    ref = os.path.join(HERE, "..", "..", "data", "Ref")
    os.makedirs(ref, exist_ok=True)
    mark_items().save(os.path.join(ref, "refPhotoMark.png"), optimize=True)
    save_icons()
    for number, title, size, notes in REFERENCES:
        save(reference(title, size, notes), "bmp%d.png" % number)


if __name__ == "__main__":
    main()
