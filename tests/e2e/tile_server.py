#!/usr/bin/env python3
"""Tile server of the end-to-end roads: answers /<layer...>/<z>/<x>/<y>.<png|jpg> with a drawn tile
(a pale ground, the tile's border and its z/x/y), anything else with 404. Every request path is
appended to the log file. Usage: tile_server.py PORT LOGFILE"""
import http.server
import io
import os
import re
import sys
import threading
import time

from PIL import Image, ImageDraw

PORT = int(sys.argv[1])
LOG = sys.argv[2]
TILE = re.compile(r"^/(?P<layer>[A-Za-z0-9_/]+)/(?P<z>\d+)/(?P<x>\d+)/(?P<y>\d+)\.(?P<ext>png|jpg)$")
GROUNDS = {"std": (238, 234, 222), "pale": (246, 246, 242), "seamlessphoto": (120, 140, 110)}


def draw_tile(layer, z, x, y, ext):
    ground = GROUNDS.get(layer.rsplit("/", 1)[-1], (230, 236, 240))
    image = Image.new("RGB", (256, 256), ground)
    pen = ImageDraw.Draw(image)
    # Roads of a made-up town: a few lines that continue across tile borders.
    for i in range(0, 256, 64):
        pen.line([(i + 32, 0), (i + 32, 255)], fill=(255, 255, 255), width=5)
        pen.line([(0, i + 32), (255, i + 32)], fill=(255, 255, 255), width=5)
    pen.rectangle([0, 0, 255, 255], outline=(200, 190, 170))
    pen.text((6, 6), "%d/%d/%d" % (z, x, y), fill=(90, 90, 90))
    out = io.BytesIO()
    image.save(out, "JPEG" if ext == "jpg" else "PNG")
    return out.getvalue()


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        with open(LOG, "a", encoding="utf-8") as log:
            log.write(self.path + "\n")
        match = TILE.match(self.path)
        if not match:
            self.send_error(404)
            return
        body = draw_tile(match["layer"], int(match["z"]), int(match["x"]), int(match["y"]), match["ext"])
        self.send_response(200)
        self.send_header("Content-Type", "image/jpeg" if match["ext"] == "jpg" else "image/png")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


def end_with_parent():
    # A road that crashed leaves no one to stop the server, which would keep the test's output open and
    # make CTest wait for its timeout: the server ends once the road's process is gone.
    parent = os.getppid()
    while os.getppid() == parent:
        time.sleep(0.5)
    os._exit(0)


threading.Thread(target=end_with_parent, daemon=True).start()
http.server.ThreadingHTTPServer(("127.0.0.1", PORT), Handler).serve_forever()
