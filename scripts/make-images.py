#!/usr/bin/env python3
"""Regenerates the committed images of Kelvra.dll and Kelvrares.dll.

Pillow (Debian's python3-pil) draws, antialiases by drawing each shape
eight times larger and averaging it down, renders the text and writes the
24-bit BMP and 16-and-32-pixel ICO files.

Usage: python3 scripts/make-images.py
"""

import functools
import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES_DIR = os.path.join(ROOT, "res", "images")
RESDLL_DIR = os.path.join(ROOT, "resdll", "images")

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
FONT_BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")
FONT_REGULAR = os.path.join(FONT_DIR, "DejaVuSans.ttf")

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
TEAL_MASK = (0, 128, 128)
GREEN_MASK = (0, 255, 0)
RED_MASK = (255, 0, 0)
STATE_GREY = (212, 208, 200)

BANNER_SIZE = (505, 63)
STATE_SIZE = (34, 18)

# ---------------------------------------------------------------- colour math


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t + 0.5) for i in range(3))


def shade(color, t):
    return mix(color, BLACK, t)


def tint(color, t):
    return mix(color, WHITE, t)


def hex_color(text):
    return tuple(int(text[i : i + 2], 16) for i in (1, 3, 5))


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def smoothstep(e0, e1, x):
    t = clamp01((x - e0) / (e1 - e0))
    return t * t * (3 - 2 * t)


# ------------------------------------------------------------------- shapes
# A shape draws itself in white on a mask eight times the image's size.

SCALE = 8


def _box(x0, y0, x1, y1):
    return (x0 * SCALE, y0 * SCALE, x1 * SCALE - 1, y1 * SCALE - 1)


def _width(width):
    return max(1, round(width * SCALE))


def circle(cx, cy, r):
    return lambda d: d.ellipse(_box(cx - r, cy - r, cx + r, cy + r), fill=255)


def ring(cx, cy, r, width):
    e = r + width / 2
    return lambda d: d.ellipse(_box(cx - e, cy - e, cx + e, cy + e), outline=255, width=_width(width))


def stroke(points, width, closed=False):
    """A polyline with round joints and ends."""
    if closed:
        points = points + points[:1]
    points = [(x * SCALE, y * SCALE) for x, y in points]
    w = _width(width)

    def draw(d):
        d.line(points, fill=255, width=w, joint="curve")
        for x, y in points:
            d.ellipse((x - w / 2, y - w / 2, x + w / 2, y + w / 2), fill=255)

    return draw


def polygon(points):
    return lambda d: d.polygon([(x * SCALE, y * SCALE) for x, y in points], fill=255)


def rounded_rect(x0, y0, x1, y1, r, outline=None):
    """Filled, or with `outline` the line of that width centred on the edge."""
    if outline is None:
        return lambda d: d.rounded_rectangle(_box(x0, y0, x1, y1), radius=r * SCALE, fill=255)
    h = outline / 2
    return lambda d: d.rounded_rectangle(
        _box(x0 - h, y0 - h, x1 + h, y1 + h), radius=(r + h) * SCALE, outline=255, width=_width(outline)
    )


def regular_polygon(cx, cy, r, sides, rotation=0.0):
    return [
        (
            cx + r * math.cos(rotation + 2 * math.pi * i / sides),
            cy + r * math.sin(rotation + 2 * math.pi * i / sides),
        )
        for i in range(sides)
    ]


# ------------------------------------------------------------------- canvas


@functools.lru_cache(maxsize=None)
def _plane(size, mode, at):
    """An image of `at(x, y)` per pixel: a colour or a coverage in 0..1."""
    image = Image.new(mode, size)
    w, h = size
    values = [at(x, y) for y in range(h) for x in range(w)]
    image.putdata([round(v * 255) for v in values] if mode == "L" else values)
    return image


