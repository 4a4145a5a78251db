#!/usr/bin/python3
"""Published folders in headless Chromium, as visitors' browsers open them.

The program published two projects into <output>/sites (the test designer_publish_site_writer):
"Spring" and "Fruehling & Co" (with u-umlaut), each with the project's colours and events.
Their index pages are opened from a loopback HTTP server with no special browser settings, and
from the file system, where Chromium lets page scripts read sibling files only when started
with --allow-file-access-from-files. Chromium's DOM dump tells which events landed on which
day; screenshots, kept in the output folder, tell which colours were drawn.

Usage: published_page_test.py <output folder>
Exits with 77 (skipped) when the published folders lack a piece that other parts of the
designer provide.
"""
import calendar
import datetime
import pathlib
import sys
import unittest
import urllib.parse

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "component"))
import browserkit  # noqa: E402

OUTPUT_DIR = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/tests/designer/publish/output").resolve()
SITES = OUTPUT_DIR / "sites"
PAGE = "MyCalendar.html"
ODD_NAME = "Fr\u00fchling & Co"

# The project's values, as PublishedSiteWriter.cpp writes them.
COLORS = {
    "HeaderColor": (0x8B, 0x1E, 0x3F),
    "EventColor": (0x1E, 0x8B, 0x5A),
    "DayColor": (0xFF, 0xFD, 0xF5),
    "WeekendColor": (0xF4, 0xEC, 0xDC),
}
DEFAULT_HEADER = (0x2F, 0x5D, 0x8C)
TODAY = datetime.date.today()
MONTH_DAYS = [datetime.date(TODAY.year, TODAY.month, d)
              for d in range(1, calendar.monthrange(TODAY.year, TODAY.month)[1] + 1)]
WEDNESDAYS = [d for d in MONTH_DAYS if d.weekday() == 2]
GARDEN_DAY = TODAY.replace(day=15)


def css(rgb):
    return "#%02x%02x%02x" % rgb


def missing_piece(folder):
    """What the published folder still lacks, or None."""
    page = folder / PAGE
    if not page.is_file() or b"SWFObject" not in page.read_bytes():
        return "the index page from the Choose Style tab (GetHtmlCode)"
    for name in ("WebCalendar.js", "WebCalendar.css", "swfobject.js"):
        if not (folder / name).is_file():
            return ("the movie and the assets (the preview's GetFlashComponentPath and the "
                    "property grid's GetAssets); %s is missing" % name)
    return None


def chips_by_date(node):
    out = {}
    for chip in node.by_class("wcal-chip"):
        out.setdefault(chip.attrs["data-date"], []).append(chip.attrs.get("title", ""))
    return out


class Server:
    http = None


def setUpModule():
    Server.http = browserkit.LoopbackServer(SITES)


def tearDownModule():
    if Server.http:
        Server.http.close()


