"""Small drawing kit used by gazou.py.

Pictures are drawn by ImageMagick's convert: each picture is one convert command that
starts from a background and composites layers on it.  A layer is either vector shapes
(an MVG file, the ImageMagick vector format), or a smooth colour field computed here in
Python at low resolution and enlarged (gradients, glows, light), optionally clipped by a
shape mask, or a plasma texture.  All randomness comes from random.Random(seed) and
convert's -seed, so the output is the same on every run.
"""

import bisect
import math
import os
import random
import subprocess

CONVERT = os.environ.get("CONVERT", "convert")


# ---------------------------------------------------------------- colours

def rgb(c):
    """'#rrggbb', '#rrggbbaa' or a tuple -> (r, g, b, a) with r,g,b in 0..255, a in 0..1."""
    if isinstance(c, str):
        s = c.lstrip("#")
        r, g, b = int(s[0:2], 16), int(s[2:4], 16), int(s[4:6], 16)
        a = int(s[6:8], 16) / 255.0 if len(s) >= 8 else 1.0
        return (r, g, b, a)
    if len(c) == 3:
        return (c[0], c[1], c[2], 1.0)
    return tuple(c)


def hx(c, a=None):
    r, g, b, aa = rgb(c)
    if a is None:
        a = aa
    cl = lambda v: max(0, min(255, int(round(v))))
    if a >= 0.999:
        return "#%02x%02x%02x" % (cl(r), cl(g), cl(b))
    return "#%02x%02x%02x%02x" % (cl(r), cl(g), cl(b), cl(a * 255))


def mix(c1, c2, t):
    a, b = rgb(c1), rgb(c2)
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(4))


def ramp(stops, t):
    """stops: [(pos, colour), ...] sorted by pos; returns the colour at t."""
    if t <= stops[0][0]:
        return rgb(stops[0][1])
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            f = (t - p0) / (p1 - p0) if p1 > p0 else 0.0
            f = f * f * (3 - 2 * f)  # smooth step between stops
            return mix(c0, c1, f)
    return rgb(stops[-1][1])


def shade(c, k):
    """k<0 darkens toward black, k>0 lightens toward white."""
    return mix(c, "#000000", -k) if k < 0 else mix(c, "#ffffff", k)


def jitter(rng, c, amount):
    r, g, b, a = rgb(c)
    d = rng.uniform(-amount, amount)
    return (r + d + rng.uniform(-amount, amount) * 0.3,
            g + d + rng.uniform(-amount, amount) * 0.3,
            b + d + rng.uniform(-amount, amount) * 0.3, a)


def smooth(t):
    t = max(0.0, min(1.0, t))
    return t * t * (3 - 2 * t)


# ---------------------------------------------------------------- shapes (MVG text)

def _pts(pts):
    return " ".join("%.1f,%.1f" % (x, y) for x, y in pts)


def poly(pts, fill, stroke=None, sw=1):
    s = "fill %s\n" % ("'%s'" % hx(fill) if fill else "none")
    s += "stroke %s\nstroke-width %.1f\n" % (("'%s'" % hx(stroke)), sw) if stroke else "stroke none\n"
    return s + "polygon %s\n" % _pts(pts)


def line(pts, stroke, sw, cap="round"):
    return ("fill none\nstroke '%s'\nstroke-width %.2f\nstroke-linecap %s\nstroke-linejoin round\n"
            "polyline %s\nstroke none\n" % (hx(stroke), sw, cap, _pts(pts)))


def circle(x, y, r, fill):
    return "fill '%s'\nstroke none\ncircle %.1f,%.1f %.1f,%.1f\n" % (hx(fill), x, y, x + r, y)


def ellipse(x, y, rx, ry, fill, a0=0, a1=360):
    return "fill '%s'\nstroke none\nellipse %.1f,%.1f %.1f,%.1f %g,%g\n" % (hx(fill), x, y, rx, ry, a0, a1)


def rect(x0, y0, x1, y1, fill):
    return "fill '%s'\nstroke none\nrectangle %.1f,%.1f %.1f,%.1f\n" % (hx(fill), x0, y0, x1, y1)


def path(d, fill, stroke=None, sw=1):
    s = "fill %s\n" % ("'%s'" % hx(fill) if fill else "none")
    s += "stroke '%s'\nstroke-width %.1f\nstroke-linecap round\nstroke-linejoin round\n" % (hx(stroke), sw) if stroke else "stroke none\n"
    return s + "path '%s'\n" % d


def rot_ellipse(x, y, rx, ry, ang, fill, n=18):
    ca, sa = math.cos(ang), math.sin(ang)
    pts = []
    for i in range(n):
        t = 2 * math.pi * i / n
        ex, ey = rx * math.cos(t), ry * math.sin(t)
        pts.append((x + ex * ca - ey * sa, y + ex * sa + ey * ca))
    return poly(pts, fill)