class Canvas:
    """An RGBA image; opaque ones stay opaque."""

    def __init__(self, width, height, color=None):
        self.width = width
        self.height = height
        self.image = Image.new("RGBA", (width, height), (0, 0, 0, 0) if color is None else color + (255,))

    def set(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.image.putpixel((x, y), color + (255,))

    def rect(self, x0, y0, x1, y1, color):
        """Hard-edged fill of the inclusive pixel rectangle."""
        ImageDraw.Draw(self.image).rectangle((x0, y0, x1, y1), fill=color + (255,))

    def paint(self, coverage, color, alpha=1.0, fade=None):
        """Composites `color` (or a function of the pixel) through an L mask."""
        size = self.image.size
        if alpha != 1.0:
            coverage = coverage.point(lambda v: round(v * alpha))
        if fade:
            coverage = ImageChops.multiply(coverage, _plane(size, "L", fade))
        layer = _plane(size, "RGB", color) if callable(color) else Image.new("RGB", size, color)
        layer.putalpha(coverage)
        self.image.alpha_composite(layer)

    def draw(self, shape, color, alpha=1.0, fade=None):
        """Antialiased fill; color and fade may depend on the pixel position."""
        big = Image.new("L", (self.width * SCALE, self.height * SCALE))
        shape(ImageDraw.Draw(big))
        self.paint(big.resize(self.image.size, Image.Resampling.BOX), color, alpha, fade)

    def gradient(self, color_at):
        self.image.paste(_plane(self.image.size, "RGB", color_at))

    def mask(self, mask, color, alpha=1.0, dx=0, dy=0):
        """Composites a grey coverage mask in one colour."""
        full = Image.new("L", self.image.size)
        full.paste(mask, (dx, dy))
        self.paint(full, color, alpha)

    def sprite(self, rows, palette, dx=0, dy=0):
        """Hard pixels from a character grid; '.' leaves the pixel alone."""
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch != ".":
                    self.set(x + dx, y + dy, palette[ch])


# --------------------------------------------------------------------- text


def ink_box(mask):
    """(x0, y0, x1, y1) of the clearly inked pixels, x1 and y1 exclusive."""
    return mask.point(lambda v: 255 if v > 24 else 0).getbbox()


def text_mask(width, height, text, font, size, x, y, blur=0.0):
    """Coverage of text whose baseline starts at (x, y)."""
    mask = Image.new("L", (width, height))
    face = ImageFont.truetype(font, size)
    ImageDraw.Draw(mask).text((x, y), text, fill=255, font=face, anchor="ls")
    return mask.filter(ImageFilter.GaussianBlur(blur)) if blur else mask


def glyph_mask(text, font, size):
    """Tightly cropped coverage of a short text, for centring in icons."""
    big = text_mask(size * 3, size * 3, text, font, size, size, size * 2)
    return big.crop(ink_box(big))


# ------------------------------------------------------------------- files


def save_bmp(directory, name, canvas):
    os.makedirs(directory, exist_ok=True)
    canvas.image.convert("RGB").save(os.path.join(directory, name), "BMP")


def save_ico(directory, name, canvases):
    """32-bit BMP entries, largest first as Pillow wants it."""
    os.makedirs(directory, exist_ok=True)
    images = sorted((c.image for c in canvases), key=lambda i: -i.width)
    images[0].save(
        os.path.join(directory, name),
        "ICO",
        sizes=[i.size for i in images],
        append_images=images[1:],
        bitmap_format="bmp",
    )


# ----------------------------------------------------------------- products


class Product:
    def __init__(self, color, accent):
        self.color = hex_color(color)
        self.accent = hex_color(accent)


# One hue per product; the accent lifts the motif and the small line.
FERRIX = Product("#A8321E", "#FFB199")
PELMO = Product("#C85A12", "#FFC894")
PELMO_SIM = Product("#7A3A9A", "#E2B8F5")
PELMO_ROUTE = Product("#2B7D3A", "#B4F0BE")
COFRA = Product("#1E5AA8", "#A9CCFF")
NERVA = Product("#A8740A", "#FFE08A")
KORDEX = Product("#0E7479", "#A2EEF0")
KORVAL = Product("#9C2350", "#FFB0CC")
TREL = Product("#2C4262", "#B3C8E6")
SERVER = Product("#39434F", "#8FE3F0")
QUILLMAKER = Product("#5B3FB0", "#C9B8FF")
LOOKGLASS = Product("#0F7FB5", "#A6E0FF")
LUMO = Product("#1F8A70", "#A8F0D8")


# ------------------------------------------------------------------ banners
# Motifs live on the right and fade in, so the name stays the loudest thing.


def _motif_fade(x, y):
    return smoothstep(300, 430, x)


def motif_hexagons(c, color):
    for col in range(7):
        for row in range(-1, 3):
            cx = 360 + col * 24
            cy = row * 28 + (14 if col % 2 else 0)
            hexagon = regular_polygon(cx, cy, 15, 6)
            c.draw(stroke(hexagon, 1.2, closed=True), color, 0.22, _motif_fade)


def motif_bearing(c, color):
    c.draw(ring(452, 31, 40, 6), color, 0.2, _motif_fade)
    c.draw(ring(452, 31, 22, 3), color, 0.22, _motif_fade)
    for i in range(12):
        a = 2 * math.pi * i / 12
        c.draw(circle(452 + 31 * math.cos(a), 31 + 31 * math.sin(a), 3.2), color, 0.25, _motif_fade)
    c.draw(ring(380, 48, 18, 2), color, 0.16, _motif_fade)


def motif_plates(c, color):
    for i in range(5):
        x = 350 + i * 28
        y = 6 + i * 7
        c.draw(rounded_rect(x, y, x + 60, y + 30, 5, outline=1.4), color, 0.24, _motif_fade)


def motif_waves(c, color):
    for k in range(4):
        points = [
            (x, 31 + (18 - k * 3) * math.sin(x / (18 + k * 3) + k * 0.9)) for x in range(300, 510, 3)
        ]
        c.draw(stroke(points, 1.4), color, 0.26 - k * 0.03, _motif_fade)


def motif_route(c, color):
    nodes = [(330, 50), (372, 20), (410, 40), (446, 14), (480, 44), (512, 26)]
    c.draw(stroke(nodes, 2.0), color, 0.3, _motif_fade)
    for x, y in nodes:
        c.draw(circle(x, y, 4.5), color, 0.32, _motif_fade)
        c.draw(circle(x, y, 2.0), color, 0.5, _motif_fade)
    c.draw(stroke([(330, 50), (410, 40), (480, 44)], 1.0), color, 0.14, _motif_fade)


def motif_blocks(c, color):
    for col in range(10):
        for row in range(4):
            if (col * 7 + row * 3) % 5 == 1:
                continue
            x = 330 + col * 18
            y = 2 + row * 16
            a = 0.08 + 0.05 * ((col + row * 2) % 4)
            c.draw(rounded_rect(x, y, x + 13, y + 12, 2.5), color, a, _motif_fade)


def motif_network(c, color):
    nodes = [(340, 14), (372, 44), (402, 18), (430, 50), (458, 24), (490, 46), (500, 8), (385, 4)]
    links = [(0, 1), (0, 2), (1, 2), (1, 3), (2, 4), (3, 4), (4, 5), (4, 6), (2, 7), (3, 5)]
    for a, b in links:
        c.draw(stroke([nodes[a], nodes[b]], 1.2), color, 0.22, _motif_fade)
    for x, y in nodes:
        c.draw(circle(x, y, 3.6), color, 0.42, _motif_fade)


def motif_arcs(c, color):
    for i in range(6):
        c.draw(ring(520, 31, 20 + i * 17, 1.6 + (i % 2)), color, 0.24 - i * 0.02, _motif_fade)


def motif_triangles(c, color):
    for col in range(17):
        for row in range(4):
            x = 320 + col * 11
            y = -7 + row * 22
            up = (col + row) % 2 == 0
            pts = [(x, y + 22), (x + 22, y + 22), (x + 11, y)] if up else [
                (x, y),
                (x + 22, y),
                (x + 11, y + 22),
            ]
            c.draw(stroke(pts, 1.2, closed=True), color, 0.2, _motif_fade)


def motif_rack(c, color):
    for i in range(4):
        y = 6 + i * 13
        c.draw(rounded_rect(360, y, 500, y + 9, 2.5, outline=1.2), color, 0.24, _motif_fade)
        for k in range(3):
            c.draw(circle(372 + k * 8, y + 4.5, 1.8), color, 0.45, _motif_fade)
        c.draw(stroke([(420, y + 4.5), (488, y + 4.5)], 1.0), color, 0.16, _motif_fade)


def motif_lenses(c, color):
    for cx, cy, r in ((395, 22, 17), (440, 40, 24), (480, 14, 12)):
        c.draw(ring(cx, cy, r, 3.0), color, 0.24, _motif_fade)
        c.draw(ring(cx, cy, r * 0.55, 1.2), color, 0.18, _motif_fade)


def motif_rays(c, color):
    for i in range(9):
        angle = math.pi * (0.55 + i * 0.11)
        tip = (452 + 90 * math.cos(angle), 70 + 90 * math.sin(angle))
        c.draw(stroke([(452, 70), tip], 2.0), color, 0.2, _motif_fade)
    c.draw(circle(452, 70, 20), color, 0.22, _motif_fade)


def banner(product, title, motif):
    w, h = BANNER_SIZE
    deep = shade(product.color, 0.45)
    base = product.color
    light = tint(product.color, 0.12)
    c = Canvas(w, h)

    def background(x, y):
        t = clamp01(x / w * 0.9 + y / h * 0.1)
        if t < 0.6:
            return mix(deep, base, t / 0.6)
        return mix(base, light, (t - 0.6) / 0.4)

    c.gradient(background)
    motif(c, product.accent)
    # A hairline at the bottom separates the banner from the page below.
    c.rect(0, h - 2, w - 1, h - 2, mix(base, product.accent, 0.45))
    c.rect(0, h - 1, w - 1, h - 1, shade(product.color, 0.6))
    _banner_title(c, title, product)
    line = text_mask(w, h, "Vorlane Trel Setup", FONT_REGULAR, 11, 25, 52)
    c.mask(line, tint(product.accent, 0.35))
    return c


def _banner_title(c, title, product):
    """First word bold, the rest lighter: the family name leads."""
    w, h = c.width, c.height
    first, _, rest = title.partition(" ")
    size, left, baseline = 25, 24, 35
    x = left
    for text, font in ((first, FONT_BOLD), (rest, FONT_REGULAR)):
        if not text:
            break
        shadow = text_mask(w, h, text, font, size, x + 1, baseline + 1, blur=1.2)
        c.mask(shadow, shade(product.color, 0.8), 0.55)
        ink = text_mask(w, h, text, font, size, x, baseline)
        c.mask(ink, WHITE)
        # Ink width plus one space of the bold face.
        x = ink_box(ink)[2] + int(size * 0.34 + 0.5)


BANNERS = [
    ("banner_ferrix_pelmo.bmp", PELMO, "Ferrix Pelmo", motif_plates),
    ("banner_cofra_client.bmp", COFRA, "Cofra Client", motif_blocks),
    ("banner_trel.bmp", TREL, "Trel Setup", motif_hexagons),
    ("banner_kordex.bmp", KORDEX, "Kordex", motif_arcs),
    ("banner_korval.bmp", KORVAL, "Korval", motif_triangles),
    ("banner_ferrix.bmp", FERRIX, "Ferrix", motif_bearing),
    ("banner_nerva_client.bmp", NERVA, "Nerva Client", motif_network),
    ("banner_pelmo_simulation.bmp", PELMO_SIM, "Ferrix Pelmo Simulation", motif_waves),
    ("banner_pelmo_route.bmp", PELMO_ROUTE, "Ferrix Pelmo Route", motif_route),
    ("banner_server.bmp", SERVER, "Trel Server", motif_rack),
]


# The feature page's product pictures stand where the other pages' banners do.
FEATURE_PICTURES = [
    ("picture_lumo.bmp", LUMO, "Lumo Features", motif_rays),
    ("picture_lookglass.bmp", LOOKGLASS, "Lookglass Features", motif_lenses),
]


# ------------------------------------------------------------- product icons


def emblem(size, product, draw_glyph):
    """Rounded square in the product colour, lit from the top."""
    c = Canvas(size, size)
    inset = 0.5 if size <= 16 else 1.0
    radius = size * 0.22
    top, bottom = tint(product.color, 0.28), shade(product.color, 0.12)
    body = (inset, inset, size - inset, size - inset, radius)
    c.draw(rounded_rect(*body), lambda x, y: mix(top, bottom, y / size))
    c.draw(rounded_rect(*body, outline=1.0), shade(product.color, 0.4), 0.9)
    if size > 16:
        inner = (2.0, 2.0, size - 2.0, size - 2.0, radius - 1)
        c.draw(rounded_rect(*inner, outline=1.0), tint(product.color, 0.5), 0.35)
    draw_glyph(c, size)
    return c


def letter_glyph(letter):
    def draw(c, size):
        font_size = 13 if size <= 16 else 23
        mask = glyph_mask(letter, FONT_BOLD, font_size)
        dx = (size - mask.width) // 2
        dy = (size - mask.height) // 2
        c.mask(mask, BLACK, 0.35, dx + 1 if size > 16 else dx, dy + 1)
        c.mask(mask, WHITE, 1.0, dx, dy)

    return draw


def lens_glyph(c, size):
    s = size / 32.0
    cx, cy, r = 13.5 * s, 13.5 * s, 6.6 * s
    handle = [(cx + r * 0.75, cy + r * 0.75), (24.5 * s, 24.5 * s)]
    c.draw(stroke([(p[0] + s, p[1] + s) for p in handle], 4.2 * s), BLACK, 0.3)
    c.draw(ring(cx + s, cy + s, r, 2.6 * s + 0.3), BLACK, 0.3)
    c.draw(circle(cx, cy, r), tint(LOOKGLASS.color, 0.55), 0.5)
    c.draw(ring(cx, cy, r, 2.6 * s + 0.3), WHITE)
    c.draw(stroke(handle, 4.2 * s), WHITE)


PRODUCT_ICONS = [
    ("icon_ferrix.ico", FERRIX, letter_glyph("F")),
    ("icon_cofra.ico", COFRA, letter_glyph("C")),
    ("icon_quillmaker.ico", QUILLMAKER, letter_glyph("Q")),
    ("icon_pelmo.ico", PELMO, letter_glyph("P")),
    ("icon_nerva.ico", NERVA, letter_glyph("N")),
    ("icon_lookglass.ico", LOOKGLASS, lens_glyph),
]


# ------------------------------------------------------------ pixel sprites
# 16x16 glyphs drawn pixel by pixel: masked bitmaps must have hard edges.

PALETTE = {
    "k": (48, 48, 48),
    "K": (0, 0, 0),
    "w": (255, 255, 255),
    "l": (222, 222, 222),
    "m": (176, 176, 176),
    "d": (120, 120, 120),
    "G": (40, 196, 64),
    "y": (255, 214, 0),
    "Y": (150, 100, 0),
    "r": (222, 36, 36),
    "R": (132, 8, 8),
    "b": (44, 108, 206),
    "B": (136, 184, 240),
    "n": (30, 70, 140),
    "o": (244, 168, 20),
}

HARD_DISK = [
    "................",
    "................",
    "................",
    "................",
    "..kkkkkkkkkkkk..",
    ".kwwwwwwwwwwwwk.",
    ".kwllllllllllmk.",
    ".kwllllllllllmk.",
    ".kwllllllllllmk.",
    ".kmmmmmmmmmmmdk.",
    ".kddddddddddddk.",
    ".kmwwwwwwwwwwmk.",
    ".kmllddddlGGlmk.",
    ".kmmmmmmmmmmmdk.",
    "..kkkkkkkkkkkk..",
    "................",
]

DIGIT_ONE = [
    "..kkk.",
    ".kkyk.",
    "kyyyk.",
    "kkyyk.",
    ".kyyk.",
    ".kyyk.",
    "kkyykk",
    "kyyyyk",
    "kkkkkk",
]

COMPUTER_AND_SERVER = [
    "................",
    ".........kkkkkk.",
    ".........kwwwmk.",
    ".........kwddmk.",
    "kkkkkkkkkkkwwmk.",
    "kwwwwwwwwkkddmk.",
    "kwbbbbbbmkkwwmk.",
    "kwbBBbbbmkkwwmk.",
    "kwbBbbbbmkkwwmk.",
    "kwbbbbbbmkkwwmk.",
    "kwmmmmmmmkkwwmk.",
    "kkkkkkkkkkkwGmk.",
    "....kddk..kwwmk.",
    "..kkkkkkkkkmmdk.",
    "..kmmmmmmkkkkkk.",
    "..kkkkkkkk......",
]

NETWORK_DRIVE = [
    "..kkkkkkkkkkkk..",
    ".kwwwwwwwwwwwwk.",
    ".kwllllllllllmk.",
    ".kwllllllllllmk.",
    ".kmmmmmmmmmmmdk.",
    ".kddddddddddddk.",
    ".kmllddddlGGlmk.",
    ".kmmmmmmmmmmmdk.",
    "..kkkkkkkkkkkk..",
    ".......kk.......",
    ".......kk.......",
    "......kkkk......",
    "kkkkkkkddkkkkkkk",
    "ddddddkddkdddddd",
    "......kkkk......",
    "................",
]

DROP_ARROW = [
    "KKKKK",
    ".KKK.",
    "..K..",
]

# 3x5 letters for the standard badges on content rows.
TINY_LETTERS = {
    "A": [".#.", "#.#", "###", "#.#", "#.#"],
    "D": ["##.", "#.#", "#.#", "#.#", "##."],
    "I": ["###", ".#.", ".#.", ".#.", "###"],
    "J": ["..#", "..#", "..#", "#.#", ".#."],
    "F": ["###", "#..", "##.", "#..", "#.."],
    "V": ["#.#", "#.#", "#.#", "#.#", ".#."],
}

PAGE = [
    "..kkkkkkkkk.....",
    "..kwwwwwwwkk....",
    "..kwwwwwwwklk...",
    "..kwwwwwwwkllk..",
    "..kwmmmmmwkkkkk.",
    "..kwwwwwwwwwwwk.",
    "..kwmmmmmmmmmwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwmmmmwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwmmmmwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwmmmmwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kkkkkkkkkkkkk.",
]


def check_no_mask_color(rows, mask_color):
    """A drawn pixel that equals the mask colour would turn transparent."""
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch != "." and PALETTE.get(ch) == mask_color:
                sys.exit("sprite colour %r equals the mask colour" % ch)


def red_cross(c, dx, dy):
    a, b = (dx + 4.0, dy + 4.0), (dx + 12.0, dy + 12.0)
    p, q = (dx + 12.0, dy + 4.0), (dx + 4.0, dy + 12.0)
    for width, color in ((4.6, PALETTE["R"]), (2.8, PALETTE["r"])):
        c.draw(stroke([a, b], width), color)
        c.draw(stroke([p, q], width), color)


def feature_state(background, draw_glyph):
    # No pixel in the mask colour: a 32-bit image list without a mask would
    # paint it black, and the popup takes the top-left pixel as transparent.
    w, h = STATE_SIZE
    c = Canvas(w, h, background)
    draw_glyph(c, 1, 1)
    c.sprite(DROP_ARROW, PALETTE, 19, 8)
    return c


def glyph_disk(c, dx, dy):
    c.sprite(HARD_DISK, PALETTE, dx, dy)


def glyph_disk_once(c, dx, dy):
    c.sprite(HARD_DISK, PALETTE, dx, dy)
    c.sprite(DIGIT_ONE, PALETTE, dx, dy)


def glyph_network(c, dx, dy):
    c.sprite(COMPUTER_AND_SERVER, PALETTE, dx, dy)


FEATURE_STATES = [
    ("state_advertised.bmp", WHITE, glyph_disk_once),
    ("state_advertised_grey.bmp", STATE_GREY, glyph_disk_once),
    ("state_disabled.bmp", WHITE, red_cross),
    ("state_local.bmp", WHITE, glyph_disk),
    ("state_local_grey.bmp", STATE_GREY, glyph_disk),
    ("state_source.bmp", WHITE, glyph_network),
    ("state_source_grey.bmp", STATE_GREY, glyph_network),
]


# ----------------------------------------------------------- resource strips


def warning_sign():
    """Amber triangle, dark red rim, black exclamation mark."""
    inside = set()
    for y in range(16):
        for x in range(16):
            px, py = x + 0.5, y + 0.5
            if 1.0 <= py <= 15.0 and abs(px - 8.0) <= (py - 0.6) * 0.56:
                inside.add((x, y))
    rows = []
    for y in range(16):
        row = ""
        for x in range(16):
            if (x, y) not in inside:
                row += "."
            elif any((x + ox, y + oy) not in inside for ox, oy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                row += "R"
            else:
                row += "o"
        rows.append(row)
    rows = [list(r) for r in rows]
    for y in list(range(5, 11)) + [12, 13]:
        rows[y][7] = rows[y][8] = "K"
    return ["".join(r) for r in rows]


def drive_state_strip():
    sign = warning_sign()
    check_no_mask_color(sign, GREEN_MASK)
    c = Canvas(16 * 6, 16, GREEN_MASK)
    # A list view counts state images from 1: state 5, a drive short of
    # space, draws the fifth image. The others stay empty.
    c.sprite(sign, PALETTE, 16 * 4, 0)
    return c


def drive_small_strip():
    for rows in (HARD_DISK, NETWORK_DRIVE):
        check_no_mask_color(rows, RED_MASK)
    c = Canvas(32, 16, RED_MASK)
    c.sprite(HARD_DISK, PALETTE, 0, -1)
    c.sprite(NETWORK_DRIVE, PALETTE, 16, 0)
    return c


CONTENT_BADGES = [
    ("A", (30, 90, 190)),  # ANSI
    ("D", (186, 36, 36)),  # DIN
    ("I", (26, 132, 66)),  # ISO
    ("J", (140, 56, 170)),  # JIS / GB
    ("F", (226, 124, 14)),  # feature
    ("V", (96, 100, 112)),  # other / vendor
]


def content_rows_strip():
    check_no_mask_color(PAGE, TEAL_MASK)
    c = Canvas(16 * len(CONTENT_BADGES), 16, TEAL_MASK)
    for i, (letter, color) in enumerate(CONTENT_BADGES):
        x0 = i * 16
        c.sprite(PAGE, PALETTE, x0, 0)
        c.rect(x0, 7, x0 + 8, 15, shade(color, 0.45))
        c.rect(x0 + 1, 8, x0 + 7, 14, color)
        for ly, row in enumerate(TINY_LETTERS[letter]):
            for lx, ch in enumerate(row):
                if ch == "#":
                    c.set(x0 + 3 + lx, 9 + ly, WHITE)
    return c


# ------------------------------------------------------------ disk cost icon


def disk_cost_icon(size):
    """A drive under a semicircular gauge whose needle leans towards full."""
    s = size / 32.0
    c = Canvas(size, size)
    body = (2 * s, 18 * s, 30 * s, 29 * s, 2.5 * s)
    c.draw(rounded_rect(*body), lambda x, y: mix((236, 236, 236), (150, 150, 150), (y - 18 * s) / (11 * s)))
    c.draw(rounded_rect(*body, outline=1.0), (64, 64, 64))
    c.draw(rounded_rect(5 * s, 24 * s, 18 * s, 25.6 * s, 0.6), (96, 96, 96))
    c.draw(circle(25 * s, 24.6 * s, 1.6 * s + 0.2), PALETTE["G"])

    cx, cy, r = 16 * s, 16 * s, 12 * s
    dial = [(cx - r - 1.4 * s, cy)] + [
        (cx + (r + 1.4 * s) * math.cos(math.pi + math.pi * i / 24), cy + (r + 1.4 * s) * math.sin(math.pi + math.pi * i / 24))
        for i in range(25)
    ]
    c.draw(polygon(dial), (250, 250, 250))
    c.draw(stroke(dial, 1.0, closed=True), (64, 64, 64))
    bands = [((46, 170, 70), 0.0, 0.5), ((240, 180, 20), 0.5, 0.78), ((212, 40, 30), 0.78, 1.0)]
    for color, t0, t1 in bands:
        pts = [
            (cx + (r - 2.2 * s) * math.cos(math.pi + math.pi * t), cy + (r - 2.2 * s) * math.sin(math.pi + math.pi * t))
            for t in [t0 + (t1 - t0) * k / 8 for k in range(9)]
        ]
        c.draw(stroke(pts, 3.2 * s), color)
    angle = math.pi + math.pi * 0.72
    tip = (cx + (r - 3 * s) * math.cos(angle), cy + (r - 3 * s) * math.sin(angle))
    c.draw(stroke([(cx, cy - 0.5 * s), tip], 1.0 + 0.8 * s), (32, 32, 32))
    c.draw(circle(cx, cy - 0.5 * s, 1.8 * s + 0.3), (32, 32, 32))
    return c


# -------------------------------------------------------------------- main


def main():
    for name, product, title, motif in BANNERS:
        save_bmp(RES_DIR, name, banner(product, title, motif))
    for name, product, glyph in PRODUCT_ICONS:
        save_ico(RES_DIR, name, [emblem(16, product, glyph), emblem(32, product, glyph)])
    for name, background, glyph in FEATURE_STATES:
        # Kelvrares.dll takes these from res/ as well (res/feature_states.rc).
        save_bmp(RES_DIR, name, feature_state(background, glyph))
    for name, product, title, motif in FEATURE_PICTURES:
        save_bmp(RESDLL_DIR, name, banner(product, title, motif))
    save_bmp(RESDLL_DIR, "drive_state.bmp", drive_state_strip())
    save_bmp(RESDLL_DIR, "drive_small.bmp", drive_small_strip())
    save_bmp(RESDLL_DIR, "content_rows.bmp", content_rows_strip())
    save_ico(RESDLL_DIR, "disk_cost.ico", [disk_cost_icon(16), disk_cost_icon(32)])


if __name__ == "__main__":
    main()
