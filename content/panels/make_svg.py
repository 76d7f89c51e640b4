#!/usr/bin/env python3
"""Draws Morvane's panels, small pictures and pointer as SVG files.

The SVG files written here are the committed sources the build renders with
rsvg-convert; run this script again after changing a drawing:

    python3 content/panels/make_svg.py

Every panel is a paper card with a wooden rim, a teal ribbon on the title
line and a calm body; the game writes all texts itself. The badges sit on the
rectangles the screens hit-test, a little inside them.
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
CONTENT = os.path.dirname(HERE)

# Palette (see shared art direction): paper, wood, teal ribbon, stars.
PAPER_LIGHT = "#fbf3e2"
PAPER = "#faf0dc"
SAND = "#eedcbe"
WOOD_LIGHT = "#b9793f"
WOOD = "#aa6e3c"
WOOD_DARK = "#784828"
INK = "#6c3111"          # the game's text brown
TEAL = "#288c96"
TEAL_LIGHT = "#3aa5ae"
TEAL_DARK = "#1b6870"
GOLD = "#ffc83c"
GOLD_LIGHT = "#ffe48a"
GOLD_RIM = "#c98a1a"
EMPTY_STAR = "#c8b496"
YES_GREEN = "#3f9a6a"
YES_GREEN_DARK = "#2a7350"
NO_RED = "#c8464f"
NO_RED_DARK = "#98303a"


def svg_open(w, h, extra_defs=""):
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
        f'viewBox="0 0 {w} {h}">\n'
        f'<!-- Morvane artwork, drawn by content/panels/make_svg.py -->\n'
        f'<defs>\n{common_defs()}{extra_defs}</defs>\n'
    )


def common_defs():
    return f"""
<linearGradient id="wood" x1="0" y1="0" x2="1" y2="1">
  <stop offset="0" stop-color="{WOOD_LIGHT}"/>
  <stop offset="0.55" stop-color="{WOOD}"/>
  <stop offset="1" stop-color="{WOOD_DARK}"/>
</linearGradient>
<linearGradient id="paper" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="{PAPER_LIGHT}"/>
  <stop offset="0.6" stop-color="{PAPER}"/>
  <stop offset="1" stop-color="{SAND}"/>
</linearGradient>
<radialGradient id="paperGlow" cx="0.3" cy="0.2" r="0.9">
  <stop offset="0" stop-color="#fffaf0" stop-opacity="0.55"/>
  <stop offset="1" stop-color="#fffaf0" stop-opacity="0"/>
</radialGradient>
<linearGradient id="teal" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="{TEAL_LIGHT}"/>
  <stop offset="0.5" stop-color="{TEAL}"/>
  <stop offset="1" stop-color="#237e87"/>
</linearGradient>
<linearGradient id="tealFold" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="{TEAL_DARK}"/>
  <stop offset="1" stop-color="#155a61"/>
</linearGradient>
<radialGradient id="gold" cx="0.38" cy="0.32" r="0.75">
  <stop offset="0" stop-color="{GOLD_LIGHT}"/>
  <stop offset="0.55" stop-color="{GOLD}"/>
  <stop offset="1" stop-color="#f2a92c"/>
</radialGradient>
<radialGradient id="pageLight" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="#fffaf0" stop-opacity="0.6"/>
  <stop offset="1" stop-color="#fffaf0" stop-opacity="0"/>
</radialGradient>
<radialGradient id="starGlow" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="#ffe9a8" stop-opacity="0.75"/>
  <stop offset="0.6" stop-color="#ffe9a8" stop-opacity="0.3"/>
  <stop offset="1" stop-color="#ffe9a8" stop-opacity="0"/>
</radialGradient>
<radialGradient id="yesFill" cx="0.35" cy="0.3" r="0.8">
  <stop offset="0" stop-color="#5cb888"/>
  <stop offset="1" stop-color="{YES_GREEN_DARK}"/>
</radialGradient>
<radialGradient id="noFill" cx="0.35" cy="0.3" r="0.8">
  <stop offset="0" stop-color="#e0646b"/>
  <stop offset="1" stop-color="{NO_RED_DARK}"/>
</radialGradient>
<radialGradient id="tealFill" cx="0.35" cy="0.3" r="0.8">
  <stop offset="0" stop-color="#47b3bb"/>
  <stop offset="1" stop-color="{TEAL_DARK}"/>
</radialGradient>
<linearGradient id="well" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#e7d0aa"/>
  <stop offset="1" stop-color="#f1e0c4"/>
