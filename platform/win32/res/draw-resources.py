#!/usr/bin/env python3
# draw-resources.py - draws the pictures of wizard.rc: the vertical section beside the fields at four
# display scales (section.bmp, bitmap 129, at 100 %; section-125.bmp, section-150.bmp and
# section-200.bmp, bitmaps 130 to 132) and wizard.ico (icon group 128: 16 colours, 32 x 32 and
# 16 x 16, and the sizes 20, 24, 40, 48 and 64 that Windows asks for at 125, 150 and 200 %); and
# section-texts.h, where the section's field labels and their values stand at each scale.
#
# Win32 layer, developer tool: run it by hand after changing a drawing, and commit the outputs beside
# this script; the build only reads the committed files. Needs Python 3 and ImageMagick's convert
# (the section's fixed words are set with the Noto Sans CJK JP font of the fonts-noto-cjk package).
#
#   platform/win32/res/draw-resources.py [OUTPUT_DIR]     (default: this script's folder)
import math
import os
import struct
import subprocess
import sys

# ----------------------------------------------------------------------------------------------------
# Section picture: 222 x 382 pixels at 100 %, 8 bits per pixel.
#
# On the right the four main floors, each with its room height dimensioned and labelled like its
# dialog field; on the left the three mezzanines of the other block, raised by the level difference.
# The wall thickness is dimensioned at the top; the level difference, the other floors' slab, the
# first-floor thickness and the foundation height on the left; the level of the fourth-floor roof,
# the building's total height, at the top left. All heights in pixels, y grows downwards.
#
# The labels of those dimensions are not in the bitmaps: the wizard draws them at run time with the
# value each field holds as the user types ("１階部屋高 2400"), and greys a label whose field is not
# a number. Where each line goes is decided here, once, and written to section-texts.h for every
# scale, in that scale's pixels; the bitmaps keep only the drawing and the words that never change
# (the mezzanines' names, GL).
#
# Everything that matters lies in the middle 190 columns (SAFE_LEFT to SAFE_RIGHT): the picture
# control is 128 dialog units wide and shows the bitmap centred, so with a dialog font 6 pixels per
# 4 units wide it shows 190 columns, with 7 pixels all 222.
#
# The drawing is made for 100 % and drawn again for each larger display scale, with every edge
# snapped to whole pixels of that scale (lines 1 pixel wide at 100 and 125 %, 2 at 150 and 200 %)
# and the text set at the scaled size, so each picture is as sharp as the first. The dialog grows
# with the scale, and so does its picture frame: each picture fills the frame at its scale.
SCALES = ((96, 1.0, "section.bmp"), (120, 1.25, "section-125.bmp"), (144, 1.5, "section-150.bmp"),
          (192, 2.0, "section-200.bmp"))
SECTION_W, SECTION_H = 222, 382
SAFE_LEFT, SAFE_RIGHT = 16, 205
FONT = "Noto-Sans-CJK-JP"
FONT_SIZE = 10  # pixels: each Japanese character is 10 pixels wide
LINE = 12       # pixels from one line of a label to the next

GROUND = 344            # ground line (GL)
EARTH = 368             # lower edge of the earth band below it
FOUNDATION_TOP = 320    # top of the foundation = underside of the first-floor slab
FLOOR1 = 310            # top of the first-floor slab: the first floor level
ROOM = 60               # room height in the drawing
SLAB = 8                # thickness of every slab above the first
LEVEL_DIFFERENCE = 34   # the mezzanine block sits this much higher

WALL = 4
LEFT_WALL, MIDDLE_WALL, RIGHT_WALL = 86, 124, 184   # left edges of the three walls
LEFT_DIM_X = 80         # vertical dimension line left of the building; its labels end 4 pixels left of it
RIGHT_DIM_X = 194       # vertical dimension line right of the building

WHITE = "#FFFFFF"
TEXT = "#000000"
WALL_COLOUR = "#4A4A4A"
SLAB_COLOUR = "#9C9C9C"
CONCRETE = "#C8C8C8"
GROUND_COLOUR = "#D8C098"
GROUND_HATCH = "#8A6A3A"
DIMENSION = "#1C4EA8"
MAIN_ROOM = "#EEF4FF"
MEZZANINE_ROOM = "#FFF4E0"

