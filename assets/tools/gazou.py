"""Draws the picture library (assets/gazou/*.jpg) from scratch.

usage: python3 gazou.py OUTDIR TMPDIR [name ...] [-name ...]
(no names: every picture; "-name" leaves that picture out)
Every picture is a function below; all shapes are computed here and drawn by ImageMagick.
"""

import math
import os
import random
import sys
import zlib

from gakou import (Pic, rgb, hx, mix, ramp, shade, jitter, smooth, poly, line, circle, ellipse, rect,
                   path, rot_ellipse, ball, ridge, interp_y, mirror, vgrad)

SCENES = {}


def scene(name, w, h, ss=1, quality=88, noise=0.0, out=None):
    """w x h is the size a scene is drawn at; out, the size it is saved at (the drawn size when
    not given). The library pictures are saved no larger than a board on a 1366 x 768 screen
    shows whole, so that the piece box never covers a picture the player cannot scroll."""
    def deco(fn):
        SCENES[name] = (fn, w, h, ss, quality, noise, out or (w, h))
        return fn
    return deco


# ====================================================================== helpers

def cherry_branch(rng, x, y, ang, length, width, depth, segs, tips):
    """Recursive branch: appends (points, width) to segs and blossom points to tips."""
    pts = [(x, y)]
    n = 5
    a = ang
    for i in range(n):
        a += rng.uniform(-0.25, 0.25)
        x += math.cos(a) * length / n
        y += math.sin(a) * length / n
        pts.append((x, y))
    segs.append((pts, width))
    for p in pts[2:]:
        if rng.random() < 0.5:
            tips.append(p)
    tips.append((x, y))
    if depth > 0:
        for k in range(rng.choice((2, 2, 3))):
            cherry_branch(rng, x, y, a + rng.uniform(-0.8, 0.8), length * rng.uniform(0.5, 0.75),
                          width * 0.62, depth - 1, segs, tips)
        # a side shoot from the middle
        mx, my = pts[2]
        cherry_branch(rng, mx, my, a + rng.choice((-1, 1)) * rng.uniform(0.5, 1.1),
                      length * 0.45, width * 0.5, depth - 1, segs, tips)


def blossoms(rng, tips, spread, size, palette, count):
    """Clusters of five-petal flowers around the tips: returns (shadow layer, flower layer)."""
    back, front = "", ""
    for (tx, ty) in tips:
        for _ in range(count):
            x = tx + rng.gauss(0, spread)
            y = ty + rng.gauss(0, spread * 0.8)
            r = size * rng.uniform(0.6, 1.2)
            c = rng.choice(palette)
            back += circle(x + r * 0.2, y + r * 0.3, r * 1.1, shade(c, -0.35))
            rot = rng.uniform(0, 2 * math.pi)
            for k in range(5):
                a = rot + k * 2 * math.pi / 5
                front += circle(x + math.cos(a) * r * 0.55, y + math.sin(a) * r * 0.55, r * 0.55,
                                jitter(rng, c, 8))
            front += circle(x, y, r * 0.22, shade(c, -0.25))
    return back, front


def petals(rng, W, H, n, size, palette, y0=0, y1=None):
    y1 = H if y1 is None else y1
    s = ""
    for _ in range(n):
        s += rot_ellipse(rng.uniform(0, W), rng.uniform(y0, y1), size * rng.uniform(0.7, 1.3),
                         size * 0.55, rng.uniform(0, 3.14), rng.choice(palette), n=10)
    return s


def pagoda(x, base, w, tiers, col):
    """Silhouette of a multi-storey pagoda standing at (x, base)."""
    s = ""
    th = w * 0.42           # storey height
    y = base
    s += rect(x - w * 0.42, y - th * 0.35, x + w * 0.42, y, col)
    y -= th * 0.35
    for i in range(tiers):
        k = 1 - i * 0.09
        bw = w * 0.32 * k
        s += rect(x - bw, y - th * 0.6, x + bw, y, col)
        y -= th * 0.55
        rw = w * 0.62 * k
        # curved roof with upturned eaves
        s += path("M %.1f %.1f Q %.1f %.1f %.1f %.1f L %.1f %.1f Q %.1f %.1f %.1f %.1f Z" % (
            x - rw, y - th * 0.18, x - rw * 0.55, y + th * 0.12, x - bw * 0.7, y - th * 0.28,
            x + bw * 0.7, y - th * 0.28, x + rw * 0.55, y + th * 0.12, x + rw, y - th * 0.18), col)
        y -= th * 0.28
    s += rect(x - w * 0.02, y - th * 2.2, x + w * 0.02, y + 2, col)
    for i in range(6):
        yy = y - th * 0.4 - i * th * 0.26
        s += ellipse(x, yy, w * 0.07, w * 0.018, col)
    return s


def torii(x, base, w, h, red, black):
    s = ""
    pw = w * 0.075
    lx, rx = x - w * 0.36, x + w * 0.36
    s += poly([(lx - pw * 0.5, base - h * 0.86), (lx + pw * 0.5, base - h * 0.86),
               (lx + pw * 0.65 - w * 0.01, base), (lx - pw * 0.65 - w * 0.01, base)], red)
    s += poly([(rx - pw * 0.5, base - h * 0.86), (rx + pw * 0.5, base - h * 0.86),
               (rx + pw * 0.65 + w * 0.01, base), (rx - pw * 0.65 + w * 0.01, base)], red)
    # nuki (lower beam)
    s += rect(x - w * 0.47, base - h * 0.70, x + w * 0.47, base - h * 0.63, red)
    # gakuzuka (central strut)
    s += rect(x - w * 0.03, base - h * 0.86, x + w * 0.03, base - h * 0.70, red)
    # shimaki + kasagi (top beams, curved)
    s += path("M %.1f %.1f Q %.1f %.1f %.1f %.1f L %.1f %.1f Q %.1f %.1f %.1f %.1f Z" % (
        x - w * 0.55, base - h * 0.97, x, base - h * 0.86, x + w * 0.55, base - h * 0.97,
        x + w * 0.52, base - h * 0.88, x, base - h * 0.80, x - w * 0.52, base - h * 0.88), red)
    s += path("M %.1f %.1f Q %.1f %.1f %.1f %.1f L %.1f %.1f Q %.1f %.1f %.1f %.1f Z" % (
        x - w * 0.62, base - h * 1.04, x, base - h * 0.92, x + w * 0.62, base - h * 1.04,
        x + w * 0.56, base - h * 0.955, x, base - h * 0.875, x - w * 0.56, base - h * 0.955), black)
    return s


# ====================================================================== pictures

@scene("fuji", 1280, 960, out=(768, 576))
def fuji(p):
    W, H, rng = p.W, p.H, p.rng
    hor = H * 0.69
    p.background(vgrad([(0, "#2f3f7e"), (0.25, "#6a6aa8"), (0.45, "#c98fb0"), (0.6, "#f3b08e"),
                        (0.69, "#fbd59a"), (0.7, "#f0c090"), (1.0, "#3a4a78")]))
    sx, sy = W * 0.80, H * 0.26

    def sunglow(u, v):
        d = math.hypot((u * W - sx) / W, (v * H - sy) / W)
        a = 0.75 * math.exp(-(d / 0.16) ** 2) + 0.25 * math.exp(-(d / 0.4) ** 2)
        return (255, 214, 170, a)
    p.field(sunglow, 160, 120, op="Screen")
    p.draw(circle(sx, sy, W * 0.045, "#ff7a55") + circle(sx, sy, W * 0.04, "#ff8f62"), blur=1)
    # thin evening clouds
    cl = ""
    for i in range(14):
        cx = rng.uniform(-0.1, 1.1) * W
        cy = rng.uniform(0.08, 0.5) * H
        c = mix("#f6b7b9", "#8c7fb6", rng.random() * 0.6 + (0.5 - cy / H) * 0.6)
        for j in range(5):
            cl += ellipse(cx + rng.uniform(-80, 80), cy + rng.uniform(-6, 6), rng.uniform(80, 220),
                          rng.uniform(5, 13), hx(c, 0.55))
    p.draw(cl, blur=5)

    # Mt. Fuji-like mountain
    cx, top, base = W * 0.47, H * 0.25, hor + 4
    half_top = W * 0.055
    spread_l, spread_r = W * 0.45, W * 0.46
    prof = []
    for i in range(41):
        d = i / 40
        prof.append((cx - half_top - d * spread_l, base - (base - top) * (1 - d) ** 1.9))
    prof.reverse()
    crater = []
    for i in range(9):
        t = i / 8
        crater.append((cx - half_top + 2 * half_top * t, top + (3 if i % 2 else 0) + rng.uniform(-2, 2)))
    right = []
    for i in range(41):
        d = i / 40
        right.append((cx + half_top + d * spread_r, base - (base - top) * (1 - d) ** 1.9))
    ridge_pts = prof + crater + right
    ridge_pts = [(x, y + rng.uniform(-1.5, 1.5)) for x, y in ridge_pts]
    mountain = poly(ridge_pts + [(W * 1.2, base), (-W * 0.2, base)], "#ffffff")

    def mcol(u, v):
        x, y = u * W, v * H
        side = (x - cx) / (W * 0.4)
        c = ramp([(-1, "#3d4a88"), (0, "#5a65a3"), (0.3, "#8a7fb4"), (1, "#9b88b5")], side)
        return mix(c, "#b7a6c8", smooth((y - top) / (base - top)) * 0.45)
    p.field(mcol, 160, 120, mask=mountain)
    # ridges / gullies on the flank
    gl = ""
    for i in range(26):
        side = -1 if i % 2 else 1
        d0 = rng.uniform(0.05, 0.85)
        x0 = cx + side * (half_top + d0 * (spread_l if side < 0 else spread_r) * 0.5)
        y0 = interp_y(ridge_pts, x0) + 10
        pts = [(x0, y0)]
        for k in range(6):
            x0 += side * rng.uniform(8, 22)
            y0 += rng.uniform(18, 40)
            pts.append((x0, min(y0, base)))
        gl += line(pts, "#2f3670" if side < 0 else "#6e5f98", rng.uniform(2, 4))
    p.draw(gl, blur=2, alpha=0.55)
    # snow cap with fingers
    snow_top, snow_bot = [], []
    xl, xr = cx - half_top - spread_l * 0.38, cx + half_top + spread_r * 0.36
    fingers = [(rng.uniform(0.05, 0.5), rng.uniform(0, 6.28)) for _ in range(3)]
    n = 120
    for i in range(n + 1):
        x = xl + (xr - xl) * i / n
        yt = interp_y(ridge_pts, x)
        t = (x - xl) / (xr - xl)
        taper = math.sin(math.pi * t) ** 0.7
        f = 0.0
        for fr, ph in fingers:
            f += abs(math.sin(x / W * 40 * (1 + fr) + ph)) ** 3
        depth = (base - top) * (0.13 + 0.17 * f / 3 + 0.06 * rng.random()) * taper
        snow_top.append((x, yt - 1))
        snow_bot.append((x, yt + depth))
    snow = poly(snow_top + snow_bot[::-1], "#f4f3fb")
    p.draw(snow, blur=0.6)

    def snowshade(u, v):
        x = u * W
        t = smooth((x - (cx - 40)) / 200.0)
        return mix((150, 160, 210, 0.75), (255, 215, 215, 0.35), t)
    p.field(snowshade, 160, 20, op="Multiply", mask=snow.replace("#f4f3fb", "#ffffff"), alpha=0.55)

    # distant hills at the shore
    hills = ridge(rng, [(-20, hor - 30), (W * 0.3, hor - 12), (W * 0.6, hor - 40), (W + 20, hor - 18)], 22)
    p.draw(poly(hills + [(W + 20, hor + 2), (-20, hor + 2)], "#3c4a6e"))
    hills2 = ridge(rng, [(-20, hor - 8), (W * 0.5, hor - 4), (W + 20, hor - 14)], 8)
    trees = ""
    for i in range(260):
        x = rng.uniform(0, W)
        y = interp_y(hills2, x) + 2
        h = rng.uniform(6, 16)
        trees += poly([(x, y - h), (x - h * 0.3, y), (x + h * 0.3, y)], "#263450")
    p.draw(poly(hills2 + [(W + 20, hor + 2), (-20, hor + 2)], "#2b3a58") + trees)

    # left hill with pagoda and a cherry tree
    lh = ridge(rng, [(-20, H * 0.55), (W * 0.12, H * 0.57), (W * 0.25, H * 0.66), (W * 0.32, hor + 2)], 10)
    p.draw(poly(lh + [(-20, hor + 2)], "#2a2642"))
    pb = interp_y(lh, W * 0.11)
    p.draw(pagoda(W * 0.11, pb + 4, W * 0.075, 5, "#231f38"))
    tr = ""
    for i in range(120):
        x = rng.uniform(0, W * 0.3)
        y = interp_y(lh, x) + rng.uniform(-4, 8)
        if abs(x - W * 0.11) < W * 0.05:
            continue
        tr += circle(x, y, rng.uniform(8, 20), mix("#2a2642", "#5a3a5a", rng.random() * 0.7))
    p.draw(tr)

    # the lake: reflection, then the torii standing in the water
    p.reflect(hor, blur=1.2, vblur=5, tint="#2a3a6a", tint_pct=22)
    rip = ""
    for i in range(170):
        y = hor + (H - hor) * (rng.random() ** 1.6)
        x = rng.uniform(0, W)
        ln = rng.uniform(20, 120) * (0.5 + (y - hor) / (H - hor))
        c = rng.choice(["#ffe0c0", "#c8c0e8", "#1f2a50"])
        rip += ellipse(x, y, ln, 1.2 + (y - hor) / H * 3, hx(c, 0.35))
    p.draw(rip, blur=0.7)

    tx, tb = W * 0.74, H * 0.90
    t = torii(tx, tb, W * 0.16, H * 0.28, "#d6342b", "#231a22")
    p.draw(t)
    tref = t.replace("#d6342b", "#d6342b88").replace("#231a22", "#231a2288")
    # reflection of the torii: mirror each polygon about the base line (approximated by a flip of
    # the drawn layer below the base)
    p.raw("(", "-size", "%dx%d" % (W, H), "-background", "none", "mvg:" + p._mvg(tref), "-crop",
          "%dx%d+0+%d" % (W, int(H * 0.30), int(tb - H * 0.30)), "+repage", "-flip", "-blur", "0x2",
          "-morphology", "Convolve", "Blur:0x4,90", ")", "-geometry", "+0+%d" % int(tb),
          "-compose", "Over", "-composite", "+geometry")

    # foreground cherry branches from the top corners
    segs, tips = [], []
    cherry_branch(rng, -30, H * 0.06, 0.25, W * 0.25, 26, 3, segs, tips)
    cherry_branch(rng, W + 30, H * 0.02, math.pi - 0.35, W * 0.2, 22, 3, segs, tips)
    wood = ""
    for pts, wd in segs:
        wood += line(pts, "#3b2328", max(1.5, wd))
    pal = ["#f9c9d8", "#f5a9c2", "#fde4ec", "#ffffff", "#f28fb0"]
    back, front = blossoms(rng, tips, 16, 8, pal, 5)
    p.draw(back, blur=2, alpha=0.8)
    p.draw(wood)
    p.draw(front, blur=0.4)
    p.draw(petals(rng, W, H, 60, 5, pal, H * 0.1, H), alpha=0.9)
    p.texture(op="SoftLight", alpha=0.25, scale=3)