</linearGradient>
<filter id="soft" x="-20%" y="-20%" width="140%" height="140%">
  <feGaussianBlur in="SourceAlpha" stdDeviation="7"/>
  <feOffset dx="5" dy="8" result="b"/>
  <feFlood flood-color="#3a1c0a" flood-opacity="0.38"/>
  <feComposite in2="b" operator="in"/>
  <feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge>
</filter>
<filter id="softSmall" x="-20%" y="-20%" width="140%" height="140%">
  <feGaussianBlur in="SourceAlpha" stdDeviation="3"/>
  <feOffset dx="2" dy="4" result="b"/>
  <feFlood flood-color="#3a1c0a" flood-opacity="0.35"/>
  <feComposite in2="b" operator="in"/>
  <feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge>
</filter>
<filter id="cardShadow" x="-5%" y="-5%" width="110%" height="110%">
  <feGaussianBlur in="SourceAlpha" stdDeviation="6"/>
  <feOffset dx="5" dy="9" result="b"/>
  <feFlood flood-color="#2a1206" flood-opacity="0.45"/>
  <feComposite in2="b" operator="in"/>
  <feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge>
</filter>
"""


def f(v):
    return f"{v:.2f}".rstrip("0").rstrip(".")


# ---------------------------------------------------------------- shapes

def star_points(cx, cy, r_out, r_in=None, rot=-90):
    if r_in is None:
        r_in = r_out * 0.48
    pts = []
    for i in range(10):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + i * 36)
        pts.append(f"{f(cx + r * math.cos(a))},{f(cy + r * math.sin(a))}")
    return " ".join(pts)


def star(cx, cy, r, filled, shadow=True):
    """A rounded five-point star: gold with a darker rim, or an empty outline."""
    pts = star_points(cx, cy, r)
    sw = max(2.0, r * 0.12)
    if filled:
        hl = star_points(cx - r * 0.06, cy - r * 0.08, r * 0.55)
        filt = ' filter="url(#softSmall)"' if shadow else ""
        return (
            f'<g{filt}>'
            f'<polygon points="{pts}" fill="url(#gold)" stroke="{GOLD_RIM}" '
            f'stroke-width="{f(sw)}" stroke-linejoin="round"/>'
            f'<polygon points="{hl}" fill="#fff6c8" opacity="0.35" '
            f'stroke="#fff6c8" stroke-width="{f(sw * 0.6)}" stroke-linejoin="round"/>'
            f'</g>\n')
    return (
        f'<polygon points="{pts}" fill="#fbf3e4" fill-opacity="0.85" '
        f'stroke="{EMPTY_STAR}" stroke-width="{f(sw * 1.25)}" stroke-linejoin="round"/>\n')


def sparkle(cx, cy, r, color="#fff3c0", opacity=0.9):
    d = (f"M{f(cx)},{f(cy - r)} Q{f(cx + r * 0.15)},{f(cy - r * 0.15)} {f(cx + r)},{f(cy)} "
         f"Q{f(cx + r * 0.15)},{f(cy + r * 0.15)} {f(cx)},{f(cy + r)} "
         f"Q{f(cx - r * 0.15)},{f(cy + r * 0.15)} {f(cx - r)},{f(cy)} "
         f"Q{f(cx - r * 0.15)},{f(cy - r * 0.15)} {f(cx)},{f(cy - r)} Z")
    return f'<path d="{d}" fill="{color}" opacity="{opacity}"/>\n'


def badge(x0, y0, x1, y1, kind):
    """A round badge inside the rectangle (x0,y0)-(x1,y1): wood ring, glazed
    disc and a cream glyph. kind: 'close', 'yes', 'no' (close and no share
    the cross)."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    r = min(x1 - x0, y1 - y0) / 2 - 5
    fill = "url(#yesFill)" if kind == "yes" else "url(#noFill)"
    out = [f'<g filter="url(#soft)">',
           f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(r)}" fill="url(#wood)"/>',
           f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(r - 3)}" fill="none" '
           f'stroke="#d89a5c" stroke-width="2" opacity="0.7"/>',
           f'</g>',
           f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(r * 0.8)}" fill="{fill}"/>',
           f'<ellipse cx="{f(cx - r * 0.12)}" cy="{f(cy - r * 0.4)}" rx="{f(r * 0.48)}" '
           f'ry="{f(r * 0.24)}" fill="#ffffff" opacity="0.22"/>']
    s = r * 0.33
    w = r * 0.17
    if kind == "yes":
        d = (f"M{f(cx - s * 1.05)},{f(cy + s * 0.05)} L{f(cx - s * 0.3)},{f(cy + s * 0.8)} "
             f"L{f(cx + s * 1.1)},{f(cy - s * 0.75)}")
    else:
        d = (f"M{f(cx - s)},{f(cy - s)} L{f(cx + s)},{f(cy + s)} "
             f"M{f(cx + s)},{f(cy - s)} L{f(cx - s)},{f(cy + s)}")
    out.append(f'<path d="{d}" fill="none" stroke="#5a1f14" stroke-opacity="0.35" '
               f'stroke-width="{f(w + 4)}" stroke-linecap="round" stroke-linejoin="round" '
               f'transform="translate(1.5,2.5)"/>')
    out.append(f'<path d="{d}" fill="none" stroke="#fff6e6" stroke-width="{f(w)}" '
               f'stroke-linecap="round" stroke-linejoin="round"/>')
    return "\n".join(out) + "\n"


