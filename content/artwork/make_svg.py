#!/usr/bin/env python3
"""Draws Morvane's full-screen pictures as SVG files, one per screen ratio.

The scenes are laid out in units 1000 high and (ratio x 1000) wide: the
middle of each scene is drawn around the centre line, the furniture at the
sides is anchored to the left and right edges, so every ratio gets its own
composition instead of a stretched one. The SVGs written here are the
committed sources the build renders; run this again after changing a scene:

    python3 content/artwork/make_svg.py
"""
import math
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))

RATIOS = {"3x2": (3, 2), "4x3": (4, 3), "5x4": (5, 4), "16x9": (16, 9),
          "16x10": (16, 10), "17x9": (17, 9)}


def f(v):
    return f"{v:.1f}".rstrip("0").rstrip(".")


def svg_open(wd, defs):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{f(wd)}" height="1000" '
            f'viewBox="0 0 {f(wd)} 1000" preserveAspectRatio="none">\n'
            f'<!-- Morvane artwork, drawn by content/artwork/make_svg.py -->\n'
            f'<defs>{defs}</defs>\n')


COMMON_DEFS = """
<linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#463c78"/>
  <stop offset="0.45" stop-color="#8a5c92"/>
  <stop offset="0.75" stop-color="#dc828c"/>
  <stop offset="1" stop-color="#f8c078"/>
</linearGradient>
<linearGradient id="wall" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#3e2a3c"/>
  <stop offset="0.6" stop-color="#5c3a38"/>
  <stop offset="1" stop-color="#6e4634"/>
</linearGradient>
<linearGradient id="plank" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#000000" stop-opacity="0.10"/>
  <stop offset="0.5" stop-color="#000000" stop-opacity="0"/>
  <stop offset="1" stop-color="#000000" stop-opacity="0.10"/>
</linearGradient>
<linearGradient id="frame" x1="0" y1="0" x2="1" y2="1">
  <stop offset="0" stop-color="#b9793f"/>
  <stop offset="0.6" stop-color="#985f33"/>
  <stop offset="1" stop-color="#6e4226"/>
</linearGradient>
<linearGradient id="desk" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#b87a46"/>
  <stop offset="0.25" stop-color="#a26a3c"/>
  <stop offset="1" stop-color="#6c4228"/>
</linearGradient>
<radialGradient id="lamp" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="#ffdc8c" stop-opacity="0.75"/>
  <stop offset="0.4" stop-color="#fac878" stop-opacity="0.25"/>
  <stop offset="1" stop-color="#fac878" stop-opacity="0"/>
</radialGradient>
<radialGradient id="vignette" cx="0.5" cy="0.45" r="0.75">
  <stop offset="0.55" stop-color="#1e1028" stop-opacity="0"/>
  <stop offset="1" stop-color="#1e1028" stop-opacity="0.45"/>
</radialGradient>
<radialGradient id="warmGlow" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="#ffc890" stop-opacity="0.22"/>
  <stop offset="0.6" stop-color="#f8a070" stop-opacity="0.08"/>
  <stop offset="1" stop-color="#f8a070" stop-opacity="0"/>
</radialGradient>
<radialGradient id="moonHalo" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0.3" stop-color="#fff0c0" stop-opacity="0.25"/>
  <stop offset="1" stop-color="#fff0c0" stop-opacity="0"/>
</radialGradient>
<radialGradient id="moon" cx="0.4" cy="0.4" r="0.6">
  <stop offset="0" stop-color="#fff8e0"/>
  <stop offset="1" stop-color="#f6e2b0"/>
</radialGradient>
"""

TOKEN_COLOURS = ["#2f8f9a", "#d9534f", "#e8a23a", "#5b7fc7", "#6aa84f", "#9b59b6", "#f2d46b", "#e07a9a"]


