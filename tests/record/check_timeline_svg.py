#!/usr/bin/env python3
"""Writes the sample timelines and checks each picture as a browser and a viewer meet it:
it parses as XML, the short run has one row mark per executed row, the ten-hour run stays
under a megabyte, and rsvg-convert renders each to PNG without a word on standard error."""

import pathlib
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

SVG = "{http://www.w3.org/2000/svg}"


def main():
    # The program may come with the command that runs it, such as Wine for a Windows build.
    samples_program, rsvg_convert = sys.argv[1:-1], sys.argv[-1]
    with tempfile.TemporaryDirectory() as folder:
        folder = pathlib.Path(folder)
        subprocess.run([*samples_program, str(folder)], check=True, timeout=60)
        short = ElementTree.parse(folder / "short.svg").getroot()
        rows = [mark.get("data-row") for mark in short.iter(SVG + "rect") if mark.get("data-row")]
        if rows != [str(row) for row in range(1, 9)]:
            sys.exit(f"short.svg: row marks {rows}, expected rows 1 to 8 once each")
        if short.find(SVG + "title").text != "Short run <8 rows> & pauses":
            sys.exit("short.svg: the title did not come back as written")
        size = (folder / "long.svg").stat().st_size
        ElementTree.parse(folder / "long.svg")
        if size >= 1_000_000:
            sys.exit(f"long.svg: {size} bytes, not under a megabyte")
        for name in ("short", "long"):
            png = folder / f"{name}.png"
            run = subprocess.run([rsvg_convert, "-o", str(png), str(folder / f"{name}.svg")],
                                 capture_output=True, text=True, timeout=60)
            if run.returncode != 0 or run.stderr or png.stat().st_size == 0:
                sys.exit(f"rsvg-convert on {name}.svg: status {run.returncode}, {run.stderr!r}")
        print(f"short.svg: {len(rows)} row marks; long.svg: {size} bytes; both render")


if __name__ == "__main__":
    main()
