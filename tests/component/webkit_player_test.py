#!/usr/bin/python3
"""The player and the movie in WebKitGTK, set up the way the designer sets up its browsers:
swfobject.js injected as a user script at document start, pages written from strings with a
file:/// base, file access from file pages allowed, and a handler for the private scheme that
stands in for the "about" namespace.

Needs a display (the test command gives it one) and the GObject bindings of WebKitGTK; without
the bindings the test reports itself skipped.

Usage: webkit_player_test.py <program folder> <output folder>
"""
import datetime
import json
import os
import pathlib
import sys
import time
import unittest

SKIP_CODE = 77
try:
    import gi
    gi.require_version("Gtk", "3.0")
    gi.require_version("WebKit2", "4.0")
    from gi.repository import Gio, GLib, Gtk, WebKit2
except (ImportError, ValueError) as error:
    print("WebKitGTK bindings unavailable (%s): skipped" % error)
    sys.exit(SKIP_CODE)

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import browserkit  # noqa: E402

PROGRAM_DIR = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/bin").resolve()
OUTPUT_DIR = pathlib.Path(sys.argv[2] if len(sys.argv) > 2 else "build/tests/component/output").resolve()
COMPONENT = PROGRAM_DIR / "component" / "Calendar"
MOVIE_URL = (COMPONENT / "WebCalendar.js").as_uri()
CLSID = "clsid:D27CDB6E-AE6D-11cf-96B8-444553540000"
TODAY = datetime.date.today()
HEADER = (0x2E, 0x7D, 0x32)

# What the protocol handler serves as about:props.xml: the user-defined values and the data.
PROPS = ('<?xml version="1.0" encoding="UTF-16" standalone="no"?>\n\r<flash>\n<tev></tev>'
         '<UserDefined><Param name="HeaderColor" value="0x2E7D32"/><Param name="Title" value="Preview"/>'
         '</UserDefined>\n<Data>\n\t<Events>\n\t\t<Event EventID="1" StartTime="%s 10:00" EndTime="%s 11:00" '
         'Subject="Served by the handler" AllDayEvent="0" BusyStatus="Busy"/>\n\t\t</Events></Data></flash>'
         % ((TODAY.strftime("%m:%d:%Y"),) * 2))
PROPS_BYTES = b"\xff\xfe" + PROPS.encode("utf-16-le")

# The preview page: the movie centred in the pane, its document from about:props.xml. The page
# also loads swfobject.js itself, so the player arrives twice.
PREVIEW_PAGE = """<html><head><title>Preview</title><script src="%(player)s"></script>
<style>html { height: 100%%; overflow: hidden; margin: 0; } body { height: 100%%; margin: 0; background: #fff; text-align: center; }
div#shim { visibility: hidden; width: 100%%; height: 50%%; margin-top: -200px; float: left; }
#flashcontent { margin: 0 auto; width: 500px; height: 400px; clear: both; }</style></head>
<body><div id="shim"></div><div id="flashcontent">
<OBJECT classid="%(clsid)s" codebase="https://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=8,0,0,0"
 WIDTH="500" HEIGHT="400" id="preview" VIEWASTEXT>
<PARAM NAME=movie VALUE="%(movie)s"><PARAM NAME=quality VALUE=high><PARAM NAME=scale VALUE=exactFit>
<PARAM NAME=FlashVars VALUE="tev_xmlConnectorURL=about:props.xml&tev_orientation=horizontal&tev_labelText=Calendar">
</OBJECT></div></body></html>"""

# The gallery: one live thumbnail per style, its props.xml named by its absolute path.
GALLERY_ITEM = ('<li><OBJECT classid="%(clsid)s" WIDTH="125" HEIGHT="100" id="preview%(n)d">'
                '<PARAM NAME=movie VALUE="%(movie)s"><PARAM NAME=quality VALUE=high><PARAM NAME=FlashVars '
                'VALUE="tev_xmlConnectorURL=%(props)s&tev_orientation=horizontal&tev_labelText=Calendar'
                '&tev_template=%(props)s"></OBJECT></li><p>%(name)s</p>')

STATE_SCRIPT = """JSON.stringify(Array.prototype.map.call(document.querySelectorAll(".wcal"), function (r) {
  return { state: r.getAttribute("data-state"), source: r.getAttribute("data-source"),
           header: r.style.getPropertyValue("--wcal-header"),
           chips: Array.prototype.map.call(r.querySelectorAll(".wcal-chip"), function (c) { return c.title; }),
           stage: r.parentNode.id, width: Math.round(r.parentNode.getBoundingClientRect().width) + "px",
           height: Math.round(r.parentNode.getBoundingClientRect().height) + "px" };
}))"""


