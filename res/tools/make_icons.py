#!/usr/bin/env python3
"""Writes the program's numbered icons as small SVG files (res/icons/<id>.svg).

One style for all: a 16 x 16 grid, a dark slate outline of 1.2 px with round
joins, flat fills from a small palette. Run from anywhere; no extra packages.
"""
import os

INK = "#36435a"
BLUE = "#4a7fc1"
PALE = "#dfe8f5"
PAPER = "#ffffff"
GOLD = "#e3a32b"
RED = "#c9463d"
GREEN = "#3f9a4a"
GREY = "#9aa3b2"

def s(body):
    return body

def stroke(d, fill="none", w=1.2):
    return f'<path d="{d}" fill="{fill}" stroke="{INK}" stroke-width="{w}" stroke-linejoin="round" stroke-linecap="round"/>'

def fillp(d, fill):
    return f'<path d="{d}" fill="{fill}"/>'

def rect(x, y, w, h, fill, rx=1):
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{rx}" fill="{fill}" stroke="{INK}" stroke-width="1.2"/>'

def circle(cx, cy, r, fill):
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}" stroke="{INK}" stroke-width="1.2"/>'

def text(t, x, y, size, weight="bold", style="normal", deco="none", fill=INK):
    return (f'<text x="{x}" y="{y}" font-family="DejaVu Sans, sans-serif" font-size="{size}" '
            f'font-weight="{weight}" font-style="{style}" text-decoration="{deco}" fill="{fill}" '
            f'text-anchor="middle">{t}</text>')

def lines(ys, x1, x2_list):
    return "".join(stroke(f"M{x1} {y}H{x2}") for y, x2 in zip(ys, x2_list))

page = rect(3, 1.5, 10, 13, PAPER) + stroke("M5.5 5H10.5M5.5 7.5H10.5M5.5 10H9")
calendar = (rect(1.5, 2.5, 13, 12, PAPER) + fillp("M2.1 3.1H13.9V6H2.1Z", RED) +
            stroke("M1.5 6H14.5") + stroke("M5 1.5V4M11 1.5V4") +
            "".join(f'<rect x="{x}" y="{y}" width="2" height="2" fill="{BLUE}"/>'
                    for x in (4, 7, 10) for y in (8, 11)))
bell = (stroke("M8 2.5C5.2 2.5 4.5 5 4.5 7.5V10L3 12H13L11.5 10V7.5C11.5 5 10.8 2.5 8 2.5Z", GOLD) +
        circle(8, 13.3, 1.2, GOLD))
mic = (rect(6, 1.5, 4, 8, PALE, 2) + stroke("M4 7.5C4 10 5.8 11.5 8 11.5S12 10 12 7.5") +
       stroke("M8 11.5V14M5.5 14H10.5"))
book = (stroke("M2 3.5C4 2.5 6 2.5 8 3.8C10 2.5 12 2.5 14 3.5V13C12 12 10 12 8 13.3C6 12 4 12 2 13Z", PALE) +
        stroke("M8 3.8V13.3"))
glass = circle(6.5, 6.5, 4, PALE) + stroke("M9.5 9.5L14 14", w=2)
clock = circle(8, 8, 6.3, PAPER) + stroke("M8 4.5V8L10.5 9.5")
gear = (circle(8, 8, 5, GREY) + circle(8, 8, 2, PAPER) +
        "".join(stroke(d, w=2) for d in ("M8 1V3", "M8 13V15", "M1 8H3", "M13 8H15",
                                            "M3 3L4.4 4.4", "M11.6 11.6L13 13", "M13 3L11.6 4.4", "M3 13L4.4 11.6")))
floppy = rect(2, 2, 12, 12, BLUE) + rect(4.5, 2, 7, 4.5, PAPER, 0) + rect(4, 9, 8, 5, PALE, 0)
arrow_circle = stroke("M12.5 5.5A5 5 0 1 0 13 9") + stroke("M12.8 2.5V5.8H9.5")
window = rect(2, 3, 12, 10, PAPER) + fillp("M2.6 3.6H13.4V6H2.6Z", BLUE) + stroke("M2 6H14")

