"""Checks a location map's DXF drawing against positions worked out here, independently of the
program: the CAD registration fitted with numpy's least squares (the drawing points mirrored in y
about their first two points, unless flag 2 is set, then mirrored back), latitude/longitude taken
to the plane zone with pyproj, the picture's registration solved from its two reference pairs.

Usage: cad_map_check.py fixture.json drawing.dxf; prints a JSON object whose "problems" list is
empty when every circle, arrow, frame vertex and corner label is where it belongs."""
import json
import math
import re
import sys

import ezdxf
import numpy as np
from pyproj import Transformer

fixture = json.load(open(sys.argv[1], encoding="utf-8"))
doc = ezdxf.readfile(sys.argv[2])
auditor = doc.audit()
problems = []
TOLERANCE = 0.001  # 1 mm of a drawing in metres
# Degrees an arrow and its number may stand off the shooting direction as the registration draws it.
ARROW_TOLERANCE = fixture.get("arrowTolerance", 0.1)


def angle_between(a, b):
    """The angle between two vectors in degrees."""
    cosine = float(np.dot(a, b) / np.linalg.norm(a) / np.linalg.norm(b))
    return math.degrees(math.acos(max(-1.0, min(1.0, cosine))))


def similarity(source, target):
    """(a, b, c, d) of x' = a x + b y + c, y' = a y - b x + d by least squares."""
    rows, values = [], []
    for (x, y), (u, v) in zip(source, target):
        rows.append([x, y, 1, 0])
        values.append(u)
        rows.append([y, -x, 0, 1])
        values.append(v)
    solution, *_ = np.linalg.lstsq(np.array(rows, float), np.array(values, float), rcond=None)
    return solution


def apply(t, p):
    a, b, c, d = t
    return np.array([a * p[0] + b * p[1] + c, a * p[1] - b * p[0] + d])


drawing = [np.array(p, float) for p in fixture["mhcFirst"]]
plane_file = fixture["mhcSecond"]
mirror = None
if fixture.get("mhcFlag2", 0) == 0 and drawing[0][0] != drawing[1][0] and drawing[0][1] != drawing[1][1]:
    mirror = drawing[0][1] + drawing[1][1]
flip = (lambda p: np.array([p[0], mirror - p[1]])) if mirror is not None else (lambda p: p)
registration = similarity([(p[1], p[0]) for p in plane_file], [flip(p) for p in drawing])


def plane_to_drawing(p):
    return flip(apply(registration, p))


ref = fixture["reference"]
# Picture pixels to plane (X north, Y east); the map stores each plane point east first.
picture_to_plane = similarity([ref["picture1"], ref["picture2"]],
                              [(ref["plane1"][1], ref["plane1"][0]), (ref["plane2"][1], ref["plane2"][0])])
zone = fixture["zone"]
to_plane = Transformer.from_crs("EPSG:6668", "EPSG:%d" % (6668 + zone), always_xy=True)


def geo_to_plane(lon, lat):
    east, north = to_plane.transform(lon, lat)
    return np.array([north, east])


def picture_to_drawing(p):
    return plane_to_drawing(apply(picture_to_plane, p))


q0 = picture_to_drawing((0.0, 0.0))
q1 = picture_to_drawing((1.0, 1.0))
unit_x, unit_y = abs(q1[0] - q0[0]) * 5, abs(q1[1] - q0[1]) * 5
unit_x, unit_y = unit_x or unit_y, unit_y or unit_x


def near(a, b, what, tolerance=TOLERANCE):
    if np.max(np.abs(np.array(a, float) - np.array(b, float))) > tolerance:
        problems.append(f"{what}: {list(map(float, a))} instead of {list(map(float, b))}")


msp = doc.modelspace()
marks_layer = fixture["marksLayer"]
circles = [e for e in msp if e.dxftype() == "CIRCLE"]
lines = [e for e in msp if e.dxftype() == "LINE"]
texts = [e for e in msp if e.dxftype() == "TEXT"]

drawn = [p for p in fixture["photos"] if p.get("drawn", True)]
if len(circles) != len(drawn):
    problems.append(f"{len(circles)} circles for {len(drawn)} photos")