def card(w, h, rim=26, radius=58):
    """The panel itself: a soft shadow, a wooden rim and the paper inside."""
    x0, y0, x1, y1 = 10, 10, w - 20, h - 24
    cw, ch = x1 - x0, y1 - y0
    ir = radius - rim * 0.6
    return f"""<g filter="url(#cardShadow)">
<rect x="{x0}" y="{y0}" width="{cw}" height="{ch}" rx="{radius}" fill="url(#wood)"/>
</g>
<rect x="{x0 + 4}" y="{y0 + 4}" width="{cw - 8}" height="{ch - 8}" rx="{radius - 4}" fill="none"
      stroke="#d89a5c" stroke-width="3" opacity="0.55"/>
<rect x="{x0 + rim}" y="{y0 + rim}" width="{cw - 2 * rim}" height="{ch - 2 * rim}" rx="{f(ir)}"
      fill="url(#paper)"/>
<rect x="{x0 + rim}" y="{y0 + rim}" width="{cw - 2 * rim}" height="{ch - 2 * rim}" rx="{f(ir)}"
      fill="url(#paperGlow)"/>
<rect x="{x0 + rim + 1.5}" y="{y0 + rim + 1.5}" width="{cw - 2 * rim - 3}" height="{ch - 2 * rim - 3}"
      rx="{f(ir - 1)}" fill="none" stroke="#5c3418" stroke-opacity="0.28" stroke-width="3"/>
<rect x="{x0 + rim + 12}" y="{y0 + rim + 12}" width="{cw - 2 * rim - 24}" height="{ch - 2 * rim - 24}"
      rx="{f(max(ir - 10, 8))}" fill="none" stroke="#c9a57a" stroke-opacity="0.45" stroke-width="2"
      stroke-dasharray="2 9" stroke-linecap="round"/>
"""


def ribbon(cx, cy, half, height, tail_w=None):
    """The title ribbon: a teal band on the title line with folded tails."""
    top, bot = cy - height / 2, cy + height / 2
    if tail_w is None:
        tail_w = height * 0.55
    drop = height * 0.16
    fold = height * 0.2
    l, r = cx - half, cx + half
    parts = []
    # tails behind the band, one each side, with a V notch
    for side in (-1, 1):
        edge = l if side < 0 else r
        inner = edge - side * fold * 0.2
        outer = edge + side * tail_w
        notch = outer - side * tail_w * 0.32
        pts = (f"{f(inner)},{f(top + drop)} {f(outer)},{f(top + drop)} {f(notch)},{f((top + bot) / 2 + drop)} "
               f"{f(outer)},{f(bot + drop)} {f(inner)},{f(bot + drop)}")
        parts.append(f'<polygon points="{pts}" fill="url(#tealFold)" stroke="#134f55" '
                     f'stroke-width="2" stroke-linejoin="round"/>')
        # the little fold where the band turns under
        fpts = f"{f(edge)},{f(bot)} {f(edge - side * fold)},{f(bot)} {f(edge)},{f(bot + drop)}"
        parts.append(f'<polygon points="{fpts}" fill="#0f444a"/>')
    parts.append(f'<rect x="{f(l)}" y="{f(top)}" width="{f(2 * half)}" height="{f(height)}" '
                 f'rx="6" fill="url(#teal)" stroke="#1a646b" stroke-width="2"/>')
    parts.append(f'<rect x="{f(l + 4)}" y="{f(top + 4)}" width="{f(2 * half - 8)}" height="{f(height * 0.32)}" '
                 f'rx="4" fill="#ffffff" opacity="0.10"/>')
    for yy in (top + 12, bot - 12):
        parts.append(f'<line x1="{f(l + 14)}" y1="{f(yy)}" x2="{f(r - 14)}" y2="{f(yy)}" '
                     f'stroke="#bfe6e8" stroke-opacity="0.55" stroke-width="2.5" '
                     f'stroke-dasharray="10 8" stroke-linecap="round"/>')
    return '<g filter="url(#soft)">\n' + "\n".join(parts) + "\n</g>\n"


