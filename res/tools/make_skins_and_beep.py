#!/usr/bin/env python3
"""Writes the ten title-band skins (res/skin/<theme>.bmp, 8-bit palette BMPs,
64 x 25) from the colour theme table, and the beep (res/sounds/208.wav: half a
second of an 880 Hz tone, 11,025 samples per second, 8-bit mono PCM).
No extra packages needed."""
import math
import os
import struct

# Columns 1..8 of each theme (red, green, blue); see controls/color_theme.cpp.
THEMES = [
    [(229,229,227),(243,243,241),(165,165,163),(84,84,86),(119,120,121),(250,200,100),(255,255,255),(40,40,42)],
    [(230,232,240),(243,243,249),(196,206,227),(118,119,146),(172,179,209),(255,220,150),(60,63,92),(189,199,229)],
    [(226,242,230),(245,253,245),(146,205,146),(8,103,8),(67,162,67),(250,200,100),(255,255,255),(28,42,35)],
    [(240,232,212),(255,246,246),(250,170,80),(128,69,60),(240,146,53),(200,255,100),(50,10,0),(250,187,93)],
    [(223,225,238),(239,239,252),(153,153,211),(75,75,138),(121,121,180),(250,200,100),(255,255,255),(37,41,64)],
    [(224,223,227),(243,241,239),(187,189,199),(95,96,99),(177,179,200),(250,200,100),(0,0,0),(187,189,200)],
    [(223,225,235),(238,238,250),(150,170,235),(60,85,140),(128,151,215),(250,200,100),(255,255,255),(18,31,51)],
    [(236,233,216),(250,246,246),(180,193,140),(96,99,95),(170,184,131),(250,200,100),(255,255,255),(18,51,31)],
    [(219,220,230),(233,233,243),(151,180,193),(49,58,68),(41,105,136),(250,200,100),(255,255,255),(17,41,64)],
    [(219,230,220),(235,240,233),(165,188,166),(40,59,49),(84,116,96),(250,200,100),(255,255,255),(28,42,35)],
]
WIDTH, HEIGHT = 64, 25

def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))

def band_rows(theme):
    light_face, face, shadow, outline, accent, _, text, _ = theme
    # Light title text sits on a darker band, dark text on a light one.
    if sum(text) > 380:
        top, bottom = mix(accent, face, 0.25), mix(accent, outline, 0.55)
    else:
        top, bottom = mix(face, light_face, 0.5), mix(shadow, light_face, 0.35)
    rows = [mix(top, bottom, y / (HEIGHT - 1)) for y in range(HEIGHT)]
    rows[0] = mix(rows[0], (255, 255, 255), 0.5)     # gloss line
    rows[-1] = mix(outline, bottom, 0.4)             # bottom rule
    return rows

def write_bmp(path, rows):
    palette = sorted(set(rows))
    index = {c: i for i, c in enumerate(palette)}
    stride = (WIDTH + 3) & ~3
    pixels = b""
    for y in range(HEIGHT - 1, -1, -1):             # bottom-up
        line = bytes([index[rows[y]]]) * WIDTH
        pixels += line + b"\0" * (stride - WIDTH)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, len(pixels), 2835, 2835, len(palette), 0)
    header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + table + pixels)

def write_beep(path):
    rate, count = 11025, 11025 // 2
    samples = bytearray()
    for i in range(count):
        envelope = min(1.0, i / 200, (count - i) / 400)
        value = 128 + 90 * envelope * math.sin(2 * math.pi * 880 * i / rate)
        samples.append(max(0, min(255, int(round(value)))))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(samples)) + samples
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)

def main():
    root = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    os.makedirs(os.path.join(root, "skin"), exist_ok=True)
    os.makedirs(os.path.join(root, "sounds"), exist_ok=True)
    for number, theme in enumerate(THEMES):
        write_bmp(os.path.join(root, "skin", f"{number}.bmp"), band_rows(theme))
    write_beep(os.path.join(root, "sounds", "208.wav"))
    print("skins and beep written under", root)

if __name__ == "__main__":
    main()