def ball(x, y, r, col, light=(-0.35, -0.4), steps=20, dark=-0.5, hi=0.5):
    """A shaded sphere: concentric discs moving toward the light, dark rim to bright spot."""
    s = circle(x, y, r, shade(col, dark))
    for i in range(1, steps + 1):
        t = i / steps
        rr = r * (1 - 0.85 * t)
        cx = x + light[0] * r * t * 0.85
        cy = y + light[1] * r * t * 0.85
        k = dark * (1 - t / 0.5) if t < 0.5 else hi * ((t - 0.5) / 0.5) ** 2
        s += circle(cx, cy, rr, shade(col, k))
    return s


def ridge(rng, pts, rough, levels=7, decay=0.55):
    """Midpoint displacement between the given control points (x sorted)."""
    out = list(pts)
    amp = rough
    for _ in range(levels):
        nxt = [out[0]]
        for (x0, y0), (x1, y1) in zip(out, out[1:]):
            nxt.append(((x0 + x1) / 2, (y0 + y1) / 2 + rng.uniform(-amp, amp)))
            nxt.append((x1, y1))
        out = nxt
        amp *= decay
    return out


_XS_CACHE = {}


def interp_y(pts, x):
    """y of a polyline (x sorted) at x."""
    key = id(pts)
    hit = _XS_CACHE.get(key)
    if hit is None or hit[0] is not pts:
        hit = (pts, [q[0] for q in pts])
        _XS_CACHE[key] = hit
    xs = hit[1]
    i = bisect.bisect_left(xs, x)
    if i <= 0:
        return pts[0][1]
    if i >= len(pts):
        return pts[-1][1]
    (x0, y0), (x1, y1) = pts[i - 1], pts[i]
    return y0 + (y1 - y0) * ((x - x0) / (x1 - x0) if x1 > x0 else 0)


def mirror(pts, y0):
    return [(x, 2 * y0 - y) for x, y in pts]


def vgrad(stops):
    """Field function for a vertical gradient."""
    def f(u, v):
        return ramp(stops, v)
    return f


# ---------------------------------------------------------------- the picture