def cloud_bank(rng, x, y, w, h, body, lit, n=14):
    """A puffy cloud lit from below: (body layer, lit-edge layer)."""
    b, l = "", ""
    for i in range(n):
        cx = x + rng.uniform(-0.5, 0.5) * w
        cy = y + rng.uniform(-0.5, 0.3) * h
        rx = rng.uniform(0.15, 0.35) * w
        ry = rng.uniform(0.3, 0.6) * h
        b += ellipse(cx, cy, rx, ry, body)
        l += ellipse(cx + rx * 0.1, cy + ry * 0.5, rx * 0.75, ry * 0.32, lit)
    return b, l


def pine(x, y, h, col, rng=None, w=0.32):
    """A conifer silhouette standing at (x, y)."""
    pts = [(x, y - h)]
    tiers = 5
    left, right = [], []
    for i in range(1, tiers + 1):
        t = i / tiers
        yy = y - h + h * t * 0.9
        ww = h * w * t
        jig = rng.uniform(0.85, 1.15) if rng else 1.0
        right += [(x + ww * jig, yy), (x + ww * 0.45, yy - h * 0.03)]
        left += [(x - ww * 0.45, yy - h * 0.03), (x - ww * jig, yy)]
    pts += right[:-1] + [(x + h * 0.03, y - h * 0.1), (x + h * 0.03, y), (x - h * 0.03, y),
                         (x - h * 0.03, y - h * 0.1)] + list(reversed(left))[1:]
    return poly(pts, col)


@scene("yuuhi", 1600, 1200, out=(768, 576))
def yuuhi(p):
    W, H, rng = p.W, p.H, p.rng
    hor = H * 0.64
    p.background(vgrad([(0, "#1c1a4c"), (0.16, "#43306f"), (0.33, "#9c3f6e"), (0.47, "#e46a50"),
                        (0.57, "#fbb25c"), (0.64, "#ffe6a0"), (0.66, "#f0a060"), (1, "#301c40")]))
    sx, sy = W * 0.52, H * 0.53

    def glow(u, v):
        d = math.hypot(u * W - sx, (v * H - sy) * 1.3) / W
        return (255, 225, 150, min(1, 0.9 * math.exp(-(d / 0.1) ** 2) + 0.35 * math.exp(-(d / 0.35) ** 2)))
    p.field(glow, 200, 150, op="Screen")
    p.draw(circle(sx, sy, W * 0.042, "#fff3c8"), blur=3)
    # streaks of cloud lit from below by the sun
    body, lit = "", ""
    for i in range(11):
        cy = rng.uniform(0.07, 0.42) * H
        cx = rng.uniform(-0.1, 1.1) * W
        t = cy / (0.45 * H)
        bcol = hx(mix("#4a2c66", "#9a4a78", t), 0.5)
        lcol = hx(mix("#ff9a70", "#ffd890", t), 0.85)
        wdt = rng.uniform(0.18, 0.4) * W
        for j in range(16):
            ex = cx + rng.uniform(-0.5, 0.5) * wdt
            ey = cy + rng.uniform(-0.5, 0.5) * H * 0.03
            rx = rng.uniform(0.1, 0.3) * wdt
            ry = rng.uniform(0.006, 0.016) * H
            body += ellipse(ex, ey, rx, ry, bcol)
            lit += ellipse(ex + rx * 0.05, ey + ry * 0.75, rx * 0.65, ry * 0.35, lcol)
    p.draw(body, blur=6)
    p.draw(lit, blur=3.5, alpha=0.85)
    # mountain ranges, far to near
    ranges = [
        ([(-40, H * 0.50), (W * 0.18, H * 0.36), (W * 0.33, H * 0.47), (W * 0.44, H * 0.40),
          (W * 0.6, H * 0.52), (W * 0.78, H * 0.33), (W * 0.92, H * 0.43), (W + 40, H * 0.40)],
         "#a4577a", "#ffc8a0", 30),
        ([(-40, H * 0.47), (W * 0.1, H * 0.52), (W * 0.28, H * 0.50), (W * 0.4, H * 0.58),
          (W * 0.66, H * 0.60), (W * 0.85, H * 0.50), (W + 40, H * 0.56)], "#6e3565", "#e08a80", 24),
        ([(-40, H * 0.56), (W * 0.2, H * 0.60), (W * 0.35, H * 0.645), (W * 0.7, H * 0.65),
          (W * 0.88, H * 0.57), (W + 40, H * 0.60)], "#3d2250", "#a05a70", 14),
    ]
    for i, (ctrl, col, rim, rough) in enumerate(ranges):
        pts = ridge(rng, ctrl, rough, levels=8, decay=0.55)
        body = poly(pts + [(W + 40, hor + 3), (-40, hor + 3)], col)
        p.draw(body)
        # rim light on the sun-facing slopes and a little snow on the far peaks
        rl = ""
        for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
            facing = (x0 - sx) * (y1 - y0) > 0 or abs(x0 - sx) < W * 0.15
            if facing:
                rl += line([(x0, y0 + 1.5), (x1, y1 + 1.5)], rim, 3)
        p.draw(rl, blur=1.5, alpha=0.7)
        if i == 0:
            sn = ""
            for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
                if y0 < H * 0.43:
                    d = (H * 0.43 - y0) * 0.9
                    sn += poly([(x0, y0 + 1), (x1, y1 + 1), (x1, y1 + d * rng.uniform(0.4, 1)),
                                (x0, y0 + d * rng.uniform(0.4, 1))], "#f6c6c0")
            p.draw(sn, blur=1.2, alpha=0.75)
        # haze at the foot of each range
        p.field(lambda u, v, c=col: (255, 180, 140, 0.45 * smooth((v * H - (hor - 90)) / 90.0)),
                8, 120, op="Screen", alpha=0.6, mask=body.replace(col, "#ffffff"))
    # shore trees left and right
    tr = ""
    for side in (0, 1):
        for i in range(70):
            t = rng.random() ** 1.5
            x = t * W * 0.28 if side == 0 else W - t * W * 0.24
            h = (1 - t) * H * 0.16 + rng.uniform(20, 60)
            tr += pine(x, hor + 4, h, "#1a1026", rng)
    p.draw(tr)
    p.draw(rect(0, hor - 2, W, hor + 5, "#1a1026"))
    # water
    p.reflect(hor + 3, blur=1.5, vblur=7, tint="#2a1a40", tint_pct=28)
    gl = ""
    for i in range(260):
        y = hor + (H - hor) * rng.random() ** 1.3
        spread = 20 + (y - hor) * 0.45
        x = sx + rng.gauss(0, spread)
        gl += ellipse(x, y, rng.uniform(6, 26) * (0.5 + (y - hor) / (H - hor)), 1.5 + (y - hor) / H * 4,
                      hx("#ffe2a0", rng.uniform(0.4, 0.9)))
    for i in range(160):
        y = hor + (H - hor) * rng.random()
        x = rng.uniform(0, W)
        gl += ellipse(x, y, rng.uniform(30, 140), 1.4 + (y - hor) / H * 3, hx("#f8a070", 0.25))
    p.draw(gl, blur=0.8)
    # rocks and reeds in the foreground
    fg = ""
    rock = ridge(rng, [(-20, H * 0.86), (W * 0.1, H * 0.84), (W * 0.2, H * 0.9), (W * 0.26, H + 20)], 12, 6)
    fg += poly(rock + [(-20, H + 20)], "#160d20")
    for i in range(90):
        x = rng.uniform(0, W * 0.22)
        y0 = interp_y(rock, x)
        h = rng.uniform(30, 110)
        ang = rng.uniform(-0.25, 0.25)
        fg += line([(x, y0 + 4), (x + math.sin(ang) * h * 0.5, y0 - h * 0.5), (x + math.sin(ang) * h, y0 - h)],
                   "#160d20", rng.uniform(1.5, 3))
    p.draw(fg)
    p.texture(op="SoftLight", alpha=0.2, scale=3)


def building_windows(rng, x0, y0, x1, y1, cw, ch, lit_p, palette, dark):
    s = ""
    nx = max(1, int((x1 - x0 - cw * 0.5) / cw))
    ny = max(1, int((y1 - y0 - ch * 0.5) / ch))
    ox = (x1 - x0 - nx * cw) / 2
    oy = ch * 0.6
    band = rng.random() < 0.25
    for j in range(ny):
        rowp = lit_p * rng.uniform(0.4, 1.6)
        for i in range(nx):
            wx = x0 + ox + i * cw + cw * 0.2
            wy = y0 + oy + j * ch
            if wy + ch * 0.6 > y1:
                break
            if rng.random() < rowp:
                c = rng.choice(palette)
                s += rect(wx, wy, wx + (cw * (0.9 if band else 0.6)), wy + ch * 0.55, jitter(rng, c, 20))
            elif dark:
                s += rect(wx, wy, wx + cw * 0.6, wy + ch * 0.55, dark)
    return s


@scene("yakei", 1600, 900, out=(1024, 576))
def yakei(p):
    W, H, rng = p.W, p.H, p.rng
    hor = H * 0.76
    p.background(vgrad([(0, "#050820"), (0.35, "#121a45"), (0.6, "#2e2a5e"), (0.74, "#6a3f6a"),
                        (0.77, "#8a5060"), (0.78, "#20203a"), (1, "#0a0c1e")]))
    st = ""
    for i in range(260):
        x, y = rng.uniform(0, W), H * 0.55 * rng.random() ** 1.4
        st += circle(x, y, rng.uniform(0.6, 1.8), hx("#ffffff", rng.uniform(0.3, 1)))
    p.draw(st)
    mx, my = W * 0.84, H * 0.15

    def mglow(u, v):
        d = math.hypot(u * W - mx, v * H - my) / W
        return (200, 210, 255, 0.55 * math.exp(-(d / 0.09) ** 2) + 0.15 * math.exp(-(d / 0.25) ** 2))
    p.field(mglow, 160, 90, op="Screen")
    moon = circle(mx, my, 38, "#f6f1d6")
    for i in range(7):
        moon += circle(mx + rng.uniform(-22, 22), my + rng.uniform(-22, 22), rng.uniform(4, 9), "#e0d9b8")
    p.draw(moon, blur=0.8)
    # far skyline
    far = ""
    winf = ""
    x = -10
    while x < W:
        bw = rng.uniform(30, 80)
        bh = rng.uniform(0.08, 0.22) * H
        far += rect(x, hor - bh, x + bw, hor + 2, "#262a52")
        winf += building_windows(rng, x, hor - bh, x + bw, hor, 9, 11, 0.3, ["#b8a070", "#8090b0"], None)
        x += bw + rng.uniform(-10, 4)
    p.draw(far)
    p.draw(winf, alpha=0.8)
    # a lattice tower lit orange
    tx, tb, th = W * 0.3, hor, H * 0.62
    tw = ""
    lp = [(tx - 70, tb), (tx - 18, tb - th * 0.5), (tx - 6, tb - th * 0.8), (tx - 2, tb - th)]
    rp = [(2 * tx - x_, y_) for x_, y_ in lp]
    tw += line(lp, "#ff8a3a", 5) + line(rp, "#ff8a3a", 5)
    for k in range(1, 22):
        t = k / 22
        y = tb - th * 0.8 * t
        xl = interp_y([(yy, xx) for xx, yy in reversed(lp)], y)
        xr = 2 * tx - xl
        tw += line([(xl, y), (xr, y)], "#ffa050", 2)
        if k < 21:
            y2 = tb - th * 0.8 * (k + 1) / 22
            xl2 = interp_y([(yy, xx) for xx, yy in reversed(lp)], y2)
            tw += line([(xl, y), (2 * tx - xl2, y2)], "#e07030", 1.5)
            tw += line([(xr, y), (xl2, y2)], "#e07030", 1.5)
    for yy, ww in ((tb - th * 0.36, 40), (tb - th * 0.6, 22)):
        tw += rect(tx - ww, yy - 12, tx + ww, yy + 12, "#ffe0a0")
    tw += line([(tx, tb - th), (tx, tb - th - 40)], "#ffb070", 3) + circle(tx, tb - th - 42, 4, "#ff3030")
    p.draw(tw, blur=6, op="Screen", alpha=0.8)
    p.draw(tw)
    # near skyline with lit windows
    near, win = "", ""
    x = -20
    while x < W + 20:
        bw = rng.uniform(60, 150)
        bh = rng.uniform(0.14, 0.5) * H * (0.6 if abs(x - tx) < 120 else 1)
        col = jitter(rng, "#12162e", 6)
        top = hor - bh
        near += rect(x, top, x + bw, hor + 2, col)
        kind = rng.random()
        if kind < 0.25:
            near += rect(x + bw * 0.2, top - bh * 0.12, x + bw * 0.8, top + 1, col)
            near += line([(x + bw * 0.5, top - bh * 0.12), (x + bw * 0.5, top - bh * 0.25)], col, 3)
            win += circle(x + bw * 0.5, top - bh * 0.25, 3.5, "#ff4040")
        elif kind < 0.4:
            near += poly([(x, top + 1), (x + bw * 0.5, top - bh * 0.15), (x + bw, top + 1)], col)
        win += building_windows(rng, x + 4, top, x + bw - 4, hor - 6, 13, 17, 0.4,
                                ["#ffd27a", "#ffe9b0", "#cfe4ff", "#ffb060"], None)
        x += bw + rng.uniform(2, 30)
    p.draw(near)
    p.draw(win, blur=5, op="Screen", alpha=0.6)
    p.draw(win)
    # waterfront: reflection with streaks of light
    p.draw(rect(0, hor, W, hor + 6, "#0a0c1a"))
    lamps = ""
    for i in range(40):
        x = (i + 0.5) * W / 40
        lamps += circle(x, hor + 2, 2.5, "#fff0c0")
    p.draw(lamps, blur=3, op="Screen")
    p.draw(lamps)
    p.reflect(hor + 6, blur=2, vblur=10, tint="#0a1030", tint_pct=30)
    rip = ""
    for i in range(300):
        y = hor + 8 + (H - hor) * rng.random()
        rip += ellipse(rng.uniform(0, W), y, rng.uniform(15, 70), 1.2, hx(rng.choice(["#ffd890", "#203060", "#0a0c1e"]), 0.35))
    p.draw(rip)
    p.texture(op="SoftLight", alpha=0.15, scale=3)


