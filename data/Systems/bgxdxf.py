#!/usr/bin/python3
"""Renders the model space of a DXF drawing for the background-map import tool (bgx).

Usage: bgxdxf.py <drawing.dxf> <picture.png> <registration.mhc> <cad-registration.mhc> <long side>

The picture shows the drawing's extents with a small margin, its long side the given number of pixels,
black lines on white. Picture pixel (u, v) lies at drawing point (x0 + u / s, y1 - v / s). The drawing's
coordinates are taken as plane rectangular coordinates (x east, y north), so:
- <registration.mhc> (version 1, no zone) relates the picture's top-left and bottom-right corners to
  those plane points, each plane point east value first;
- <cad-registration.mhc> relates the drawing's points to the same plane points (drawing points first,
  then the plane points east value first, then the two flags 1 and 0).
On failure it prints one line in Japanese for the user and exits with 1; no file is left behind.
"""
import logging
import math
import os
import sys


def fail(message):
    print(message, file=sys.stderr)
    sys.exit(1)


def number(value):
    return "%.6f\r\n" % value


def main(argv):
    if len(argv) != 6:
        fail("使い方: bgxdxf.py 図面 画像 登録 CAD登録 長辺画素数")
    source, picture, registration, cad_registration = argv[1:5]
    long_side = max(64, min(int(argv[5]), 8000))

    import ezdxf
    from ezdxf import bbox
    from ezdxf.addons.drawing import Frontend, RenderContext
    from ezdxf.addons.drawing.properties import LayoutProperties
    import matplotlib
    matplotlib.use("Agg")
    logging.getLogger("matplotlib.font_manager").setLevel(logging.ERROR)
    import matplotlib.pyplot as plt
    from ezdxf.addons.drawing.matplotlib import MatplotlibBackend

    try:
        doc = ezdxf.readfile(source)
    except (IOError, OSError, ezdxf.DXFError, UnicodeDecodeError, ValueError):
        fail("DXFファイルを読み込めませんでした。ファイルが壊れているか、DXF形式ではありません。")
    msp = doc.modelspace()
    extents = bbox.extents(msp, fast=True)
    if not extents.has_data:
        fail("DXFファイルのモデル空間に図形がありません。")
    x0, y0 = extents.extmin.x, extents.extmin.y
    x1, y1 = extents.extmax.x, extents.extmax.y
    span = max(x1 - x0, y1 - y0)
    if not (math.isfinite(span) and span > 0):
        fail("DXFファイルの図形の範囲が正しくありません。")
    margin = span * 0.02
    x0, y0, x1, y1 = x0 - margin, y0 - margin, x1 + margin, y1 + margin
    scale = long_side / max(x1 - x0, y1 - y0)
    width = max(1, int(round((x1 - x0) * scale)))
    height = max(1, int(round((y1 - y0) * scale)))
    # The limits follow the whole pixels, so that the mapping stays exact.
    x1 = x0 + width / scale
    y0 = y1 - height / scale

    dpi = 100
    figure = plt.figure(figsize=(width / dpi, height / dpi), dpi=dpi)
    axes = figure.add_axes((0, 0, 1, 1))
    properties = LayoutProperties.from_layout(msp)
    properties.set_colors("#ffffff", "#000000")
    Frontend(RenderContext(doc), MatplotlibBackend(axes)).draw_layout(
        msp, finalize=False, layout_properties=properties)
    axes.set_axis_off()
    axes.set_xlim(x0, x1)
    axes.set_ylim(y0, y1)
    axes.set_aspect("auto")
    axes.set_facecolor("#ffffff")
    partial = picture + ".part.png"
    figure.savefig(partial, dpi=dpi, facecolor="#ffffff")
    plt.close(figure)

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
    os.replace(partial, picture)


if __name__ == "__main__":
    main(sys.argv)