def sprig(x, y, scale=1.0, flip=False, opacity=0.5):
    """A little leafy sprig pressed into the paper, for empty corners."""
    sx = -scale if flip else scale
    leaves = []
    for i, (t, a, s) in enumerate([(0.25, -40, 1.0), (0.45, 35, 0.95), (0.62, -35, 0.85),
                                   (0.78, 30, 0.7), (0.92, -20, 0.55)]):
        px, py = 120 * t, -70 * t * t
        leaves.append(f'<path d="M0,0 C6,-12 20,-14 30,0 C20,12 6,10 0,0 Z" fill="#b8946a" '
                      f'transform="translate({f(px)},{f(py)}) rotate({a - 30 * t}) scale({s})"/>')
    return (f'<g transform="translate({f(x)},{f(y)}) scale({f(sx)},{f(scale)})" opacity="{opacity}">'
            f'<path d="M0,0 Q70,-10 120,-70" fill="none" stroke="#a8845a" stroke-width="3" '
            f'stroke-linecap="round"/>{"".join(leaves)}</g>\n')


def divider(cx, y, half, opacity=0.6):
    """A thin ink rule with a small diamond in the middle."""
    return (f'<g opacity="{opacity}">'
            f'<line x1="{f(cx - half)}" y1="{f(y)}" x2="{f(cx - 22)}" y2="{f(y)}" stroke="#b38a5e" '
            f'stroke-width="3" stroke-linecap="round"/>'
            f'<line x1="{f(cx + 22)}" y1="{f(y)}" x2="{f(cx + half)}" y2="{f(y)}" stroke="#b38a5e" '
            f'stroke-width="3" stroke-linecap="round"/>'
            f'<polygon points="{f(cx)},{f(y - 11)} {f(cx + 11)},{f(y)} {f(cx)},{f(y + 11)} {f(cx - 11)},{f(y)}" '
            f'fill="{TEAL}" opacity="0.8"/></g>\n')


def cell_well(x, y, size=192):
    """One level-select cell: a rounded well pressed into the paper."""
    r = 30
    return f"""<g>
<rect x="{x + 2}" y="{y + 2}" width="{size - 4}" height="{size - 4}" rx="{r}" fill="url(#well)"/>
<rect x="{x + 3.5}" y="{y + 3.5}" width="{size - 7}" height="{size - 7}" rx="{r - 1}" fill="none"
      stroke="#8a5a32" stroke-opacity="0.35" stroke-width="3"/>
<path d="M{x + 8},{y + size - r} L{x + 8},{y + r + 4} Q{x + 8},{y + 8} {x + r + 4},{y + 8} L{x + size - r},{y + 8}"
      fill="none" stroke="#7a4a28" stroke-opacity="0.12" stroke-width="5" stroke-linecap="round"/>
<path d="M{x + size - 6},{y + r} L{x + size - 6},{y + size - r} Q{x + size - 6},{y + size - 6} {x + size - r},{y + size - 6} L{x + r},{y + size - 6}"
      fill="none" stroke="#fffaf0" stroke-opacity="0.8" stroke-width="3" stroke-linecap="round"/>
</g>
"""


# ---------------------------------------------------------------- panels

def panel(w, h, title_y, ribbon_half, ribbon_h=150, body="", tail_w=None):
    # NOTE: the ribbon and its tails must stay clear of the close badges, so
    # the panels with a badge in the top-right corner use a shorter ribbon.
    return (svg_open(w, h) + card(w, h) + ribbon(w / 2, title_y, ribbon_half, ribbon_h, tail_w)
            + body + "</svg>\n")


def main_menu():
    w, h = 1030, 1404
    body = sprig(60, h - 70, 1.0) + sprig(w - 70, h - 70, 1.0, flip=True)
    return panel(w, h, 117, 400, ribbon_h=190, body=body)


