#!/usr/bin/python3
"""Draws the pictures of the location-map dialogs (run again after changing one):

- data/Systems/keiarea.csv: coarse outlines of the nineteen plane rectangular zones on the zone map, one
  polygon per zone in zone order, each closed by repeating its first point and ended by a line "KEI";
  points are picture pixels at 96 dots per inch with y counted upward from 500;
- src/res/pictures/bmp379.png: the zone map drawn from the same polygons;
- data/Icon/iconMap.png: the picture of the chooser's web-map button.

The outlines follow the prefectures of each zone loosely (boxes in longitude and latitude); they only
have to tell the zones apart on a click.
"""
import os
from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")
FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
WIDTH, HEIGHT = 470, 500

# Zone outlines in (longitude, latitude), zone I first.
ZONES = [
    [(128.3, 34.7), (129.95, 34.7), (129.95, 27.0), (128.3, 27.0)],
    [(129.95, 33.95), (132.1, 33.95), (132.1, 30.2), (129.95, 30.2)],
    [(130.8, 36.4), (133.3, 36.4), (133.3, 34.1), (132.1, 34.1), (132.1, 33.95), (130.8, 33.95)],
    [(132.1, 34.1), (133.3, 34.1), (133.3, 34.35), (134.8, 34.35), (134.8, 32.7), (132.1, 32.7)],
    [(133.3, 35.7), (135.45, 35.7), (135.45, 34.35), (133.3, 34.35)],
    [(135.45, 36.3), (136.6, 36.3), (136.6, 34.9), (136.9, 34.9), (136.9, 33.4), (134.8, 33.4),
     (134.8, 34.35), (135.45, 34.35)],
    [(136.6, 37.6), (137.85, 37.6), (137.85, 34.5), (136.9, 34.5), (136.9, 34.9), (136.6, 34.9)],
    [(137.85, 38.6), (139.2, 38.6), (139.2, 34.6), (137.85, 34.6)],
    [(139.2, 37.9), (141.0, 37.9), (141.0, 34.8), (140.0, 34.8), (140.0, 32.4), (139.2, 32.4)],
    [(139.2, 41.45), (142.1, 41.45), (142.1, 37.9), (139.2, 37.9)],
    [(139.3, 43.3), (141.3, 43.3), (141.3, 41.45), (139.3, 41.45)],
    [(141.3, 45.6), (143.1, 45.6), (143.1, 41.9), (141.3, 41.9)],
    [(143.1, 44.5), (145.9, 44.5), (145.9, 41.9), (143.1, 41.9)],
    [(140.5, 28.0), (143.0, 28.0), (143.0, 24.0), (140.5, 24.0)],
    [(126.0, 27.0), (130.0, 27.0), (130.0, 24.0), (126.0, 24.0)],
    [(122.9, 26.0), (126.0, 26.0), (126.0, 23.9), (122.9, 23.9)],
    [(130.0, 26.5), (131.5, 26.5), (131.5, 24.0), (130.0, 24.0)],
    [(135.5, 28.0), (140.5, 28.0), (140.5, 20.0), (135.5, 20.0)],
    [(143.0, 28.0), (154.5, 28.0), (154.5, 23.5), (143.0, 23.5)],
]
NUMERALS = ["I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII", "XIII", "XIV",
            "XV", "XVI", "XVII", "XVIII", "XIX"]


def to_up(lon, lat):
    """Picture x and y counted upward from 500 (the file's coordinates)."""
    return round((lon - 122.5) * 14 + 10, 1), round((lat - 20.0) * 18 + 10, 1)


def to_pixel(lon, lat):
    x, up = to_up(lon, lat)
    return x, 500 - up


def inside(polygon, px, py):
    """The reader's even-odd rule over consecutive points of a closed ring."""
    crossings = 0
    for (x0, y0), (x1, y1) in zip(polygon, polygon[1:]):
        if (y0 <= py < y1) or (y1 <= py < y0):
            if px < (py - y0) / (y1 - y0) * (x1 - x0) + x0:
                crossings += 1
    return crossings % 2 == 1


def rings():
    result = []
    for zone in ZONES:
        ring = [to_pixel(lon, lat) for lon, lat in zone]
        result.append(ring + [ring[0]])
    return result


def check(pixel_rings):
    """Every zone's vertex mean lies in its own ring and in no ring before it (the first match wins)."""
    for k, ring in enumerate(pixel_rings):
        points = ring[:-1]
        cx = sum(p[0] for p in points) / len(points)
        cy = sum(p[1] for p in points) / len(points)
        hits = [j for j, other in enumerate(pixel_rings) if inside(other, cx, cy)]
        assert hits and hits[0] == k, (k + 1, hits)


def write_csv():
    path = os.path.join(ROOT, "data", "Systems", "keiarea.csv")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="") as out:
        for zone in ZONES:
            points = [to_up(lon, lat) for lon, lat in zone]
            for x, up in points + [points[0]]:
                out.write("%g,%g\r\n" % (x, up))
            out.write("KEI\r\n")


def draw_zone_map(pixel_rings):
    image = Image.new("RGB", (WIDTH, HEIGHT), (214, 232, 248))
    draw = ImageDraw.Draw(image)
    font = ImageFont.truetype(FONT, 11)
    palette = [(250, 226, 180), (206, 236, 190), (250, 206, 206), (214, 214, 250), (240, 240, 180)]
    for k, ring in enumerate(pixel_rings):
        draw.polygon(ring, fill=palette[k % len(palette)], outline=(90, 90, 110))
    for k, ring in enumerate(pixel_rings):
        points = ring[:-1]
        cx = sum(p[0] for p in points) / len(points)
        cy = sum(p[1] for p in points) / len(points)
        draw.text((cx, cy), NUMERALS[k], font=font, fill=(160, 0, 70), anchor="mm")
    draw.rectangle((0, 0, WIDTH - 1, HEIGHT - 1), outline=(120, 120, 120))
    image.save(os.path.join(HERE, "pictures", "bmp379.png"), optimize=True)


def map_icon():
    """The web-map button's picture: a folded map sheet with roads and a location pin."""
    image = Image.new("RGBA", (48, 48), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.polygon([(3, 10), (17, 5), (31, 10), (45, 5), (45, 39), (31, 44), (17, 39), (3, 44)],
                 fill=(226, 240, 214), outline=(70, 110, 60))
    draw.line((17, 5, 17, 39), fill=(150, 170, 140))
    draw.line((31, 10, 31, 44), fill=(150, 170, 140))
    draw.line((5, 30, 20, 24, 34, 28, 44, 18), fill=(240, 170, 60), width=3)
    draw.ellipse((20, 8, 32, 20), fill=(220, 40, 40), outline=(140, 20, 20))
    draw.polygon([(21, 16), (31, 16), (26, 27)], fill=(220, 40, 40))
    draw.ellipse((24, 12, 28, 16), fill=(255, 255, 255))
    image.save(os.path.join(ROOT, "data", "Icon", "iconMap.png"), optimize=True)


def main():
    pixel_rings = rings()
    check(pixel_rings)
    write_csv()
    draw_zone_map(pixel_rings)
    map_icon()


if __name__ == "__main__":
    main()