def align(kind):
    out = ""
    for i, w in enumerate((10, 7, 10, 7)):
        y = 3.5 + 3 * i
        if kind == "left":
            x1 = 3
        elif kind == "center":
            x1 = 8 - w / 2
        elif kind == "right":
            x1 = 13 - w
        else:
            x1, w = 3, 10
        out += stroke(f"M{x1} {y}H{x1 + w}")
    return out

ICONS = {
    128: calendar,                                   # the program: a day page
    133: stroke("M4.5 4.5L11.5 11.5M11.5 4.5L4.5 11.5", w=2),   # close
    134: stroke("M4 11.5H12", w=2),                  # minimise
    136: book,                                       # rich-text diary
    138: mic,                                        # sound diary
    143: align("left"), 144: align("center"), 145: align("right"), 146: align("justify"),
    147: "".join(circle(3.5, y, 1, BLUE) + stroke(f"M6.5 {y}H13") for y in (4, 8, 12)),  # bullets
    148: stroke("M7 4H13M7 8H13M7 12H13") + stroke("M2.5 5.5L5 8L2.5 10.5", BLUE),      # indent
    149: stroke("M7 4H13M7 8H13M7 12H13") + stroke("M5 5.5L2.5 8L5 10.5", BLUE),        # outdent
    150: stroke("M5 6.5H10.5A3 3 0 0 1 10.5 12.5H7") + stroke("M7 4L4.5 6.5L7 9"),       # undo
    151: rect(1.5, 2.5, 13, 11, PALE) + fillp("M2.5 12.5L6.5 7L9.5 10.5L11 9L13.5 12.5Z", GREEN) +
         circle(11, 5.5, 1.3, GOLD),                 # picture
    152: text("B", 8, 12.5, 12), 153: text("I", 8, 12.5, 12, "bold", "italic"),
    154: text("U", 8, 11, 11) + stroke("M4 14H12"),
    155: text("A", 8, 11, 11) + f'<rect x="2.5" y="12.5" width="11" height="2.5" fill="{RED}"/>',  # font colour
    172: stroke("M3 8L8 3L13 8L8 13Z", PAPER) + stroke("M3 8H13L8 13Z", GOLD) +
         fillp("M13.5 10C14.5 12 14.5 13.5 13.5 13.5S12.5 12 13.5 10Z", BLUE),  # background colour
    173: book + text("?", 8, 11, 7),                 # user manual
    174: stroke("M3 13L11 5M10 3L13 6", w=1.6) + stroke("M3.5 3.5L4.5 5.5L6.5 6L4.5 6.5L3.5 8.5L2.5 6.5L0.8 6L2.5 5.5Z", GOLD),
    175: stroke("M6 11.5V3.5L13 2V10") + circle(4.5, 11.5, 1.8, BLUE) + circle(11.5, 10, 1.8, BLUE),  # media
    176: stroke("M3 13V3H9L13 7V13Z", PAPER) + stroke("M9 3V7H13"),                     # document
    177: stroke("M1.5 5.5H5L9 2.5V13.5L5 10.5H1.5Z", PALE) + stroke("M11 5.5C12.3 6.8 12.3 9.2 11 10.5"),  # sound
    178: circle(8, 8, 6.3, PALE) + stroke("M6.5 5V11L11 8Z", GREEN),                  # test (play)
    179: circle(8, 8, 6.3, GREEN) + f'<path d="M8 4.5V11.5M4.5 8H11.5" stroke="{PAPER}" stroke-width="2"/>',  # add
    180: circle(8, 8, 6.3, RED) + f'<path d="M4.5 8H11.5" stroke="{PAPER}" stroke-width="2"/>',            # remove
    181: stroke("M2 13L6 9L9 11L14 4", w=1.6),                                        # chart
    182: stroke("M8 2V10M4.5 6.5L8 10L11.5 6.5") + stroke("M2.5 11V13.5H13.5V11"),      # download
    183: stroke("M8 14V6M4.5 9.5L8 6L11.5 9.5") + stroke("M2.5 5V2.5H13.5V5"),          # upload
    184: gear,                                                                         # config
    185: rect(2, 4, 12, 9, PALE) + stroke("M2 4L8 9L14 4"),                              # letter
    186: circle(8, 8, 6.3, PALE) + stroke("M1.7 8H14.3M8 1.7C5.5 4.5 5.5 11.5 8 14.3M8 1.7C10.5 4.5 10.5 11.5 8 14.3"),  # web
    187: rect(2, 10, 12, 4, PALE) + stroke("M8 2V8M5.5 5.5L8 8L10.5 5.5"),             # hide to tray
    198: rect(1.5, 3.5, 13, 9, PAPER) + stroke("M1.5 3.5L8 9L14.5 3.5"),              # e-mail
    201: bell,                                                                         # reminders
    203: circle(8, 8, 6.3, BLUE) + text("?", 8, 12, 10, fill=PAPER),                  # help
    207: floppy,                                                                       # save
    213: glass,                                                                        # find
    214: rect(2.5, 2.5, 9, 11.5, GOLD) + rect(6, 5.5, 8, 9, PAPER),                     # paste
    215: rect(2, 2, 8, 9, PAPER) + rect(6, 5, 8, 9, PAPER),                             # copy
    216: stroke("M4 2L12 12M12 2L4 12") + circle(4, 13, 1.7, PALE) + circle(12, 13, 1.7, PALE),  # cut
    217: stroke("M3 3H13V11H7L4 14V11H3Z", PALE),                                       # note
    218: lines((3.5, 6.5, 9.5), 1.5, (8, 6, 5)) + circle(10, 10, 3, PALE) + stroke("M12.2 12.2L14.5 14.5", w=1.8),  # search
    237: rect(4, 2, 8, 5, PAPER, 0) + rect(1.5, 6.5, 13, 5.5, GREY) + rect(4, 10, 8, 4.5, PAPER, 0),  # print
    244: clock + stroke("M12.5 12.5L14.5 14.5M14.5 12V14.5H12", w=1.2),                 # update time
    245: circle(8, 8, 6.3, GREEN) + f'<path d="M8 4V11M5 8.5L8 11.5L11 8.5" fill="none" stroke="{PAPER}" stroke-width="1.6"/>',  # online update
    250: stroke("M10 3L5 8L10 13", w=1.8),                                            # hide calendar
    251: stroke("M6 3L11 8L6 13", w=1.8),                                             # show calendar
    253: floppy + stroke("M10 12.5L14.5 8", w=1.6),                                   # save as
    261: rect(2, 7, 12, 7, PALE) + stroke("M8 1.5V10M5 7L8 10L11 7", BLUE),           # import
    274: stroke("M3 13C3 6 7 2.5 13.5 2.5C13.5 9 10 13 3 13Z", GREEN) + stroke("M3 13L10 6"),  # desk leaf
    306: calendar + stroke("M13 12A3 3 0 1 1 12.5 9.5", BLUE),                        # synchronise holidays
    311: arrow_circle,                                                                 # refresh
    312: rect(5, 2, 9, 8, PAPER) + rect(2, 6, 9, 8, PAPER) + stroke("M2 8.5H11"),       # restore
    313: rect(2, 2, 12, 12, PALE) + stroke("M5 8L7.2 10.5L11 5.5", GREEN),              # done
    314: window,                                                                       # maximise
    315: stroke("M10.5 4.5L5.5 9.5A1.5 1.5 0 0 0 7.6 11.6L12.6 6.6A3 3 0 0 0 8.4 2.4L3.4 7.4A4.5 4.5 0 0 0 9.8 13.8L13 10.6"),  # attach
    316: stroke("M8 1.8C4.3 1.8 1.8 4.6 1.8 7.8C1.8 11.5 4.8 14.2 7.6 14.2C9.2 14.2 9 12.6 8.6 11.6C8.2 10.4 9 9.6 10.2 9.6H12.2C13.6 9.6 14.2 8.6 14.2 7.4C14.2 4.2 11.5 1.8 8 1.8Z", PAPER) +
         circle(5, 6, 1.2, RED) + circle(8, 4.3, 1.2, GOLD) + circle(11.2, 6, 1.2, GREEN) + circle(4.8, 9.6, 1.2, BLUE),  # themes
}

def main():
    out_dir = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "icons")
    os.makedirs(out_dir, exist_ok=True)
    for number, body in sorted(ICONS.items()):
        svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">'
               + body + "</svg>\n")
        with open(os.path.join(out_dir, f"{number}.svg"), "w", encoding="ascii") as f:
            f.write(svg)
    print(f"{len(ICONS)} icons written to {os.path.normpath(out_dir)}")

if __name__ == "__main__":
    main()