def level_select():
    w, h = 1272, 1601
    body = ""
    for r in range(5):
        for c in range(5):
            body += cell_well(97 + 219 * c, 320 + 214 * r)
    body += divider(w / 2, 1440, 360)
    body += sprig(60, h - 70, 1.0) + sprig(w - 70, h - 70, 1.0, flip=True)
    body += badge(1140, 104, 1252, 222, "close")
    return panel(w, h, 116, 405, body=body)


def quick_game():
    w, h = 1030, 1118
    body = sprig(60, h - 70, 0.9) + sprig(w - 70, h - 70, 0.9, flip=True)
    body += divider(515, 930, 300)
    body += badge(880, 70, 995, 185, "close")
    return panel(w, h, 117, 300, body=body, tail_w=52)


def settings():
    w, h = 1262, 1120
    body = divider(w / 2, 790, 400)
    body += badge(94, 830, 192, 928, "yes")
    body += badge(1066, 830, 1162, 928, "no")
    body += sprig(260, h - 80, 0.8, opacity=0.4) + sprig(w - 270, h - 80, 0.8, flip=True, opacity=0.4)
    return panel(w, h, 115, 405, body=body)


def in_game_menu():
    w, h = 1030, 1118
    body = sprig(60, h - 70, 0.9) + sprig(w - 70, h - 70, 0.9, flip=True)
    body += divider(515, 880, 300)
    return panel(w, h, 117, 380, body=body)


def rosette(cx, cy, r):
    """A gold prize rosette with two teal tails, for the game-complete card."""
    out = []
    for side in (-1, 1):
        x = cx + side * r * 0.35
        pts = (f"{f(x - r * 0.28)},{f(cy)} {f(x + r * 0.28)},{f(cy)} {f(x + r * 0.28 + side * r * 0.25)},{f(cy + r * 1.55)} "
               f"{f(x + side * r * 0.25)},{f(cy + r * 1.3)} {f(x - r * 0.28 + side * r * 0.25)},{f(cy + r * 1.55)}")
        out.append(f'<polygon points="{pts}" fill="url(#tealFold)" stroke="#134f55" stroke-width="2" '
                   f'stroke-linejoin="round"/>')
    petals = []
    for i in range(16):
        a = i * 360 / 16
        petals.append(f'<ellipse cx="{f(cx)}" cy="{f(cy - r * 0.78)}" rx="{f(r * 0.26)}" ry="{f(r * 0.3)}" '
                      f'fill="{GOLD}" stroke="{GOLD_RIM}" stroke-width="3" transform="rotate({f(a)} {f(cx)} {f(cy)})"/>')
    out.append('<g>' + "".join(petals) + '</g>')
    out.append(f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(r * 0.72)}" fill="{TEAL}" stroke="#1a646b" stroke-width="4"/>')
    out.append(f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(r * 0.6)}" fill="none" stroke="#bfe6e8" '
               f'stroke-width="3" stroke-dasharray="8 7" opacity="0.7"/>')
    out.append(star(cx, cy + 2, r * 0.46, True, shadow=False))
    return '<g filter="url(#soft)">' + "\n".join(out) + '</g>\n'


def game_complete():
    w, h = 1263, 1120
    body = rosette(w / 2, 890, 95)
    # a scatter of confetti and sparkles in the margins, away from the text
    rng = [(120, 300, 0), (160, 520, 1), (110, 720, 2), (1120, 330, 1), (1150, 560, 0),
           (1110, 760, 2), (250, 920, 0), (1000, 930, 1), (330, 1010, 2), (930, 1015, 0)]
    colors = [TEAL, "#7a5ab0", "#e6962f"]  # no badge red, so the close badge stays the only one
    for i, (x, y, k) in enumerate(rng):
        body += (f'<rect x="{x - 9}" y="{y - 4}" width="18" height="8" rx="3" fill="{colors[k]}" '
                 f'opacity="0.75" transform="rotate({(i * 47) % 180} {x} {y})"/>\n')
    for x, y, r in [(200, 410, 16), (1060, 440, 18), (190, 830, 14), (1075, 840, 15)]:
        body += sparkle(x, y, r, color="#f2b640", opacity=0.8)
    body += badge(1129, 97, 1245, 216, "close")
    return panel(w, h, 115, 400, body=body)


def credits():
    w, h = 1272, 1601
    body = divider(w / 2, 1460, 380)
    body += sprig(60, h - 70, 1.0) + sprig(w - 70, h - 70, 1.0, flip=True)
    body += badge(1138, 100, 1254, 220, "close")
    return panel(w, h, 116, 400, body=body)


