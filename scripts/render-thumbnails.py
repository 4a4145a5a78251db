#!/usr/bin/python3
"""Renders the gallery thumbnail of every style in component/Calendar/Templates.

Each style is played by the real movie in headless Chromium, exactly as the gallery plays a
style without a thumbnail (a Flash OBJECT naming the style's props.xml), at the component's
size of 500 x 400; the screenshot is then scaled to 150 x 120 with ImageMagick and saved as
Templates/<Style>/<Style>.png. Run it after changing the movie or a style, and commit the PNGs.

Usage: scripts/render-thumbnails.py [style ...]
"""
import html
import pathlib
import shutil
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
COMPONENT = ROOT / "component" / "Calendar"
PLAYER = ROOT / "resources" / "web" / "swfobject.js"
MOVIE_WIDTH, MOVIE_HEIGHT = 500, 400
THUMB_WIDTH, THUMB_HEIGHT = 150, 120

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--hide-scrollbars", "--allow-file-access-from-files",
]

PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><script src="{player}"></script>
<style>html, body {{ margin: 0; padding: 0; background: #ffffff; overflow: hidden; }}</style>
</head><body><object classid="clsid:D27CDB6E-AE6D-11cf-96B8-444553540000" WIDTH="{width}" HEIGHT="{height}" id="preview0">
<PARAM NAME=movie VALUE="{movie}"><PARAM NAME=quality VALUE=high>
<PARAM NAME=FlashVars VALUE="tev_xmlConnectorURL={props}&tev_orientation=horizontal&tev_labelText=Calendar&tev_template={props}">
</object></body></html>
"""


def render(style_dir, work):
    page = work / (style_dir.name + ".html")
    page.write_text(PAGE.format(
        player=html.escape(PLAYER.as_uri()),
        movie=html.escape((COMPONENT / "WebCalendar.js").as_uri()),
        props=html.escape(str(style_dir / "props.xml")),
        width=MOVIE_WIDTH, height=MOVIE_HEIGHT), encoding="utf-8")
    shot = work / (style_dir.name + "-full.png")
    profile = tempfile.mkdtemp(dir=work)
    subprocess.run(["chromium", *CHROMIUM_FLAGS, "--user-data-dir=" + profile,
                    "--window-size=%d,%d" % (MOVIE_WIDTH, MOVIE_HEIGHT), "--virtual-time-budget=5000",
                    "--screenshot=" + str(shot), page.as_uri()],
                   check=True, timeout=120, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    target = style_dir / (style_dir.name + ".png")
    subprocess.run(["convert", str(shot), "-filter", "Lanczos", "-resize",
                    "%dx%d!" % (THUMB_WIDTH, THUMB_HEIGHT), "-strip",
                    "-define", "png:exclude-chunks=date,time", str(target)], check=True, timeout=60)
    return target


def main(names):
    styles = sorted(p for p in (COMPONENT / "Templates").iterdir() if (p / "props.xml").is_file())
    if names:
        styles = [p for p in styles if p.name in names]
    work = pathlib.Path(tempfile.mkdtemp(prefix="tev-thumbs-"))
    try:
        for style in styles:
            print(render(style, work).relative_to(ROOT))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main(sys.argv[1:])
