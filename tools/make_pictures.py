# -*- coding: utf-8 -*-
"""Draws the pictures the program shows and writes them into assets/.

    /usr/bin/python3 tools/make_pictures.py

Everything is painted from code with Pillow; the output is reproducible
byte for byte (fixed random seeds, no timestamps, no metadata).
"""

import io
import math
import os
import random
import struct

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.join(os.path.dirname(HERE), "assets")
FONT_PATH = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"


# ---------------------------------------------------------------------------
# small helpers
# ---------------------------------------------------------------------------

def noise_image(size, seed):
    """Uniform 8-bit noise from a seeded generator (never PIL's own rand)."""
    rng = random.Random(seed)
    w, h = size
    return Image.frombytes("L", size, rng.randbytes(w * h))


def smooth_noise(size, cell, seed, blur=None):
    """Low-frequency noise: a coarse random grid scaled up and blurred."""
    w, h = size
    small = noise_image((max(2, w // cell + 2), max(2, h // cell + 2)), seed)
    big = small.resize((w + 2 * cell, h + 2 * cell), Image.BICUBIC)
    big = big.crop((cell, cell, cell + w, cell + h))
    return big.filter(ImageFilter.GaussianBlur(blur if blur else cell / 3))


def aniso_blur(img, rx, ry):
    """Gaussian blur with different horizontal and vertical radii."""
    w, h = img.size
    if rx >= ry:
        f = rx / float(max(ry, 0.5))
        small = img.resize((max(1, int(w / f)), h), Image.BILINEAR)
        small = small.filter(ImageFilter.GaussianBlur(max(ry, 0.5)))
    else:
        f = ry / float(max(rx, 0.5))
        small = img.resize((w, max(1, int(h / f))), Image.BILINEAR)
        small = small.filter(ImageFilter.GaussianBlur(max(rx, 0.5)))
    return small.resize((w, h), Image.BICUBIC)


def shift(img, dx, dy):
    """Move a grey image by (dx, dy) without wrapping; the edges are
    extended so that shapes running out of the frame stay continuous."""
    w, h = img.size
    p = max(abs(dx), abs(dy)) + 1
    big = Image.new(img.mode, (w + 2 * p, h + 2 * p))
    big.paste(img, (p, p))
    big.paste(img.crop((0, 0, w, 1)).resize((w, p)), (p, 0))
    big.paste(img.crop((0, h - 1, w, h)).resize((w, p)), (p, h + p))
    col = big.crop((p, 0, p + 1, h + 2 * p))
    big.paste(col.resize((p, h + 2 * p)), (0, 0))
    col = big.crop((w + p - 1, 0, w + p, h + 2 * p))
    big.paste(col.resize((p, h + 2 * p)), (w + p, 0))
    return big.crop((p - dx, p - dy, p - dx + w, p - dy + h))


def scale_l(img, k, add=0):
    return img.point(lambda v: max(0, min(255, int(v * k + add))))


def solid(size, color):
    return Image.new("RGB", size, color)


def mix(img, color, mask):
    """Blend a flat colour over img where mask says so."""
    return Image.composite(solid(img.size, color), img, mask)


def mul_l(img, lmap):
    """Multiply an RGB picture by a grey map (255 = unchanged)."""
    return ImageChops.multiply(img, Image.merge("RGB", (lmap, lmap, lmap)))


def write_report(path):
    rel = os.path.relpath(path, os.path.dirname(HERE))
    print("%-28s %7d bytes" % (rel, os.path.getsize(path)))


# ---------------------------------------------------------------------------
# program icon: black-and-white cartoon cow head, 48x48, 32-bit DIB in ICO
# ---------------------------------------------------------------------------

def draw_cow(size=48, k=4):
    S = size * k
    ink = (22, 22, 24, 255)
    lw = int(1.15 * k)

    def p(*v):
        return [int(round(c * k)) for c in v]

    img = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)

    # horns: short, curved up and outwards, pale grey; drawn first so the
    # head covers their roots
    def horn(sign):
        pts = []
        n = 24
        for i in range(n + 1):
            t = i / n
            x = 24 + sign * (6.5 + 9.5 * t - 0.5 * t * t)
            y = 12.5 - 1.0 * t - 8.0 * t * t
            r = 2.9 * (1 - t) + 0.8 * t
            pts.append((x, y, r))
        for x, y, r in pts:                      # outline pass
            rr = (r + 1.1) * k
            d.ellipse((x * k - rr, y * k - rr, x * k + rr, y * k + rr),
                      fill=ink)
        for x, y, r in pts:                      # fill pass
            rr = r * k
            shade = int(236 - 40 * max(0.0, (y - 6) / 8))
            d.ellipse((x * k - rr, y * k - rr, x * k + rr, y * k + rr),
                      fill=(shade, shade - 4, shade - 14, 255))

    horn(-1)
    horn(1)

    # ears: left one black, right one white with a grey inside
    def ear(cx, cy, ang, fill, inner):
        w, h = 7.2 * k, 4.0 * k
        layer = Image.new("RGBA", (S, S), (0, 0, 0, 0))
        ld = ImageDraw.Draw(layer)
        ld.ellipse((cx * k - w, cy * k - h, cx * k + w, cy * k + h),
                   fill=fill, outline=ink, width=lw)
        if inner:
            ld.ellipse((cx * k - w * 0.62, cy * k - h * 0.45,
                        cx * k + w * 0.55, cy * k + h * 0.45), fill=inner)
        layer = layer.rotate(ang, resample=Image.BICUBIC,
                             center=(cx * k, cy * k))
        img.alpha_composite(layer)

    ear(7.6, 17.5, -22, ink, (70, 70, 74, 255))
    ear(40.4, 17.5, 22, (250, 250, 250, 255), (200, 196, 198, 255))

    # head: rounded, a little narrower towards the muzzle
    head = Image.new("L", (S, S), 0)
    hd = ImageDraw.Draw(head)
    hd.ellipse(p(11, 7.5, 37, 36), fill=255)
    hd.polygon([tuple(p(12.2, 22)), tuple(p(35.8, 22)),
                tuple(p(33.5, 37)), tuple(p(14.5, 37))], fill=255)
    outline = head.filter(ImageFilter.MaxFilter(2 * lw + 1))
    img.paste(ink, (0, 0), outline)
    img.paste((250, 250, 250, 255), (0, 0), head)

    # black patches, clipped to the head
    patch = Image.new("L", (S, S), 0)
    pd = ImageDraw.Draw(patch)
    pd.ellipse(p(25.5, 4.5, 41, 25.5), fill=255)       # big patch, right eye
    pd.ellipse(p(23, 12, 30, 19), fill=255)
    pd.ellipse(p(8, 26, 16.5, 34), fill=255)           # cheek spot, left
    pd.ellipse(p(16, 7, 21, 11.5), fill=255)           # small forehead spot
    patch = ImageChops.multiply(patch, head)
    img.paste(ink, (0, 0), patch)

    # hair tuft between the horns
    d.polygon([tuple(p(20.5, 9.5)), tuple(p(22, 4.8)), tuple(p(24, 8)),
               tuple(p(26, 4.6)), tuple(p(27.5, 9.5))], fill=ink)

    # eyes: white, black pupil, small highlight
    for cx in (18.3, 29.7):
        d.ellipse(p(cx - 3.6, 18.2, cx + 3.6, 25.4), fill=(255, 255, 255, 255),
                  outline=ink, width=lw)
        d.ellipse(p(cx - 1.9, 19.9, cx + 2.1, 24.5), fill=ink)
        d.ellipse(p(cx - 0.9, 20.6, cx + 0.6, 22.1),
                  fill=(255, 255, 255, 255))

    # muzzle: wide pink-grey oval with nostrils and a small smile
    d.ellipse(p(11.3, 28.5, 36.7, 45.2), fill=(236, 190, 196, 255),
              outline=ink, width=lw)
    d.ellipse(p(16.2, 33.4, 20.8, 38.2), fill=(60, 36, 40, 255))
    d.ellipse(p(27.2, 33.4, 31.8, 38.2), fill=(60, 36, 40, 255))
    d.arc(p(19.5, 37.0, 28.5, 42.6), 25, 155, fill=(60, 36, 40, 255),
          width=max(2, lw - 1))
    # soft highlight on the muzzle
    d.ellipse(p(15, 29.8, 24, 31.8), fill=(248, 218, 222, 255))

    return img.resize((size, size), Image.LANCZOS)


def write_ico(path, rgba):
    w, h = rgba.size
    assert (w, h) == (48, 48) and rgba.mode == "RGBA"
    px = rgba.load()
    xor = bytearray()
    mask = bytearray()
    row_bytes = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):             # DIB rows run bottom-up
        bits = bytearray(row_bytes)
        for x in range(w):
            r, g, b, a = px[x, y]
            if a == 0:
                r = g = b = 0
                bits[x >> 3] |= 0x80 >> (x & 7)
            xor += bytes((b, g, r, a))
        mask += bits
    image = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0,
                        len(xor) + len(mask), 0, 0, 0, 0) + xor + mask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w, h, 0, 0, 1, 32, len(image), 6 + 16)
    data = header + entry + image
    assert len(data) == 9662
    with open(path, "wb") as f:
        f.write(data)


