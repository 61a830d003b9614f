"""Draws a drawing's model space onto a white picture for bgxdxf.py (ezdxf's drawing add-on on Agg).

- Texts: the drawing's fonts (SHX fonts too) are mapped to installed fonts, with IPA Gothic behind every
  one of them for the characters it lacks, so that Japanese texts are drawn whatever font they name.
- Colours: the drawing's own, except white and very light ones, which would vanish on the white
  background: they are drawn dark in their own hue (white becomes black).
- An entity that cannot be drawn is left out; the rest of the drawing is drawn.
- Each entity is rasterised as soon as it is drawn, so that memory does not grow with the drawing, and
  every entity and line segment is paid for from a budget (bgxdxf_cost).
"""
import unicodedata

from ezdxf.addons.drawing import Frontend, RenderContext
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend
from ezdxf.addons.drawing.mpl_text_renderer import MplTextRenderer
from ezdxf.addons.drawing.properties import table_key
from ezdxf.tools import fonts
from matplotlib.collections import LineCollection
from matplotlib.font_manager import FontProperties, fontManager

from bgxdxf_cost import TooCostly

GOTHIC = "IPAGothic"
MINCHO = "IPAMincho"
LATIN = "DejaVu Sans"
# Japanese faces by a word of their name or file name, to the IPA face of the same kind.
JAPANESE_FACES = (
    ("mincho", MINCHO), ("明朝", MINCHO), ("msmin", MINCHO),
    ("gothic", GOTHIC), ("ゴシック", GOTHIC), ("msgoth", GOTHIC),
    ("meiryo", GOTHIC), ("メイリオ", GOTHIC), ("yugoth", GOTHIC), ("游", GOTHIC),
)
# Colours of this relative luminance or more (ACI 254's grey, yellow, green, cyan, white) are too light to
# be seen well on white; they are drawn at most this luminance.
LIGHTEST_SHOWN = 0.6
DARKEST_TURNED = 0.15
# A full-width character of the IPA fonts is about 1.4 times as wide as a capital letter is high.
FULL_WIDTH = 1.4
# Line segments are handed to Agg in batches of this many.
SEGMENT_BATCH = 10000


def _installed_fonts():
    files = {}
    families = set()
    for entry in fontManager.ttflist:
        files.setdefault(entry.fname.rsplit("/", 1)[-1].lower(), entry.name)
        families.add(entry.name.lower())
    return files, families


def font_families(face):
    """The installed families to draw `face` (an ezdxf FontFace or None) with, best first, ending with the
    Japanese fallback."""
    if face is None:
        return [LATIN, GOTHIC]
    ttf = (face.ttf or "").rsplit("/", 1)[-1].rsplit("\\", 1)[-1]
    words = unicodedata.normalize("NFKC", "%s %s" % (ttf, face.family)).lower()
    for word, family in JAPANESE_FACES:
        if word in words:
            return [family, GOTHIC]
    files, families = _INSTALLED
    if ttf.lower() in files:
        return [files[ttf.lower()], GOTHIC]
    if face.family and face.family.lower() in families:
        return [face.family, GOTHIC]
    return [LATIN, GOTHIC]


_INSTALLED = _installed_fonts()


class FallbackTextRenderer(MplTextRenderer):
    """Text paths in the mapped fonts; a character the first font lacks comes from the next."""

    def __init__(self):
        super().__init__(FontProperties(family=[LATIN, GOTHIC]), use_cache=False)
        self._properties = {}

    def get_font_properties(self, font):
        key = None if font is None else (font.ttf, font.family, font.style, font.weight)
        properties = self._properties.get(key)
        if properties is None:
            style = "normal" if font is None or font.style not in ("italic", "oblique") else font.style
            properties = FontProperties(family=font_families(font), style=style)
            self._properties[key] = properties
        return properties


class DrawingContext(RenderContext):
    """Keeps the face a text style names in its extended data even when that face is not installed
    (mostly Japanese Windows faces), so that the font mapping sees it."""

    def add_text_style(self, text_style):
        super().add_text_style(text_style)
        if text_style.dxf.font == "":
            family, _, _ = text_style.get_extended_font_data()
            if family:
                self.fonts[table_key(text_style.dxf.name)] = fonts.FontFace(ttf="", family=family)


def _linear(value):
    return value / 12.92 if value <= 0.04045 else ((value + 0.055) / 1.055) ** 2.4


def _gamma(value):
    return 12.92 * value if value <= 0.0031308 else 1.055 * value ** (1 / 2.4) - 0.055


def shown_on_white(color):
    """`color` ("#rrggbb" with an optional alpha) as it is drawn on the white picture: a colour of a
    relative luminance of LIGHTEST_SHOWN or more keeps its hue and is darkened, the lighter the darker
    (white becomes black)."""
    try:
        linear = [_linear(int(color[i:i + 2], 16) / 255.0) for i in (1, 3, 5)]
    except (TypeError, ValueError):
        return "#000000"
    luminance = 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
    if luminance < LIGHTEST_SHOWN:
        return color
    factor = DARKEST_TURNED * (1.0 - luminance) / (1.0 - LIGHTEST_SHOWN) / luminance
    red, green, blue = (round(_gamma(value * factor) * 255) for value in linear)
    return "#%02x%02x%02x%s" % (red, green, blue, color[7:9])