def quit_panel():
    w, h = 1030, 1118
    # the question sits on a lighter note pinned to the page
    note = f"""<g filter="url(#softSmall)">
<rect x="132" y="276" width="758" height="520" rx="26" fill="#fffaf0"/>
</g>
<rect x="146" y="290" width="730" height="492" rx="18" fill="none" stroke="#d5b58c" stroke-width="2"
      stroke-dasharray="3 10" stroke-linecap="round" opacity="0.8"/>
"""
    body = note + badge(132, 826, 232, 924, "yes") + badge(794, 826, 890, 924, "no")
    return panel(w, h, 108, 370, body=body)


def get_ready():
    w, h = 1030, 580
    body = f'<ellipse cx="515" cy="400" rx="500" ry="140" fill="url(#pageLight)"/>\n'
    body += sparkle(110, 235, 18, color="#f2b640", opacity=0.7) + sparkle(920, 235, 18, color="#f2b640", opacity=0.7)
    return panel(w, h, 90, 360, ribbon_h=140, body=body)


def menu_template():
    # the strip under a menu button: a soft pill that fades at both ends and
    # a thin underline, a few percent darker than the paper
    w, h = 1030, 90
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n'
            f'<defs><linearGradient id="fade" x1="0" y1="0" x2="1" y2="0">'
            f'<stop offset="0" stop-color="#784828" stop-opacity="0"/>'
            f'<stop offset="0.25" stop-color="#784828" stop-opacity="0.09"/>'
            f'<stop offset="0.75" stop-color="#784828" stop-opacity="0.09"/>'
            f'<stop offset="1" stop-color="#784828" stop-opacity="0"/></linearGradient>'
            f'<linearGradient id="line" x1="0" y1="0" x2="1" y2="0">'
            f'<stop offset="0" stop-color="#784828" stop-opacity="0"/>'
            f'<stop offset="0.5" stop-color="#784828" stop-opacity="0.32"/>'
            f'<stop offset="1" stop-color="#784828" stop-opacity="0"/></linearGradient></defs>\n'
            f'<rect x="90" y="4" width="850" height="80" rx="40" fill="url(#fade)"/>\n'
            f'<rect x="190" y="85" width="650" height="3" rx="1.5" fill="url(#line)"/>\n'
            f'</svg>\n')


def settings_template():
    w, h = 1262, 65
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n'
            f'<defs><linearGradient id="fade" x1="0" y1="0" x2="1" y2="0">'
            f'<stop offset="0" stop-color="#784828" stop-opacity="0"/>'
            f'<stop offset="0.08" stop-color="#784828" stop-opacity="0.08"/>'
            f'<stop offset="0.92" stop-color="#784828" stop-opacity="0.08"/>'
            f'<stop offset="1" stop-color="#784828" stop-opacity="0"/></linearGradient></defs>\n'
            f'<rect x="56" y="3" width="1150" height="58" rx="29" fill="url(#fade)"/>\n'
            f'<line x1="90" y1="62" x2="1172" y2="62" stroke="#784828" stroke-opacity="0.22" '
            f'stroke-width="2" stroke-dasharray="2 8" stroke-linecap="round"/>\n'
            f'</svg>\n')


# ---------------------------------------------------------------- small pictures

def three_stars(centres, gold_count):
    out = ""
    for i, (cx, cy, r) in enumerate(centres):
        out += star(cx, cy, r, i < gold_count)
    return out


def cell_stars(gold):
    # transparent except the stars: the number the game draws at the top of
    # the cell stays visible, and the cell well comes from the panel
    body = three_stars([(45, 148, 30), (96, 138, 36), (147, 148, 30)], gold)
    return svg_open(192, 192) + body + "</svg>\n"


def table_cell():
    return svg_open(192, 192) + cell_well(0, 0) + "</svg>\n"


def lock_cell():
    body = f"""<g>
<rect x="2" y="2" width="188" height="188" rx="30" fill="#d9c4a2"/>
<rect x="3.5" y="3.5" width="185" height="185" rx="29" fill="none" stroke="#8a5a32" stroke-opacity="0.4"
      stroke-width="3"/>
<path d="M8,162 L8,34 Q8,8 34,8 L162,8" fill="none" stroke="#7a4a28" stroke-opacity="0.2" stroke-width="6"
      stroke-linecap="round"/>
</g>
<g filter="url(#softSmall)">
<path d="M66,96 L66,72 A30,30 0 0 1 126,72 L126,96" fill="none" stroke="#8d8f98" stroke-width="15"
      stroke-linecap="round"/>
<path d="M66,96 L66,72 A30,30 0 0 1 126,72 L126,96" fill="none" stroke="#c9cbd2" stroke-width="5"
      stroke-linecap="round" transform="translate(-2,-2)" opacity="0.8"/>
<rect x="48" y="90" width="96" height="78" rx="16" fill="url(#wood)" stroke="{WOOD_DARK}" stroke-width="3"/>
<rect x="55" y="97" width="82" height="14" rx="7" fill="#ffffff" opacity="0.18"/>
<circle cx="96" cy="124" r="10" fill="#4a2812"/>
<path d="M91,127 L101,127 L99,150 L93,150 Z" fill="#4a2812"/>
</g>
"""
    return svg_open(192, 192) + body + "</svg>\n"