def make_icon():
    path = os.path.join(ASSETS, "program.ico")
    write_ico(path, draw_cow())
    return path


# ---------------------------------------------------------------------------
# banner: dark product shot of a carbine among grenades, magazines and gear
# ---------------------------------------------------------------------------

BANNER_SIZE = (590, 407)
SS = 2                                   # the scene is painted at 2x
SCENE = (BANNER_SIZE[0] * SS, BANNER_SIZE[1] * SS)


class Sketch(object):
    """A local drawing surface that can be placed into the scene rotated."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.mask = Image.new("L", (w, h), 0)
        self.draw = ImageDraw.Draw(self.mask)

    def place(self, angle, center, scale=1.0):
        """Scale, rotate (degrees, counter-clockwise) and put the local
        centre at `center` in scene coordinates.  Returns a scene-sized
        mask."""
        m = self.mask
        if scale != 1.0:
            m = m.resize((max(1, int(self.w * scale)),
                          max(1, int(self.h * scale))), Image.LANCZOS)
        rot = m.rotate(angle, resample=Image.BICUBIC, expand=True)
        out = Image.new("L", SCENE, 0)
        out.paste(rot, (int(round(center[0] - rot.width / 2.0)),
                        int(round(center[1] - rot.height / 2.0))))
        return out


class Placer(object):
    """Maps local points of an object to scene points for one placement."""

    def __init__(self, w, h, angle, center, scale=1.0):
        self.w, self.h, self.angle, self.center = w, h, angle, center
        self.scale = scale

    def new(self):
        return Sketch(self.w, self.h)

    def put(self, part):
        return part.place(self.angle, self.center, self.scale)


def shade(mask, base, hi=(200, 200, 205), bevel=6, hi_k=1.0, sh_k=1.0,
          round_k=0.45, texture=None, tex_k=0.0, form_k=0.6):
    """Paint a shape lit from the upper left.  A broad soft gradient gives
    the body its volume, a narrow bevel catches crisp highlights on the
    edges facing the light and darkens the edges turned away from it, and
    the rim gets a little ambient occlusion."""
    img = solid(mask.size, base)
    if texture is not None and tex_k:
        t = texture.point(lambda v: int(255 - tex_k * (255 - v)))
        img = mul_l(img, t)
    b = mask.filter(ImageFilter.GaussianBlur(bevel))
    rim = b.point(lambda v: int(255 * (1 - round_k) + round_k * v))
    img = mul_l(img, rim)
    if form_k:
        fb = mask.filter(ImageFilter.GaussianBlur(bevel * 3))
        fd = max(2, int(bevel * 2.2))
        fm = shift(fb, fd, fd)
        flit = ImageChops.subtract(fb, fm, 1.0 / (0.9 * form_k))
        fdark = ImageChops.subtract(fm, fb, 1.0 / (1.2 * form_k))
        half = tuple((c + h) // 2 for c, h in zip(base, hi))
        img = mix(img, half, flit.filter(ImageFilter.GaussianBlur(bevel)))
        img = mix(img, (0, 0, 0), fdark)
    dd = max(1, int(bevel * 0.7))
    moved = shift(b, dd, dd)
    lit = ImageChops.subtract(b, moved, 1.0 / (1.3 * hi_k))
    dark = ImageChops.subtract(moved, b, 1.0 / (1.8 * sh_k))
    img = mix(img, hi, lit)
    img = mix(img, (0, 0, 0), dark)
    return img


def layer_add(scene, img, mask):
    scene.paste(img, (0, 0), mask)


def cast_shadow(scene, mask, dx=16, dy=22, blur=16, strength=0.8,
                contact=0.7):
    """Soft drop shadow from the key light plus a tight contact shadow."""
    sh = shift(mask, dx, dy).filter(ImageFilter.GaussianBlur(blur))
    sh = scale_l(sh, strength)
    ct = mask.filter(ImageFilter.GaussianBlur(4))
    ct = scale_l(ct, contact)
    both = ImageChops.lighter(sh, ct)
    scene.paste((0, 0, 0), (0, 0), both)


def groove(scene, lines_mask, depth=0.75, hi=(120, 120, 124), hi_k=0.5):
    """Engrave thin lines: dark line with a faint lit lip below-right."""
    lip = shift(lines_mask, 1, 2)
    lip = ImageChops.subtract(lip, lines_mask)
    scene.paste(hi, (0, 0), scale_l(lip, hi_k))
    scene.paste((0, 0, 0), (0, 0), scale_l(lines_mask, depth))


def glint(scene, mask, cx, cy, rx, ry, strength=0.8, color=(235, 235, 240),
             blur=10):
    s = Image.new("L", SCENE, 0)
    ImageDraw.Draw(s).ellipse((cx - rx, cy - ry, cx + rx, cy + ry),
                              fill=int(255 * strength))
    s = s.filter(ImageFilter.GaussianBlur(blur))
    s = ImageChops.multiply(s, mask)
    scene.paste(color, (0, 0), s)


def bezier(p0, p1, p2, p3, n=60):
    pts = []
    for i in range(n + 1):
        t = i / float(n)
        u = 1 - t
        x = u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] \
            + t ** 3 * p3[0]
        y = u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] \
            + t ** 3 * p3[1]
        pts.append((x, y))
    return pts


def stroke_path(draw, pts, width, fill=255):
    r = width / 2.0
    for x, y in pts:
        draw.ellipse((x - r, y - r, x + r, y + r), fill=fill)
    draw.line(pts, fill=fill, width=int(width))


def offset_path(pts, dist):
    out = []
    for i in range(len(pts)):
        a = pts[max(0, i - 1)]
        b = pts[min(len(pts) - 1, i + 1)]
        tx, ty = b[0] - a[0], b[1] - a[1]
        ln = math.hypot(tx, ty) or 1.0
        out.append((pts[i][0] - ty / ln * dist, pts[i][1] + tx / ln * dist))
    return out


def dashed(draw, pts, dash=9, gap=7, width=2, fill=255):
    acc = 0.0
    on = True
    cur = [pts[0]]
    for i in range(1, len(pts)):
        seg = math.hypot(pts[i][0] - pts[i - 1][0], pts[i][1] - pts[i - 1][1])
        acc += seg
        cur.append(pts[i])
        if acc >= (dash if on else gap):
            if on and len(cur) > 1:
                draw.line(cur, fill=fill, width=width)
            on = not on
            acc = 0.0
            cur = [pts[i]]


# ---- the surface ----------------------------------------------------------

def paint_surface():
    W, H = SCENE
    # dark, worn wooden planks running left to right
    grain = noise_image((48, 900), 11).resize((W, H), Image.BICUBIC)
    grain = aniso_blur(grain, 9, 1)
    fine = noise_image((W // 2, H), 12).resize((W, H), Image.BILINEAR)
    fine = aniso_blur(fine, 6, 0.6)
    blotch = smooth_noise((W, H), 90, 13)
    base = solid((W, H), (84, 66, 50))
    base = mul_l(base, grain.point(lambda v: int(170 + v * 0.33)))
    base = mul_l(base, fine.point(lambda v: int(200 + v * 0.21)))
    base = mul_l(base, blotch.point(lambda v: int(170 + v * 0.33)))
    # plank seams
    seams = Image.new("L", (W, H), 0)
    sd = ImageDraw.Draw(seams)
    rng = random.Random(14)
    y = -40
    tone = Image.new("L", (W, H), 255)
    td = ImageDraw.Draw(tone)
    while y < H:
        hgt = rng.randint(150, 200)
        td.rectangle((0, y, W, y + hgt), fill=rng.randint(205, 255))
        y += hgt
        sd.line([(0, y), (W, y + rng.randint(-6, 6))], fill=255, width=5)
    base = mul_l(base, tone)
    seams = seams.filter(ImageFilter.GaussianBlur(2))
    lip = ImageChops.subtract(shift(seams, 0, 4), seams)
    base.paste((70, 60, 52), (0, 0), scale_l(lip, 0.35))
    base.paste((4, 3, 3), (0, 0), seams)
    return base


# ---- gear -----------------------------------------------------------------

def fabric_texture(seed, weave=True):
    W, H = SCENE
    n = noise_image((W, H), seed).filter(ImageFilter.GaussianBlur(0.8))
    t = n.point(lambda v: int(200 + v * 0.21))
    if weave:
        wv = Image.new("L", (W, H), 255)
        wd = ImageDraw.Draw(wv)
        for i in range(-H, W, 4):
            wd.line([(i, 0), (i + H, H)], fill=215, width=1)
        t = ImageChops.multiply(t, wv)
    return t


def paint_strap(scene):
    """A length of vest webbing crossing the lower left corner, with a
    side-release buckle."""
    tex = fabric_texture(21)
    path = bezier((-80, 520), (180, 560), (300, 760), (330, 900), 120)
    m = Sketch(*SCENE)
    stroke_path(m.draw, path, 74)
    cast_shadow(scene, m.mask, blur=12, strength=0.7)
    img = shade(m.mask, (52, 56, 40), hi=(110, 112, 90), bevel=5,
                texture=tex, tex_k=1.0)
    layer_add(scene, img, m.mask)
    st = Sketch(*SCENE)
    for side in (-29, 29):
        dashed(st.draw, offset_path(path, side), width=2)
    groove(scene, st.mask.filter(ImageFilter.GaussianBlur(0.6)), depth=0.6,
           hi=(120, 118, 96), hi_k=0.7)
    # a second, narrower strap running under the first
    path2 = bezier((-60, 720), (60, 700), (150, 670), (215, 640), 80)
    m2 = Sketch(*SCENE)
    stroke_path(m2.draw, path2, 44)
    m2m = ImageChops.subtract(m2.mask, m.mask.filter(ImageFilter.MaxFilter(5)))
    cast_shadow(scene, m2m, blur=10, strength=0.6)
    img = shade(m2m, (40, 42, 34), hi=(100, 100, 86), bevel=4,
                texture=tex, tex_k=1.0)
    layer_add(scene, img, m2m)
    # buckle
    bk = Placer(120, 90, -32, (215, 640))
    b1 = bk.new()
    b1.draw.rounded_rectangle((6, 8, 114, 82), radius=14, fill=255)
    b1m = bk.put(b1)
    cast_shadow(scene, b1m, blur=8, strength=0.8)
    layer_add(scene, shade(b1m, (20, 20, 21), hi=(130, 130, 136), bevel=4,
                           hi_k=1.3), b1m)
    b2 = bk.new()
    b2.draw.rounded_rectangle((22, 22, 98, 34), radius=4, fill=255)
    b2.draw.rounded_rectangle((22, 56, 98, 68), radius=4, fill=255)
    b2.draw.line([(60, 36), (60, 54)], fill=255, width=4)
    groove(scene, bk.put(b2), depth=0.95, hi=(90, 90, 96), hi_k=0.9)


def paint_pouch(scene):
    """A coyote-brown magazine pouch at the top left, partly out of frame."""
    tex = fabric_texture(31)
    pl = Placer(420, 360, 8, (150, 150))
    body = pl.new()
    body.draw.rounded_rectangle((20, 40, 400, 340), radius=38, fill=255)
    bm = pl.put(body)
    cast_shadow(scene, bm, dx=18, dy=24, blur=20, strength=0.85)
    layer_add(scene, shade(bm, (92, 78, 56), hi=(150, 134, 104), bevel=10,
                           round_k=0.55, texture=tex, tex_k=1.0), bm)
    # MOLLE webbing rows across the front
    web = pl.new()
    for y in (200, 262):
        web.draw.rectangle((20, y, 400, y + 26), fill=255)
    wm = ImageChops.multiply(pl.put(web), bm)
    cast_shadow(scene, wm, dx=3, dy=4, blur=3, strength=0.5, contact=0.2)
    layer_add(scene, shade(wm, (76, 64, 45), hi=(140, 124, 96), bevel=3,
                           round_k=0.3, texture=tex, tex_k=1.0), wm)
    tacks = pl.new()
    for y in (200, 262):
        for x in (40, 150, 270, 380):
            tacks.draw.line([(x, y + 4), (x, y + 22)], fill=255, width=3)
            tacks.draw.line([(x + 6, y + 4), (x + 6, y + 22)], fill=255,
                            width=3)
    groove(scene, ImageChops.multiply(pl.put(tacks), bm), depth=0.5,
           hi=(150, 132, 100), hi_k=0.7)
    # flap with stitching and a pull tab
    flap = pl.new()
    flap.draw.rounded_rectangle((10, 20, 410, 165), radius=40, fill=255)
    fm = pl.put(flap)
    cast_shadow(scene, fm, dx=6, dy=9, blur=8, strength=0.8, contact=0.4)
    layer_add(scene, shade(fm, (98, 83, 60), hi=(160, 142, 110), bevel=8,
                           round_k=0.5, texture=tex, tex_k=1.0), fm)
    st = pl.new()
    stitch = [(40, 150), (40, 60), (60, 38), (360, 38), (382, 60), (382, 150)]
    pts = []
    for i in range(len(stitch) - 1):
        for j in range(20):
            t = j / 20.0
            pts.append((stitch[i][0] + (stitch[i + 1][0] - stitch[i][0]) * t,
                        stitch[i][1] + (stitch[i + 1][1] - stitch[i][1]) * t))
    pts.append(stitch[-1])
    dashed(st.draw, pts, dash=8, gap=6, width=3)
    groove(scene, ImageChops.multiply(pl.put(st), fm), depth=0.55,
           hi=(150, 132, 100), hi_k=0.8)
    tab = pl.new()
    tab.draw.rounded_rectangle((186, 150, 234, 196), radius=6, fill=255)
    tm = pl.put(tab)
    cast_shadow(scene, tm, dx=4, dy=6, blur=5, strength=0.8)
    layer_add(scene, shade(tm, (30, 30, 28), hi=(110, 110, 104), bevel=4,
                           texture=tex, tex_k=1.0), tm)


def paint_glove(scene):
    """A dark tactical glove lying back up near the top edge."""
    tex = fabric_texture(41, weave=False)
    pl = Placer(520, 600, 100, (780, 80), 0.62)
    g = pl.new()
    d = g.draw
    d.rounded_rectangle((140, 250, 380, 470), radius=60, fill=255)   # back
    d.rounded_rectangle((170, 440, 350, 590), radius=26, fill=255)   # cuff
    fingers = [(172, 262, 150, -6), (234, 252, 190, -2), (296, 254, 178, 2),
               (352, 268, 140, 7)]
    fm = Image.new("L", (520, 600), 0)
    for x, y, ln, tilt in fingers:
        f = Image.new("L", (520, 600), 0)
        ImageDraw.Draw(f).rounded_rectangle((x - 25, y - ln, x + 25, y + 30),
                                            radius=25, fill=255)
        f = f.rotate(-tilt, center=(x, y), resample=Image.BICUBIC)
        fm = ImageChops.lighter(fm, f)
    th = Image.new("L", (520, 600), 0)
    stroke_path(ImageDraw.Draw(th),
                bezier((190, 440), (140, 420), (100, 360), (72, 300), 30), 56)
    g.mask = ImageChops.lighter(ImageChops.lighter(g.mask, fm), th)
    gm = pl.put(g)
    cast_shadow(scene, gm, dx=14, dy=20, blur=16, strength=0.85)
    layer_add(scene, shade(gm, (40, 40, 38), hi=(120, 118, 112), bevel=8,
                           round_k=0.6, texture=tex, tex_k=1.0), gm)
    # the gaps between fingers
    sep = Image.new("L", (520, 600), 0)
    for x, y, ln, tilt in fingers:
        f = Image.new("L", (520, 600), 0)
        ImageDraw.Draw(f).rounded_rectangle((x - 25, y - ln, x + 25, y + 30),
                                            radius=25, outline=255, width=4)
        f = f.rotate(-tilt, center=(x, y), resample=Image.BICUBIC)
        sep = ImageChops.lighter(sep, f)
    sp = pl.new()
    sp.mask = sep
    sp.mask.paste(0, (0, 262, 520, 600))      # only where fingers part
    groove(scene, ImageChops.multiply(pl.put(sp), gm), depth=0.8,
           hi=(90, 88, 84), hi_k=0.5)
    # knuckle armour: a padded bar and one pad per finger
    kn = pl.new()
    kn.draw.rounded_rectangle((150, 262, 378, 330), radius=30, fill=255)
    for x, y, ln, tilt in fingers:
        kn.draw.rounded_rectangle((x - 19, y - ln * 0.62, x + 19,
                                   y - ln * 0.36), radius=14, fill=255)
    km = pl.put(kn)
    cast_shadow(scene, km, dx=4, dy=6, blur=5, strength=0.7, contact=0.3)
    layer_add(scene, shade(km, (44, 44, 46), hi=(140, 140, 146), bevel=6,
                           hi_k=1.2, round_k=0.5), km)
    cuffm = pl.new()
    cuffm.draw.rounded_rectangle((170, 470, 350, 590), radius=26, fill=255)
    cm = pl.put(cuffm)
    cast_shadow(scene, cm, dx=3, dy=5, blur=5, strength=0.6, contact=0.3)
    layer_add(scene, shade(cm, (54, 54, 44), hi=(120, 120, 104), bevel=6,
                           texture=tex, tex_k=1.0), cm)


def paint_magazine(scene, center, angle, scale, with_rounds=True):
    """A slightly curved rifle magazine lying on its side."""
    pl = Placer(420, 140, angle, center, scale)
    body = pl.new()
    top = [(40 + i * 300 / 10.0, 28 + 10 * math.sin(i / 10.0 * 1.3))
           for i in range(11)]
    bot = [(52 + i * 290 / 10.0, 112 + 6 * math.sin(i / 10.0 * 1.3))
           for i in range(10, -1, -1)]
    body.draw.polygon(top + bot, fill=255)
    if with_rounds:
        body.draw.rectangle((22, 24, 48, 118), fill=0)   # open feed lips
        body.draw.polygon([(10, 34), (48, 30), (48, 44), (10, 46)], fill=255)
    bm = pl.put(body)
    plate = pl.new()
    plate.draw.rounded_rectangle((330, 26, 372, 126), radius=10, fill=255)
    pm = pl.put(plate)
    allm = ImageChops.lighter(bm, pm)
    cast_shadow(scene, allm, blur=14, strength=0.85)
    if with_rounds:
        # the top round shows across the feed lips, bullet poking out
        r = pl.new()
        r.draw.rounded_rectangle((22, 24, 48, 118), radius=6, fill=255)
        rm = pl.put(r)
        tip = pl.new()
        tip.draw.polygon([(24, 116), (46, 116), (42, 134), (35, 142),
                          (28, 134)], fill=255)
        tipm = pl.put(tip)
        cast_shadow(scene, ImageChops.lighter(rm, tipm), blur=8, strength=0.7)
        layer_add(scene, shade(tipm, (130, 70, 38), hi=(240, 180, 130),
                               bevel=4, hi_k=1.4, round_k=0.6), tipm)
        layer_add(scene, shade(rm, (140, 104, 44), hi=(250, 220, 140),
                               bevel=5, hi_k=1.5, round_k=0.6), rm)
    layer_add(scene, shade(bm, (36, 36, 35), hi=(108, 108, 106), bevel=6,
                           round_k=0.5), bm)
    layer_add(scene, shade(pm, (28, 28, 27), hi=(100, 100, 98), bevel=5,
                           round_k=0.5), pm)
    rib = pl.new()
    for yy in (52, 86):
        pts = [(60 + i * 260 / 10.0, yy + 8 * math.sin(i / 10.0 * 1.3))
               for i in range(11)]
        rib.draw.line(pts, fill=255, width=7)
    groove(scene, pl.put(rib).filter(ImageFilter.GaussianBlur(1.5)),
           depth=0.65, hi=(130, 130, 130), hi_k=0.9)


def paint_grenade(scene, center, angle, size=1.0):
    """A pineapple-style hand grenade with its fuze, lever and ring."""
    k = size
    w, h = int(300 * k), int(360 * k)
    pl = Placer(w, h, angle, center)
    cx, cy = w / 2.0, h * 0.58
    rx, ry = 88 * k, 112 * k

    body = pl.new()
    body.draw.ellipse((cx - rx, cy - ry, cx + rx, cy + ry), fill=255)
    bm = pl.put(body)
    fuze = pl.new()
    fuze.draw.rounded_rectangle((cx - 30 * k, cy - ry - 50 * k, cx + 30 * k,
                                 cy - ry + 20 * k), radius=int(8 * k),
                                fill=255)
    fuze.draw.rounded_rectangle((cx - 40 * k, cy - ry - 12 * k, cx + 40 * k,
                                 cy - ry + 14 * k), radius=int(10 * k),
                                fill=255)
    fm = pl.put(fuze)
    lever = pl.new()
    lp = bezier((cx + 22 * k, cy - ry - 46 * k), (cx + 80 * k, cy - ry - 40 * k),
                (cx + 112 * k, cy - 40 * k), (cx + 96 * k, cy + 50 * k), 50)
    stroke_path(lever.draw, lp, 19 * k)
    lm = pl.put(lever)
    ring = pl.new()
    rcx, rcy, rr = cx - 62 * k, cy - ry - 40 * k, 34 * k
    ring.draw.ellipse((rcx - rr, rcy - rr, rcx + rr, rcy + rr), outline=255,
                      width=int(9 * k))
    ring.draw.line([(rcx + rr - 4 * k, rcy + 4 * k),
                    (cx - 20 * k, cy - ry - 26 * k)], fill=255,
                   width=int(8 * k))
    rm = pl.put(ring)

    allm = ImageChops.lighter(ImageChops.lighter(bm, fm),
                              ImageChops.lighter(lm, rm))
    cast_shadow(scene, allm, dx=int(18 * k), dy=int(24 * k), blur=16,
                strength=0.9)

    # the cast iron body: segments separated by grooves
    grooves = pl.new()
    gd = grooves.draw
    gw = max(3, int(6 * k))
    for j in range(1, 6):                       # rings around the body
        phi = -math.pi / 2 + j * math.pi / 6
        yy = cy + ry * math.sin(phi)
        half = rx * math.cos(phi)
        pts = [(cx + half * math.cos(a), yy + 10 * k * math.sin(a) *
                math.cos(phi)) for a in [math.pi * i / 24.0
                                         for i in range(25)]]
        gd.line(pts, fill=255, width=gw)
    for c in range(-3, 4):                      # meridians
        th = c * math.pi / 8
        pts = []
        for i in range(31):
            phi = -math.pi / 2 + math.pi * i / 30.0
            pts.append((cx + rx * math.cos(phi) * math.sin(th),
                        cy + ry * math.sin(phi)))
        gd.line(pts, fill=255, width=gw)
    gm = ImageChops.multiply(pl.put(grooves), bm)
    blocks = ImageChops.subtract(bm, gm)
    img = shade(bm, (46, 46, 34), hi=(108, 108, 90), bevel=int(42 * k),
                hi_k=1.2, sh_k=1.3, round_k=0.8)
    img2 = shade(blocks, (76, 76, 64), hi=(130, 130, 118), bevel=int(5 * k),
                 hi_k=1.0, round_k=0.5)
    img = ImageChops.multiply(img, img2.point(lambda v: min(255, v * 3)))
    layer_add(scene, img, bm)
    groove(scene, gm.filter(ImageFilter.GaussianBlur(1.2)), depth=0.55,
           hi=(90, 92, 64), hi_k=0.3)
    ox = center[0]
    oy = center[1]
    glint(scene, blocks, ox - 34 * k, oy - 22 * k, 30 * k, 26 * k,
             strength=0.3, color=(190, 190, 170), blur=14 * k)

    layer_add(scene, shade(fm, (60, 60, 58), hi=(160, 160, 156), bevel=5,
                           hi_k=1.2, round_k=0.5), fm)
    layer_add(scene, shade(lm, (66, 66, 62), hi=(170, 170, 164), bevel=5,
                           hi_k=1.2, round_k=0.5), lm)
    layer_add(scene, shade(rm, (96, 92, 80), hi=(210, 206, 190), bevel=3,
                           hi_k=1.3, round_k=0.4), rm)


def paint_rifle(scene, center, angle):
    """An M4-style carbine, drawn in profile and laid across the scene."""
    pl = Placer(1120, 380, angle, center)

    parts = []

    def add(draw_fn, base, hi=(176, 178, 188), bevel=4, hi_k=1.0,
            round_k=0.5):
        p = pl.new()
        draw_fn(p.draw)
        parts.append((pl.put(p), base, hi, bevel, hi_k * 2.6, round_k))

    black = (13, 13, 15)
    # stock and buffer tube
    add(lambda d: d.rounded_rectangle((150, 148, 290, 178), radius=10,
                                      fill=255), (27, 27, 29), bevel=5)
    add(lambda d: d.polygon([(12, 120), (60, 112), (210, 132), (218, 188),
                             (120, 196), (40, 244), (10, 246)], fill=255),
        black, bevel=8)
    add(lambda d: d.rounded_rectangle((0, 112, 24, 250), radius=8, fill=255),
        (13, 13, 14), bevel=5)
    # lower receiver, magazine well, pistol grip, trigger guard
    add(lambda d: d.polygon([(270, 156), (560, 156), (560, 196), (520, 204),
                             (510, 232), (430, 232), (420, 200), (270, 196)],
                            fill=255), black, bevel=6)
    add(lambda d: d.polygon([(340, 190), (392, 190), (372, 316), (330, 320),
                             (314, 300)], fill=255), (16, 16, 16), bevel=7)
    add(lambda d: d.line([(392, 206), (395, 230), (432, 236)], fill=255,
                         width=9), (22, 22, 23), bevel=3)
    # magazine (slightly curved)
    add(lambda d: d.polygon([(440, 224), (508, 224), (532, 300), (560, 372),
                             (490, 380), (468, 304)], fill=255),
        (24, 24, 24), bevel=7)
    # upper receiver with a flat-top rail
    add(lambda d: d.polygon([(262, 112), (580, 112), (586, 160), (262, 160)],
                            fill=255), (21, 21, 22), bevel=6)
    add(lambda d: d.rectangle((286, 92, 575, 114), fill=255), (16, 16, 17),
        bevel=3, hi_k=1.4)
    # rear sight
    add(lambda d: d.polygon([(300, 60), (346, 60), (356, 94), (292, 94)],
                            fill=255), (17, 17, 18), bevel=4, hi_k=1.2)
    # hand guard
    add(lambda d: d.rounded_rectangle((580, 108, 872, 184), radius=20,
                                      fill=255), (22, 22, 23), bevel=12,
        hi_k=1.2, round_k=0.65)
    # barrel, front sight, muzzle device
    add(lambda d: d.rectangle((860, 134, 1060, 156), fill=255),
        (24, 24, 26), bevel=5, hi_k=1.5)
    add(lambda d: d.polygon([(900, 130), (944, 130), (938, 58), (922, 44),
                             (914, 58), (906, 110)], fill=255),
        (18, 18, 19), bevel=4, hi_k=1.2)
    add(lambda d: d.rounded_rectangle((896, 150, 948, 174), radius=6,
                                      fill=255), (18, 18, 19), bevel=4)
    add(lambda d: d.rounded_rectangle((1050, 126, 1118, 164), radius=6,
                                      fill=255), (16, 16, 17), bevel=4,
        hi_k=1.3)

    allm = parts[0][0]
    for m, *_ in parts[1:]:
        allm = ImageChops.lighter(allm, m)
    cast_shadow(scene, allm, dx=22, dy=30, blur=22, strength=0.92)

    for m, base, hi, bevel, hi_k, round_k in parts:
        layer_add(scene, shade(m, base, hi=hi, bevel=bevel, hi_k=hi_k,
                               round_k=round_k, form_k=0.3), m)

    # engraved details: rail teeth, hand guard vents, ejection port, seams
    det = pl.new()
    d = det.draw
    for x in range(292, 574, 13):
        d.line([(x, 92), (x, 104)], fill=255, width=5)
    for x in range(606, 860, 24):
        d.rounded_rectangle((x, 122, x + 10, 140), radius=4, fill=255)
        d.rounded_rectangle((x + 6, 152, x + 16, 170), radius=4, fill=255)
    d.rectangle((438, 124, 532, 146), fill=255)             # ejection port
    d.line([(262, 160), (586, 160)], fill=255, width=3)     # receiver seam
    d.line([(60, 150), (180, 158)], fill=255, width=4)      # stock seam
    d.ellipse((546, 128, 564, 146), fill=255)               # forward assist
    d.line([(1060, 134), (1114, 134)], fill=255, width=3)   # flash hider slot
    d.line([(1060, 156), (1114, 156)], fill=255, width=3)
    for y in range(206, 310, 14):                           # grip texture
        d.line([(338, y), (380, y - 6)], fill=255, width=3)
    for y in range(250, 370, 16):                           # magazine ribs
        x = 458 + (y - 224) * 0.3
        d.line([(x + 12, y), (x + 52, y + 4)], fill=255, width=2)
    groove(scene, pl.put(det).filter(ImageFilter.GaussianBlur(0.8)),
           depth=0.85, hi=(110, 110, 116), hi_k=0.9)

    # long soft highlights on the top edges catch the key light
    top = pl.new()
    top.draw.line([(600, 114), (860, 114)], fill=255, width=6)
    top.draw.line([(870, 137), (1050, 137)], fill=255, width=3)
    top.draw.line([(60, 118), (200, 136)], fill=255, width=4)
    top.draw.line([(268, 116), (570, 116)], fill=255, width=3)
    hl = pl.put(top).filter(ImageFilter.GaussianBlur(3))
    scene.paste((190, 192, 200), (0, 0), scale_l(hl, 0.5))


# ---- lighting and camera --------------------------------------------------

def light_map(size, cx, cy, rx, ry, lo, hi, gamma=1.0):
    W, H = size
    g = Image.radial_gradient("L").resize((int(rx * 2), int(ry * 2)),
                                          Image.BICUBIC)
    out = Image.new("L", size, 255)
    out.paste(g, (int(cx - rx), int(cy - ry)))
    return out.point(lambda v: min(255, int(lo + (hi - lo) *
                                            max(0.0, 1 - v / 255.0) ** gamma)))


def paint_banner():
    scene = paint_surface()
    paint_strap(scene)
    paint_pouch(scene)
    paint_glove(scene)
    paint_magazine(scene, (850, 700), 14, 0.78)
    paint_magazine(scene, (880, 626), 10, 0.78, with_rounds=False)
    paint_grenade(scene, (470, 190), 28, 0.8)
    paint_grenade(scene, (1040, 470), -64, 0.85)
    paint_grenade(scene, (330, 700), 12, 0.75)
    paint_rifle(scene, (600, 420), 21)

    W, H = SCENE
    # key light from above, a little left of centre, falling off to the edges
    key = light_map(SCENE, W * 0.5, H * 0.44, W * 0.7, H * 0.9, 38, 265,
                    gamma=1.5)
    scene = mul_l(scene, key)
    # warm highlights, cool shadows
    r, g, b = scene.split()
    def tone(v, k=1.0, lift=0):
        x = v / 255.0
        x = x ** 0.88
        x = x + 0.35 * x * (1 - x) * (x - 0.18)      # gentle S-curve
        return max(0, min(255, int(255 * x * k + lift)))
    r = r.point(lambda v: tone(v, 1.04))
    g = g.point(lambda v: tone(v))
    b = b.point(lambda v: tone(v, 0.92, 3))
    scene = Image.merge("RGB", (r, g, b))

    img = scene.resize(BANNER_SIZE, Image.LANCZOS)
    w, h = BANNER_SIZE
    # shallow depth of field: edges a touch softer than the middle
    soft = img.filter(ImageFilter.GaussianBlur(2.2))
    focus = light_map(BANNER_SIZE, w * 0.5, h * 0.48, w * 0.62, h * 0.7,
                      255, 0, gamma=0.7)
    focus = ImageChops.invert(focus)
    img = Image.composite(img, soft, focus)
    # vignette
    vig = light_map(BANNER_SIZE, w * 0.5, h * 0.48, w * 0.75, h * 0.8,
                    85, 255, gamma=0.8)
    img = mul_l(img, vig)
    # film grain: triangular-distributed, monochrome
    n1 = noise_image(BANNER_SIZE, 91)
    n2 = noise_image(BANNER_SIZE, 92)
    grain = ImageChops.add(n1, n2, 2.0)
    grain = grain.point(lambda v: int(128 + (v - 128) * 0.09))
    img = ImageChops.add(img, Image.merge("RGB", (grain, grain, grain)),
                         1.0, -128)
    return img


def make_banner(target=35000):
    img = paint_banner()
    path = os.path.join(ASSETS, "banner.jpg")
    # pick the JPEG quality that lands closest to the wanted file size
    best = None
    for q in range(40, 96):
        buf = io.BytesIO()
        img.save(buf, format="JPEG", quality=q, optimize=True,
                 progressive=False, subsampling=2)
        size = len(buf.getvalue())
        if best is None or abs(size - target) < abs(best[1] - target):
            best = (buf.getvalue(), size, q)
    with open(path, "wb") as f:
        f.write(best[0])
    return path


# ---------------------------------------------------------------------------
# menu buttons: light pill on the blue window, pulsing yellow glow, 14 frames
# ---------------------------------------------------------------------------

BUTTON_SIZE = (173, 33)
BUTTON_FRAMES = 14
WINDOW_BLUE = (0, 0, 255)


def button_face(glow, k=4):
    """One frame of the button face (no text), drawn at k times and reduced."""
    W, H = BUTTON_SIZE[0] * k, BUTTON_SIZE[1] * k
    img = solid((W, H), WINDOW_BLUE)

    pill = Image.new("L", (W, H), 0)
    ImageDraw.Draw(pill).rounded_rectangle((0, 0, W - 1, H - 1),
                                           radius=H // 2, fill=255)
    inner = Image.new("L", (W, H), 0)
    m = int(1.2 * k)
    ImageDraw.Draw(inner).rounded_rectangle((m, m, W - 1 - m, H - 1 - m),
                                            radius=H // 2 - m, fill=255)

    # body: near-white at the top fading to a pale grey
    body = Image.new("RGB", (1, H))
    for y in range(H):
        t = y / (H - 1)
        v = 252 - 30 * t
        body.putpixel((0, y), (int(v), int(v + 1), int(v + 4)))
    body = body.resize((W, H))

    # yellow glow in the lower half, centred
    g = Image.radial_gradient("L").resize((int(W * 0.92), int(H * 1.5)),
                                          Image.BICUBIC)
    g = g.point(lambda v: int(235 * max(0.0, 1 - v / 128.0) ** 0.9))
    glow_mask = Image.new("L", (W, H), 0)
    glow_mask.paste(g, ((W - g.width) // 2, int(H * 0.98) - g.height // 2))
    glow_mask = scale_l(glow_mask, glow)
    body = mix(body, (255, 208, 0), glow_mask)

    # glossy top band
    gloss = Image.new("L", (W, H), 0)
    ImageDraw.Draw(gloss).rounded_rectangle(
        (int(H * 0.35), int(2.2 * k), W - int(H * 0.35), int(H * 0.42)),
        radius=int(H * 0.2), fill=150)
    gloss = gloss.filter(ImageFilter.GaussianBlur(1.5 * k))
    body = mix(body, (255, 255, 255), gloss)

    img.paste((118, 122, 140), (0, 0), pill)            # outline
    img.paste(body, (0, 0), inner)
    return img.resize(BUTTON_SIZE, Image.LANCZOS)


def make_button(name, words):
    font = ImageFont.truetype(FONT_PATH, 19)
    frames = []
    for i in range(BUTTON_FRAMES):
        # frame 0 is the brightest; the glow breathes down and back up
        glow = 0.6 + 0.4 * math.cos(2 * math.pi * i / BUTTON_FRAMES)
        face = button_face(glow)
        d = ImageDraw.Draw(face)
        cx, cy = BUTTON_SIZE[0] / 2.0, BUTTON_SIZE[1] / 2.0
        d.text((cx, cy), words, font=font, fill=(0, 0, 0), anchor="mm")
        frames.append(face.convert("P", palette=Image.ADAPTIVE, colors=256))
    path = os.path.join(ASSETS, name + "_button.gif")
    frames[0].save(path, format="GIF", save_all=True,
                   append_images=frames[1:], duration=90, loop=0,
                   optimize=False, disposal=1, interlace=False)
    return path


def make_buttons():
    return [make_button("brawl", u"混战模式脚本"),
            make_button("match", u"比赛模式脚本"),
            make_button("tweak", u"一键综合优化")]


# ---------------------------------------------------------------------------
# main
# ---------------------------------------------------------------------------

def main():
    os.makedirs(ASSETS, exist_ok=True)
    outputs = [make_icon()]
    outputs += make_buttons()
    outputs.append(make_banner())
    for path in outputs:
        write_report(path)


if __name__ == "__main__":
    main()