class ImmediateBackend(MatplotlibBackend):
    """Draws into the Agg renderer as it goes and keeps nothing: an entity's artists are drawn and dropped
    when the entity is done, and plain lines of one colour and width, the bulk of most drawings, are
    gathered across entities and drawn together."""

    def __init__(self, axes, segments):
        super().__init__(axes, adjust_figure=False, use_text_cache=False)
        self._text_renderer = FallbackTextRenderer()
        self._renderer = None
        self._segments = segments
        self._lines = []
        self._lines_style = None

    def start(self, renderer):
        """Draws into `renderer` from now on (the figure's, once it has drawn its empty axes)."""
        self._renderer = renderer

    def exit_entity(self, entity):
        super().exit_entity(entity)
        self._draw_artists()

    def flush(self):
        """Draws whatever is still waiting."""
        self._draw_lines()
        self._draw_artists()

    def _draw_artists(self):
        axes = self.ax
        artists = [*axes.lines, *axes.patches, *axes.collections]
        artists.sort(key=lambda artist: artist.get_zorder())
        for artist in artists:
            artist.draw(self._renderer)
            artist.remove()

    def _draw_lines(self):
        if self._lines:
            color, width = self._lines_style
            collection = LineCollection(self._lines, linewidths=width, colors=color, capstyle="butt")
            self.ax.add_collection(collection, autolim=False)
            collection.draw(self._renderer)
            collection.remove()
            self._lines = []

    def draw_line(self, start, end, properties):
        if start.isclose(end):
            self._draw_lines()
            super().draw_line(start, end, properties)
            return
        style = (properties.color, self.get_lineweight(properties))
        if style != self._lines_style or len(self._lines) == SEGMENT_BATCH:
            self._draw_lines()
            self._lines_style = style
        self._segments.spend()
        self._lines.append(((start.x, start.y), (end.x, end.y)))

    # Everything else is drawn after the lines gathered before it, so that the drawing order holds.
    def draw_point(self, pos, properties):
        self._draw_lines()
        super().draw_point(pos, properties)

    def draw_path(self, path, properties):
        self._draw_lines()
        super().draw_path(path, properties)

    def draw_filled_paths(self, paths, holes, properties):
        self._draw_lines()
        super().draw_filled_paths(paths, holes, properties)

    def draw_filled_polygon(self, points, properties):
        self._draw_lines()
        super().draw_filled_polygon(points, properties)

    def draw_text(self, text, transform, properties, cap_height):
        self._draw_lines()
        super().draw_text(text, transform, properties, cap_height)

    def draw_solid_lines(self, lines, properties):
        # Line types and hatch patterns come as segments, many of them: drawn batch by batch.
        self._draw_lines()
        batch = []
        for line in lines:
            batch.append(line)
            if len(batch) == SEGMENT_BATCH:
                self._segments.spend(len(batch))
                super().draw_solid_lines(batch, properties)
                self._draw_artists()
                batch = []
        if batch:
            self._segments.spend(len(batch))
            super().draw_solid_lines(batch, properties)


class BoundedFrontend(Frontend):
    """Pays for every entity it draws, leaves out what cannot be drawn and darkens what is too light."""

    def __init__(self, ctx, out, config, entities):
        super().__init__(ctx, out, config)
        self._entities = entities
        self.skipped = 0

    def log_message(self, message):
        pass

    def override_properties(self, entity, properties):
        properties.color = shown_on_white(properties.color)

    def draw_entity(self, entity, properties):
        self._entities.spend()
        try:
            super().draw_entity(entity, properties)
        except (TooCostly, MemoryError):
            raise
        except Exception:  # an entity ezdxf cannot draw (proxy graphics, broken geometry)
            self.skipped += 1

    def draw_entities_of(self, layout):
        """Draws the layout's entities in its redraw order, each on its own."""
        order = list(layout.get_redraw_order())
        if order:
            from ezdxf import reorder

            entities = reorder.ascending(layout, order)
        else:
            entities = iter(layout)
        for entity in entities:
            try:
                self.draw_entities([entity])
            except (TooCostly, MemoryError):
                raise
            except Exception:
                self.skipped += 1


def _expanded(entities, budget):
    """The entities with block references and other composite entities expanded, each paid for."""
    from ezdxf.entities import Insert
    from ezdxf.protocols import SupportsVirtualEntities, virtual_entities

    for entity in entities:
        budget.spend()
        if isinstance(entity, Insert):
            if entity.mcount > 1:
                yield from _expanded(entity.multi_insert(), budget)
            else:
                yield from entity.attribs
                yield from _expanded(virtual_entities(entity), budget)
        elif isinstance(entity, SupportsVirtualEntities):
            yield from _expanded(virtual_entities(entity), budget)
        else:
            yield entity


class _MeasuringFont(fonts.MonospaceFont):
    """ezdxf's estimate of a text's width (every character as wide as the text is high), with
    full-width characters (kanji, kana) as wide as they are drawn."""

    def text_width(self, text):
        units = sum(FULL_WIDTH if unicodedata.east_asian_width(c) in "WF" else 1.0 for c in text)
        return units * self.measurements.cap_height * self._width_factor


def measure(layout, budget):
    """The bounding box of what the layout draws (ezdxf's fast measure, text sizes estimated). An entity
    that cannot be measured is left out, with what it holds."""
    import ezdxf
    from ezdxf import disassemble
    from ezdxf.math import BoundingBox

    ezdxf.options.use_matplotlib = False
    monospace = fonts.MonospaceFont
    fonts.MonospaceFont = _MeasuringFont
    box = BoundingBox()
    try:
        for entity in layout:
            try:
                for part in _expanded([entity], budget):
                    primitive = disassemble.make_primitive(part)
                    if not primitive.is_empty:
                        box.extend(primitive.bbox(fast=True))
            except (TooCostly, MemoryError):
                raise
            except Exception:  # proxy graphics, broken geometry
                pass
    finally:
        fonts.MonospaceFont = monospace
    return box