@scene("sutendo", 1024, 768, out=(640, 480))
def sutendo(p):
    W, H, rng = p.W, p.H, p.rng
    p.background(vgrad([(0, "#101018"), (1, "#101018")]))
    lead = "#1b1a1e"
    cx, cy = W / 2, H / 2
    R = H * 0.44
    panes = ""
    # background: jittered grid, each cell split into two triangles, cool colours
    nx, ny = 12, 9
    grid = {}
    for j in range(ny + 1):
        for i in range(nx + 1):
            jx = 0 if i in (0, nx) else rng.uniform(-0.3, 0.3)
            jy = 0 if j in (0, ny) else rng.uniform(-0.3, 0.3)
            grid[i, j] = ((i + jx) * W / nx, (j + jy) * H / ny)
    cool = ["#1f5fa8", "#2b86c5", "#1d9a8a", "#3fb27f", "#264d99", "#5a3f99", "#2d7bb0", "#7fbfdf", "#e8c85a"]
    for j in range(ny):
        for i in range(nx):
            a, b, c, d = grid[i, j], grid[i + 1, j], grid[i + 1, j + 1], grid[i, j + 1]
            if (i + j) % 2:
                tris = [(a, b, c), (a, c, d)]
            else:
                tris = [(a, b, d), (b, c, d)]
            for t in tris:
                col = rng.choice(cool) if rng.random() > 0.06 else "#e8c85a"
                panes += poly(list(t), jitter(rng, col, 18), lead, 6)
    p.draw(panes)
    # rose window: rings of segments with radial symmetry
    rose = circle(cx, cy, R + 14, lead)
    rings = [(0.0, 0.16, 1, ["#f2c230"]), (0.16, 0.36, 8, ["#d8262e", "#f08a24"]),
             (0.36, 0.58, 16, ["#2747a8", "#6b2fa0", "#2747a8", "#1f8a6a"]),
             (0.58, 0.8, 16, ["#f2c230", "#d8262e"]), (0.8, 1.0, 32, ["#3a6fd0", "#2aa0a0", "#7a3fb0", "#3a6fd0"])]
    for r0, r1, n, cols in rings:
        for k in range(n):
            a0 = 2 * math.pi * k / n + (math.pi / n if n == 16 and r0 > 0.5 else 0)
            a1 = a0 + 2 * math.pi / n
            pts = []
            for s in range(9):
                a = a0 + (a1 - a0) * s / 8
                pts.append((cx + math.cos(a) * R * r1, cy + math.sin(a) * R * r1))
            for s in range(9):
                a = a1 - (a1 - a0) * s / 8
                pts.append((cx + math.cos(a) * R * r0, cy + math.sin(a) * R * r0))
            rose += poly(pts, jitter(rng, cols[k % len(cols)], 14), lead, 5)
    # petals over the middle rings
    for k in range(8):
        a = 2 * math.pi * k / 8 + math.pi / 8
        px, py = cx + math.cos(a) * R * 0.47, cy + math.sin(a) * R * 0.47
        pts = []
        for s in range(24):
            t = 2 * math.pi * s / 24
            ex, ey = R * 0.2 * math.cos(t), R * 0.1 * math.sin(t)
            pts.append((px + ex * math.cos(a) - ey * math.sin(a), py + ex * math.sin(a) + ey * math.cos(a)))
        rose += poly(pts, "#f6e27a", lead, 5)
    for k in range(12):
        a = 2 * math.pi * k / 12
        rose += circle(cx + math.cos(a) * R * 0.08, cy + math.sin(a) * R * 0.08, R * 0.035, "#ffffff")
    rose += "fill none\nstroke '%s'\nstroke-width 7\ncircle %.1f,%.1f %.1f,%.1f\n" % (lead, cx, cy, cx + R, cy)
    p.draw(rose)
    # corner medallions
    cm = ""
    for (x, y) in ((W * 0.09, H * 0.12), (W * 0.91, H * 0.12), (W * 0.09, H * 0.88), (W * 0.91, H * 0.88)):
        cm += circle(x, y, H * 0.085, lead)
        for k in range(6):
            a0 = k * math.pi / 3
            pts = [(x, y)] + [(x + math.cos(a0 + t * math.pi / 3 / 6) * H * 0.075,
                               y + math.sin(a0 + t * math.pi / 3 / 6) * H * 0.075) for t in range(7)]
            cm += poly(pts, ["#d8262e", "#f2c230"][k % 2], lead, 4)
    p.draw(cm)
    # light shining through: bright centre, darker edges, and glass texture
    def light(u, v):
        d = math.hypot(u - 0.5, (v - 0.5) * 0.75)
        k = 1.1 - 0.6 * d
        g = int(max(0, min(255, 128 * k)))
        return (g, g, g, 1)
    p.field(light, 64, 48, op="Overlay")
    p.texture(op="SoftLight", alpha=0.5, scale=2)
    p.texture(op="SoftLight", alpha=0.45, scale=1, blur=0.5)
    # a soft glow around the brightest glass
    p.raw("(", "+clone", "-blur", "0x10", "-alpha", "set", "-channel", "A", "-evaluate", "set", "22%",
          "+channel", ")", "-compose", "Screen", "-composite")



def puffy_cloud(rng, x, y, w, h, n=16, top="#ffffff", bottom="#d3ddeb"):
    """A cumulus cloud: a shadowed body plus bright puffs on its upper side."""
    sh, hi = "", ""
    for i in range(n):
        t = rng.random()
        cx = x + (t - 0.5) * w
        bump = math.sin(t * math.pi)
        r = h * (0.35 + 0.45 * bump) * rng.uniform(0.7, 1.1)
        cy = y - bump * h * 0.35 + rng.uniform(-0.1, 0.1) * h
        sh += circle(cx, cy, r, bottom)
        hi += circle(cx - r * 0.08, cy - r * 0.18, r * 0.88, top)
    sh += ellipse(x, y + h * 0.1, w * 0.5, h * 0.25, bottom)
    return sh, hi


def round_tree(rng, x, y, r, col, trunk="#5a4030"):
    s = rect(x - r * 0.08, y - r * 0.6, x + r * 0.08, y, trunk)
    s += circle(x, y - r * 1.2, r, shade(col, -0.3))
    for i in range(5):
        s += circle(x + rng.uniform(-0.45, 0.35) * r, y - r * 1.2 + rng.uniform(-0.5, 0.2) * r,
                    r * rng.uniform(0.45, 0.65), jitter(rng, shade(col, rng.uniform(-0.1, 0.15)), 10))
    return s


@scene("hanabatake", 1200, 900, out=(720, 540))
def hanabatake(p):
    W, H, rng = p.W, p.H, p.rng
    hor = H * 0.46
    p.background(vgrad([(0, "#3d86d6"), (0.3, "#7db6ea"), (0.46, "#d6ecf8"), (0.47, "#7aa86a"), (1, "#5a8a40")]))
    for i in range(5):
        sh, hi = puffy_cloud(rng, rng.uniform(0.05, 0.95) * W, rng.uniform(0.1, 0.3) * H,
                             rng.uniform(180, 340), rng.uniform(50, 90))
        p.draw(sh, blur=2.5)
        p.draw(hi, blur=4)
    hills = ridge(rng, [(-20, hor - 40), (W * 0.3, hor - 80), (W * 0.55, hor - 30), (W * 0.85, hor - 70),
                        (W + 20, hor - 40)], 18)
    p.draw(poly(hills + [(W + 20, hor + 5), (-20, hor + 5)], "#9cbfb8"), blur=1)
    hills2 = ridge(rng, [(-20, hor - 10), (W * 0.4, hor - 35), (W * 0.7, hor - 12), (W + 20, hor - 30)], 10)
    p.draw(poly(hills2 + [(W + 20, hor + 5), (-20, hor + 5)], "#77a860"))
    # row of trees and a windmill on the horizon
    tr = ""
    for i in range(40):
        x = rng.uniform(0, W)
        if abs(x - W * 0.72) < 70:
            continue
        tr += round_tree(rng, x, interp_y(hills2, x) + 6, rng.uniform(10, 20), "#3f7a3a")
    p.draw(tr)
    wx, wy = W * 0.72, interp_y(hills2, W * 0.72) + 8
    wm = poly([(wx - 30, wy), (wx - 18, wy - 150), (wx + 18, wy - 150), (wx + 30, wy)], "#8a5a3c")
    wm += poly([(wx + 2, wy), (wx + 18, wy - 150), (wx + 30, wy)], "#6e452c")
    wm += path("M %.1f %.1f Q %.1f %.1f %.1f %.1f Z" % (wx - 24, wy - 148, wx, wy - 190, wx + 24, wy - 148), "#5a3a2a")
    wm += rect(wx - 8, wy - 30, wx + 8, wy, "#3a2418") + rect(wx - 6, wy - 110, wx + 6, wy - 92, "#f0e0b0")
    hubx, huby = wx, wy - 160
    for k in range(4):
        a = math.radians(20 + 90 * k)
        ca, sa = math.cos(a), math.sin(a)
        L, w0 = 150, 26

        def tp(d, o):
            return (hubx + ca * d - sa * o, huby + sa * d + ca * o)
        wm += line([tp(0, 0), tp(L, 0)], "#4a3020", 5)
        wm += poly([tp(25, 2), tp(L, 2), tp(L, w0), tp(25, w0)], "#f3efe4", "#4a3020", 2)
        for d in range(40, L, 22):
            wm += line([tp(d, 2), tp(d, w0)], "#9a8a70", 1.5)
    wm += circle(hubx, huby, 7, "#3a2418")
    p.draw(wm)
    # flower rows converging to the vanishing point
    vx, vy = W * 0.45, hor - 60
    colours = ["#e0212e", "#ffd21f", "#f46aa8", "#8a3fc0", "#ff8a1f", "#ffffff", "#e0212e", "#ffd21f",
               "#f46aa8", "#ff5a3a", "#8a3fc0", "#ffe36a"]
    n = len(colours)
    span = 3.4 * W
    x0 = vx - span / 2
    field_mask = rect(0, hor, W, H, "#ffffff")
    rows = ""
    flowers_back, flowers = "", ""
    for k in range(n):
        bl, br = x0 + k * span / n, x0 + (k + 1) * span / n
        gap = span / n * 0.16

        def at(bx, y):
            return vx + (bx - vx) * (y - vy) / (H - vy)
        pts = [(at(bl + gap / 2, hor), hor), (at(br - gap / 2, hor), hor), (at(br - gap / 2, H), H),
               (at(bl + gap / 2, H), H)]
        c = colours[k]
        rows += poly(pts, shade(c, -0.25))
        y = hor + 1
        while y < H + 10:
            s = (y - vy) / (H - vy)
            size = 2 + 13 * s
            xa, xb = at(bl + gap / 2, y), at(br - gap / 2, y)
            x = xa + size * 0.4
            while x < xb:
                cc = jitter(rng, c, 22)
                flowers_back += ellipse(x, y + size * 0.2, size * 0.75, size * 0.5, shade(cc, -0.45))
                flowers += ellipse(x + rng.uniform(-0.2, 0.2) * size, y, size * 0.55, size * 0.42, cc)
                x += size * rng.uniform(0.8, 1.2)
            y += size * 0.55
    p.draw(rows)
    p.draw(flowers_back, blur=0.6)
    p.draw(flowers)
    # big tulips in the foreground
    fg = ""
    for i in range(16):
        x = rng.uniform(-0.02, 1.02) * W
        y = H * rng.uniform(0.86, 0.98)
        h = rng.uniform(110, 190)
        c = rng.choice(["#e8202c", "#ffd020", "#f45aa0", "#ff7a1a"])
        bend = rng.uniform(-20, 20)
        fg += line([(x, H + 20), (x + bend * 0.5, y - h * 0.5), (x + bend, y - h)], "#2f7a2a", 6)
        leaf_side = rng.choice((-1, 1))
        fg += path("M %.1f %.1f Q %.1f %.1f %.1f %.1f Q %.1f %.1f %.1f %.1f Z" % (
            x, H + 10, x + leaf_side * 60, y - h * 0.3, x + leaf_side * 20, y - h * 0.75,
            x + leaf_side * 5, y - h * 0.3, x, H + 10), "#3e9a36")
        bx, by = x + bend, y - h
        r = rng.uniform(24, 34)
        fg += path("M %.1f %.1f C %.1f %.1f %.1f %.1f %.1f %.1f L %.1f %.1f L %.1f %.1f L %.1f %.1f L %.1f %.1f "
                   "C %.1f %.1f %.1f %.1f %.1f %.1f Z" % (
                       bx - r, by - r * 1.3, bx - r * 1.1, by - r * 0.2, bx - r * 0.6, by + r * 0.5, bx, by + r * 0.5,
                       bx + r * 0.6, by + r * 0.5, bx + r, by - r * 1.3, bx + r * 0.3, by - r * 0.8,
                       bx, by - r * 1.5, bx, by - r * 1.5, bx - r * 0.3, by - r * 0.8, bx - r, by - r * 1.3), c)
        fg += path("M %.1f %.1f Q %.1f %.1f %.1f %.1f Q %.1f %.1f %.1f %.1f Z" % (
            bx - r * 0.45, by - r * 1.1, bx - r * 0.6, by + r * 0.2, bx, by + r * 0.45,
            bx - r * 0.2, by - r * 0.2, bx - r * 0.45, by - r * 1.1), shade(c, 0.35))
        fg += path("M %.1f %.1f Q %.1f %.1f %.1f %.1f L %.1f %.1f Z" % (
            bx + r * 0.2, by - r * 0.7, bx + r * 0.9, by, bx + r * 0.1, by + r * 0.45, bx + r * 0.6, by - r * 1.2),
            shade(c, -0.25))
    p.draw(fg, blur=1.2)
    p.texture(mask=field_mask, op="SoftLight", alpha=0.3, scale=2)