class PublishedCalendar:
    """Checks shared by every way of opening a published page."""
    url = None
    screenshot = None
    extra = ()
    data_file = "Spring.xml"

    @classmethod
    def setUpClass(cls):
        url = cls.url()
        browserkit.chromium(url, screenshot=OUTPUT_DIR / cls.screenshot, size=(700, 500), extra=cls.extra)
        cls.dom = browserkit.parse_dom(browserkit.chromium(url, dump_dom=True, size=(700, 500), extra=cls.extra))
        cls.pixels = browserkit.read_pixels(OUTPUT_DIR / cls.screenshot)

    def calendar(self):
        roots = self.dom.by_class("wcal")
        self.assertEqual(len(roots), 1, "one calendar on the page")
        return roots[0]

    def test_the_calendar_reads_the_projects_data_file(self):
        root = self.calendar()
        self.assertEqual(root.attrs.get("data-state"), "ready")
        source = urllib.parse.unquote(root.attrs.get("data-source", ""))
        self.assertTrue(source.endswith("/" + self.data_file), source)
        self.assertEqual([n.all_text() for n in root.by_class("wcal-title")], ["Spring Events"])

    def test_the_projects_events_are_shown_on_their_days(self):
        chips = chips_by_date(self.calendar())
        self.assertIn("Garden tour", chips.get(GARDEN_DAY.isoformat(), []))
        for wednesday in WEDNESDAYS:
            self.assertIn("Choir practice", chips.get(wednesday.isoformat(), []), wednesday)
        others = [d for d in MONTH_DAYS if d.weekday() != 2]
        self.assertFalse(any("Choir practice" in chips.get(d.isoformat(), []) for d in others))

    def test_the_calendar_is_drawn_in_the_projects_colours(self):
        style = self.calendar().style()
        self.assertEqual(style.get("--wcal-header"), css(COLORS["HeaderColor"]))
        self.assertEqual(style.get("--wcal-event"), css(COLORS["EventColor"]))
        header = browserkit.count_color(self.pixels, COLORS["HeaderColor"])
        self.assertGreater(header, 500 * 44 * 0.7, "the header band in the project's colour")
        self.assertEqual(browserkit.count_color(self.pixels, DEFAULT_HEADER), 0, "no default header")
        self.assertGreater(browserkit.count_color(self.pixels, COLORS["EventColor"]), 300, "event chips")
        self.assertGreater(browserkit.count_color(self.pixels, COLORS["DayColor"], tolerance=2), 20000,
                           "week days")


class ServedOverHttp(PublishedCalendar, unittest.TestCase):
    """The folder on a web server: no browser flags."""
    screenshot = "published-http.png"

    @staticmethod
    def url():
        return Server.http.url("Spring/" + PAGE)

    def test_the_movie_plays_in_the_pages_box(self):
        stages = self.dom.find_all(lambda n: "data-tev-stage" in n.attrs)
        self.assertEqual(len(stages), 1)
        self.assertEqual(stages[0].parent.attrs.get("id"), "flashcontent")


class OpenedFromTheFileSystem(PublishedCalendar, unittest.TestCase):
    """The folder on disk; Chromium needs --allow-file-access-from-files for the data file."""
    screenshot = "published-file.png"
    extra = ("--allow-file-access-from-files",)

    @staticmethod
    def url():
        return (SITES / "Spring" / PAGE).as_uri()


class FileSystemWithoutTheFlag(unittest.TestCase):
    """Without the flag Chromium refuses the page script the data file beside the page: the
    calendar still draws, on the component's defaults, without the project's events, and says
    why and what to do."""

    def test_the_calendar_falls_back_to_its_defaults_and_explains(self):
        url = (SITES / "Spring" / PAGE).as_uri()
        dom = browserkit.parse_dom(browserkit.chromium(url, dump_dom=True, size=(700, 500)))
        roots = dom.by_class("wcal")
        self.assertEqual(len(roots), 1)
        self.assertEqual(roots[0].attrs.get("data-state"), "defaults")
        self.assertEqual(roots[0].by_class("wcal-chip"), [])
        notices = [n.all_text() for n in roots[0].by_class("wcal-notice")]
        self.assertEqual(len(notices), 1)
        self.assertIn("Open this page from a web server", notices[0])


class OddProjectName(PublishedCalendar, unittest.TestCase):
    """A project named with an umlaut, blanks and an ampersand, served over HTTP."""
    screenshot = "published-odd-name.png"
    data_file = ODD_NAME + ".xml"

    @staticmethod
    def url():
        return Server.http.url(urllib.parse.quote(ODD_NAME) + "/" + PAGE)


def main():
    OUTPUT_DIR.mkdir(parents=True, exist_ok=True)
    for name in ("Spring", ODD_NAME):
        if not (SITES / name).is_dir():
            print("no published folder %s: run designer_publish_site_writer first" % (SITES / name))
            return 1
        missing = missing_piece(SITES / name)
        if missing:
            print("SKIPPED: the published folder %s needs %s" % (name, missing))
            return 77
    program = unittest.main(argv=[sys.argv[0], "-v"], exit=False)
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
