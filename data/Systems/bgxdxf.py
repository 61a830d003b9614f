#!/usr/bin/python3
"""Renders the model space of a DXF drawing for the background-map import tool (bgx).

Usage: bgxdxf.py <drawing.dxf> <picture.png> <registration.mhc> <cad-registration.mhc> <long side>

The picture shows the drawing's extents with a small margin, its long side the given number of pixels,
the drawing's colours on white (colours too light for white shown dark). Picture pixel (u, v) lies at
drawing point (x0 + u / s, y1 - v / s). The drawing's coordinates are taken as plane rectangular
coordinates in metres (x east, y north), so:
- <registration.mhc> (version 1, no zone) relates the picture's top-left and bottom-right corners to
  those plane points, each plane point east value first;
- <cad-registration.mhc> relates the drawing's points to the same plane points (drawing points first,
  then the plane points east value first, then the two flags 1 and 0).
A drawing is refused when it cannot be read, draws nothing, lies beyond what a plane rectangular zone
can hold, or costs more than a background map may: more entities once its blocks are expanded than
MAX_ENTITIES, more line segments than MAX_SEGMENTS, or more memory than MAX_MEMORY_MB (the environment
variable KELVOR_BGX_MEMORY_MB sets another bound). On refusal it prints one line in Japanese for the user
on standard error and exits with 1; no picture is left behind.
"""
import logging
import math
import os
import sys
import warnings

MAX_ENTITIES = 1000000
MAX_SEGMENTS = 20000000
MAX_MEMORY_MB = 1536
# Plane rectangular coordinates lie well within 10,000 km of a zone's origin.
MAX_COORDINATE = 1.0e7

BROKEN = "DXFファイルを読み込めませんでした。ファイルが壊れているか、DXF形式ではありません。"
EMPTY = "DXFファイルのモデル空間に図形がありません。"
BAD_EXTENTS = "DXFファイルの図形の範囲が正しくありません。"
TOO_FAR = "DXFファイルの座標が大きすぎます。平面直角座標系の範囲（原点から10,000km以内）の図面を選んでください。"
TOO_MANY = "DXFファイルの図形が多すぎるため取り込めません。ブロックを展開して%s個までの図形を取り込めます。"
TOO_BIG = "DXFファイルが大きすぎるため取り込めません（変換に%sMBを超えるメモリが必要です）。"
NO_INK = "DXFファイルの図形を描画できませんでした。描かれる線や文字がありません。"
WRITE_FAILED = "DXFファイルを変換した画像を保存できませんでした。"


def fail(message):
    print(message, file=sys.stderr, flush=True)
    sys.exit(1)


def number(value):
    return "%.6f\r\n" % value


def memory_bound_mb():
    try:
        return max(64, int(os.environ.get("KELVOR_BGX_MEMORY_MB", MAX_MEMORY_MB)))
    except ValueError:
        return MAX_MEMORY_MB


def quiet():
    # ezdxf and matplotlib tell a developer about missing glyphs, skipped entities and time-outs on
    # standard output, standard error and the log; the import tool hands the last line of standard error
    # to the user, which must be this script's own.
    sys.stdout = open(os.devnull, "w")
    warnings.simplefilter("ignore")
    logging.disable(logging.CRITICAL)


def frame(box, long_side):
    """The picture's size and the drawing area it shows: (width, height, x0, y1, scale)."""
    x0, y0 = box.extmin.x, box.extmin.y
    x1, y1 = box.extmax.x, box.extmax.y
    if max(abs(x0), abs(y0), abs(x1), abs(y1)) > MAX_COORDINATE or not all(
            math.isfinite(v) for v in (x0, y0, x1, y1)):
        fail(TOO_FAR)
    span = max(x1 - x0, y1 - y0)
    if not (span > 0):
        fail(BAD_EXTENTS)
    margin = span * 0.02
    x0, y0, x1, y1 = x0 - margin, y0 - margin, x1 + margin, y1 + margin
    scale = long_side / max(x1 - x0, y1 - y0)
    width = max(1, int(round((x1 - x0) * scale)))
    height = max(1, int(round((y1 - y0) * scale)))
    return width, height, x0, y1, scale


