"""What a drawing may cost bgxdxf.py: the entities it draws once its blocks are expanded, and memory.

A few kilobytes of blocks that insert each other can stand for billions of entities, so the count is
worked out from the block structure before anything is expanded; the passes that expand the blocks
count again as they go (a `Budget`), for what the structure does not tell. Memory is watched by a
thread that ends the process, saying why, once the resident size passes the bound.
"""
import os
import sys
import threading
import time


class TooCostly(Exception):
    """The drawing asks for more than a background map may cost."""


class Budget:
    """Entities (and line segments) still allowed; spending beyond raises TooCostly."""

    def __init__(self, limit):
        self.left = limit

    def spend(self, count=1):
        self.left -= count
        if self.left < 0:
            raise TooCostly()


def expanded_count(doc, layout, limit):
    """The number of entities `layout` holds with every block reference expanded, counted without
    expanding anything; counting stops a little above `limit`. A block that (also indirectly) inserts
    itself adds nothing for that reference: it cannot be drawn."""
    counted = {}
    open_blocks = set()

    def block_count(name):
        key = name.lower()
        if key in counted:
            return counted[key]
        if key in open_blocks:
            return 0
        block = doc.blocks.get(name)
        if block is None:
            return 0
        open_blocks.add(key)
        total = entities_count(block)
        open_blocks.discard(key)
        counted[key] = total
        return total

    def entity_count(entity):
        kind = entity.dxftype()
        if kind == "INSERT":
            repeats = max(1, entity.mcount)
            return 1 + len(entity.attribs) + repeats * block_count(entity.dxf.name)
        if kind == "DIMENSION" and entity.dxf.hasattr("geometry"):
            return 1 + block_count(entity.dxf.geometry)
        return 1

    def entities_count(entities):
        total = 0
        for entity in entities:
            total += entity_count(entity)
            if total > limit:
                return limit + 1
        return total

    return entities_count(layout)


def resident_bytes():
    with open("/proc/self/statm") as statm:
        return int(statm.read().split()[1]) * os.sysconf("SC_PAGE_SIZE")


def watch_memory(limit_bytes, message, interval=0.05):
    """Ends the process with exit code 1 and `message` on standard error once its resident size passes
    `limit_bytes`. Nothing the process writes is left half done: the picture is written last, whole."""

    def watch():
        while True:
            if resident_bytes() > limit_bytes:
                print(message, file=sys.stderr, flush=True)
                os._exit(1)
            time.sleep(interval)

    threading.Thread(target=watch, name="memory watch", daemon=True).start()


def end_with_parent():
    """The renderer ends when the import tool that started it ends (killed by the program on cancel or
    time-out), instead of drawing on for nobody."""
    import ctypes
    import signal

    parent = os.getppid()
    PR_SET_PDEATHSIG = 1
    try:
        ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, int(signal.SIGKILL))
    except (OSError, AttributeError):
        return
    if os.getppid() != parent:
        os._exit(1)