def token(cx, cy, r, colour, tilt=0.0):
    """A glazed ceramic token lying on a shelf or the desk, seen a little from
    the front (an ellipse with a thick rim)."""
    ry = r * (0.55 + 0.45 * math.cos(math.radians(tilt)))
    return (f'<ellipse cx="{f(cx + r * 0.1)}" cy="{f(cy + ry * 0.9)}" rx="{f(r * 1.05)}" ry="{f(ry * 0.35)}" '
            f'fill="#1e0c06" opacity="0.35"/>'
            f'<ellipse cx="{f(cx)}" cy="{f(cy + r * 0.12)}" rx="{f(r)}" ry="{f(ry)}" fill="#4a2a1a" opacity="0.55"/>'
            f'<ellipse cx="{f(cx)}" cy="{f(cy)}" rx="{f(r)}" ry="{f(ry)}" fill="{colour}"/>'
            f'<ellipse cx="{f(cx)}" cy="{f(cy)}" rx="{f(r * 0.72)}" ry="{f(ry * 0.72)}" fill="#fff6e6" opacity="0.25"/>'
            f'<ellipse cx="{f(cx - r * 0.3)}" cy="{f(cy - ry * 0.45)}" rx="{f(r * 0.35)}" ry="{f(ry * 0.18)}" '
            f'fill="#ffffff" opacity="0.45"/>\n')


def jar(x, base, w, h, colour):
    return (f'<rect x="{f(x)}" y="{f(base - h)}" width="{f(w)}" height="{f(h)}" rx="{f(w * 0.22)}" '
            f'fill="{colour}" opacity="0.9"/>'
            f'<rect x="{f(x + w * 0.12)}" y="{f(base - h - h * 0.12)}" width="{f(w * 0.76)}" height="{f(h * 0.16)}" '
            f'rx="4" fill="#8a5a36"/>'
            f'<rect x="{f(x + w * 0.16)}" y="{f(base - h * 0.85)}" width="{f(w * 0.14)}" height="{f(h * 0.6)}" '
            f'rx="3" fill="#ffffff" opacity="0.25"/>\n')


def books(x, base, rnd, n=5):
    out = ""
    colours = ["#8e3b46", "#2f6f77", "#c48a3a", "#5a4a86", "#6e8a4a", "#a0522d"]
    for i in range(n):
        w = rnd.uniform(16, 24)
        h = rnd.uniform(70, 100)
        c = colours[rnd.randrange(len(colours))]
        out += (f'<rect x="{f(x)}" y="{f(base - h)}" width="{f(w)}" height="{f(h)}" rx="3" fill="{c}"/>'
                f'<rect x="{f(x + 2)}" y="{f(base - h * 0.8)}" width="{f(w - 4)}" height="5" fill="#f2d48a" opacity="0.6"/>\n')
        x += w + 2
    return out, x


def shelf(x0, x1, y, rnd, lit=1.0):
    """A wall shelf with a row of curiosities on it."""
    out = (f'<rect x="{f(x0)}" y="{f(y)}" width="{f(x1 - x0)}" height="16" rx="4" fill="url(#frame)"/>'
           f'<rect x="{f(x0)}" y="{f(y + 16)}" width="{f(x1 - x0)}" height="10" fill="#2a160e" opacity="0.35"/>\n')
    x = x0 + 14
    items = ""
    while x < x1 - 60:
        kind = rnd.randrange(4)
        if kind == 0:
            b, x = books(x, y, rnd, rnd.randrange(3, 6))
            items += b
            x += 12
        elif kind == 1:
            w = rnd.uniform(40, 56)
            items += jar(x, y, w, rnd.uniform(55, 85), TOKEN_COLOURS[rnd.randrange(len(TOKEN_COLOURS))])
            x += w + 16
        else:
            r = rnd.uniform(20, 28)
            items += token(x + r, y - r * 1.0, r, TOKEN_COLOURS[rnd.randrange(len(TOKEN_COLOURS))], tilt=10)
            x += 2 * r + 12
    return out + f'<g opacity="{lit}">{items}</g>'