def render(doc, msp, width, height, x0, y1, scale):
    """The drawing as RGB rows (numpy, height x width x 3)."""
    import numpy
    from matplotlib.backends.backend_agg import FigureCanvasAgg
    from matplotlib.figure import Figure
    from ezdxf.addons.drawing.config import Configuration
    from ezdxf.addons.drawing.properties import LayoutProperties
    from bgxdxf_cost import Budget
    from bgxdxf_draw import BoundedFrontend, DrawingContext, ImmediateBackend

    # The limits follow the whole pixels, so that the mapping stays exact.
    x1 = x0 + width / scale
    y0 = y1 - height / scale
    pixel = 1.0 / scale
    dpi = 100
    figure = Figure(figsize=(width / dpi, height / dpi), dpi=dpi, facecolor="#ffffff")
    canvas = FigureCanvasAgg(figure)
    axes = figure.add_axes((0, 0, 1, 1))
    backend = ImmediateBackend(axes, Budget(MAX_SEGMENTS))
    axes.set_axis_off()
    axes.set_xlim(x0, x1)
    axes.set_ylim(y0, y1)
    axes.set_aspect("auto")
    axes.set_facecolor("#ffffff")
    canvas.draw()
    backend.start(canvas.get_renderer())

    ctx = DrawingContext(doc)
    properties = LayoutProperties.from_layout(msp)
    properties.set_colors("#ffffff", "#000000")
    ctx.current_layout_properties = properties
    # Curves, dashes and infinite lines are worked out to the picture's pixels, not finer.
    config = Configuration.defaults().with_changes(
        min_dash_length=pixel, max_flattening_distance=pixel / 2,
        infinite_line_length=2 * max(x1 - x0, y1 - y0), hatching_timeout=10.0)
    frontend = BoundedFrontend(ctx, backend, config, Budget(MAX_ENTITIES))
    frontend.draw_entities_of(msp)
    backend.flush()
    return numpy.asarray(canvas.buffer_rgba())[:, :, :3].copy()


def has_ink(rows):
    return bool((rows.min(axis=2) < 224).any())


def write_picture(rows, picture):
    from PIL import Image

    partial = picture + ".part.png"
    try:
        Image.fromarray(rows, "RGB").save(partial, "PNG")
        os.replace(partial, picture)
    except OSError:
        try:
            os.remove(partial)
        except OSError:
            pass
        fail(WRITE_FAILED)


def write_registrations(registration, cad_registration, width, height, x0, y1, scale):
    x1 = x0 + width / scale
    y0 = y1 - height / scale
    corners = [(0.0, 0.0), (float(width), float(height))]
    plane = [(x0, y1), (x1, y0)]  # (east, north) of the two corners
    with open(registration, "w", newline="") as out:
        out.write("1\r\n")
        for u, v in corners:
            out.write(number(u) + number(v))
        for east, north in plane:
            out.write(number(east) + number(north))
    with open(cad_registration, "w", newline="") as out:
        out.write("1\r\n2\r\n")
        for east, north in plane:
            out.write(number(east) + number(north))
        out.write("2\r\n")
        for east, north in plane:
            out.write(number(east) + number(north))
        out.write("1\r\n0\r\n")


def import_drawing(source, picture, registration, cad_registration, long_side):
    from bgxdxf_cost import Budget, expanded_count
    from bgxdxf_draw import measure
    from bgxdxf_read import NotADrawing, read_drawing

    try:
        doc = read_drawing(source)
    except (OSError, NotADrawing):
        fail(BROKEN)
    msp = doc.modelspace()
    if expanded_count(doc, msp, MAX_ENTITIES) > MAX_ENTITIES:
        fail(TOO_MANY % format(MAX_ENTITIES, ","))
    box = measure(msp, Budget(MAX_ENTITIES))
    if not box.has_data:
        fail(EMPTY)
    width, height, x0, y1, scale = frame(box, long_side)
    rows = render(doc, msp, width, height, x0, y1, scale)
    if not has_ink(rows):
        fail(NO_INK)
    # The registrations first, the picture last: without the picture the program takes nothing.
    try:
        write_registrations(registration, cad_registration, width, height, x0, y1, scale)
    except OSError:
        fail(WRITE_FAILED)
    write_picture(rows, picture)


def main(argv):
    if len(argv) != 6:
        fail("使い方: bgxdxf.py 図面 画像 登録 CAD登録 長辺画素数")
    source, picture, registration, cad_registration = argv[1:5]
    long_side = max(64, min(int(argv[5]), 8000))

    from bgxdxf_cost import TooCostly, end_with_parent, watch_memory

    end_with_parent()
    quiet()
    bound = memory_bound_mb()
    watch_memory(bound * 1024 * 1024, TOO_BIG % format(bound, ","))
    try:
        import_drawing(source, picture, registration, cad_registration, long_side)
    except TooCostly:
        fail(TOO_MANY % format(MAX_ENTITIES, ","))
    except MemoryError:
        fail(TOO_BIG % format(bound, ","))


if __name__ == "__main__":
    main(sys.argv)
