"""Helpers for the component's browser tests: a loopback HTTP server, headless Chromium runs
with bounded time, a small DOM tree from Chromium's dump, and pixel counts of screenshots."""
import functools
import html.parser
import http.server
import os
import shutil
import subprocess
import tempfile
import threading

CHROMIUM = os.environ.get("TEV_CHROMIUM", "/usr/bin/chromium")
CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--hide-scrollbars",
]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class LoopbackServer:
    """Serves a folder on 127.0.0.1 at a free port until closed."""

    def __init__(self, folder):
        handler = functools.partial(QuietHandler, directory=str(folder))
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.thread = threading.Thread(target=self.httpd.serve_forever, kwargs={"poll_interval": 0.1},
                                       daemon=True)
        self.thread.start()

    def url(self, name):
        return "http://127.0.0.1:%d/%s" % (self.httpd.server_address[1], name)

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()
        self.thread.join(timeout=5)


def chromium(url, *, dump_dom=False, screenshot=None, size=(800, 600), budget_ms=5000, extra=()):
    """Runs headless Chromium once on url; returns the dumped DOM text (or "")."""
    profile = tempfile.mkdtemp(prefix="tev-chromium-")
    try:
        args = [CHROMIUM, *CHROMIUM_FLAGS, "--user-data-dir=" + profile,
                "--window-size=%d,%d" % size, "--virtual-time-budget=%d" % budget_ms, *extra]
        if screenshot:
            args.append("--screenshot=" + str(screenshot))
        if dump_dom:
            args.append("--dump-dom")
        args.append(url)
        done = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=90)
        if done.returncode != 0:
            raise RuntimeError("chromium ended with %d on %s" % (done.returncode, url))
        return done.stdout.decode("utf-8", "replace")
    finally:
        shutil.rmtree(profile, ignore_errors=True)


class Node:
    def __init__(self, tag, attrs, parent):
        self.tag = tag
        self.attrs = dict(attrs)
        self.parent = parent
        self.children = []
        self.text = []

    def classes(self):
        return (self.attrs.get("class") or "").split()

    def has_class(self, name):
        return name in self.classes()

    def walk(self):
        yield self
        for child in self.children:
            yield from child.walk()

    def find_all(self, predicate):
        return [n for n in self.walk() if predicate(n)]

    def by_class(self, name):
        return self.find_all(lambda n: n.has_class(name))

    def all_text(self):
        return "".join(self.text) + "".join(c.all_text() for c in self.children)

    def style(self):
        """The inline style as a dict of property -> value."""
        out = {}
        for part in (self.attrs.get("style") or "").split(";"):
            if ":" in part:
                name, value = part.split(":", 1)
                out[name.strip()] = value.strip()
        return out


VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param", "source",
        "track", "wbr"}


class TreeBuilder(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.root = Node("#document", [], None)
        self.current = self.root

    def handle_starttag(self, tag, attrs):
        node = Node(tag, attrs, self.current)
        self.current.children.append(node)
        if tag not in VOID:
            self.current = node

    def handle_startendtag(self, tag, attrs):
        self.current.children.append(Node(tag, attrs, self.current))

    def handle_endtag(self, tag):
        node = self.current
        while node is not None and node.tag != tag:
            node = node.parent
        if node is not None and node.parent is not None:
            self.current = node.parent

    def handle_data(self, data):
        self.current.text.append(data)


def parse_dom(text):
    builder = TreeBuilder()
    builder.feed(text)
    builder.close()
    return builder.root


def read_pixels(png):
    """(width, height, bytes of RGB triples) of a PNG, through ImageMagick."""
    data = subprocess.run(["convert", str(png), "-depth", "8", "ppm:-"], stdout=subprocess.PIPE,
                          check=True, timeout=60).stdout
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    assert fields[0] == b"P6", fields[0]
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:pos + 1 + width * height * 3]


def count_color(pixels, rgb, tolerance=8, box=None):
    """How many pixels lie within tolerance of rgb, in the whole image or box (x, y, w, h)."""
    width, height, data = pixels
    x0, y0, w, h = box or (0, 0, width, height)
    r, g, b = rgb
    n = 0
    for y in range(y0, min(height, y0 + h)):
        row = data[(y * width + x0) * 3:(y * width + min(width, x0 + w)) * 3]
        for i in range(0, len(row), 3):
            if abs(row[i] - r) <= tolerance and abs(row[i + 1] - g) <= tolerance and abs(row[i + 2] - b) <= tolerance:
                n += 1
    return n