def window(cx, top, half, sill, stars=True, seed=1):
    """An arched workshop window onto the dusk sky."""
    rnd = random.Random(seed)
    arch = f"M{f(cx - half)},{f(sill)} L{f(cx - half)},{f(top + half)} A{f(half)},{f(half)} 0 0 1 {f(cx + half)},{f(top + half)} L{f(cx + half)},{f(sill)} Z"
    inner_half = half - 26
    inner = f"M{f(cx - inner_half)},{f(sill)} L{f(cx - inner_half)},{f(top + half)} A{f(inner_half)},{f(inner_half)} 0 0 1 {f(cx + inner_half)},{f(top + half)} L{f(cx + inner_half)},{f(sill)} Z"
    out = f'<clipPath id="pane{seed}"><path d="{inner}"/></clipPath>\n'
    out += f'<path d="{arch}" fill="url(#frame)"/>\n'
    out += f'<g clip-path="url(#pane{seed})">\n'
    out += f'<rect x="{f(cx - half)}" y="{f(top)}" width="{f(2 * half)}" height="{f(sill - top)}" fill="url(#sky)"/>\n'
    if stars:
        for _ in range(int(half / 12)):
            sx = cx + rnd.uniform(-inner_half, inner_half)
            sy = top + rnd.uniform(0, (sill - top) * 0.45)
            out += f'<circle cx="{f(sx)}" cy="{f(sy)}" r="{f(rnd.uniform(1.2, 2.8))}" fill="#fff6dc" opacity="{f(rnd.uniform(0.4, 0.9))}"/>'
        out += "\n"
        mx, my = cx - inner_half * 0.55, top + half * 0.55
        out += (f'<circle cx="{f(mx)}" cy="{f(my)}" r="90" fill="url(#moonHalo)"/>'
                f'<circle cx="{f(mx)}" cy="{f(my)}" r="34" fill="url(#moon)"/>'
                f'<circle cx="{f(mx + 15)}" cy="{f(my - 8)}" r="30" fill="#77538a"/>\n')
    # soft clouds and hills
    for i, (dy, col, op) in enumerate([(-150, "#f4b08a", 0.35), (-95, "#e79a8e", 0.3)]):
        out += f'<ellipse cx="{f(cx + (i * 2 - 1) * inner_half * 0.35)}" cy="{f(sill + dy)}" rx="{f(inner_half * 0.45)}" ry="14" fill="{col}" opacity="{op}"/>\n'
    hills = [(sill - 95, "#8a5f8e", 0.9, 0.0), (sill - 60, "#6a4a7e", 1.0, 1.7), (sill - 28, "#4e3868", 1.0, 3.1)]
    for base, col, op, ph in hills:
        pts = []
        steps = 24
        for k in range(steps + 1):
            x = cx - half + 2 * half * k / steps
            y = base + 18 * math.sin(k * 0.55 + ph) + 10 * math.sin(k * 1.3 + ph * 2)
            pts.append(f"{f(x)},{f(y)}")
        out += f'<polygon points="{" ".join(pts)} {f(cx + half)},{f(sill)} {f(cx - half)},{f(sill)}" fill="{col}" opacity="{op}"/>\n'
    # a few warm windows in the village on the far hill
    for _ in range(7):
        hx = cx + rnd.uniform(-inner_half * 0.9, inner_half * 0.9)
        hy = sill - rnd.uniform(12, 40)
        out += f'<rect x="{f(hx)}" y="{f(hy)}" width="6" height="7" rx="1.5" fill="#ffd27a" opacity="0.85"/>'
    out += "\n</g>\n"
    # mullions: thin wooden bars
    out += f'<g fill="url(#frame)"><rect x="{f(cx - 7)}" y="{f(top + 20)}" width="14" height="{f(sill - top - 20)}"/>'
    out += f'<rect x="{f(cx - inner_half)}" y="{f(top + half + 10)}" width="{f(2 * inner_half)}" height="12"/></g>\n'
    out += (f'<path d="{inner}" fill="none" stroke="#3a1f10" stroke-opacity="0.35" stroke-width="5"/>\n'
            f'<rect x="{f(cx - half - 30)}" y="{f(sill)}" width="{f(2 * half + 60)}" height="26" rx="6" fill="url(#frame)"/>'
            f'<rect x="{f(cx - half - 30)}" y="{f(sill + 26)}" width="{f(2 * half + 60)}" height="10" fill="#1e0c06" opacity="0.3"/>\n')
    return out


def desk(wd, top):
    return (f'<rect x="0" y="{f(top)}" width="{f(wd)}" height="{f(1000 - top)}" fill="url(#desk)"/>'
            f'<rect x="0" y="{f(top)}" width="{f(wd)}" height="8" fill="#d69a5e" opacity="0.7"/>'
            f'<rect x="0" y="{f(top + 8)}" width="{f(wd)}" height="4" fill="#2a160e" opacity="0.25"/>\n'
            + "".join(f'<path d="M0,{f(top + 40 + i * 38)} C{f(wd * 0.3)},{f(top + 30 + i * 38)} {f(wd * 0.6)},{f(top + 52 + i * 38)} {f(wd)},{f(top + 40 + i * 38)}" '
                      f'fill="none" stroke="#5a3420" stroke-opacity="0.18" stroke-width="3"/>' for i in range(4)) + "\n")