# The edit controls whose labels the section carries (resource.h); 0 stands for the total height,
# which is no field but follows from seven of them.
TOTAL_HEIGHT = 0
FOUNDATION_HEIGHT, FIRST_FLOOR_THICKNESS, OTHER_FLOOR_THICKNESS = 1000, 1001, 1002
ROOM_HEIGHTS = (1003, 1004, 1005, 1011)  # floors 1 to 4
LEVEL_DIFFERENCE_ID, WALL_THICKNESS = 1006, 1012


def storeys(floor_top, count):
    """(floor level, ceiling level, slab top above) for `count` storeys starting at `floor_top`."""
    result = []
    level = floor_top
    for _ in range(count):
        ceiling = level - ROOM
        result.append((level, ceiling, ceiling - SLAB))
        level = ceiling - SLAB
    return result


def scaled(v, scale):
    """A pixel edge of the 100 % drawing at `scale`, rounded half up: 222 at 125 % is 278."""
    return math.floor(v * scale + 0.5)


def baseline(y):
    """The baseline of a line of text whose middle is at `y` (100 % pixels)."""
    return y + 4


def section(scale=1.0):
    """The drawing at `scale` as ImageMagick draw commands, and the lines of its field labels:
    (control id, label text, value on this line, x, baseline, anchor) in that scale's pixels."""
    def p(v):
        return scaled(v, scale)
    width = max(1, p(1))                # of every line

    main = storeys(FLOOR1, 4)                          # 1st to 4th floor
    mezzanine = storeys(FLOOR1 - LEVEL_DIFFERENCE, 3)  # 2nd to 4th floor mezzanine
    main_top = main[-1][2]
    mezzanine_top = mezzanine[-1][2]
    mvg = []
    add = mvg.append
    labels = []

    def rect(x0, y0, x1, y1, colour):   # inclusive pixel corners
        add(f"fill '{colour}' stroke none rectangle {p(x0)},{p(y0)} {p(x1 + 1) - 1},{p(y1 + 1) - 1}")

    def line(x0, y0, x1, y1, colour=DIMENSION):  # through the middle of the pixels (x0, y0) and (x1, y1)
        half = width / 2
        add(f"stroke '{colour}' stroke-width {width} fill none "
            f"line {p(x0) + half:g},{p(y0) + half:g} {p(x1) + half:g},{p(y1) + half:g}")

    def tick(x, y):                     # architectural dimension tick: a short slash through (x, y)
        line(x - 3, y + 3, x + 3, y - 3)

    def text(x, y, words, anchor="start"):  # fixed words in the bitmap; y is the text's vertical centre
        add(f"stroke none fill '{TEXT}' font '{FONT}' font-size {FONT_SIZE * scale:g} text-anchor {anchor} "
            f"text {p(x)},{p(baseline(y))} '{words}'")

    def label(control, x, y, words, anchor, value):  # drawn at run time: y is the line's vertical centre
        labels.append((control, words, value, p(x), p(baseline(y)), anchor))

    def dimension(x, levels, wall_x):   # vertical dimension line with extension lines to the wall
        line(x, min(levels), x, max(levels))
        for y in levels:
            line(min(x - 3, wall_x), y, max(x + 3, wall_x), y)
            tick(x, y)

    # Ground and foundation
    # The earth is a band with a lower edge, so the white the picture control adds below the bitmap
    # (when the dialog font is taller than 12 pixels) reads as part of the drawing.
    rect(0, GROUND, SECTION_W - 1, EARTH, GROUND_COLOUR)
    for x in range(-24, SECTION_W, 8):
        line(x, EARTH, x + EARTH - GROUND, GROUND, GROUND_HATCH)
    line(0, EARTH, SECTION_W - 1, EARTH, GROUND_HATCH)
    rect(LEFT_WALL - 4, FOUNDATION_TOP, RIGHT_WALL + WALL + 3, GROUND + 10, CONCRETE)
    line(0, GROUND, SECTION_W - 1, GROUND, "#000000")
    text(RIGHT_DIM_X - 2, GROUND - 8, "GL")

    # Rooms, slabs and walls: the main block on the right, the mezzanine block on the left
    rect(MIDDLE_WALL + WALL, main_top, RIGHT_WALL - 1, FLOOR1, MAIN_ROOM)
    rect(LEFT_WALL + WALL, mezzanine_top, MIDDLE_WALL - 1, FLOOR1, MEZZANINE_ROOM)
    rect(LEFT_WALL, FLOOR1, RIGHT_WALL + WALL - 1, FOUNDATION_TOP - 1, SLAB_COLOUR)  # first-floor slab
    for floor, ceiling, slab_top in main:
        rect(MIDDLE_WALL, slab_top, RIGHT_WALL + WALL - 1, ceiling - 1, SLAB_COLOUR)
    for floor, ceiling, slab_top in mezzanine:
        rect(LEFT_WALL, slab_top, MIDDLE_WALL + WALL - 1, ceiling - 1, SLAB_COLOUR)
    first = mezzanine[0][0]
    rect(LEFT_WALL, first, MIDDLE_WALL + WALL - 1, first + SLAB - 1, SLAB_COLOUR)  # mezzanine floor slab
    rect(LEFT_WALL, mezzanine_top, LEFT_WALL + WALL - 1, FOUNDATION_TOP - 1, WALL_COLOUR)
    rect(MIDDLE_WALL, main_top, MIDDLE_WALL + WALL - 1, FOUNDATION_TOP - 1, WALL_COLOUR)
    rect(RIGHT_WALL, main_top, RIGHT_WALL + WALL - 1, FOUNDATION_TOP - 1, WALL_COLOUR)

    # Top left: the level of the fourth-floor roof with its height above GL, the total height: a
    # level line from the left edge to the main block, and the level mark (a small triangle standing
    # on its tip) at its left end
    level_left = SAFE_LEFT + 2
    line(level_left, main_top, MIDDLE_WALL - 1, main_top)
    add(f"stroke none fill '{DIMENSION}' polygon {p(level_left):g},{p(main_top - 6):g} "
        f"{p(level_left + 8):g},{p(main_top - 6):g} {p(level_left + 4):g},{p(main_top):g}")
    label(TOTAL_HEIGHT, level_left + 12, main_top - 7, "全高", "start", True)

    # Main floors: room heights, labelled in the rooms with the value on a second line (a room is
    # 56 pixels wide, as wide as a label), dimensioned on the right
    main_centre = (MIDDLE_WALL + WALL + RIGHT_WALL) // 2
    levels = []
    for number, control, (floor, ceiling, slab_top) in zip("１２３４", ROOM_HEIGHTS, main):
        middle = (floor + ceiling) // 2
        label(control, main_centre, middle - LINE // 2, f"{number}階部屋高", "middle", False)
        label(control, main_centre, middle + LINE // 2, "", "middle", True)
        levels += [floor, ceiling]
    dimension(RIGHT_DIM_X, levels, RIGHT_WALL + WALL)
    # Mezzanines: their names in the rooms
    mezzanine_centre = (LEFT_WALL + WALL + MIDDLE_WALL) // 2
    for number, (floor, ceiling, _) in zip("２３４", mezzanine):
        text(mezzanine_centre, (floor + ceiling) // 2, f"中{number}階", "middle")

    # Left: the other floors' slab (between the 2nd and 3rd floor mezzanines), then the level
    # difference between the first floor and the second-floor mezzanine, the first-floor slab and
    # the foundation height. The first two have their values on a line of their own; the last two
    # stand one above the other within 34 pixels, so theirs follow the label on its line.
    label_x = LEFT_DIM_X - 4
    slab_bottom, slab_top = mezzanine[0][1], mezzanine[0][2]
    dimension(LEFT_DIM_X, [slab_top, slab_bottom], LEFT_WALL)
    slab_middle = (slab_top + slab_bottom) // 2
    label(OTHER_FLOOR_THICKNESS, label_x, slab_middle - LINE // 2, "他階床厚", "end", False)
    label(OTHER_FLOOR_THICKNESS, label_x, slab_middle + LINE // 2, "", "end", True)
    upper = FLOOR1 - LEVEL_DIFFERENCE
    dimension(LEFT_DIM_X, [upper, FLOOR1, FOUNDATION_TOP, GROUND], LEFT_WALL)
    label(LEVEL_DIFFERENCE_ID, label_x, upper + 1, "基準ブロック", "end", False)
    label(LEVEL_DIFFERENCE_ID, label_x, upper + 1 + LINE, "とのレベル差", "end", False)
    label(LEVEL_DIFFERENCE_ID, label_x, upper + 1 + 2 * LINE, "", "end", True)
    label(FIRST_FLOOR_THICKNESS, label_x, FLOOR1 + 6, "１階床厚", "end", True)
    label(FOUNDATION_HEIGHT, label_x, (FOUNDATION_TOP + GROUND) // 2 + 2, "基礎高さ", "end", True)

    # Top: the wall thickness of the main block's outer wall
    dim_y = main_top - 10
    for x in (RIGHT_WALL, RIGHT_WALL + WALL):
        line(x, dim_y - 3, x, main_top - 2)
        tick(x, dim_y)
    line(RIGHT_WALL - 12, dim_y, RIGHT_WALL + WALL + 12, dim_y)
    label(WALL_THICKNESS, RIGHT_WALL + WALL + 12, dim_y - 11, "壁厚", "end", True)

    return "\n".join(mvg) + "\n", labels


def draw_section(path, scale):
    # The drawing goes on the command line: Debian's ImageMagick policy refuses "@file" arguments.
    # 8 bits per pixel with a palette, uncompressed, no colour-space header (BMP3).
    size = (scaled(SECTION_W, scale), scaled(SECTION_H, scale))
    subprocess.run(["convert", "-size", f"{size[0]}x{size[1]}", f"xc:{WHITE}",
                    "-draw", section(scale)[0], "+dither", "-colors", "200", "-type", "Palette",
                    "-compress", "None", f"BMP3:{path}"], check=True)
    with open(path, "rb") as bmp:
        header = bmp.read(30)
    width, height, _, bits = struct.unpack("<iiHH", header[18:30])
    if (width, height, bits) != (*size, 8):
        sys.exit(f"draw-resources: {path} is {width} x {height} at {bits} bits, not {size[0]} x {size[1]} at 8")


def write_section_texts(path):
    """section-texts.h: the label lines of every scale, for platform/win32/SectionPicture.cpp."""
    anchors = {"start": "TextAnchor::Start", "middle": "TextAnchor::Middle", "end": "TextAnchor::End"}
    out = ["// section-texts.h - where the section picture's field labels and values stand, at each of the four",
           "// scales the pictures are drawn for. Written by draw-resources.py together with section*.bmp;",
           "// do not edit by hand: change the script and run it again.",
           "//",
           "// Win32 layer, data only, included by platform/win32/SectionPicture.cpp. A line: the edit control",
           "// whose label it shows (0: the total height), the label's text on this line, whether the value is",
           "// drawn on this line (after the label, or alone when the line has no label text), the anchor's x",
           "// and the baseline's y in pixels of that scale's bitmap, and how the line stands to the anchor.",
           "#pragma once", "", '#include "platform/win32/SectionTextLayout.h"', "", "namespace wizard::platform {", ""]
    names = []
    for dpi, scale, _ in SCALES:
        name = f"kSectionTexts{dpi}"
        names.append((dpi, scale, name))
        out.append(f"inline constexpr SectionTextLine {name}[] = {{")
        for control, words, value, x, y, anchor in section(scale)[1]:
            out.append(f'    {{{control}, L"{words}", {"true" if value else "false"}, {x}, {y}, {anchors[anchor]}}},')
        out.append("};")
    out.append("")
    out.append("// DPI, the bitmap's size, the font's height in pixels (the em, as lfHeight = -height), the lines")
    out.append("inline constexpr SectionTexts kSectionTexts[] = {")
    for dpi, scale, name in names:
        out.append(f"    {{{dpi}, {scaled(SECTION_W, scale)}, {scaled(SECTION_H, scale)}, "
                   f"{scaled(FONT_SIZE, scale)}, {name}, sizeof {name} / sizeof {name}[0]}},")
    out += ["};", "", "}  // namespace wizard::platform", ""]
    with open(path, "w", encoding="utf-8") as header:
        header.write("\n".join(out))


# ----------------------------------------------------------------------------------------------------
# Icon: a split-level house (a taller main block, a lower block raised by half a storey) on the ground.
# 16 colours: the standard VGA palette, index 0 black ... 15 white; None is transparent.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
       (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, DARK_RED, GREEN, OLIVE, GREY, SILVER, RED, YELLOW, WHITE_INDEX = 0, 1, 2, 3, 8, 7, 9, 11, 15

# (main block, mezzanine block, roof overhang, main slabs, mezzanine slabs, window column per block),
# drawn by hand for 32 and 16 pixels. The other sizes are these drawings scaled up with every edge
# rounded to a whole pixel (so they stay as crisp): 20 and 24 from the 16-pixel drawing, 40, 48 and
# 64 from the 32-pixel one. 32 and 16 come first in the group, as they always have.
ICON_SIZES = (32, 16, 20, 24, 40, 48, 64)
ICON_LAYOUTS = {
    32: dict(main=(15, 7, 28, 27), mezz=(3, 11, 15, 27), main_slabs=(12, 17, 22), mezz_slabs=(15, 20),
             windows=((20, 23), (7, 10)), window_h=2, ground=27),
    16: dict(main=(7, 3, 14, 13), mezz=(1, 6, 7, 13), main_slabs=(6, 9), mezz_slabs=(8, 11),
             windows=((10, 11), (3, 4)), window_h=1, ground=13),
}


def icon_pixels(size):
    base = 32 if size >= 32 else 16
    layout = ICON_LAYOUTS[base]
    pixels = [[None] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, colour):  # inclusive corners of the base drawing
        x0, y0 = scaled(x0, size / base), scaled(y0, size / base)
        x1, y1 = scaled(x1 + 1, size / base) - 1, scaled(y1 + 1, size / base) - 1
        for y in range(max(y0, 0), min(y1, size - 1) + 1):
            for x in range(max(x0, 0), min(x1, size - 1) + 1):
                pixels[y][x] = colour

    def block(x0, y0, x1, y1, slabs, window):
        fill(x0, y0, x1, y1, BLACK)
        fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, WHITE_INDEX)
        fill(x0 - 1, y0 - 1, x1 + 1, y0, RED)          # flat roof with a red edge
        storey_tops = [y0 + 1] + [s + 1 for s in slabs]
        for s in slabs:
            fill(x0 + 1, s, x1 - 1, s, GREY)
        wx0, wx1 = window
        for top in storey_tops:
            fill(wx0, top + 1, wx1, top + layout["window_h"], YELLOW)

    fill(0, layout["ground"], size - 1, size - 1, GREEN)
    fill(0, layout["ground"], size - 1, layout["ground"], OLIVE)
    mx0, my0, mx1, my1 = layout["mezz"]
    block(mx0, my0, mx1, my1, layout["mezz_slabs"], layout["windows"][1])
    ax0, ay0, ax1, ay1 = layout["main"]
    block(ax0, ay0, ax1, ay1, layout["main_slabs"], layout["windows"][0])
    return pixels


def icon_image(size):
    """One icon image: BITMAPINFOHEADER, 16-colour palette, 4-bit XOR bitmap, 1-bit AND mask."""
    pixels = icon_pixels(size)
    xor_row = ((size * 4 + 31) // 32) * 4
    and_row = ((size + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for row in reversed(pixels):  # bottom-up
        line = bytearray(xor_row)
        bits = bytearray(and_row)
        for x, colour in enumerate(row):
            index = 0 if colour is None else colour
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if colour is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 0, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in VGA)
    return header + palette + bytes(xor) + bytes(mask)


def draw_icon(path):
    images = [(size, icon_image(size)) for size in ICON_SIZES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, image in images:
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    for _, image in images:
        out += image
    with open(path, "wb") as ico:
        ico.write(out)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for _, scale, name in SCALES:
        draw_section(os.path.join(out_dir, name), scale)
    write_section_texts(os.path.join(out_dir, "section-texts.h"))
    draw_icon(os.path.join(out_dir, "wizard.ico"))


if __name__ == "__main__":
    main()