for photo, circle in zip(drawn, circles):
    name = photo["number"]
    if circle.dxf.layer != marks_layer:
        problems.append(f"{name}: circle on layer {circle.dxf.layer}")
    if "lon" in photo:
        centre = plane_to_drawing(geo_to_plane(photo["lon"], photo["lat"]))
    else:
        centre = picture_to_drawing((photo["x"], photo["y"]))
    near(list(circle.dxf.center)[:2], centre, f"{name} circle centre")
    near([circle.dxf.radius], [unit_x], f"{name} circle radius", 1e-6)
    shafts = [l for l in lines if math.dist(list(l.dxf.start)[:2], centre) < unit_x * 1.01 and
              math.dist(list(l.dxf.start)[:2], centre) > unit_x * 0.99]
    if photo.get("arrow"):
        if len(shafts) != 1:
            problems.append(f"{name}: {len(shafts)} shafts")
            continue
        shaft = np.array(list(shafts[0].dxf.end)[:2]) - np.array(list(shafts[0].dxf.start)[:2])
        # The shooting direction as the drawing shows it: north turned through the registration.
        d = math.radians(photo["direction"])
        along = plane_to_drawing(np.array([math.cos(d), math.sin(d)])) - plane_to_drawing(np.zeros(2))
        off = angle_between(shaft, along)
        if off > ARROW_TOLERANCE:
            problems.append(f"{name}: arrow {off:.3f}° off its direction")
    elif shafts:
        problems.append(f"{name}: an arrow without a direction")
    # The number stands 2.4 units from its label point on the side opposite the arrow (lowered by one
    # unit when it stands beside the label point).
    if "label" in photo and "direction" in photo and photo.get("arrow"):
        d = math.radians(photo["direction"])
        along = plane_to_drawing(np.array([math.cos(d), math.sin(d)])) - plane_to_drawing(np.zeros(2))
        label = picture_to_drawing(photo["label"])
        numbers = [t for t in texts if t.dxf.text == name]
        if len(numbers) != 1:
            problems.append(f"{name}: {len(numbers)} number texts")
            continue
        text = numbers[0]
        offset = np.array(list(text.dxf.align_point)[:2]) - label
        if text.dxf.halign in (0, 2):
            offset = offset + np.array([0.0, unit_y])
        off = angle_between(offset, -along)
        if off > ARROW_TOLERANCE or abs(np.linalg.norm(offset) - 2.4 * unit_y) > TOLERANCE:
            problems.append(f"{name}: number {off:.3f}° off the side opposite the arrow, "
                            f"{np.linalg.norm(offset):.4f} from its label point")
expected_lines = 3 * sum(1 for p in drawn if p.get("arrow"))
if len(lines) != expected_lines:
    problems.append(f"{len(lines)} lines instead of {expected_lines}")
if len(texts) != len(drawn):
    problems.append(f"{len(texts)} texts for {len(drawn)} photos")

frame_layer = fixture["frameLayer"]
frames = [e for e in msp if e.dxftype() in ("LWPOLYLINE", "POLYLINE")]
if len(frames) != 1 or frames[0].dxf.layer != frame_layer:
    problems.append(f"frame: {[(e.dxftype(), e.dxf.layer) for e in frames]}")
else:
    frame = frames[0]
    if frame.dxftype() == "LWPOLYLINE":
        vertices = [list(p)[:2] for p in frame.get_points("xy")]
    else:
        vertices = [list(v.dxf.location)[:2] for v in frame.vertices]
    if fixture["frameTurned"]:
        corners_plane = [apply(picture_to_plane, c) for c in fixture["corners"]]
        expected = [plane_to_drawing(p) for p in corners_plane] + [plane_to_drawing(corners_plane[0])]
    else:
        corners_plane = [geo_to_plane(lon, lat) for lon, lat in fixture["outline"]]
        expected = [plane_to_drawing(p) for p in corners_plane]
    if frame.dxftype() == "POLYLINE":
        expected = expected + [expected[0]]
    if len(vertices) != len(expected):
        problems.append(f"frame of {len(vertices)} vertices instead of {len(expected)}")
    for k, (got, want) in enumerate(zip(vertices, expected)):
        near(got, want, f"frame vertex {k}")
    labels = [e for e in msp if e.dxftype() == "MTEXT"]
    if len(labels) != len(corners_plane):
        problems.append(f"{len(labels)} corner labels for {len(corners_plane)} corners")
    for k, (label, plane) in enumerate(zip(labels, corners_plane)):
        match = re.fullmatch(r"X:(-?\d+\.\d{2})\\PY:(-?\d+\.\d{2})", label.text)
        if not match or label.dxf.layer != "XY":
            problems.append(f"label {k}: {label.text!r} on {label.dxf.layer}")
            continue
        near([float(match.group(1)), float(match.group(2))], plane, f"label {k} text", 0.0051 + TOLERANCE)
        near(list(label.dxf.insert)[:2], plane_to_drawing(plane), f"label {k} position")
        if label.dxf.attachment_point != (4 if k < 2 else 6):
            problems.append(f"label {k}: attachment {label.dxf.attachment_point}")

print(json.dumps({
    "problems": problems,
    "errors": [f"{e.code}: {e.message}" for e in auditor.errors],
    "unitX": unit_x,
    "unitY": unit_y,
}, ensure_ascii=False))