def desk_lamp(x, base, flip=1):
    """A brass desk lamp with its warm pool of light."""
    s = flip
    return (f'<ellipse cx="{f(x + s * 60)}" cy="{f(base - 120)}" rx="330" ry="300" fill="url(#lamp)"/>\n'
            f'<ellipse cx="{f(x)}" cy="{f(base)}" rx="62" ry="14" fill="#1e0c06" opacity="0.35"/>'
            f'<ellipse cx="{f(x)}" cy="{f(base - 8)}" rx="56" ry="14" fill="#b8862e"/>'
            f'<path d="M{f(x)},{f(base - 10)} L{f(x + s * 20)},{f(base - 150)} L{f(x + s * 80)},{f(base - 215)}" '
            f'fill="none" stroke="#c9973a" stroke-width="11" stroke-linecap="round" stroke-linejoin="round"/>'
            f'<path d="M{f(x + s * 48)},{f(base - 260)} L{f(x + s * 138)},{f(base - 200)} L{f(x + s * 118)},{f(base - 160)} '
            f'L{f(x + s * 40)},{f(base - 215)} Z" fill="#2f8f9a" stroke="#1b6870" stroke-width="4" stroke-linejoin="round"/>'
            f'<ellipse cx="{f(x + s * 86)}" cy="{f(base - 178)}" rx="30" ry="12" fill="#fff0b8" '
            f'transform="rotate({f(s * 35)} {f(x + s * 86)} {f(base - 178)})"/>\n')


def teapot(x, base, colour="#2f8f9a"):
    return (f'<ellipse cx="{f(x)}" cy="{f(base)}" rx="70" ry="12" fill="#1e0c06" opacity="0.35"/>'
            f'<path d="M{f(x + 48)},{f(base - 50)} Q{f(x + 95)},{f(base - 60)} {f(x + 100)},{f(base - 100)}" fill="none" '
            f'stroke="{colour}" stroke-width="14" stroke-linecap="round"/>'
            f'<path d="M{f(x - 50)},{f(base - 80)} Q{f(x - 100)},{f(base - 75)} {f(x - 52)},{f(base - 30)}" fill="none" '
            f'stroke="{colour}" stroke-width="11" stroke-linecap="round"/>'
            f'<ellipse cx="{f(x)}" cy="{f(base - 50)}" rx="62" ry="52" fill="{colour}"/>'
            f'<ellipse cx="{f(x)}" cy="{f(base - 98)}" rx="34" ry="9" fill="#1b6870"/>'
            f'<circle cx="{f(x)}" cy="{f(base - 110)}" r="9" fill="#e8a23a"/>'
            f'<ellipse cx="{f(x - 22)}" cy="{f(base - 68)}" rx="16" ry="24" fill="#ffffff" opacity="0.22"/>\n')


def plant(x, base):
    """A potted plant with broad rounded leaves."""
    out = f'<ellipse cx="{f(x)}" cy="{f(base)}" rx="54" ry="11" fill="#1e0c06" opacity="0.35"/>'
    greens = ["#4e7a3e", "#6fa458", "#5f8f4a", "#7cb463"]
    for i, a in enumerate([-62, -38, -14, 10, 34, 58, -2]):
        length = 95 + 30 * math.cos(math.radians(a)) - (18 if i == 6 else 0)
        width = 30
        out += (f'<g transform="translate({f(x)},{f(base - 62)}) rotate({a})">'
                f'<path d="M0,0 C{-width},{f(-length * 0.35)} {-width * 0.7},{f(-length * 0.85)} 0,{f(-length)} '
                f'C{width * 0.7},{f(-length * 0.85)} {width},{f(-length * 0.35)} 0,0 Z" fill="{greens[i % 4]}"/>'
                f'<path d="M0,-4 L0,{f(-length * 0.9)}" stroke="#3c6230" stroke-width="3" stroke-linecap="round" opacity="0.7"/>'
                f'</g>')
    out += (f'<path d="M{f(x - 44)},{f(base - 70)} L{f(x + 44)},{f(base - 70)} L{f(x + 34)},{f(base)} L{f(x - 34)},{f(base)} Z" fill="#c8643c"/>'
            f'<rect x="{f(x - 48)}" y="{f(base - 78)}" width="96" height="16" rx="5" fill="#d87a4e"/>'
            f'<rect x="{f(x - 30)}" y="{f(base - 58)}" width="10" height="48" rx="4" fill="#ffffff" opacity="0.18"/>\n')
    return out