class Pic:
    def __init__(self, name, w, h, tmp, ss=1, seed=1, out=None):
        self.name = name
        self.ow, self.oh = out or (w, h)
        self.W, self.H = w * ss, h * ss
        self.ss = ss
        self.dir = os.path.join(tmp, name)
        os.makedirs(self.dir, exist_ok=True)
        self.k = 0
        self.args = []
        self.rng = random.Random(seed)
        self.seed = seed

    # files -------------------------------------------------------
    def _file(self, ext):
        self.k += 1
        return os.path.join(self.dir, "%03d.%s" % (self.k, ext))

    def _mvg(self, body):
        p = self._file("mvg")
        with open(p, "w") as f:
            f.write("viewbox 0 0 %d %d\n" % (self.W, self.H))
            f.write(body)
        return p

    def _pam(self, fn, lw, lh):
        p = self._file("pam")
        data = bytearray()
        for j in range(lh):
            v = (j + 0.5) / lh
            for i in range(lw):
                r, g, b, a = fn((i + 0.5) / lw, v)
                data += bytes((max(0, min(255, int(r + 0.5))), max(0, min(255, int(g + 0.5))),
                               max(0, min(255, int(b + 0.5))), max(0, min(255, int(a * 255 + 0.5)))))
        with open(p, "wb") as f:
            f.write(b"P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n" % (lw, lh))
            f.write(data)
        return p

    def _field_args(self, fn, lw, lh):
        return ["pam:" + self._pam(fn, lw, lh), "-filter", "Cubic", "-resize", "%dx%d!" % (self.W, self.H),
                "-filter", "Lanczos"]

    @staticmethod
    def _post(blur=0, alpha=1.0, mblur=None):
        a = []
        if blur:
            a += ["-channel", "RGBA", "-blur", "0x%g" % blur, "+channel"]
        if mblur:
            a += ["-channel", "RGBA", "-morphology", "Convolve", "Blur:0x%g,%g" % mblur, "+channel"]
        if alpha < 1.0:
            a += ["-channel", "A", "-evaluate", "multiply", "%g" % alpha, "+channel"]
        return a

    # layers --------------------------------------------------------
    def background(self, fn, lw=4, lh=256):
        self.args = self._field_args(fn, lw, lh) + ["-alpha", "off"]

    def draw(self, body, blur=0, op="Over", alpha=1.0, mblur=None):
        if not body:
            return
        p = self._mvg(body)
        self.args += ["(", "-size", "%dx%d" % (self.W, self.H), "-background", "none", "mvg:" + p] + self._post(blur, alpha, mblur) + \
                     [")", "-compose", op, "-composite"]

    def field(self, fn, lw=160, lh=120, op="Over", alpha=1.0, mask=None, maskblur=0):
        a = ["("] + self._field_args(fn, lw, lh)
        if mask:
            a += ["(", "-size", "%dx%d" % (self.W, self.H), "-background", "none", "mvg:" + self._mvg(mask)] + self._post(maskblur) + \
                 [")", "-compose", "DstIn", "-composite"]
        a += self._post(0, alpha) + [")", "-compose", op, "-composite"]
        self.args += a

    def texture(self, mask=None, op="SoftLight", alpha=0.5, scale=4, seed=None, blur=0, contrast=True,
                stretch=None):
        """Grey plasma texture (optionally clipped by a mask), composited with op."""
        sw, sh = max(8, self.W // scale), max(8, self.H // scale)
        sd = self.seed * 7 + self.k if seed is None else seed
        a = ["(", "-size", "%dx%d" % (sw, sh), "-seed", str(sd), "plasma:grey50-grey50",
             "-colorspace", "Gray"]
        if contrast:
            a += ["-auto-level"]
        if blur:
            a += ["-blur", "0x%g" % blur]
        a += ["-filter", "Cubic", "-resize", "%dx%d!" % (self.W, self.H), "-filter", "Lanczos",
              "-colorspace", "sRGB", "-alpha", "set"]
        if stretch:
            a += ["-resize", "%dx%d!" % (self.W * stretch[0], self.H * stretch[1]), "-gravity", "center",
                  "-crop", "%dx%d+0+0" % (self.W, self.H), "+repage", "-gravity", "NorthWest"]
        self.k += 1
        if mask:
            a += ["(", "-size", "%dx%d" % (self.W, self.H), "-background", "none", "mvg:" + self._mvg(mask), ")", "-compose", "DstIn", "-composite"]
        a += self._post(0, alpha) + [")", "-compose", op, "-composite"]
        self.args += a

    def relief(self, mask=None, div=(4, 4), seed=None, light="135x40", op="Overlay", alpha=0.6, blur=0,
               level=None):
        """Hill-shaded plasma: a fractal height map lit by -shade, for rock and ground detail."""
        sd = self.seed * 13 + self.k if seed is None else seed
        a = ["(", "-size", "%dx%d" % (max(8, self.W // div[0]), max(8, self.H // div[1])), "-seed", str(sd),
             "plasma:grey50-grey50", "-colorspace", "Gray", "-auto-level"]
        if blur:
            a += ["-blur", "0x%g" % blur]
        a += ["-filter", "Cubic", "-resize", "%dx%d!" % (self.W, self.H), "-filter", "Lanczos",
              "-shade", light, "-auto-level"]
        if level:
            a += ["-level", level]
        a += ["-colorspace", "sRGB", "-alpha", "set"]
        self.k += 1
        if mask:
            a += ["(", "-size", "%dx%d" % (self.W, self.H), "-background", "none", "mvg:" + self._mvg(mask), ")",
                  "-compose", "DstIn", "-composite"]
        a += self._post(0, alpha) + [")", "-compose", op, "-composite"]
        self.args += a

    def reflect(self, y0, blur=1.5, vblur=6, tint="#1a3050", tint_pct=25, squash=1.0, bottom=None):
        """Mirror everything above y0 into the band below it (water)."""
        y0 = int(y0)
        bottom = self.H if bottom is None else int(bottom)
        h = min(y0, bottom - y0)
        src_h = int(min(y0, h / squash))
        self.args += ["(", "+clone", "-crop", "%dx%d+0+%d" % (self.W, src_h, y0 - src_h), "+repage", "-flip",
                      "-resize", "%dx%d!" % (self.W, h), "-blur", "0x%g" % blur,
                      "-morphology", "Convolve", "Blur:0x%g,90" % vblur,
                      "-fill", tint, "-colorize", "%d%%" % tint_pct, ")",
                      "-geometry", "+0+%d" % y0, "-compose", "Over", "-composite", "+geometry"]

    def raw(self, *args):
        self.args += list(args)

    # output ----------------------------------------------------------
    def save(self, out, quality=88, noise=0.0, sharpen=False):
        a = [CONVERT] + self.args
        if (self.W, self.H) != (self.ow, self.oh):
            a += ["-filter", "Lanczos", "-resize", "%dx%d!" % (self.ow, self.oh)]
        if sharpen:
            a += ["-unsharp", "0x0.8+0.6+0"]
        if noise:
            a += ["-seed", str(self.seed), "-attenuate", "%g" % noise, "+noise", "Gaussian"]
        a += ["-alpha", "off", "-colorspace", "sRGB", "-type", "TrueColor", "-strip", "-interlace", "None",
              "-sampling-factor", "2x2,1x1,1x1", "-quality", str(quality), "jpg:" + out]
        subprocess.run(a, check=True)