@scene("toudai", 900, 1200, out=(420, 560))
def toudai(p):
    W, H, rng = p.W, p.H, p.rng
    hor = H * 0.55
    p.background(vgrad([(0, "#2a78c8"), (0.35, "#6fb0e6"), (0.55, "#cfe8f6"), (0.551, "#2a6ea8"),
                        (0.8, "#2a8ab0"), (1, "#1a5a80")]))
    for i in range(4):
        sh, hi = puffy_cloud(rng, rng.uniform(0, 1) * W, rng.uniform(0.08, 0.4) * H,
                             rng.uniform(200, 380), rng.uniform(50, 90))
        p.draw(sh, blur=3)
        p.draw(hi, blur=5)
    # far island
    isl = ridge(rng, [(W * 0.05, hor + 1), (W * 0.15, hor - 25), (W * 0.3, hor - 12), (W * 0.38, hor + 1)], 6)
    p.draw(poly(isl, "#6a8fa8"), blur=0.8)
    # sea highlights
    sea = ""
    for i in range(420):
        y = hor + (H - hor) * rng.random() ** 1.2
        s = (y - hor) / (H - hor)
        sea += ellipse(rng.uniform(0, W), y, rng.uniform(10, 50) * (0.3 + s), 1 + 3 * s,
                       hx(rng.choice(["#e8f6ff", "#bfe4f4", "#15507a", "#3aa0c8"]), 0.55))
    p.draw(sea, blur=0.5)
    # cliff on the right with grass on top
    cliff_top = ridge(rng, [(W * 0.28, H * 0.72), (W * 0.45, H * 0.60), (W * 0.7, H * 0.57), (W + 20, H * 0.56)], 14)
    cliff = cliff_top + [(W + 20, H + 20), (W * 0.12, H + 20), (W * 0.18, H * 0.88)]
    p.draw(poly(cliff, "#7a6a5a"))

    def rockcol(u, v):
        x, y = u * W, v * H
        return ramp([(0, "#a89580"), (0.5, "#7d6c5c"), (1, "#4a3e36")], (x / W - 0.3) * 0.8 + (y / H - 0.6) * 1.2)
    p.field(rockcol, 90, 120, mask=poly(cliff, "#ffffff"))
    cr = ""
    for i in range(26):
        y0 = rng.uniform(H * 0.64, H)
        pts = []
        x = W * 0.1
        while x < W + 20:
            pts.append((x, y0 + (x - W * 0.3) * 0.12 + rng.uniform(-4, 4)))
            x += rng.uniform(20, 50)
        cr += line(pts, rng.choice(["#4a3e34", "#b8a890"]), rng.uniform(1.5, 4))
    for i in range(30):
        x = rng.uniform(W * 0.25, W)
        y = rng.uniform(interp_y(cliff_top, x) + 40, H)
        cr += line([(x, y), (x + rng.uniform(-8, 8), y + rng.uniform(20, 50))], "#3a302a", 2)
    cmask = poly(cliff, "#ffffff")
    p.draw(cr, blur=1.2, alpha=0.45)
    p.texture(mask=poly(cliff, "#ffffff"), op="Overlay", alpha=0.45, scale=1)
    grass = poly(cliff_top + [(W + 20, interp_y(cliff_top, W) + 40)] +
                 [(x, y + 30 + 10 * math.sin(x / 30)) for x, y in reversed(cliff_top)], "#5aa53a")
    p.draw(grass)
    gb = ""
    for i in range(500):
        x = rng.uniform(W * 0.28, W)
        y = interp_y(cliff_top, x) + rng.uniform(0, 30)
        gb += line([(x, y + 6), (x + rng.uniform(-4, 4), y - rng.uniform(4, 12))],
                   rng.choice(["#7cc84a", "#3f8a2a", "#9ad860"]), 2)
    p.draw(gb)
    # lighthouse
    lx, lb = W * 0.68, interp_y(cliff_top, W * 0.68) + 8
    th, bw, tw = H * 0.36, 62, 40
    top = lb - th
    body = [(lx - bw, lb), (lx - tw, top), (lx + tw, top), (lx + bw, lb)]
    p.draw(poly(body, "#f6f4ee"))
    stripes = ""
    for k in range(4):
        y0 = lb - th * (k * 0.25 + 0.06)
        y1 = lb - th * (k * 0.25 + 0.17)

        def xw(y):
            return bw + (tw - bw) * (lb - y) / th
        stripes += poly([(lx - xw(y0), y0), (lx + xw(y0), y0), (lx + xw(y1), y1), (lx - xw(y1), y1)], "#d8302a")
    p.draw(stripes)

    def lshade(u, v):
        x = u * W
        t = (x - (lx - bw)) / (2 * bw)
        k = 0.25 * math.exp(-((t - 0.3) / 0.18) ** 2)
        d = smooth((t - 0.45) / 0.55)
        return (0, 0, 30, 0.45 * d) if k < 0.02 else (255, 255, 255, k + 0.0)
    p.field(lshade, 180, 8, mask=poly(body, "#ffffff"))
    lh = ""
    lh += rect(lx - tw - 12, top - 8, lx + tw + 12, top + 4, "#2a2a30")                # gallery
    for k in range(9):
        xx = lx - tw - 10 + k * (2 * tw + 20) / 8
        lh += line([(xx, top - 8), (xx, top - 26)], "#2a2a30", 2)
    lh += line([(lx - tw - 10, top - 26), (lx + tw + 10, top - 26)], "#2a2a30", 3)
    lh += rect(lx - 26, top - 62, lx + 26, top - 8, "#fff6c8")                           # lantern
    lh += rect(lx - 26, top - 62, lx - 20, top - 8, "#2a2a30") + rect(lx + 20, top - 62, lx + 26, top - 8, "#2a2a30")
    lh += rect(lx - 2, top - 62, lx + 2, top - 8, "#2a2a30")
    lh += path("M %.1f %.1f Q %.1f %.1f %.1f %.1f Z" % (lx - 32, top - 60, lx, top - 110, lx + 32, top - 60), "#c02a26")
    lh += line([(lx, top - 95), (lx, top - 125)], "#2a2a30", 3) + circle(lx, top - 127, 5, "#2a2a30")
    lh += rect(lx - 12, lb - 60, lx + 12, lb - 5, "#3a4a6a") + circle(lx, lb - 60, 12, "#3a4a6a")
    for y in (top + th * 0.35, top + th * 0.62):
        lh += rect(lx - 7, y, lx + 7, y + 20, "#3a4a6a")
    p.draw(lh)

    def beam(u, v):
        x, y = u * W, v * H
        dx, dy = x - lx, y - (top - 35)
        if dx > -5:
            return (255, 250, 210, 0)
        spread = abs(dy) / (-dx + 1)
        a = 0.5 * math.exp(-(spread / 0.12) ** 2) * min(1, -dx / 60)
        return (255, 250, 210, a)
    p.field(beam, 180, 240, op="Screen")
    p.draw(circle(lx, top - 35, 22, "#fffbe0"), blur=10, op="Screen")
    # keeper's house
    hx0, hb = lx + 70, interp_y(cliff_top, lx + 110) + 10
    hs = rect(hx0, hb - 70, hx0 + 130, hb, "#f2eee2") + rect(hx0 + 70, hb - 70, hx0 + 130, hb, "#d6d0c0")
    hs += poly([(hx0 - 10, hb - 68), (hx0 + 65, hb - 115), (hx0 + 140, hb - 68)], "#c83a2e")
    hs += rect(hx0 + 20, hb - 50, hx0 + 42, hb - 28, "#3a5a8a") + rect(hx0 + 85, hb - 45, hx0 + 105, hb, "#6a4a30")
    p.draw(hs)
    # waves breaking on the rocks and scattered rocks in the sea
    wv = ""
    edge = [(W * 0.28, H * 0.72), (W * 0.18, H * 0.88), (W * 0.12, H + 20)]
    for i in range(60):
        t = rng.random()
        ex, ey = (edge[0][0] + (edge[1][0] - edge[0][0]) * t * 2, edge[0][1] + (edge[1][1] - edge[0][1]) * t * 2) \
            if t < 0.5 else (edge[1][0] + (edge[2][0] - edge[1][0]) * (t * 2 - 1), edge[1][1] + (edge[2][1] - edge[1][1]) * (t * 2 - 1))
        wv += ellipse(ex - rng.uniform(0, 40), ey + rng.uniform(-10, 10), rng.uniform(15, 45), rng.uniform(4, 10), "#ffffff")
    for i in range(14):
        y = H * 0.74 + i * H * 0.02
        x1 = interp_y([(yy, xx) for xx, yy in reversed(edge)], y) - 10
        wv += ellipse(x1 - rng.uniform(40, 150), y, rng.uniform(40, 110), 2.5, "#ffffff")
    rocks = ""
    for (x, y, r) in ((W * 0.08, H * 0.8, 40), (W * 0.05, H * 0.95, 30), (W * 0.2, H * 0.74, 18)):
        rocks += ellipse(x, y, r * 1.4, r * 0.8, "#4a3e36", 180, 360) + ellipse(x - r * 0.4, y - r * 0.3, r * 0.6, r * 0.3, "#7a6a5a")
        wv += ellipse(x, y + 2, r * 1.8, r * 0.3, "#ffffff")
    p.draw(rocks)
    p.draw(wv, blur=3, alpha=0.85)
    # gulls
    gl = ""
    for i in range(6):
        x, y, s = rng.uniform(0.1, 0.6) * W, rng.uniform(0.12, 0.35) * H, rng.uniform(8, 16)
        gl += path("M %.1f %.1f Q %.1f %.1f %.1f %.1f Q %.1f %.1f %.1f %.1f" % (
            x - s, y, x - s * 0.5, y - s * 0.6, x, y, x + s * 0.5, y - s * 0.6, x + s, y), None, "#30384a", 2.5)
    p.draw(gl)
    p.texture(op="SoftLight", alpha=0.2, scale=3)


def balloon(rng, cx, cy, R, cols, stripe_mode):
    """Hot-air balloon envelope made of gores, with basket and ropes."""
    s = ""
    n = 12

    def prof(t):           # t: 0 top .. 1 bottom of the envelope
        if t < 0.62:
            return math.sin(math.acos(1 - t / 0.62 * 1.0)) if t < 0.62 else 1
        return 1 - (t - 0.62) / 0.38 * 0.72

    def py(t):
        return cy - R + t * R * 2.25

    def pt(t, phi):
        r = R * (math.sqrt(max(0, 1 - (1 - t / 0.62) ** 2)) if t < 0.62 else 1 - (t - 0.62) / 0.38 * 0.72)
        return (cx + r * math.sin(phi), py(t))
    steps = 24
    for g in range(n):
        p0 = -math.pi / 2 + math.pi * g / n
        p1 = p0 + math.pi / n
        pts = [pt(k / steps, p0) for k in range(steps + 1)] + [pt(1 - k / steps, p1) for k in range(steps + 1)]
        c = cols[g % len(cols)]
        mid = (p0 + p1) / 2
        k = -0.35 * (math.sin(mid) + 0.3) if math.sin(mid) > -0.3 else 0.25 * (-0.3 - math.sin(mid))
        s += poly(pts, shade(c, k))
        if stripe_mode:
            band = [pt(0.55 + 0.12 * k2 / steps, p0) for k2 in range(steps + 1)] + \
                   [pt(0.67 - 0.12 * k2 / steps, p1) for k2 in range(steps + 1)]
            s += poly(band, shade(stripe_mode, k))
    bx, by = cx, py(1) + R * 0.35
    bw = R * 0.2
    s += line([pt(1, -math.pi / 2), (bx - bw * 0.8, by)], "#3a2a20", max(1, R * 0.015))
    s += line([pt(1, math.pi / 2), (bx + bw * 0.8, by)], "#3a2a20", max(1, R * 0.015))
    s += rect(bx - bw, by, bx + bw, by + R * 0.22, "#8a5a30") + rect(bx - bw, by, bx + bw, by + R * 0.05, "#5a3a20")
    return s


@scene("kikyuu", 1024, 768, out=(640, 480))
def kikyuu(p):
    W, H, rng = p.W, p.H, p.rng
    p.background(vgrad([(0, "#3e8ad8"), (0.5, "#9ccbf0"), (0.72, "#ffe6c4"), (0.73, "#9cc070"), (1, "#5a8a3a")]))
    for i in range(6):
        sh, hi = puffy_cloud(rng, rng.uniform(0, 1) * W, rng.uniform(0.15, 0.6) * H,
                             rng.uniform(120, 260), rng.uniform(30, 60), top="#ffffff", bottom="#d8dcec")
        p.draw(sh, blur=3, alpha=0.9)
        p.draw(hi, blur=4, alpha=0.9)
    hor = H * 0.72
    # patchwork fields on the ground in perspective
    hills = ridge(rng, [(-20, hor - 20), (W * 0.3, hor - 40), (W * 0.7, hor - 15), (W + 20, hor - 35)], 12)
    p.draw(poly(hills + [(W + 20, hor + 5), (-20, hor + 5)], "#8fb0b0"), blur=1)
    fields = ""
    pal = ["#8cc05a", "#b8d070", "#6aa040", "#d8c060", "#a0c860", "#5a9040", "#c8b050"]
    y = hor
    band = 0
    while y < H:
        hgt = 8 + (y - hor) * 0.35
        x = -rng.uniform(0, 200)
        while x < W:
            wdt = rng.uniform(90, 260) * (1 + (y - hor) / 200)
            fields += poly([(x, y), (x + wdt, y), (x + wdt * 1.02, y + hgt), (x - wdt * 0.02, y + hgt)],
                           jitter(rng, rng.choice(pal), 10), "#4a7030", 1.2)
            x += wdt
        y += hgt
        band += 1
    tr = ""
    for i in range(70):
        x, yy = rng.uniform(0, W), rng.uniform(hor + 10, H)
        r = 3 + (yy - hor) * 0.06
        tr += circle(x, yy - r, r, "#3a6a2a") + circle(x - r * 0.3, yy - r * 1.3, r * 0.5, "#5a8a3a")
    p.draw(fields)
    p.draw(tr)
    # balloons, far to near
    specs = [(0.85, 0.2, 22, ["#ffd020", "#e83a2a"], None), (0.12, 0.36, 28, ["#3a7ae8", "#ffffff"], None),
             (0.62, 0.45, 36, ["#8a3ac8", "#ffd020", "#20a060"], None),
             (0.35, 0.16, 55, ["#e82a4a", "#ff8a20", "#ffd020", "#40b040", "#2a7ae8", "#8a3ac8"], None),
             (0.82, 0.55, 80, ["#f0f0f0", "#e83a2a"], "#2a4ab0"),
             (0.2, 0.62, 120, ["#ff6a1a", "#ffd43a"], "#c8202a")]
    for (u, v, R, cols, stripe) in specs:
        b = balloon(rng, u * W, v * H, R, cols, stripe)
        p.draw(b, blur=0.5 if R > 40 else 0.8)
    # highlight shine on the big balloons
    p.texture(op="SoftLight", alpha=0.15, scale=3)


