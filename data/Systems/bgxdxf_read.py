"""Reads a DXF drawing for bgxdxf.py, also the drawings that small exporters write.

ASCII drawings go through ezdxf's recovering reader, which also takes drawings without a header, with
empty handles or with damaged tables, as other CAD programs do. Binary drawings, which that reader does
not know, go through the plain reader.

The text encoding is decided here rather than by the reader: a drawing of R2007 or later is UTF-8; an
older one is in the code page it declares; one that declares none (small exporters write no header) is
UTF-8 when its bytes are, else Shift-JIS (CP932), the code page Japanese drawings are written in.
"""
import codecs
import re
import struct

BINARY_SENTINEL = b"AutoCAD Binary DXF\r\n\x1a\x00"
# The header variables lie at the start of a drawing; a header longer than this is not looked into.
HEADER_WINDOW = 4 * 1024 * 1024
CHUNK = 1024 * 1024

_ACADVER = re.compile(rb"\$ACADVER[ \t]*\r?\n[ \t]*1[ \t]*\r?\n[ \t]*([^\r\n]*)")
_CODEPAGE = re.compile(rb"\$DWGCODEPAGE[ \t]*\r?\n[ \t]*3[ \t]*\r?\n[ \t]*([^\r\n]*)")
_GROUP_CODE = re.compile(rb"[ \t]*-?\d+[ \t]*\r?$")


class NotADrawing(Exception):
    """The file is not a DXF drawing, or one no reader can make sense of."""


def _is_utf8(path):
    decoder = codecs.getincrementaldecoder("utf-8")()
    with open(path, "rb") as stream:
        try:
            while True:
                chunk = stream.read(CHUNK)
                if not chunk:
                    decoder.decode(b"", final=True)
                    return True
                decoder.decode(chunk)
        except UnicodeDecodeError:
            return False


def choose_encoding(path, head):
    """The Python encoding of the drawing's texts; `head` is the start of the file."""
    from ezdxf.tools.codepage import toencoding

    version = _ACADVER.search(head)
    if version and version.group(1).strip().upper() >= b"AC1021":
        return "utf8"
    codepage = _CODEPAGE.search(head)
    if codepage and codepage.group(1).strip():
        return toencoding(codepage.group(1).strip().decode("ascii", "replace"))
    return "utf8" if _is_utf8(path) else "cp932"


def _looks_like_dxf(head):
    # A DXF drawing is pairs of lines, each pair led by a group code; a picture or a document is not.
    first = head.lstrip(b"\xef\xbb\xbf").lstrip(b"\r\n").split(b"\n", 1)[0]
    return bool(_GROUP_CODE.fullmatch(first))


def _sound_proxy_graphics(data):
    # Proxy graphics are a size and a record count, then records each led by its size and type; a record
    # shorter than its own lead or running past the end would stop ezdxf's walk over them (a size of 0
    # never ends it).
    index = 8
    while index < len(data):
        if index + 8 > len(data):
            return False
        size = struct.unpack_from("<L", data, index)[0]
        if size < 8 or index + size > len(data):
            return False
        index += size
    return True


def drop_broken_proxy_graphics(doc):
    """Entities whose proxy graphics cannot be walked keep none: they are not drawn."""
    for entity in doc.entitydb.values():
        data = getattr(entity, "proxy_graphic", None)
        if data and not _sound_proxy_graphics(data):
            entity.proxy_graphic = None


def read_drawing(path):
    """The drawing as an ezdxf document. Raises NotADrawing, OSError or MemoryError."""
    import ezdxf
    from ezdxf import recover

    with open(path, "rb") as stream:
        head = stream.read(HEADER_WINDOW)
    try:
        if head.startswith(BINARY_SENTINEL):
            doc = ezdxf.readfile(path)
        elif not _looks_like_dxf(head):
            raise NotADrawing()
        else:
            encoding = choose_encoding(path, head)
            # The recovering reader looks for the encoding in the header on its own, which a drawing
            # without one lacks; it is handed the encoding chosen above instead.
            detect = recover.detect_encoding
            recover.detect_encoding = lambda tags: encoding
            try:
                doc, _ = recover.readfile(path)
            finally:
                recover.detect_encoding = detect
        drop_broken_proxy_graphics(doc)
        return doc
    except (MemoryError, OSError, NotADrawing):
        raise
    except Exception as error:  # ezdxf's readers fail in many ways on broken input
        raise NotADrawing() from error