def title_scene(wd):
    cx = wd / 2
    half = min(430.0, wd * 0.3)
    rnd = random.Random(7)
    out = svg_open(wd, COMMON_DEFS)
    out += f'<rect width="{f(wd)}" height="1000" fill="url(#wall)"/>\n'
    # wall planks
    pw = 90
    n = int(wd / pw) + 1
    for i in range(n):
        out += f'<rect x="{f(i * pw)}" y="0" width="{pw}" height="1000" fill="url(#plank)"/>'
    out += "\n"
    out += f'<ellipse cx="{f(cx)}" cy="480" rx="{f(half * 1.8)}" ry="520" fill="url(#warmGlow)"/>\n'
    out += window(cx, 70, half, 760, seed=3)
    side = cx - half - 40
    if side > 150:
        for y in (300, 520):
            out += shelf(30, side - 20, y, rnd)
            out += shelf(wd - side + 20, wd - 30, y, rnd)
    out += desk(wd, 820)
    lamp_x = min(cx - half - 140, wd * 0.12) if cx - half > 260 else wd * 0.1
    out += desk_lamp(max(lamp_x, 90), 905)
    out += teapot(wd - max(lamp_x, 90) - 20, 915)
    if wd > 1400:
        out += plant(wd - 70 - max(lamp_x, 90) - 170, 905)
    # a few tokens scattered on the desk, away from the middle
    for i, dx in enumerate([-0.47, -0.40, 0.38, 0.44]):
        tx = cx + dx * wd
        out += token(tx, 905 + (i % 2) * 30, 26, TOKEN_COLOURS[i * 2 % 8])
    out += f'<rect width="{f(wd)}" height="1000" fill="url(#vignette)"/>\n'
    return out + "</svg>\n"