def boat(rng, x, wl, L, hull, cabin, sail=None):
    """A small boat with its waterline at wl; returns (shape, reflection)."""
    s = ""
    h = L * 0.22
    hullp = [(x - L * 0.5, wl - h), (x + L * 0.55, wl - h * 1.15), (x + L * 0.42, wl + h * 0.2), (x - L * 0.42, wl + h * 0.2)]
    s += poly(hullp, hull)
    s += poly([(x - L * 0.5, wl - h), (x + L * 0.55, wl - h * 1.15), (x + L * 0.54, wl - h * 0.95), (x - L * 0.49, wl - h * 0.8)], "#f4f0e6")
    if sail:
        s += line([(x - L * 0.05, wl - h), (x - L * 0.05, wl - L * 1.1)], "#5a4a3a", max(2, L * 0.02))
        s += poly([(x - L * 0.03, wl - L * 1.05), (x + L * 0.42, wl - h * 1.3), (x - L * 0.03, wl - h * 1.3)], sail)
        s += poly([(x - L * 0.07, wl - L * 0.95), (x - L * 0.4, wl - h * 1.3), (x - L * 0.07, wl - h * 1.3)], shade(sail, -0.12))
    else:
        s += rect(x - L * 0.25, wl - h * 2.3, x + L * 0.12, wl - h * 0.95, cabin)
        s += rect(x - L * 0.2, wl - h * 2.0, x - L * 0.1, wl - h * 1.55, "#2a4a6a")
        s += rect(x - L * 0.05, wl - h * 2.0, x + L * 0.07, wl - h * 1.55, "#2a4a6a")
        s += rect(x - L * 0.28, wl - h * 2.45, x + L * 0.15, wl - h * 2.25, shade(cabin, -0.3))
        s += line([(x + L * 0.0, wl - h * 2.4), (x + L * 0.0, wl - h * 3.6)], "#3a3a3a", max(1.5, L * 0.012))
        s += line([(x - L * 0.45, wl - h), (x - L * 0.05, wl - h * 3.6), (x + L * 0.5, wl - h * 1.1)], "#3a3a3a", 1)
    return s