class Browser:
    """One WebKit view in a window, with the designer's settings."""

    served = []
    scheme_registered = False

    def __init__(self):
        Browser.served.clear()
        if not Browser.scheme_registered:
            # A scheme is registered once per web context, which outlives the views.
            WebKit2.WebContext.get_default().register_uri_scheme("tevabout", Browser.serve)
            Browser.scheme_registered = True
        content = WebKit2.UserContentManager()
        content.add_script(WebKit2.UserScript.new(
            (PROGRAM_DIR / "swfobject.js").read_text(encoding="utf-8"),
            WebKit2.UserContentInjectedFrames.ALL_FRAMES, WebKit2.UserScriptInjectionTime.START, None, None))
        self.view = WebKit2.WebView.new_with_user_content_manager(content)
        settings = self.view.get_settings()
        settings.set_property("allow-file-access-from-file-urls", True)
        settings.set_property("allow-universal-access-from-file-urls", True)
        # An offscreen window renders the view into its own surface, so its pictures show the
        # view alone, whatever other tests put on the shared display meanwhile.
        self.window = Gtk.OffscreenWindow()
        self.window.set_default_size(700, 500)
        self.window.add(self.view)
        self.window.show_all()

    @staticmethod
    def serve(request):
        Browser.served.append(request.get_uri())
        stream = Gio.MemoryInputStream.new_from_bytes(GLib.Bytes.new(PROPS_BYTES))
        request.finish(stream, len(PROPS_BYTES), "application/xml")

    def pump(self, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            while Gtk.events_pending():
                Gtk.main_iteration_do(False)
            time.sleep(0.01)

    def evaluate(self, script):
        box = {}

        def done(view, result):
            try:
                box["value"] = view.evaluate_javascript_finish(result).to_string()
            except GLib.Error as error:
                box["error"] = str(error)

        self.view.evaluate_javascript(script, -1, None, None, None, done)
        end = time.monotonic() + 10
        while not box and time.monotonic() < end:
            self.pump(0.05)
        if "error" in box:
            raise AssertionError(box["error"])
        return box.get("value")

    def show(self, html, base, settled):
        """Writes the page and waits (at most 20 s) until every calendar reports settled."""
        self.view.load_html(html, base)
        end = time.monotonic() + 20
        states = []
        while time.monotonic() < end:
            self.pump(0.2)
            states = json.loads(self.evaluate(STATE_SCRIPT) or "[]")
            if settled(states):
                break
        self.pump(0.5)
        return states

    def screenshot(self, path):
        """A picture of the web view itself, as the window holding it rendered it."""
        self.pump(0.2)
        picture = self.window.get_pixbuf()
        if picture is None:
            raise AssertionError("the view has not been drawn")
        picture.savev(str(path), "png", [], [])

    def screenshot_showing(self, path, shown, tries=15):
        """The pixels of a picture taken once shown(pixels) holds; a busy machine may paint
        the page a while after its script is done. Gives up after `tries` pictures."""
        for _ in range(tries):
            self.screenshot(path)
            pixels = browserkit.read_pixels(path)
            if shown(pixels):
                break
        return pixels

    def close(self):
        self.window.destroy()
        self.pump(0.1)


def all_settled(count):
    return lambda states: len(states) >= count and all(s["state"] != "loading" for s in states)


class DesignerBrowser(unittest.TestCase):
    def setUp(self):
        OUTPUT_DIR.mkdir(parents=True, exist_ok=True)
        self.browser = Browser()

    def tearDown(self):
        self.browser.close()

    def test_the_preview_reads_about_props_through_the_private_scheme(self):
        page = PREVIEW_PAGE % {"player": (PROGRAM_DIR / "swfobject.js").as_uri(), "clsid": CLSID,
                               "movie": MOVIE_URL}
        states = self.browser.show(page, COMPONENT.as_uri() + "/", all_settled(1))
        header_drawn = lambda pixels: browserkit.count_color(pixels, HEADER, tolerance=3) > 500 * 44 * 0.7
        pixels = self.browser.screenshot_showing(OUTPUT_DIR / "webkit-preview.png", header_drawn)
        self.assertEqual(len(states), 1, "one calendar although the player came twice")
        calendar = states[0]
        self.assertEqual(calendar["source"], "tevabout:props.xml")
        self.assertEqual(calendar["state"], "ready")
        self.assertEqual(calendar["header"], "#2e7d32")
        self.assertEqual(calendar["chips"], ["Served by the handler"])
        self.assertEqual((calendar["stage"], calendar["width"], calendar["height"]), ("preview", "500px", "400px"))
        self.assertEqual(self.browser.served, ["tevabout:props.xml"])
        self.assertTrue(header_drawn(pixels), "the header is drawn in its colour")

    def test_the_gallery_plays_every_style_from_its_file(self):
        styles = sorted(p for p in (COMPONENT / "Templates").iterdir() if (p / "props.xml").is_file())
        items = "".join(GALLERY_ITEM % {"clsid": CLSID, "n": n, "movie": MOVIE_URL,
                                        "props": style / "props.xml", "name": style.name}
                        for n, style in enumerate(styles))
        page = ('<html><head><title>Templates</title><style>#wrapper { width: 80%%; margin: 0 auto; } '
                'ul p:first-child { margin: 0; } li { float: left; margin: 5px; list-style: none; } '
                'body { background: #fff; }</style></head><body><div id="wrapper"><ul><p></p>%s</ul></div>'
                '</body></html>' % items)
        states = self.browser.show(page, COMPONENT.as_uri() + "/", all_settled(len(styles)))
        self.browser.screenshot(OUTPUT_DIR / "webkit-gallery.png")
        self.assertEqual(len(states), len(styles))
        for style, calendar in zip(styles, states):
            with self.subTest(style.name):
                self.assertEqual(calendar["state"], "ready")
                self.assertEqual(calendar["source"], (style / "props.xml").as_uri())
                self.assertEqual((calendar["width"], calendar["height"]), ("125px", "100px"))
        month_styles = [s for s in states if s["chips"]]
        self.assertGreaterEqual(len(month_styles), len(styles) - 1, "sample events in the month styles")


if __name__ == "__main__":
    Gtk.init(sys.argv[:1])
    outcome = unittest.main(argv=[sys.argv[0], "-v"], exit=False).result
    sys.stdout.flush()
    sys.stderr.flush()
    # WebKit's web processes do not outlive a normal interpreter shutdown gracefully.
    os._exit(0 if outcome.wasSuccessful() else 1)