def big_stars(gold):
    w, h = 720, 420
    body = ""
    if gold == 3:
        body += f'<ellipse cx="360" cy="230" rx="340" ry="170" fill="url(#starGlow)"/>\n'
    centres = [(168, 256, 118), (360, 196, 150), (552, 256, 118)]
    body += three_stars(centres, gold)
    if gold > 0:
        for x, y, r in [(60, 120, 20), (662, 118, 22), (300, 40, 14), (452, 48, 16), (90, 370, 12),
                        (640, 372, 14)][: 2 + 2 * gold]:
            body += sparkle(x, y, r, color="#f2b640", opacity=0.85)
    return svg_open(w, h) + body + "</svg>\n"


def small_plate(w, h):
    """The little paper plate under the corner pictures during play."""
    return f"""<g filter="url(#softSmall)">
<rect x="6" y="6" width="{w - 16}" height="{h - 18}" rx="34" fill="url(#wood)"/>
</g>
<rect x="17" y="17" width="{w - 38}" height="{h - 40}" rx="24" fill="url(#paper)"/>
<rect x="18.5" y="18.5" width="{w - 41}" height="{h - 43}" rx="23" fill="none" stroke="#5c3418"
      stroke-opacity="0.25" stroke-width="3"/>
"""


def gui_level():
    w, h = 356, 178
    body = small_plate(w, h)
    body += (f'<g opacity="0.55"><line x1="90" y1="134" x2="160" y2="134" stroke="#b38a5e" stroke-width="3" '
             f'stroke-linecap="round"/><line x1="196" y1="134" x2="266" y2="134" stroke="#b38a5e" '
             f'stroke-width="3" stroke-linecap="round"/>'
             f'<polygon points="178,125 187,134 178,143 169,134" fill="{TEAL}"/></g>\n')
    return svg_open(w, h) + body + "</svg>\n"


def gui_prize(gold):
    w, h = 356, 178
    body = small_plate(w, h)
    body += three_stars([(100, 88, 46), (178, 80, 54), (256, 88, 46)], gold)
    return svg_open(w, h) + body + "</svg>\n"


def gui_menu():
    w = 128
    cx = cy = 62
    r = 56
    body = f"""<g filter="url(#softSmall)">
<circle cx="{cx}" cy="{cy}" r="{r}" fill="url(#wood)"/>
</g>
<circle cx="{cx}" cy="{cy}" r="{r - 3}" fill="none" stroke="#d89a5c" stroke-width="2" opacity="0.7"/>
<circle cx="{cx}" cy="{cy}" r="{r - 11}" fill="url(#tealFill)"/>
<ellipse cx="{cx - 6}" cy="{cy - 24}" rx="26" ry="12" fill="#ffffff" opacity="0.2"/>
"""
    for dy in (-16, 0, 16):
        body += (f'<line x1="{cx - 20}" y1="{cy + dy + 2}" x2="{cx + 20}" y2="{cy + dy + 2}" stroke="#0f444a" '
                 f'stroke-opacity="0.4" stroke-width="9" stroke-linecap="round"/>'
                 f'<line x1="{cx - 21}" y1="{cy + dy}" x2="{cx + 21}" y2="{cy + dy}" stroke="#fff6e6" '
                 f'stroke-width="8" stroke-linecap="round"/>\n')
    return svg_open(w, w) + body + "</svg>\n"


def shadow():
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">\n'
            '<rect width="64" height="64" fill="#463c78" fill-opacity="0.55"/>\n</svg>\n')