@scene("minato", 1280, 960, out=(768, 576))
def minato(p):
    W, H, rng = p.W, p.H, p.rng
    hor = H * 0.5
    p.background(vgrad([(0, "#4a90d8"), (0.35, "#a8d2f0"), (0.5, "#e8f2f0"), (0.501, "#2a7aa0"), (1, "#1c5a7a")]))
    for i in range(4):
        sh, hi = puffy_cloud(rng, rng.uniform(0, 1) * W, rng.uniform(0.06, 0.22) * H,
                             rng.uniform(160, 300), rng.uniform(40, 70))
        p.draw(sh, blur=2.5)
        p.draw(hi, blur=4)
    # hills with a town of colourful houses
    hill = ridge(rng, [(-20, H * 0.26), (W * 0.3, H * 0.3), (W * 0.55, H * 0.22), (W * 0.8, H * 0.3), (W + 20, H * 0.27)], 20)
    p.draw(poly(hill + [(W + 20, hor + 2), (-20, hor + 2)], "#5a9a5a"))
    p.texture(mask=poly(hill + [(W + 20, hor + 2), (-20, hor + 2)], "#ffffff"), op="SoftLight", alpha=0.6, scale=2)
    houses, trees = "", ""
    rows = 7
    hcols = ["#f2e2c0", "#e88a5a", "#f4c040", "#f6f2ea", "#d8504a", "#8ab8d8", "#f0a8a0", "#e8d890"]
    roofs = ["#b83a2a", "#8a3a2a", "#4a5a7a", "#c8602a"]
    for r in range(rows):
        y = H * 0.3 + (hor - H * 0.3) * (r + 1) / (rows + 0.3)
        x = rng.uniform(-30, 0)
        s = 0.6 + 0.6 * r / rows
        while x < W:
            top_y = interp_y(hill, x)
            if y - 40 * s > top_y + 10:
                w, h = rng.uniform(34, 60) * s, rng.uniform(24, 44) * s
                c = rng.choice(hcols)
                houses += rect(x, y - h, x + w, y, c) + rect(x + w * 0.7, y - h, x + w, y, shade(c, -0.18))
                houses += poly([(x - 3, y - h + 1), (x + w * 0.5, y - h - h * 0.45), (x + w + 3, y - h + 1)], rng.choice(roofs))
                for k in range(int(w // (12 * s))):
                    houses += rect(x + 5 * s + k * 12 * s, y - h * 0.65, x + 11 * s + k * 12 * s, y - h * 0.35, "#3a4a6a")
                x += w + rng.uniform(2, 14)
            else:
                x += 20
            if rng.random() < 0.3:
                tx = x + rng.uniform(-5, 5)
                trees += circle(tx, y - 18 * s, 12 * s, jitter(rng, "#3f7a3a", 12))
    p.draw(houses)
    p.draw(trees)
    # quay and breakwater with a little red lighthouse
    quay = rect(0, hor - 10, W, hor + 2, "#b8b0a0") + rect(0, hor - 12, W, hor - 9, "#d8d0c0")
    bw = poly([(W * 0.55, hor + 30), (W + 10, hor + 20), (W + 10, hor + 38), (W * 0.55, hor + 42)], "#a8a090")
    bw += rect(W * 0.55, hor + 28, W + 10, hor + 32, "#d0c8b8")
    lx = W * 0.6
    bw += rect(lx - 10, hor - 40, lx + 10, hor + 30, "#d83a2a") + rect(lx - 14, hor - 48, lx + 14, hor - 40, "#3a3a3a")
    bw += rect(lx - 7, hor - 62, lx + 7, hor - 48, "#fff0b0") + poly([(lx - 10, hor - 62), (lx, hor - 74), (lx + 10, hor - 62)], "#d83a2a")
    bw += rect(lx - 10, hor - 10, lx + 10, hor - 2, "#ffffff")
    p.draw(quay)
    p.reflect(hor + 2, blur=1.5, vblur=5, tint="#1a5a80", tint_pct=35, bottom=H)
    p.draw(bw)
    rip = ""
    for i in range(500):
        y = hor + (H - hor) * rng.random() ** 1.1
        s = (y - hor) / (H - hor)
        rip += ellipse(rng.uniform(0, W), y, rng.uniform(8, 40) * (0.4 + s), 1 + 2.5 * s,
                       hx(rng.choice(["#d8f0ff", "#0e4a6a", "#5ab0d0"]), 0.45))
    p.draw(rip, blur=0.5)
    # wooden pier
    pier = ""
    py0 = H * 0.78
    pier += poly([(-10, py0), (W * 0.45, py0 - 70), (W * 0.45, py0 - 58), (-10, py0 + 22)], "#8a6440")
    pier += poly([(-10, py0 + 22), (W * 0.45, py0 - 58), (W * 0.45, py0 - 52), (-10, py0 + 34)], "#5a3e28")
    for k in range(12):
        t = k / 11
        x = -5 + t * W * 0.45
        y = py0 + 30 - t * 84
        pier += rect(x - 5 + t * 2, y - 4, x + 5 - t * 2, y + 70 - t * 40, "#4a3020")
    # boats
    specs = [(0.3, 0.62, 140, "#d8302a", "#f6f2ea", None), (0.72, 0.6, 120, "#2a5ab0", "#f2e6c8", None),
             (0.52, 0.72, 180, "#f6f2ea", None, "#ffffff"), (0.86, 0.8, 200, "#f4c030", "#f6f2ea", None),
             (0.2, 0.9, 220, "#2a8a5a", "#f6f2ea", None)]
    refl, boats = "", ""
    for (u, v, L, hull, cabin, sail) in specs:
        b = boat(rng, u * W, v * H, L, hull, cabin, sail)
        boats += b
        mb = b
        # mirror every coordinate pair about the waterline for the reflection
        wl = v * H
        import re as _re

        def flip(m, wl=wl):
            return "%s,%.1f" % (m.group(1), 2 * wl - float(m.group(2)))
        refl += _re.sub(r"(-?[\d.]+),(-?[\d.]+)", flip, mb.replace("rectangle", "polygon-rect"))
    # rectangles cannot be mirrored by coordinates alone (corner order), convert them to polygons
    fixed = ""
    for ln in refl.split("\n"):
        if ln.startswith("polygon-rect"):
            (a, b), (c, d) = [tuple(map(float, q.split(","))) for q in ln.split()[1:3]]
            fixed += "polygon %.1f,%.1f %.1f,%.1f %.1f,%.1f %.1f,%.1f\n" % (a, b, c, b, c, d, a, d)
        elif ln.startswith("circle"):
            fixed += ln + "\n"
        else:
            fixed += ln + "\n"
    p.draw(fixed, blur=2, alpha=0.45, mblur=(4, 90))
    p.draw(pier)
    p.draw(boats)
    gl = ""
    for i in range(7):
        x, y, s = rng.uniform(0.05, 0.95) * W, rng.uniform(0.05, 0.3) * H, rng.uniform(8, 15)
        gl += path("M %.1f %.1f Q %.1f %.1f %.1f %.1f Q %.1f %.1f %.1f %.1f" % (
            x - s, y, x - s * 0.5, y - s * 0.6, x, y, x + s * 0.5, y - s * 0.6, x + s, y), None, "#ffffff", 2.5)
    p.draw(gl)
    p.texture(op="SoftLight", alpha=0.2, scale=3)



def crown(rng, x, y, r, base, n=22):
    """A leafy tree crown: dark underside, lit upper left."""
    s = ""
    for i in range(n):
        t = i / n
        a = rng.uniform(0, 2 * math.pi)
        d = r * 0.55 * math.sqrt(rng.random())
        cx = x + math.cos(a) * d - t * r * 0.15
        cy = y + math.sin(a) * d * 0.8 - t * r * 0.2
        rr = r * (0.5 - 0.25 * t) * rng.uniform(0.8, 1.2)
        s += circle(cx, cy, rr, jitter(rng, shade(base, -0.35 + 0.6 * t), 14))
    return s


def maple_leaf(x, y, s, ang, col):
    pts = []
    for k in range(40):
        t = 2 * math.pi * k / 40
        lobe = abs(math.cos(2.5 * t)) ** 0.6
        serr = 0.08 * (k % 2)
        r = s * (0.35 + 0.65 * lobe - serr)
        if math.sin(t) > 0.85:      # notch at the stem
            r *= 0.5
        pts.append((x + r * math.cos(t + ang), y + r * math.sin(t + ang)))
    return poly(pts, col)


@scene("kouyou", 1200, 900, out=(768, 576))
def kouyou(p):
    W, H, rng = p.W, p.H, p.rng
    gnd = H * 0.56
    p.background(vgrad([(0, "#9cc8e8"), (0.45, "#f4e8c8"), (0.56, "#e8c890"), (0.57, "#c8904a"), (1, "#8a4a20")]))
    pal = ["#e8401c", "#f07818", "#f8b820", "#d82a20", "#f0a030", "#c85a18", "#ffd040", "#b83a28"]
    # far forest, hazy
    far = ""
    for i in range(90):
        x = rng.uniform(-0.05, 1.05) * W
        y = rng.uniform(0.28, 0.55) * H
        far += crown(rng, x, y, rng.uniform(40, 70), mix(rng.choice(pal), "#f0d8b0", 0.45), 10)
    far += rect(0, H * 0.5, W, gnd + 4, "#c89050")
    p.draw(far, blur=3)
    # the ground and the path
    ground = rect(0, gnd, W, H, "#b0682a")
    p.draw(ground)
    vx, vy = W * 0.52, gnd + 2
    pl, pr = [], []
    for k in range(31):
        t = k / 30
        y = vy + (H + 10 - vy) * t ** 1.3
        cx = vx + math.sin(t * 2.8) * W * 0.12 * t
        half = 8 + W * 0.28 * t ** 1.6
        pl.append((cx - half, y))
        pr.append((cx + half, y))
    p.draw(poly(pl + pr[::-1], "#dcc090"), blur=1.5)
    p.texture(mask=poly(pl + pr[::-1], "#ffffff"), op="SoftLight", alpha=0.5, scale=1)
    # mid and near trees: trunks then crowns
    trunks, crowns = "", ""
    trees = []
    for i in range(26):
        x = rng.uniform(-0.05, 1.05) * W
        base = rng.uniform(gnd + 10, H * 0.78)
        s = (base - gnd) / (H - gnd)
        trees.append((base, x, s))
    trees.sort()
    for base, x, s in trees:
        path_x = interp_y([(y, (a[0] + b[0]) / 2) for a, b in zip(pl, pr)], base)
        if abs(x - path_x) < 30 + 400 * s ** 1.6:
            x = path_x + (1 if x > path_x else -1) * (40 + 420 * s ** 1.6)
        tw = 6 + 30 * s
        th = H * (0.35 + 0.3 * s)
        col = "#4a2a1c"
        t = poly([(x - tw, base), (x - tw * 0.6, base - th), (x + tw * 0.6, base - th), (x + tw, base)], col)
        t += poly([(x + tw * 0.1, base), (x + tw * 0.2, base - th), (x + tw * 0.6, base - th), (x + tw, base)], "#2e1a12")
        for b in range(3):
            by = base - th * rng.uniform(0.5, 0.7)
            side = rng.choice((-1, 1))
            t += line([(x, by), (x + side * th * 0.12, by - th * 0.1), (x + side * th * 0.2, by - th * 0.2)], col, tw * 0.5)
        t += ellipse(x, base, tw * 2.2, tw * 0.4, "#5a3018")
        c = ""
        for k in range(4):
            c += crown(rng, x + rng.uniform(-1, 1) * th * 0.25, base - th * rng.uniform(0.8, 1.05),
                       th * rng.uniform(0.2, 0.32), rng.choice(pal), 22)
        trunks += t
        crowns += c
        p.draw(t)
        p.draw(c, blur=0.6)
    # light shafts from the upper right
    def rays(u, v):
        x, y = u * W, v * H
        ang = math.atan2(y + H * 0.2, W * 1.1 - x)
        a = 0.0
        for k, (c, w) in enumerate(((0.55, 0.03), (0.7, 0.02), (0.82, 0.035), (0.95, 0.02))):
            a += math.exp(-((ang - c) / w) ** 2)
        return (255, 240, 190, min(1, a) * 0.35 * smooth(v * 2))
    p.field(rays, 240, 180, op="Screen")
    # fallen leaves on the ground and some still falling
    lv = ""
    for i in range(900):
        y = gnd + (H - gnd) * rng.random() ** 0.8
        s = (y - gnd) / (H - gnd)
        lv += maple_leaf(rng.uniform(0, W), y, 3 + 10 * s, rng.uniform(0, 6.28),
                         jitter(rng, rng.choice(pal + ["#8a4a20", "#a05a28"]), 20))
    p.draw(lv, alpha=0.9)
    fl = ""
    for i in range(40):
        fl += maple_leaf(rng.uniform(0, W), rng.uniform(0.05, 0.9) * H, rng.uniform(8, 16),
                         rng.uniform(0, 6.28), rng.choice(pal))
    p.draw(fl, blur=0.8)
    p.texture(op="SoftLight", alpha=0.25, scale=3)


@scene("mangekyou", 900, 900, out=(560, 560))
def mangekyou(p):
    W, H, rng = p.W, p.H, p.rng
    cx, cy, R = W / 2, H / 2, W * 0.44
    p.background(vgrad([(0, "#16224a"), (1, "#0c1430")]))
    # seigaiha (wave) pattern behind
    sg = ""
    rr = 36
    for j in range(-1, int(H / (rr * 0.5)) + 2):
        y = j * rr * 0.5
        off = (j % 2) * rr
        for i in range(-1, int(W / (2 * rr)) + 2):
            x = i * 2 * rr + off
            for k, c in enumerate(("#2a4a8a", "#16224a", "#3a6ab0", "#16224a", "#5a8ad0", "#16224a")):
                sg += circle(x, y, rr * (1 - k * 0.16), c)
    p.draw(sg)
    # kaleidoscope disc: random pieces in one 30-degree wedge, mirrored 12 times
    pal = ["#ff3a5a", "#ffb020", "#ffe640", "#3ad0a0", "#30a0ff", "#a050ff", "#ff70c0", "#ffffff", "#ff7030"]
    pieces = []
    for i in range(46):
        kind = rng.random()
        r0 = R * rng.uniform(0.05, 0.95)
        a0 = rng.uniform(0, math.pi / 6)
        sz = R * rng.uniform(0.03, 0.12)
        c = rng.choice(pal)
        if kind < 0.45:
            pts = [(r0 + sz * math.cos(b), a0 + sz * math.sin(b) / max(r0, 1)) for b in
                   (rng.uniform(0, 6.28), rng.uniform(0, 6.28), rng.uniform(0, 6.28))]
            pieces.append(("poly", pts, c))
        elif kind < 0.75:
            pieces.append(("circle", (r0, a0, sz * 0.6), c))
        else:
            pts = [(r0 - sz, a0), (r0, a0 + sz * 0.5 / max(r0, 1)), (r0 + sz, a0), (r0, a0 - sz * 0.5 / max(r0, 1))]
            pieces.append(("poly", pts, c))
    disc = circle(cx, cy, R + 16, "#d8b040") + circle(cx, cy, R + 8, "#0a0a1a")
    for ring in range(8):
        disc += circle(cx, cy, R * (1 - ring * 0.12), mix("#140a30", "#30104a", ring / 8))
    shapes = ""
    for k in range(6):
        for m in (1, -1):
            def tr(r, a):
                aa = k * math.pi / 3 + m * a
                return (cx + r * math.cos(aa), cy + r * math.sin(aa))
            for kind, data, c in pieces:
                if kind == "poly":
                    shapes += poly([tr(r, a) for r, a in data], hx(c, 0.8), "#0a0a1a", 1.5)
                else:
                    r, a, s = data
                    x, y = tr(r, a)
                    shapes += circle(x, y, s, hx(c, 0.85))
    # radial spokes and rings
    sp = ""
    for k in range(12):
        a = k * math.pi / 6
        sp += line([(cx, cy), (cx + R * math.cos(a), cy + R * math.sin(a))], "#ffffff", 1.2)
    for f in (0.33, 0.66):
        sp += "fill none\nstroke '#ffffff80'\nstroke-width 2\ncircle %.1f,%.1f %.1f,%.1f\n" % (cx, cy, cx + R * f, cy)
    p.draw(disc)
    p.draw(sp, alpha=0.35)
    p.draw(shapes)
    p.draw(shapes, blur=8, op="Screen", alpha=0.5)
    centre = ""
    for k in range(12):
        a = k * math.pi / 6
        centre += rot_ellipse(cx + math.cos(a) * R * 0.07, cy + math.sin(a) * R * 0.07, R * 0.07, R * 0.025, a, "#ffe640")
    centre += circle(cx, cy, R * 0.04, "#ff3a5a")
    p.draw(centre)
    # corner flowers
    cf = ""
    for (x, y) in ((0, 0), (W, 0), (0, H), (W, H)):
        for k in range(8):
            a = k * math.pi / 4
            cf += rot_ellipse(x + math.cos(a) * 60, y + math.sin(a) * 60, 55, 22, a, "#e84a7a")
        cf += circle(x, y, 28, "#ffd040")
    p.draw(cf)

    def vign(u, v):
        d = math.hypot(u - 0.5, v - 0.5)
        return (0, 0, 0, 0.5 * smooth((d - 0.45) / 0.3))
    p.field(vign, 64, 64)
    p.texture(op="SoftLight", alpha=0.2, scale=2)


@scene("oorora", 1600, 1200, out=(768, 576))
def oorora(p):
    W, H, rng = p.W, p.H, p.rng
    hor = H * 0.7
    p.background(vgrad([(0, "#02040e"), (0.4, "#061430"), (0.68, "#0c2a44"), (0.7, "#123650"), (1, "#040a16")]))

    def milky(u, v):
        x, y = u * W, v * H
        d = abs((y - H * 0.1) - (x - W * 0.2) * 0.45) / H
        a = 0.22 * math.exp(-(d / 0.09) ** 2) * (0.7 + 0.3 * math.sin(u * 9 + v * 4))
        return (150, 160, 220, a)
    p.field(milky, 200, 150, op="Screen")
    st = ""
    for i in range(1400):
        x, y = rng.uniform(0, W), rng.uniform(0, hor)
        near_band = abs((y - H * 0.1) - (x - W * 0.2) * 0.45) < H * 0.1
        if not near_band and rng.random() < 0.5:
            continue
        r = rng.uniform(0.4, 1.6) if rng.random() < 0.95 else rng.uniform(2, 3)
        st += circle(x, y, r, hx(rng.choice(["#ffffff", "#dce6ff", "#fff0d8"]), rng.uniform(0.3, 1)))
    p.draw(st)
    big = ""
    for i in range(25):
        big += circle(rng.uniform(0, W), rng.uniform(0, hor * 0.9), 3, "#ffffff")
    p.draw(big, blur=3, op="Screen")
    # aurora curtains
    ph = [rng.uniform(0, 6.28) for _ in range(12)]

    def aurora(u, v):
        x, y = u, v
        tot = [0.0, 0.0, 0.0]
        for c, (b0, amp, lo, hi_) in enumerate(((0.46, 0.07, (60, 255, 150), (60, 120, 255)),
                                                (0.33, 0.05, (80, 255, 170), (200, 70, 210)))):
            yb = b0 + amp * math.sin(x * 5.5 + ph[c]) + amp * 0.5 * math.sin(x * 13 + ph[c + 2])
            env = smooth((0.5 + 0.5 * math.sin(x * 3.2 + ph[c + 4])) * 1.2) * (0.4 if c else 1.0)
            stri = 0.55 + 0.25 * math.sin(x * 170 + ph[5] + 3 * math.sin(x * 7)) + 0.2 * math.sin(x * 311 + ph[6])
            if y > yb:
                a = math.exp(-((y - yb) / 0.015) ** 2)
            else:
                a = math.exp(-(yb - y) / 0.13) * stri
            a *= env
            h = min(1, max(0, (yb - y) / 0.25))
            col = mix(lo, hi_, h)
            for i in range(3):
                tot[i] += col[i] * a
        m = max(tot)
        if m <= 0:
            return (0, 0, 0, 0)
        alpha = min(1, m / 255)
        return (tot[0] / alpha if alpha > 0 else 0, tot[1] / alpha if alpha > 0 else 0,
                tot[2] / alpha if alpha > 0 else 0, alpha * 0.9)
    p.field(aurora, 800, 240, op="Screen")
    # mountains with snow
    mt = ridge(rng, [(-20, H * 0.62), (W * 0.15, H * 0.5), (W * 0.3, H * 0.6), (W * 0.5, H * 0.55),
                     (W * 0.7, H * 0.47), (W * 0.85, H * 0.58), (W + 20, H * 0.54)], 20, 8)
    mbody = poly(mt + [(W + 20, hor + 2), (-20, hor + 2)], "#0e1a2c")
    p.draw(mbody)
    sn = ""
    for (x0, y0), (x1, y1) in zip(mt, mt[1:]):
        if y1 < y0 or rng.random() < 0.3:
            d = rng.uniform(10, 60) * (1 if y0 < H * 0.58 else 0.3)
            sn += poly([(x0, y0 + 1), (x1, y1 + 1), (x1 + rng.uniform(-4, 4), y1 + d), (x0, y0 + d * 0.8)], "#5a7a9a")
    p.draw(sn, blur=1.5, alpha=0.8)
    p.field(lambda u, v: (60, 200, 150, 0.25 * smooth((H * 0.68 - v * H) / (H * 0.15))), 8, 120, op="Screen",
            mask=mbody.replace("#0e1a2c", "#ffffff"))
    # forest and a cabin with a warm window
    fr = ""
    for i in range(160):
        t = rng.random()
        x = rng.uniform(-0.02, 1.02) * W
        h = rng.uniform(30, 90) * (1.6 if x < W * 0.2 or x > W * 0.8 else 1)
        fr += pine(x, hor + 3, h, "#03070c", rng)
    p.draw(fr + rect(0, hor - 2, W, hor + 4, "#03070c"))
    cx0, cb = W * 0.63, hor + 3
    cab = rect(cx0, cb - 46, cx0 + 80, cb, "#1a0f0a") + poly([(cx0 - 10, cb - 44), (cx0 + 40, cb - 74), (cx0 + 90, cb - 44)], "#0c0806")
    cab += rect(cx0 + 58, cb - 80, cx0 + 66, cb - 60, "#0c0806")
    win = rect(cx0 + 14, cb - 32, cx0 + 32, cb - 16, "#ffb850") + rect(cx0 + 48, cb - 32, cx0 + 64, cb - 16, "#ffb850")
    p.draw(cab + win)
    p.draw(win, blur=8, op="Screen")
    p.reflect(hor + 4, blur=2, vblur=6, tint="#02060e", tint_pct=30)
    rip = ""
    for i in range(180):
        y = hor + 6 + (H - hor) * rng.random()
        rip += ellipse(rng.uniform(0, W), y, rng.uniform(30, 160), 1.2 + (y - hor) / H * 3,
                       hx(rng.choice(["#7affc0", "#02060e", "#3a8a9a"]), 0.25))
    p.draw(rip, blur=0.8)
    # snowy shore in front
    sh = ridge(rng, [(-20, H * 0.93), (W * 0.35, H * 0.9), (W * 0.7, H * 0.95), (W + 20, H * 0.92)], 10)
    p.draw(poly(sh + [(W + 20, H + 10), (-20, H + 10)], "#2a3e58"))
    p.draw(line(sh, "#6a8aa8", 3), blur=1.5)
    p.texture(op="SoftLight", alpha=0.18, scale=3)


def oval(x, y, rx, ry, ang, col, light=(-0.3, -0.4), steps=14, dark=-0.45, hi=0.5):
    """Shaded ellipsoid (lemon, plum): like ball() but stretched and turned."""
    s = rot_ellipse(x, y, rx, ry, ang, shade(col, dark), 28)
    for i in range(1, steps + 1):
        t = i / steps
        k = dark * (1 - t / 0.5) if t < 0.5 else hi * ((t - 0.5) / 0.5) ** 2
        s += rot_ellipse(x + light[0] * rx * t * 0.85, y + light[1] * ry * t * 0.85, rx * (1 - 0.85 * t),
                         ry * (1 - 0.85 * t), ang, shade(col, k), 28)
    return s


@scene("kudamono", 800, 600, out=(640, 480))
def kudamono(p):
    W, H, rng = p.W, p.H, p.rng
    tab = H * 0.6
    p.background(vgrad([(0, "#3a2c22"), (0.6, "#7a6048"), (0.601, "#6a3e22"), (1, "#3a2010")]))

    def walllight(u, v):
        d = math.hypot(u - 0.35, (v - 0.3) * 1.3)
        return (255, 230, 190, 0.45 * math.exp(-(d / 0.35) ** 2) * (1 if v < 0.6 else 0.4))
    p.field(walllight, 80, 60, op="Screen")
    grain = ""
    for i in range(60):
        y = tab + (H - tab) * rng.random()
        grain += line([(0, y), (W * 0.3, y + rng.uniform(-3, 3)), (W * 0.7, y + rng.uniform(-3, 3)), (W, y)],
                      rng.choice(["#4a2812", "#8a5a34"]), rng.uniform(1, 3))
    p.draw(grain, blur=1, alpha=0.6)
    # checked cloth in perspective
    cl = ""
    x0l, x0r, y0, y1 = W * 0.18, W * 0.9, tab + 10, H + 10
    n, m = 10, 6
    for j in range(m):
        for i in range(n):
            def q(ii, jj):
                t = jj / m
                yy = y0 + (y1 - y0) * t
                xl = x0l - W * 0.15 * t
                xr = x0r + W * 0.12 * t
                return (xl + (xr - xl) * ii / n, yy)
            c = "#c83a34" if (i + j) % 2 else "#f4ece0"
            cl += poly([q(i, j), q(i + 1, j), q(i + 1, j + 1), q(i, j + 1)], c)
    p.draw(cl)
    # a jug behind
    jx, jb = W * 0.7, tab + 30
    jug = path("M %.1f %.1f C %.1f %.1f %.1f %.1f %.1f %.1f L %.1f %.1f C %.1f %.1f %.1f %.1f %.1f %.1f Z" % (
        jx - 70, jb, jx - 110, jb - 110, jx - 40, jb - 160, jx - 35, jb - 230, jx + 35, jb - 230,
        jx + 40, jb - 160, jx + 110, jb - 110, jx + 70, jb), "#2f5f9a")
    jug += path("M %.1f %.1f C %.1f %.1f %.1f %.1f %.1f %.1f" % (jx + 35, jb - 200, jx + 110, jb - 210,
                                                                 jx + 110, jb - 120, jx + 70, jb - 90), None, "#2f5f9a", 14)
    jug += ellipse(jx, jb - 230, 36, 8, "#1a3a60")
    p.draw(ellipse(jx + 20, jb + 2, 90, 14, "#00000080"), blur=6)
    p.draw(jug)
    p.field(lambda u, v: (255, 255, 255, 0.5 * math.exp(-((u * W - jx + 40) / 18) ** 2)) if u * W < jx
            else (0, 0, 20, 0.4 * smooth((u * W - jx) / 70)), 200, 20,
            mask=jug.replace("#2f5f9a", "#ffffff"))
    # bowl
    bx, by = W * 0.42, tab + 70
    shadow = ellipse(bx + 30, by + 40, 230, 30, "#00000090")
    p.draw(shadow, blur=10)
    bowl = path("M %.1f %.1f C %.1f %.1f %.1f %.1f %.1f %.1f Z" % (bx - 200, by - 40, bx - 180, by + 70,
                                                                 bx + 180, by + 70, bx + 200, by - 40), "#e8e0d0")
    fr = ""
    # fruit in the bowl, back to front: banana, grapes, an apple on top, then the front row
    L, R = (bx - 175, by - 150), (bx + 70, by - 178)
    fr += path("M %.1f %.1f Q %.1f %.1f %.1f %.1f Q %.1f %.1f %.1f %.1f Z" % (
        L[0], L[1], bx - 60, by - 45, R[0], R[1], bx - 55, by - 118, L[0], L[1]), "#e8c020")
    fr += path("M %.1f %.1f Q %.1f %.1f %.1f %.1f Q %.1f %.1f %.1f %.1f Z" % (
        L[0] + 10, L[1] - 2, bx - 58, by - 95, R[0] - 8, R[1] + 4, bx - 55, by - 112, L[0] + 10, L[1] - 2), "#f8e060")
    fr += line([L, (L[0] - 12, L[1] - 6)], "#5a4020", 7) + circle(R[0], R[1], 4, "#4a3418")
    for i in range(26):       # grapes
        gx = bx + 110 + rng.uniform(-40, 40) * (1 - i / 40)
        gy = by - 130 + i * 4 + rng.uniform(-10, 10)
        fr += ball(gx, gy, 18, "#6a2a8a", steps=10)
    fr += ball(bx + 20, by - 112, 46, "#c8202a")                      # apple at the back
    fr += ball(bx - 120, by - 80, 56, "#d82a20")                      # red apple
    fr += line([(bx - 125, by - 132), (bx - 118, by - 150)], "#4a3020", 5)
    fr += rot_ellipse(bx - 100, by - 146, 16, 7, -0.5, "#4a9a2a")
    fr += ball(bx - 10, by - 68, 60, "#f08a1a")                       # orange
    fr += ball(bx + 90, by - 60, 52, "#8ac83a")                       # green apple
    p.draw(fr, blur=1.0)
    p.draw(bowl)
    p.field(lambda u, v: (0, 0, 0, 0.35 * smooth((v * H - by + 20) / 60)), 4, 60, mask=bowl.replace("#e8e0d0", "#ffffff"))
    p.draw(ellipse(bx, by - 40, 200, 18, "#f8f4ec") + ellipse(bx, by - 40, 190, 13, "#c8c0b0"), blur=0.6)
    # things on the cloth: pear, lemon, cherries, a slice of watermelon
    fg = ""
    fg += ellipse(W * 0.16, H * 0.93, 70, 14, "#00000070")
    fg += ellipse(W * 0.84, H * 0.9, 80, 14, "#00000070")
    p.draw(fg, blur=6)
    fg = ""
    px, py = W * 0.14, H * 0.84
    fg += ball(px, py, 48, "#c8c83a") + ball(px + 8, py - 52, 30, "#c8c83a", steps=8)
    fg += line([(px + 10, py - 80), (px + 18, py - 100)], "#4a3020", 5)
    fg += oval(W * 0.85, H * 0.86, 58, 40, 0.2, "#f8d828")
    for (cx2, cy2) in ((W * 0.6, H * 0.93), (W * 0.66, H * 0.95)):
        fg += line([(cx2, cy2), (W * 0.64, H * 0.8)], "#3a5a20", 3)
        fg += ball(cx2, cy2, 17, "#b0101a", steps=8)
    p.draw(fg, blur=0.9)
    wx, wy = W * 0.4, H * 0.86
    wm = ellipse(wx, wy, 80, 62, "#2a7a2a", 0, 180) + ellipse(wx, wy, 74, 56, "#f4f0d0", 0, 180)
    wm += ellipse(wx, wy, 68, 51, "#ea3a4a", 0, 180) + rect(wx - 80, wy - 2, wx + 80, wy + 1, "#ea3a4a")
    for i in range(9):
        a = math.pi * (0.15 + 0.7 * i / 8)
        wm += rot_ellipse(wx - math.cos(a) * 40, wy + math.sin(a) * 28, 4, 2.2, a + 1.57, "#1a1010")
    p.draw(wm, blur=0.6)
    p.texture(op="SoftLight", alpha=0.3, scale=2)

    def vign(u, v):
        d = math.hypot(u - 0.45, v - 0.55)
        return (0, 0, 0, 0.6 * smooth((d - 0.35) / 0.45))
    p.field(vign, 64, 48)


@scene("niji", 340, 255, ss=4, quality=90)
def niji(p):
    W, H, rng = p.W, p.H, p.rng
    p.background(vgrad([(0, "#3a7ad0"), (0.55, "#a8d4f4"), (0.65, "#e0f0f0"), (1, "#e0f0f0")]))
    # grey rain clouds on the left
    for i in range(3):
        sh, hi = puffy_cloud(rng, rng.uniform(0, 0.4) * W, rng.uniform(0.06, 0.2) * H, rng.uniform(400, 700),
                             rng.uniform(110, 170), top="#b8c0cc", bottom="#808a9a")
        p.draw(sh, blur=12)
        p.draw(hi, blur=14)
    sh, hi = puffy_cloud(rng, W * 0.8, H * 0.16, 420, 110)
    p.draw(sh, blur=10)
    p.draw(hi, blur=14)
    # the rainbow
    cx, cy, r = W * 0.56, H * 1.05, W * 0.56
    bands = ["#ff2a2a", "#ff8a1a", "#ffe02a", "#3ac83a", "#2a8aff", "#3a3ad0", "#8a2ac8"]
    rb = ""
    bw = W * 0.016
    for k, c in enumerate(bands):
        rr = r - k * bw
        rb += "fill none\nstroke '%s'\nstroke-width %.1f\narc %.1f,%.1f %.1f,%.1f 180,360\n" % (
            c, bw * 1.1, cx - rr, cy - rr, cx + rr, cy + rr)
    p.draw(rb, blur=5, alpha=0.75)
    p.field(lambda u, v: (255, 255, 255, 0.25 * math.exp(-((math.hypot(u * W - cx, v * H - cy) - r * 0.8) / (r * 0.1)) ** 2)
                          if math.hypot(u * W - cx, v * H - cy) < r - 7 * bw else 0), 136, 102, op="Screen")
    # hills
    layers = [("#7ab86a", H * 0.58, 40), ("#5aa84a", H * 0.66, 50), ("#3f9a3a", H * 0.76, 60), ("#6ac04a", H * 0.86, 40)]
    for i, (col, y, rough) in enumerate(layers):
        pts = ridge(rng, [(-20, y + rng.uniform(-30, 30)), (W * 0.35, y - rng.uniform(20, 80)),
                          (W * 0.7, y + rng.uniform(-20, 40)), (W + 20, y - rng.uniform(0, 60))], rough, 6)
        body = poly(pts + [(W + 20, H + 20), (-20, H + 20)], col)
        p.draw(body)
        p.field(lambda u, v, y=y: (255, 255, 200, 0.3 * smooth(1 - (v * H - y + 80) / 200)), 4, 64, op="Screen",
                mask=body.replace(hx(col), "#ffffff"))
        if i == 1:
            tr = ""
            for k in range(14):
                x = rng.uniform(0, W)
                tr += round_tree(rng, x, interp_y(pts, x) + 20, rng.uniform(20, 34), "#2f7a2a")
            hx0 = W * 0.62
            hy = interp_y(pts, hx0) + 30
            tr += rect(hx0, hy - 70, hx0 + 120, hy, "#f4ecd8") + poly([(hx0 - 14, hy - 68), (hx0 + 60, hy - 120), (hx0 + 134, hy - 68)], "#d83a2a")
            tr += rect(hx0 + 20, hy - 50, hx0 + 44, hy - 28, "#3a5a8a") + rect(hx0 + 74, hy - 44, hx0 + 96, hy, "#7a4a2a")
            p.draw(tr)
        if i == 3:
            fl = ""
            for k in range(140):
                x = rng.uniform(0, W)
                yy = interp_y(pts, x) + rng.uniform(10, H)
                fl += circle(x, yy, rng.uniform(5, 9), rng.choice(["#ffffff", "#ffe03a", "#ff6a9a", "#ff4a3a"]))
            p.draw(fl)
    p.texture(op="SoftLight", alpha=0.25, scale=4)



def conifer(rng, x, base, h, col):
    """A detailed spruce: ragged drooping tiers covered in needle strokes, lit from the left."""
    s = rect(x - h * 0.012, base - h, x + h * 0.012, base, "#3a2a20")
    tiers = 18
    for i in range(tiers):
        t = (i + 1) / tiers
        y = base - h * 0.97 + h * 0.88 * t
        half = h * (0.03 + 0.22 * t ** 0.95) * rng.uniform(0.85, 1.15)
        apex = (x, y - h * 0.11)
        droop = h * 0.03 * t
        bottom = []
        n = 14
        for j in range(n + 1):
            f = j / n
            bx = x - half + 2 * half * f
            by = y + droop * (1 - (1 - abs(2 * f - 1)) ** 0.5) + rng.uniform(-1, 1) * h * 0.01
            bottom.append((bx, by))
        s += poly([apex] + bottom, jitter(rng, shade(col, -0.35), 6))
        # needle sprays, brighter on the left (sunny) side
        for j in range(int(40 + 90 * t)):
            f = rng.random()
            bx = x - half + 2 * half * f
            edge = bottom[min(n, int(f * n + 0.5))][1]
            top_here = apex[1] + (edge - apex[1]) * abs(2 * f - 1)
            yy = top_here + (edge - top_here) * rng.random() ** 0.6
            ln = h * rng.uniform(0.006, 0.016)
            ang = (math.pi * 0.75 if f < 0.5 else math.pi * 0.25) + rng.uniform(-0.6, 0.6)
            lit = 0.22 * (1 - f) - 0.25 * f + rng.uniform(-0.15, 0.15)
            s += rot_ellipse(bx, yy, ln, ln * 0.35, ang, shade(col, lit), 8)
    return s


class Noise:
    """Smooth 2-D value noise with fractal sums (deterministic)."""

    def __init__(self, seed):
        r = random.Random(seed)
        self.perm = list(range(256))
        r.shuffle(self.perm)
        self.perm += self.perm
        self.val = [r.random() for _ in range(256)]

    def n(self, x, y):
        xi, yi = int(math.floor(x)), int(math.floor(y))
        xf, yf = x - xi, y - yi
        xi &= 255
        yi &= 255
        P, V = self.perm, self.val
        a = V[P[P[xi] + yi]]
        b = V[P[P[xi + 1] + yi]]
        c = V[P[P[xi] + yi + 1]]
        d = V[P[P[xi + 1] + yi + 1]]
        u = xf * xf * (3 - 2 * xf)
        v = yf * yf * (3 - 2 * yf)
        return a + (b - a) * u + (c - a) * v + (a - b - c + d) * u * v

    def fbm(self, x, y, octaves=5):
        s, amp, norm = 0.0, 1.0, 0.0
        for _ in range(octaves):
            s += self.n(x, y) * amp
            norm += amp
            amp *= 0.5
            x *= 2.03
            y *= 2.03
        return s / norm


@scene("mizuumi", 2000, 1500, quality=88, noise=0.18, out=(768, 576))
def mizuumi(p):
    """Large photo-like picture: an alpine lake on a summer afternoon."""
    W, H, rng = p.W, p.H, p.rng
    k = W / 4000.0
    hor = H * 0.575
    nz = Noise(p.seed)
    p.background(vgrad([(0, "#1f56a0"), (0.22, "#3f7cc4"), (0.42, "#86b2dc"), (0.54, "#c6dbea"),
                        (0.575, "#dfe9ee"), (0.58, "#5f8aa0"), (1, "#2c4f60")]), 4, 512)
    # clouds: thresholded plasma, stretched sideways, fading toward the horizon
    cmask = p._pam(lambda u, v: (255, 255, 255, 1) if False else
                   (int(255 * smooth((0.53 - v) / 0.33) * (0.7 + 0.3 * math.sin(u * 4 + 0.5))),) * 3 + (1,), 64, 64)
    p.raw("(", "-size", "%dx%d" % (W, H), "xc:#fbfcff",
          "(", "-size", "%dx%d" % (W // 6, H // 12), "-seed", str(p.seed + 11), "plasma:grey50-grey50",
          "-colorspace", "Gray", "-auto-level", "-blur", "0x2", "-level", "42%,82%", "-filter", "Cubic", "-resize", "%dx%d!" % (W, H),
          "(", "pam:" + cmask, "-alpha", "off", "-filter", "Cubic", "-resize", "%dx%d!" % (W, H), ")",
          "-compose", "Multiply", "-composite", ")",
          "-alpha", "off", "-compose", "CopyOpacity", "-composite", ")",
          "-compose", "Over", "-composite")
    # shaded cloud bottoms
    p.raw("(", "-size", "%dx%d" % (W, H), "xc:#9aaec8",
          "(", "-size", "%dx%d" % (W // 6, H // 12), "-seed", str(p.seed + 11), "plasma:grey50-grey50",
          "-colorspace", "Gray", "-auto-level", "-blur", "0x2", "-level", "55%,95%", "-filter", "Cubic", "-resize", "%dx%d!" % (W, H),
          "-roll", "+0+%d" % int(-18 * k),
          "(", "pam:" + cmask, "-alpha", "off", "-filter", "Cubic", "-resize", "%dx%d!" % (W, H), ")",
          "-compose", "Multiply", "-composite", "-evaluate", "multiply", "0.55", ")",
          "-alpha", "off", "-compose", "CopyOpacity", "-composite", ")",
          "-compose", "Multiply", "-composite")

    # --- far mountains: silhouette + hill-shaded rock and snow computed from noise
    ctrl = [(-50, H * 0.47), (W * 0.08, H * 0.36), (W * 0.17, H * 0.31), (W * 0.25, H * 0.38),
            (W * 0.33, H * 0.27), (W * 0.42, H * 0.21), (W * 0.5, H * 0.3), (W * 0.58, H * 0.36),
            (W * 0.66, H * 0.28), (W * 0.74, H * 0.33), (W * 0.84, H * 0.25), (W * 0.92, H * 0.35),
            (W + 50, H * 0.42)]
    far = ridge(rng, ctrl, H * 0.035, levels=9, decay=0.52)
    fbody = poly(far + [(W + 50, hor + 5), (-50, hor + 5)], "#ffffff")
    peaks = [c for c in ctrl[1:-1]]
    lw, lh = 560, 420

    def mountain(u, v, snow_only=False):
        x, y = u * W, v * H
        top = interp_y(far, x)
        if y < top - 20 or y > hor + 10:
            return (0, 0, 0, 0)
        depth = (y - top) / H
        # faces: where the skyline above rises to the right the slope faces the light (left)
        r1 = nz.fbm(x / W * 14, y / H * 6, 3)
        dl = W * (0.006 + 0.5 * depth)
        dtop = (interp_y(far, x + dl) - interp_y(far, x - dl)) / (2 * dl)
        face = 0.32 * math.tanh(-dtop * 2.5) * (1 - 0.5 * smooth(depth / 0.25))
        light = 0.6 + face + (r1 - 0.5) * 0.8
        snowline = H * 0.33 + (nz.fbm(x / W * 10, 3.3, 3) - 0.5) * H * 0.1 + \
            (nz.fbm(x / W * 45, y / H * 25, 3) - 0.5) * H * 0.09
        snowy = smooth((snowline - y) / (H * 0.01))
        rock = ramp([(0, "#4e5058"), (0.45, "#7a7670"), (0.7, "#978a7a"), (1, "#a8a49c")],
                    nz.fbm(x / W * 40, y / H * 90, 3))
        rock = shade(rock, (light - 0.65) * 0.9)
        snow = mix("#7d93ba", "#fbfcfe", max(0.0, min(1.0, (light - 0.3) * 1.5)))
        c = mix(rock, snow, snowy)
        # lower slopes: scree and alpine grass, then haze toward the valley
        c = mix(c, shade("#61755a", (light - 0.6) * 0.5), smooth((depth - 0.09) / 0.1) * 0.75)
        if snow_only:
            return (snow[0], snow[1], snow[2], snowy * 0.4)
        return (c[0], c[1], c[2], 1)
    p.field(mountain, lw, lh, mask=fbody)
    # rock relief: gullies (height map stretched vertically) and finer grain
    p.relief(mask=fbody, div=(4, 9), light="120x35", op="Overlay", alpha=0.6, level="8%,95%", blur=0.7)
    p.relief(mask=fbody, div=(2, 3), light="120x45", op="SoftLight", alpha=0.5)
    p.field(lambda u, v: mountain(u, v, True), lw, lh, mask=fbody)
    p.field(lambda u, v: (184, 202, 218, 0.12 + 0.45 * smooth((v * H - H * 0.36) / (H * 0.2))), 4, 128,
            mask=fbody)

    # --- forested middle hills, two layers
    def forest_layer(ctrl2, base_col, tree_col, haze, n_trees, hmin, hmax, seed_shift):
        pts = ridge(rng, ctrl2, H * 0.012, levels=9, decay=0.55)
        body = poly(pts + [(W + 50, hor + 5), (-50, hor + 5)], base_col)
        p.draw(body)
        trees = ""
        for i in range(n_trees):
            x = rng.uniform(-0.01, 1.01) * W
            top = interp_y(pts, x)
            y = top + (hor - top) * rng.random() ** 1.8 + 4 * k
            h = rng.uniform(hmin, hmax) * k
            c = jitter(rng, mix(tree_col, "#a8bccb", haze * (0.6 + 0.4 * rng.random())), 10)
            trees += pine(x, y, h, c, rng, w=0.25)
        p.draw(trees)
        return pts, body
    pts1, b1 = forest_layer([(-50, H * 0.49), (W * 0.2, H * 0.46), (W * 0.45, H * 0.5), (W * 0.7, H * 0.47), (W + 50, H * 0.5)],
                            "#4f6a5e", "#2f4a3c", 0.45, 2600, 30, 60, 1)
    p.field(lambda u, v: (200, 215, 230, 0.35 * smooth((v * H - H * 0.47) / (H * 0.1))), 4, 128,
            mask=b1.replace("#4f6a5e", "#ffffff"))
    pts2, b2 = forest_layer([(-50, H * 0.43), (W * 0.1, H * 0.47), (W * 0.25, H * 0.53), (W * 0.4, H * 0.565)],
                            "#2d4636", "#1e3a28", 0.1, 1500, 40, 90, 2)
    pts3, b3 = forest_layer([(W * 0.62, H * 0.565), (W * 0.8, H * 0.5), (W * 0.92, H * 0.44), (W + 50, H * 0.42)],
                            "#2d4636", "#1a3424", 0.05, 1600, 40, 100, 3)
    # sunlit tree tops
    p.texture(mask=b2.replace("#2d4636", "#ffffff") + b3.replace("#2d4636", "#ffffff"), op="SoftLight", alpha=0.5, scale=1)
    # a small village on the far shore
    vil = ""
    for i in range(14):
        x = W * (0.45 + 0.16 * rng.random())
        y = hor - rng.uniform(2, 14) * k
        w, h = rng.uniform(40, 70) * k, rng.uniform(26, 40) * k
        c = rng.choice(["#f2ece0", "#e8dcc4", "#f6f4ee", "#d8c8a8"])
        vil += rect(x, y - h, x + w, y, c) + rect(x + w * 0.6, y - h, x + w, y, shade(c, -0.2))
        vil += poly([(x - 4 * k, y - h + 2), (x + w * 0.5, y - h - h * 0.55), (x + w + 4 * k, y - h + 2)],
                    rng.choice(["#8a3a2a", "#6a4a3a", "#5a3a30"]))
        for j in range(int(w / (16 * k))):
            vil += rect(x + (5 + j * 16) * k, y - h * 0.7, x + (11 + j * 16) * k, y - h * 0.35, "#4a4a50")
    cx_ = W * 0.53
    vil += rect(cx_ - 14 * k, hor - 170 * k, cx_ + 14 * k, hor - 4 * k, "#f4f0e8")
    vil += poly([(cx_ - 18 * k, hor - 170 * k), (cx_, hor - 250 * k), (cx_ + 18 * k, hor - 170 * k)], "#5a6a5a")
    p.draw(vil)
    p.draw(rect(0, hor - 4 * k, W, hor + 3 * k, "#3b5040"))

    # --- the lake
    p.reflect(hor + 3 * k, blur=2 * k + 0.5, vblur=10 * k, tint="#244a5c", tint_pct=30)
    p.field(lambda u, v: (20, 50, 66, 0.55 * smooth((v - 0.6) / 0.4)), 4, 128)
    rip = ""
    for i in range(1500):
        y = hor + (H - hor) * rng.random() ** 1.4
        s = (y - hor) / (H - hor)
        rip += ellipse(rng.uniform(0, W), y, rng.uniform(20, 90) * k * (0.3 + 1.5 * s), (1.5 + 5 * s) * k,
                       hx(rng.choice(["#c8dce6", "#a8c4d2", "#1c3a48", "#2a5060"]), rng.uniform(0.12, 0.3)))
    p.draw(rip, blur=1.2 * k + 0.3)
    # --- foreground meadow, rocks, flowers
    mead = ridge(rng, [(-50, H * 0.79), (W * 0.25, H * 0.83), (W * 0.5, H * 0.9), (W * 0.75, H * 0.86), (W + 50, H * 0.8)],
                 H * 0.015, levels=9)
    mbody = poly(mead + [(W + 50, H + 50), (-50, H + 50)], "#ffffff")

    def meadow(u, v):
        x, y = u * W, v * H
        t = smooth((y - H * 0.8) / (H * 0.2))
        c = mix("#8fb052", "#4d7a2a", t)
        c = shade(c, (nz.fbm(u * 18, v * 18, 4) - 0.5) * 0.7)
        return (c[0], c[1], c[2], 1)
    p.field(meadow, 360, 270, mask=mbody)
    p.texture(mask=mbody, op="Overlay", alpha=0.6, scale=1)
    # boulders with a soft shadow
    rocks, rsh = "", ""
    boulders = []
    for (u, v, r) in ((0.08, 0.9, 170), (0.2, 0.94, 110), (0.86, 0.88, 200), (0.95, 0.95, 130), (0.7, 0.97, 80)):
        x, y, r = u * W, v * H, r * k
        boulders.append((x, y, r))
        rsh += ellipse(x + r * 0.2, y + r * 0.55, r * 1.3, r * 0.35, "#1a2a10")
        pts = []
        for i in range(24):
            a = 2 * math.pi * i / 24
            rr = r * (0.85 + 0.25 * nz.n(u * 50 + math.cos(a) * 1.3, v * 50 + math.sin(a) * 1.3))
            pts.append((x + math.cos(a) * rr * 1.2, y + math.sin(a) * rr * 0.75 - r * 0.1))
        rocks += poly(pts, "#8a8682")
        rocks += poly([(px_ + r * 0.08, py_ + r * 0.08) for px_, py_ in pts[:13]], "#5a5856")
        rocks += ellipse(x - r * 0.35, y - r * 0.35, r * 0.45, r * 0.22, "#b0aca6")
    p.draw(rsh, blur=12 * k, alpha=0.7)
    p.draw(rocks, blur=1.5 * k)
    rmask = rocks.replace("#8a8682", "#ffffff").replace("#5a5856", "#ffffff").replace("#b0aca6", "#ffffff")
    p.relief(mask=rmask, div=(6, 6), light="120x50", op="Overlay", alpha=0.9)
    # grass blades
    gr = ""
    for i in range(9000):
        x = rng.uniform(0, W)
        top = interp_y(mead, x)
        y = top + (H + 20 - top) * rng.random() ** 0.8
        s = (y - H * 0.8) / (H * 0.2)
        h = (14 + 60 * s) * k * rng.uniform(0.6, 1.3)
        if any(abs(x - bx_) < br_ * 1.1 and by_ - br_ * 0.8 < y < by_ + br_ * 0.3 for bx_, by_, br_ in boulders):
            continue
        lean = rng.uniform(-0.4, 0.4) * h
        c = rng.choice(["#a8c860", "#6a9a34", "#4a7a24", "#c0d878", "#3a6a1e"])
        gr += line([(x, y), (x + lean * 0.4, y - h * 0.6), (x + lean, y - h)], c, (1.2 + 2.2 * s) * k)
    p.draw(gr)
    fl = ""
    patches = [(rng.uniform(0, W), rng.uniform(0.86, 1.0) * H, rng.choice(["#ffe24a", "#f6f4ff", "#b48ae0", "#ffd030", "#e8708a"]))
               for _ in range(14)]
    for i in range(900):
        px_, py_, c = rng.choice(patches)
        x = px_ + rng.gauss(0, W * 0.05)
        top = interp_y(mead, x)
        y = max(top + 10 * k, py_ + rng.gauss(0, H * 0.03))
        s = max(0.0, (y - H * 0.8) / (H * 0.2))
        r = (2.5 + 7 * s) * k * rng.uniform(0.7, 1.2)
        fl += circle(x, y, r * 1.2, shade(c, -0.3)) + circle(x - r * 0.2, y - r * 0.25, r, c)
    p.draw(fl)
    # two spruces on the right, close up
    for (u, v, hh) in ((0.9, 0.87, 1500), (0.985, 0.9, 1900)):
        tr = conifer(rng, u * W, v * H, hh * k, "#22402a")
        p.draw(tr, blur=1.0 * k)
    p.texture(op="SoftLight", alpha=0.15, scale=2)



# ====================================================================== main

def main():
    out, tmp = sys.argv[1], sys.argv[2]
    args = sys.argv[3:]
    names = [a for a in args if not a.startswith("-")] or sorted(SCENES)
    names = [n for n in names if "-" + n not in args]
    unknown = [n for n in names if n not in SCENES]
    if unknown:
        sys.exit("unknown picture(s): %s" % " ".join(unknown))
    os.makedirs(out, exist_ok=True)
    for i, name in enumerate(sorted(SCENES)):
        if name not in names:
            continue
        fn, w, h, ss, q, noise, (ow, oh) = SCENES[name]
        p = Pic(name, w, h, tmp, ss=ss, seed=zlib.crc32(name.encode()) % 100000, out=(ow, oh))
        fn(p)
        # The game numbers its library pictures: a completed picture from elsewhere joins the
        # library as the next number, and only numbered pictures look up their records.
        file_name = "ジグソー画像%d.jpg" % (i + 1)
        p.save(os.path.join(out, file_name), quality=q, noise=noise)
        print("  %s (%s) %dx%d" % (file_name, name, ow, oh), flush=True)


if __name__ == "__main__":
    main()