def game_scene(wd):
    """Behind the rising board: a calm, soft-focus workshop wall at dusk."""
    cx = wd / 2
    defs = COMMON_DEFS + """
<linearGradient id="gameWall" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#4a3a6a"/>
  <stop offset="0.55" stop-color="#6e4a6e"/>
  <stop offset="1" stop-color="#8a5a5c"/>
</linearGradient>
<linearGradient id="band" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#f2c89a" stop-opacity="0"/>
  <stop offset="0.25" stop-color="#f2c89a" stop-opacity="0.16"/>
  <stop offset="0.75" stop-color="#f2c89a" stop-opacity="0.16"/>
  <stop offset="1" stop-color="#f2c89a" stop-opacity="0"/>
</linearGradient>
<radialGradient id="bokeh" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="#ffd890" stop-opacity="0.55"/>
  <stop offset="0.7" stop-color="#ffd890" stop-opacity="0.35"/>
  <stop offset="1" stop-color="#ffd890" stop-opacity="0"/>
</radialGradient>
<radialGradient id="softSky" cx="0.5" cy="0.35" r="0.6">
  <stop offset="0" stop-color="#f8c078" stop-opacity="0.5"/>
  <stop offset="1" stop-color="#dc828c" stop-opacity="0"/>
</radialGradient>
"""
    out = svg_open(wd, defs)
    out += f'<rect width="{f(wd)}" height="1000" fill="url(#gameWall)"/>\n'
    pw = 110
    for i in range(int(wd / pw) + 1):
        out += f'<rect x="{f(i * pw)}" y="0" width="{pw}" height="1000" fill="url(#plank)" opacity="0.6"/>'
    out += "\n"
    # a tall softly lit window on each side, far from the board and below
    # the corner pictures
    for side in (-1, 1):
        wx = cx + side * wd * 0.37
        ww = min(150.0, wd * 0.09)
        top, sill = 300.0, 800.0
        outer = f"M{f(wx - ww)},{f(sill)} L{f(wx - ww)},{f(top + ww)} A{f(ww)},{f(ww)} 0 0 1 {f(wx + ww)},{f(top + ww)} L{f(wx + ww)},{f(sill)} Z"
        iw = ww - 16
        inner = f"M{f(wx - iw)},{f(sill)} L{f(wx - iw)},{f(top + ww)} A{f(iw)},{f(iw)} 0 0 1 {f(wx + iw)},{f(top + ww)} L{f(wx + iw)},{f(sill)} Z"
        out += (f'<g opacity="0.6"><path d="{outer}" fill="url(#frame)"/>'
                f'<path d="{inner}" fill="url(#sky)"/><path d="{inner}" fill="url(#softSky)"/>'
                f'<rect x="{f(wx - 5)}" y="{f(top + 16)}" width="10" height="{f(sill - top - 16)}" fill="url(#frame)"/>'
                f'<rect x="{f(wx - iw)}" y="{f(top + ww + 30)}" width="{f(2 * iw)}" height="10" fill="url(#frame)"/>'
                f'<rect x="{f(wx - ww - 20)}" y="{f(sill)}" width="{f(2 * ww + 40)}" height="20" rx="5" fill="url(#frame)"/></g>\n')
    # a few out-of-focus lamp lights high on the wall, clear of the corners
    rnd = random.Random(5)
    for side in (-1, 1):
        for _ in range(7):
            bx = cx + side * wd * rnd.uniform(0.2, 0.36)
            by = rnd.uniform(60, 250)
            out += (f'<circle cx="{f(bx)}" cy="{f(by)}" r="{f(rnd.uniform(14, 34))}" fill="url(#bokeh)" '
                    f'opacity="{f(rnd.uniform(0.35, 0.7))}"/>')
    out += "\n"
    # the lamplit band down the middle where the board's columns rise
    out += f'<rect x="{f(cx - wd * 0.3)}" y="0" width="{f(wd * 0.6)}" height="1000" fill="url(#band)"/>\n'
    out += f'<ellipse cx="{f(cx)}" cy="520" rx="{f(wd * 0.34)}" ry="640" fill="url(#warmGlow)"/>\n'
    # the desk edge at the bottom, soft
    out += (f'<rect x="0" y="930" width="{f(wd)}" height="70" fill="#6c4228" opacity="0.7"/>'
            f'<rect x="0" y="930" width="{f(wd)}" height="5" fill="#d69a5e" opacity="0.5"/>\n')
    out += f'<rect width="{f(wd)}" height="1000" fill="url(#vignette)" opacity="0.7"/>\n'
    return out + "</svg>\n"