def pointer(size=48):
    """An arrow with its tip at the top-left pixel: dark brown outline, cream
    fill and a little highlight. Drawn on a 48 grid and scaled for other sizes."""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" viewBox="0 0 48 48">\n'
            '<defs><linearGradient id="fill" x1="0" y1="0" x2="1" y2="1">'
            '<stop offset="0" stop-color="#fffaf0"/><stop offset="1" stop-color="#f0d9b0"/>'
            '</linearGradient></defs>\n'
            '<path d="M4.5,6.5 L4.5,44 L14.5,35.5 L21,47 L28,43.5 L21.5,32 L34.5,31 Z" '
            'fill="#2a1206" fill-opacity="0.25" transform="translate(1.5,1.5)"/>\n'
            '<path d="M1.6,1.6 L1.6,38 L11.5,29.5 L18,41 L25,37.5 L18.5,26 L31.5,25 Z" '
            'fill="url(#fill)" stroke="#4a2010" stroke-width="3" stroke-linejoin="round"/>\n'
            '<path d="M8,12.5 L8,27.5 L12.5,23.5" fill="none" stroke="#ffffff" stroke-width="2" '
            'stroke-linecap="round" stroke-linejoin="round" opacity="0.7"/>\n'
            '</svg>\n')


def logo():
    w, h = 1600, 520
    defs = """<linearGradient id="letters" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#fff1c4"/>
  <stop offset="0.45" stop-color="#ffd25e"/>
  <stop offset="1" stop-color="#f0962e"/>
</linearGradient>
<filter id="logoShadow" x="-10%" y="-20%" width="120%" height="140%">
  <feGaussianBlur in="SourceAlpha" stdDeviation="10"/>
  <feOffset dx="10" dy="16" result="b"/>
  <feFlood flood-color="#2a0f20" flood-opacity="0.5"/>
  <feComposite in2="b" operator="in"/>
  <feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge>
</filter>
"""
    # the letters bounce a little, as if tossed onto the desk; each is placed
    # on its own, with Comfortaa Bold's advance widths at 280 px
    advances = [275, 189, 136, 154, 189, 191, 174]
    bounce = [0, -16, 14, -18, 12, -14, 8]
    tilt = [-4, 3, -3, 4, -2, 3, -4]
    spacing = 12
    x = 800 - (sum(advances) + spacing * 6) / 2
    letters = []
    for ch, adv, dy, angle in zip("Morvane", advances, bounce, tilt):
        letters.append((ch, x, 350 + dy, angle, x + adv / 2))
        x += adv + spacing

    def word(style):
        return "".join(
            f'<text x="{f(lx)}" y="{f(ly)}" transform="rotate({angle} {f(cx)} {f(ly - 90)})" '
            f'font-family="Comfortaa" font-weight="bold" font-size="280" {style}>{ch}</text>'
            for ch, lx, ly, angle, cx in letters)

    body = f"""<g filter="url(#logoShadow)">
{word('fill="#912040" stroke="#912040" stroke-width="56" stroke-linejoin="round"')}
{word('fill="#6c3111" stroke="#6c3111" stroke-width="34" stroke-linejoin="round"')}
</g>
{word('fill="#fff6e0" stroke="#fff6e0" stroke-width="12" stroke-linejoin="round"')}
{word('fill="url(#letters)"')}
"""
    body += sparkle(170, 110, 34, color="#fff0b0") + sparkle(1480, 420, 28, color="#fff0b0")
    body += sparkle(1440, 90, 18, color="#fff0b0") + sparkle(110, 420, 14, color="#fff0b0")
    return svg_open(w, h, defs) + body + "</svg>\n"


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as out:
        out.write(text)


def main():
    panels = {
        "mainmenu": main_menu(), "levelselect": level_select(), "quickgame": quick_game(),
        "settings": settings(), "ingamemenu": in_game_menu(), "gamecomplete": game_complete(),
        "credits": credits(), "quit": quit_panel(), "getready": get_ready(),
        "menu_template": menu_template(), "settings_template": settings_template(),
    }
    for name, text in panels.items():
        write(os.path.join(HERE, "svg", name + ".svg"), text)
    gui = {
        "table": table_cell(), "lock": lock_cell(), "shadow": shadow(), "pointer": pointer(),
        "logo": logo(), "gui_menu": gui_menu(), "gui_level": gui_level(),
    }
    for n in range(1, 5):
        gui[f"star_{n}"] = cell_stars(4 - n)
        gui[f"star_{n}_big"] = big_stars(4 - n)
        gui[f"gui_prize_{n}"] = gui_prize(4 - n)
    for name, text in gui.items():
        write(os.path.join(CONTENT, "gui", "svg", name + ".svg"), text)
    write(os.path.join(CONTENT, "cursor", "pointer.svg"), pointer())


if __name__ == "__main__":
    main()
