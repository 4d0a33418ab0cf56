#!/usr/bin/env python3
"""Writes Calpero's artwork, as SVG, into the artwork/ folder beside this script.

Every picture is drawn here once, with its colours named by role. The toolbar images come out in
three sets from the same drawing: "hot" in colour, "cold" in the grey of the same lightness, and
"disabled" in a paler grey; so the three sets always match shape for shape. The help page shows
some of the pictures inline, between <!--art:NAME--> and <!--/art--> marks; they are refreshed
from the files written here. Run it again after a change and commit both this script and what it
changes:

    python3 resources/make_artwork.py
"""

import re
from pathlib import Path

ARTWORK = Path(__file__).resolve().parent / "artwork"
HELP_PAGE = Path(__file__).resolve().parent / "help" / "index.htm"

# One palette for all pictures.
HOT = {
    "ink": "#263238",  # every outline
    "paper": "#ffffff",
    "faint": "#90a4ae",  # fine lines, and outlines of the parts an image does not single out
    "area": "#141414",  # the black of the fraction areas
    "lime": "#00ff00",  # the unit names on the areas
    "sigma": "#1565c0",
    "blue": "#1e88e5",
    "metal": "#cfd8dc",
    "folder": "#ffca28",
    "folder_back": "#f9a825",
    "green": "#43a047",
    "red": "#e53935",
    "glass": "#e3f2fd",
    "wood": "#8d6e63",
    "stop": "#e53935",  # the prohibition sign over the disabled add arrow
}

OUTLINE = 'stroke="{ink}" stroke-width="2" stroke-linejoin="round"'

# The fraction of the evaluate buttons: a summation sign beside a numerator box over a denominator
# box. A marked box is drawn as the program's own black area holding a lime unit name.
SIGMA = '<path d="M14 7V6H5l6 10-6 10h9v-1" fill="none" stroke="{sigma}" stroke-width="3"/>'
BAR = '<rect x="15" y="15" width="16" height="2" fill="{ink}"/>'


def fraction_box(top, marked):
    """Returns one box of the fraction whose outline starts at the given top."""
    if marked:
        return (f'<rect x="17" y="{top}" width="12" height="9" rx="1" fill="{{area}}" '
                f'{OUTLINE}/>'
                f'<rect x="20" y="{top + 3}" width="6" height="3" fill="{{lime}}"/>')
    return (f'<rect x="17" y="{top}" width="12" height="9" rx="1" fill="{{paper}}" '
            'stroke="{faint}" stroke-width="2"/>')


def evaluate(numerator, denominator):
    """Returns the drawing of an evaluate button with the given parts marked."""
    return SIGMA + fraction_box(3, numerator) + BAR + fraction_box(20, denominator)


FLOPPY = (
    f'<path d="M6 5h17l4 4v17a1 1 0 0 1-1 1H6a1 1 0 0 1-1-1V6a1 1 0 0 1 1-1z" fill="{{blue}}" '
    f'{OUTLINE}/>'
    f'<rect x="10" y="5" width="11" height="8" fill="{{metal}}" {OUTLINE}/>'
    '<rect x="17" y="7" width="2" height="4" fill="{ink}"/>'
    f'<rect x="9" y="17" width="14" height="10" fill="{{paper}}" {OUTLINE}/>'
    '<path d="M12 22h8" stroke="{faint}" stroke-width="2"/>'
)

FOLDER_WITH_ARROW = (
    f'<path d="M3 8a1 1 0 0 1 1-1h7l3 3h14a1 1 0 0 1 1 1v15a1 1 0 0 1-1 1H4a1 1 0 0 1-1-1z" '
    f'fill="{{folder_back}}" {OUTLINE}/>'
    f'<path d="M3 14h26v12a1 1 0 0 1-1 1H4a1 1 0 0 1-1-1z" fill="{{folder}}" {OUTLINE}/>'
    f'<path d="M13 2h6v9h5l-8 10-8-10h5z" fill="{{green}}" {OUTLINE}/>'
)

PROHIBITION = (
    '<circle cx="16" cy="16" r="11" fill="none" stroke="{red}" stroke-width="4"/>'
    '<path d="M8.5 8.5l15 15" stroke="{red}" stroke-width="4"/>'
)

