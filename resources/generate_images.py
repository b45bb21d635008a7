#!/usr/bin/env python3
"""Draws Quillmark's pictures with ImageMagick's `convert`: the application
icon, the built-in list image and the three decorative strips behind
the toolbar buttons. Run from anywhere; writes next to this script.

The strips are written as 32-bit bottom-up BMPs with a straight alpha
channel (BITMAPINFOHEADER, BI_RGB); the program premultiplies them when it
loads them for AlphaBlend."""

import os
import struct
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def convert(*args):
    subprocess.run(["convert", *args], check=True)


def strip(width, height, path):
    """A soft rounded band: a white-to-sky gradient with a thin blue rim."""
    with tempfile.TemporaryDirectory() as work:
        png = os.path.join(work, "strip.png")
        radius = 7
        convert(
            "-size", f"{width}x{height}", "gradient:#FFFFFF-#DDEBF8", "-alpha", "set",
            "(", "-size", f"{width}x{height}", "xc:none", "-fill", "white",
            "-draw", f"roundrectangle 0,0 {width - 1},{height - 1} {radius},{radius}", ")",
            "-compose", "DstIn", "-composite",
            "(", "-size", f"{width}x{height}", "xc:none", "-fill", "none", "-stroke", "#BCD4EC",
            "-strokewidth", "1",
            "-draw", f"roundrectangle 0.5,0.5 {width - 1.5},{height - 1.5} {radius},{radius}",
            "-stroke", "#FFFFFF", "-draw", f"line {radius},1.5 {width - radius - 1},1.5", ")",
            "-compose", "Over", "-composite", png)
        rgba = subprocess.run(["convert", png, "-depth", "8", "rgba:-"], check=True,
                              capture_output=True).stdout
    write_bmp32(width, height, rgba, path)


def write_bmp32(width, height, rgba, path):
    rows = []
    for y in range(height - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(width):
            r, g, b, a = rgba[(y * width + x) * 4:(y * width + x) * 4 + 4]
            row += bytes((b, g, r, a))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(pixels), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as out:
        out.write(header + info + pixels)


def application_icon(path):
    """A deep-blue rounded tile with a white quill writing a short line."""
    with tempfile.TemporaryDirectory() as work:
        big = os.path.join(work, "icon256.png")
        convert(
            "-size", "256x256", "gradient:#4A90E2-#1D4F91",
            "(", "-size", "256x256", "xc:none", "-fill", "white",
            "-draw", "roundrectangle 12,12 243,243 52,52", ")",
            "-compose", "DstIn", "-composite", "-compose", "Over",
            # the vane of the feather
            "-fill", "#FFFFFF", "-stroke", "none",
            "-draw", "path 'M 206,38 C 150,44 96,96 86,170 L 104,152 C 112,150 128,146 140,136 "
                     "L 126,134 C 142,128 160,118 170,106 L 154,104 C 176,94 196,72 206,38 Z'",
            # the shaft and the nib
            "-fill", "none", "-stroke", "#FFFFFF", "-strokewidth", "7", "-draw", "line 196,52 70,194",
            "-stroke", "#CFE3F8", "-strokewidth", "3", "-draw", "line 180,72 104,156",
            # the line it writes
            "-stroke", "#9FD0FF", "-strokewidth", "9", "-draw", "line 64,212 186,212",
            big)
        sizes = []
        for size in (16, 24, 32, 48, 256):
            out = os.path.join(work, f"icon{size}.png")
            convert(big, "-filter", "Lanczos", "-resize", f"{size}x{size}", out)
            sizes.append(out)
        convert(*sizes, path)


def builtin_image(path):
    """A small program window, shown for entries without an icon of their own:
    drawn anew for each small-icon size (100 % to 200 % of 16 pixels), so it
    stays sharp at every DPI."""
    with tempfile.TemporaryDirectory() as work:
        sizes = []
        for size in (16, 20, 24, 32):
            k = size / 16
            out = os.path.join(work, f"builtin{size}.png")
            convert(
                "-size", f"{size}x{size}", "xc:none", "-strokewidth", f"{max(1, round(k))}",
                "-fill", "#FFFFFF", "-stroke", "#4F75A3",
                "-draw", f"rectangle {1.5 * k:.1f},{2.5 * k:.1f} {size - 1.5 * k:.1f},{size - 2.5 * k:.1f}",
                "-fill", "#4A8BD6", "-stroke", "none",
                "-draw", f"rectangle {2 * k:.1f},{3 * k:.1f} {size - 2 * k:.1f},{5 * k + k - 1:.1f}",
                "-fill", "#A9C3E0",
                "-draw", f"rectangle {4 * k:.1f},{8 * k:.1f} {11 * k + k - 1:.1f},{8 * k + k - 1:.1f}",
                "-draw", f"rectangle {4 * k:.1f},{10 * k:.1f} {9 * k + k - 1:.1f},{10 * k + k - 1:.1f}",
                out)
            sizes.append(out)
        convert(*sizes, path)


if __name__ == "__main__":
    application_icon(os.path.join(HERE, "quillmark.ico"))
    builtin_image(os.path.join(HERE, "builtin.ico"))
    strip(1050, 31, os.path.join(HERE, "image5.bmp"))
    strip(1050, 31, os.path.join(HERE, "image1.bmp"))
    strip(202, 31, os.path.join(HERE, "image2.bmp"))