def studio_scene(wd):
    """The opening splash: the Quillfen studio emblem on a calm dusk ground."""
    cx = wd / 2
    defs = COMMON_DEFS + """
<radialGradient id="ground" cx="0.5" cy="0.45" r="0.7">
  <stop offset="0" stop-color="#5a4a8a"/>
  <stop offset="0.6" stop-color="#3a2f62"/>
  <stop offset="1" stop-color="#22193e"/>
</radialGradient>
<radialGradient id="disc" cx="0.4" cy="0.35" r="0.7">
  <stop offset="0" stop-color="#fbe6c0"/>
  <stop offset="1" stop-color="#eccb95"/>
</radialGradient>
<linearGradient id="water" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#3aa5ae"/>
  <stop offset="1" stop-color="#1b6870"/>
</linearGradient>
<linearGradient id="feather" x1="0" y1="0" x2="1" y2="1">
  <stop offset="0" stop-color="#ffffff"/>
  <stop offset="1" stop-color="#e6d6f0"/>
</linearGradient>
<clipPath id="emblem"><circle cx="0" cy="0" r="150"/></clipPath>
"""
    out = svg_open(wd, defs)
    out += f'<rect width="{f(wd)}" height="1000" fill="url(#ground)"/>\n'
    rnd = random.Random(11)
    for _ in range(int(wd / 14)):
        out += f'<circle cx="{f(rnd.uniform(0, wd))}" cy="{f(rnd.uniform(0, 1000))}" r="{f(rnd.uniform(1, 2.4))}" fill="#fff3d6" opacity="{f(rnd.uniform(0.15, 0.5))}"/>'
    out += "\n"
    # the emblem: a round plate with a fen at dusk and a quill standing in the reeds
    out += f'<g transform="translate({f(cx)},380)">\n'
    out += '<circle r="300" fill="url(#warmGlow)"/><circle r="172" fill="#b9793f"/>'
    out += '<circle r="164" fill="none" stroke="#e3ad72" stroke-width="3"/><circle r="150" fill="url(#disc)"/>\n'
    out += '<g clip-path="url(#emblem)">'
    out += '<rect x="-150" y="-150" width="300" height="190" fill="url(#sky)" opacity="0.85"/>'
    out += '<circle cx="-55" cy="-20" r="34" fill="#fff0c0" opacity="0.95"/>'
    out += '<rect x="-150" y="30" width="300" height="130" fill="url(#water)"/>'
    for i, y in enumerate([55, 80, 105]):
        out += f'<path d="M{-110 + i * 20},{y} q25,-10 50,0 t50,0 t50,0" fill="none" stroke="#bfe6e8" stroke-width="5" stroke-linecap="round" opacity="0.7"/>'
    for x, h in [(-120, 90), (-100, 120), (95, 110), (118, 80), (132, 100)]:
        out += (f'<path d="M{x},45 Q{x + 4},{45 - h / 2} {x - 6},{45 - h}" fill="none" stroke="#3c5a34" stroke-width="6" stroke-linecap="round"/>'
                f'<ellipse cx="{x - 5}" cy="{45 - h + 10}" rx="7" ry="18" fill="#7a4a28"/>')
    out += '</g>\n'
    # the quill
    out += ('<g transform="rotate(28)">'
            '<path d="M0,-190 C60,-150 62,-40 18,60 L-2,118 L-8,60 C-50,-40 -45,-150 0,-190 Z" fill="url(#feather)" stroke="#5a4a86" stroke-width="5"/>'
            '<path d="M0,-175 L-4,118" stroke="#5a4a86" stroke-width="5" stroke-linecap="round"/>'
            + "".join(f'<path d="M-1,{y} L{-28 + abs(y) * 0.02},{y - 22}" stroke="#b9a6cf" stroke-width="3" stroke-linecap="round"/>'
                      f'<path d="M0,{y} L{28 - abs(y) * 0.02},{y - 22}" stroke="#b9a6cf" stroke-width="3" stroke-linecap="round"/>'
                      for y in range(-140, 50, 30)) +
            '<path d="M-7,110 L-3,170 L3,110 Z" fill="#3a2a1a"/></g>\n')
    out += '</g>\n'
    font = 'font-family="Comfortaa" text-anchor="middle"'
    out += (f'<text x="{f(cx + 5)}" y="{668}" {font} font-weight="bold" font-size="118" fill="#1a1230" opacity="0.5">Quillfen</text>'
            f'<text x="{f(cx)}" y="{662}" {font} font-weight="bold" font-size="118" fill="#fbeed6">Quillfen</text>\n'
            f'<text x="{f(cx)}" y="{735}" {font} font-size="44" letter-spacing="14" fill="#f8c078">GAME STUDIO</text>\n'
            f'<line x1="{f(cx - 200)}" y1="795" x2="{f(cx - 95)}" y2="795" stroke="#f8c078" stroke-width="2" opacity="0.6"/>'
            f'<line x1="{f(cx + 95)}" y1="795" x2="{f(cx + 200)}" y2="795" stroke="#f8c078" stroke-width="2" opacity="0.6"/>'
            f'<text x="{f(cx)}" y="{806}" {font} font-size="32" fill="#d8c8e8" opacity="0.9">presents</text>\n')
    out += f'<rect width="{f(wd)}" height="1000" fill="url(#vignette)" opacity="0.6"/>\n'
    return out + "</svg>\n"


def main():
    os.makedirs(os.path.join(HERE, "svg"), exist_ok=True)
    for suffix, (a, b) in RATIOS.items():
        wd = 1000.0 * a / b
        for prefix, scene in (("title", title_scene), ("ngs", studio_scene), ("01", game_scene)):
            with open(os.path.join(HERE, "svg", f"{prefix}_{suffix}.svg"), "w") as out:
                out.write(scene(wd))


if __name__ == "__main__":
    main()