INFORMATION = (
    f'<circle cx="16" cy="16" r="13" fill="{{blue}}" {OUTLINE}/>'
    '<circle cx="16" cy="9" r="2.5" fill="{paper}"/>'
    '<path d="M12 13h6v10h3v2H11v-2h3v-8h-2z" fill="{paper}"/>'
)

ARROW_RIGHT = f'<path d="M5 12h12V6l11 10-11 10v-6H5z" fill="{{green}}" {OUTLINE}/>'

# Laid over the arrow of the disabled set: the add buttons cannot add anything yet.
NOT_ALLOWED = (
    '<circle cx="16" cy="16" r="12" fill="none" stroke="{stop}" stroke-width="3"/>'
    '<path d="M7.5 7.5l17 17" stroke="{stop}" stroke-width="3"/>'
)

TOOLBAR = [
    ("0-evaluate-resultant", evaluate(True, True)),
    ("1-evaluate-numerator", evaluate(True, False)),
    ("2-evaluate-denominator", evaluate(False, True)),
    ("3-new-variable", FLOPPY),
    ("4-backup", FOLDER_WITH_ARROW),
    ("5-clear", PROHIBITION),
    ("6-help", INFORMATION),
    ("7-add", ARROW_RIGHT),
]

APPLICATION_ICON = """\
<defs>
<linearGradient id="night" x1="0" y1="0" x2="0" y2="1">
<stop offset="0" stop-color="#3c3c3c"/><stop offset="1" stop-color="#000000"/>
</linearGradient>
<linearGradient id="glow" x1="0" y1="0" x2="0" y2="1">
<stop offset="0" stop-color="#9dff9d"/><stop offset="1" stop-color="#00d200"/>
</linearGradient>
</defs>
<rect x="0.5" y="0.5" width="15" height="15" rx="3" fill="url(#night)" stroke="#000000"/>
<g fill="url(#glow)">
<rect x="3" y="3" width="4" height="3" rx="0.5"/>
<rect x="9" y="3" width="4" height="3" rx="0.5"/>
<rect x="2" y="7" width="12" height="2" rx="0.5"/>
<rect x="6" y="10" width="4" height="3" rx="0.5"/>
</g>"""

MAGNIFIER = (
    '<path d="M19.5 19.5l7 7" stroke="{ink}" stroke-width="6" stroke-linecap="round"/>'
    '<path d="M19.5 19.5l7 7" stroke="{wood}" stroke-width="2" stroke-linecap="round"/>'
    f'<circle cx="13" cy="13" r="9" fill="{{glass}}" {OUTLINE}/>'
    '<path d="M8 12a5 5 0 0 1 4-4" fill="none" stroke="{paper}" stroke-width="2" '
    'stroke-linecap="round"/>'
)

WASTE_BIN = (
    f'<path d="M11 15h26l-2.5 27a2 2 0 0 1-2 2h-17a2 2 0 0 1-2-2z" fill="{{metal}}" {OUTLINE}/>'
    '<path d="M17.5 19l1 20M24 19v20M30.5 19l-1 20" stroke="{faint}" stroke-width="2" '
    'stroke-linecap="round"/>'
    '<path d="M19 10V7a1 1 0 0 1 1-1h8a1 1 0 0 1 1 1v3" fill="none" stroke="{ink}" '
    'stroke-width="2"/>'
    f'<rect x="8" y="10" width="32" height="5" rx="1" fill="{{faint}}" {OUTLINE}/>'
)

