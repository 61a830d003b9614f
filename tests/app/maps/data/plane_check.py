#!/usr/bin/python3
"""Independent coordinates for the map command tests (pyproj, JGD2011 plane rectangular zones).

make_dxf <path> <east> <north>: a drawing in plane coordinates: two lines from (east, north) and a text.
to_geo <zone> <east> <north>: prints "lon lat" of the plane point.
to_pixel <zone> <registration.mhc> <lon> <lat>: prints "u v", the picture pixel of the point through
    the similarity fixed by the registration's two reference pairs.
"""
import sys


def transformer(zone, inverse):
    from pyproj import Transformer
    plane = "EPSG:%d" % (6668 + zone)  # JGD2011 / Japan Plane Rectangular CS I..XIX
    if inverse:
        return Transformer.from_crs(plane, "EPSG:6668", always_xy=True)
    return Transformer.from_crs("EPSG:6668", plane, always_xy=True)


def main(argv):
    command = argv[1]
    if command == "make_dxf":
        import ezdxf
        path, east, north = argv[2], float(argv[3]), float(argv[4])
        doc = ezdxf.new()
        msp = doc.modelspace()
        msp.add_line((east, north), (east + 200, north + 150))
        msp.add_line((east + 200, north + 150), (east + 300, north))
        msp.add_text("KELVOR", dxfattribs={"height": 10}).set_placement((east + 100, north + 50))
        doc.saveas(path)
    elif command == "to_geo":
        lon, lat = transformer(int(argv[2]), True).transform(float(argv[3]), float(argv[4]))
        print("%.12f %.12f" % (lon, lat))
    elif command == "to_pixel":
        values = [float(line) for line in open(argv[3]).read().split()]
        p1, p2 = complex(values[1], values[2]), complex(values[3], values[4])
        # Plane points (east, north) as X north + i Y east, the program's plane order.
        q1, q2 = complex(values[6], values[5]), complex(values[8], values[7])
        east, north = transformer(int(argv[2]), False).transform(float(argv[4]), float(argv[5]))
        q = complex(north, east)
        a = (p2 - p1) / (q2 - q1)
        p = p1 + a * (q - q1)
        print("%.9f %.9f" % (p.real, p.imag))


if __name__ == "__main__":
    main(sys.argv)