# The letters that caption the powers of Mass, Length, Temperature and Time, drawn as outlines in
# the manner of a roman book face (thick stems, thin hairlines, bracketed serifs) so that they look
# the same whatever fonts a desktop has. Each stands at the upper left of its square, near its top,
# so that the power written at its upper right reads as an exponent.
LETTERS = [
    ("letter-m", "M2 6H10L18.4 25.4 28.5 6H35.5V7.4Q32.5 7.6 32.5 10V28Q32.5 30.4 36 30.6V32H24.5"
     "V30.6Q28 30.4 28 28V9.8L16.8 32.5 6.9 10.2V28Q6.9 30.4 10.4 30.6V32H2V30.6Q5.3 30.4 5.3 28"
     "V10Q5.3 7.6 2 7.4Z"),
    ("letter-l", "M2.5 6H14V7.4Q10.5 7.6 10.5 10V30.4H17.5Q20.4 30 21 24.5H22.2L21.8 32H2.5V30.6"
     "Q6 30.4 6 28V10Q6 7.6 2.5 7.4Z"),
    ("letter-t", "M2 6H26L26.6 13.5H25.6Q24.5 7.9 20 7.8H16.25V28Q16.25 30.4 20.5 30.6V32H7.5V30.6"
     "Q11.75 30.4 11.75 28V7.8H8Q3.5 7.9 2.4 13.5H1.4Z"),
    ("letter-time", "M10.2 7.5H11V14H16.5V15.6H11V27Q11 30.2 13.4 30.2Q15 30.2 16.4 28.2L17.4 28.9"
     "Q15.4 32.5 11.6 32.5Q7 32.5 7 27.5V15.6H3V14.4Z"),
]


def grey(colour, paler):
    """Returns the grey of the colour's lightness, moved toward white for the paler set."""
    red, green, blue = (int(colour[i:i + 2], 16) for i in (1, 3, 5))
    level = 0.2126 * red + 0.7152 * green + 0.0722 * blue
    if paler:
        level = 255 - (255 - level) * 0.45
    return "#{0:02x}{0:02x}{0:02x}".format(round(level))


def palette(variant):
    """Returns the colours of the hot, cold or disabled set."""
    if variant == "hot":
        return HOT
    greys = {role: grey(colour, variant == "disabled") for role, colour in HOT.items()}
    if variant == "disabled":
        greys["stop"] = "#808080"
    return greys


def svg(size, body, shown=None, top=0):
    """Returns a whole SVG document around the body, drawn on a square grid of the given size from
    the given top down, and shown at that size unless another is given."""
    shown = shown or size
    body = body.replace("><", ">\n<")
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{shown}" height="{shown}" '
            f'viewBox="0 {top} {size} {size}">\n{body}\n</svg>\n')


def write(relative, text):
    """Writes one file below the artwork folder, with LF line ends."""
    path = ARTWORK / relative
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text(text, encoding="utf-8", newline="\n")


def refresh_help_pictures():
    """Copies the current artwork into the marked places of the help page in every language."""
    for page_file in [HELP_PAGE, *sorted(HELP_PAGE.parent.glob("*/index.htm"))]:
        refresh_pictures_of(page_file)


def refresh_pictures_of(page_file):
    """Copies the current artwork into the marked places of one help page."""
    page = page_file.read_text(encoding="utf-8")

    def picture(mark):
        # Inside HTML an svg element needs no namespace of its own.
        drawing = (ARTWORK / f"{mark[2]}.svg").read_text(encoding="utf-8")
        drawing = drawing.replace(' xmlns="http://www.w3.org/2000/svg"', "")
        return f"{mark[1]}\n{drawing}{mark[3]}"

    page_file.write_text(re.sub(r"(<!--art:([\w/-]+)-->)\n.*?(<!--/art-->)", picture, page,
                                flags=re.DOTALL), encoding="utf-8", newline="\n")


def main():
    for variant in ("hot", "cold", "disabled"):
        colours = palette(variant)
        for name, drawing in TOOLBAR:
            if variant == "disabled" and name == "7-add":
                drawing += NOT_ALLOWED
            write(f"toolbar/{variant}/{name}.svg", svg(32, drawing.format(**colours)))
    # Drawn on a 16-pixel grid so that it stays sharp at the smallest size a desktop shows it.
    write("calpero.svg", svg(16, APPLICATION_ICON, shown=256))
    write("magnifier.svg", svg(32, MAGNIFIER.format(**HOT)))
    write("trash.svg", svg(48, WASTE_BIN.format(**HOT)))
    for name, outline in LETTERS:
        # Drawn on a 40-pixel grid and shown at 45, so the letter fills its square a little more.
        write(f"{name}.svg", svg(40, f'<path d="{outline}" fill="#000000"/>', shown=45, top=2))
    refresh_help_pictures()


if __name__ == "__main__":
    main()
