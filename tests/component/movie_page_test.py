#!/usr/bin/python3
"""The calendar movie and its player in real headless Chromium.

Pages are served from a loopback HTTP server (or read from files, like the designer's gallery)
and played by the built swfobject.js and WebCalendar.js from the program's folder. Chromium's
DOM dump tells which events landed on which day; screenshots, kept in the output folder, tell
which colours were drawn.

Usage: movie_page_test.py <program folder> <output folder>
"""
import calendar
import datetime
import json
import pathlib
import shutil
import sys
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import browserkit  # noqa: E402

PROGRAM_DIR = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/bin").resolve()
OUTPUT_DIR = pathlib.Path(sys.argv[2] if len(sys.argv) > 2 else "build/tests/component/output").resolve()
COMPONENT_DIR = PROGRAM_DIR / "component" / "Calendar"

TODAY = datetime.date.today()
YEAR, MONTH = TODAY.year, TODAY.month
MONTH_DAYS = [datetime.date(YEAR, MONTH, d) for d in range(1, calendar.monthrange(YEAR, MONTH)[1] + 1)]
WEDNESDAYS = [d for d in MONTH_DAYS if d.weekday() == 2]
FIRST_MONDAY = next(d for d in MONTH_DAYS if d.weekday() == 0)
SECOND_TUESDAY = [d for d in MONTH_DAYS if d.weekday() == 1][1]
LAST_FRIDAY = [d for d in MONTH_DAYS if d.weekday() == 4][-1]

# The document's colours; none of them is a default of the component.
COLORS = {
    "HeaderColor": (0x8B, 0x1E, 0x3F),
    "HeaderTextColor": (0xFF, 0xF4, 0xE0),
    "EventColor": (0x1E, 0x8B, 0x5A),
    "EventTextColor": (0xFF, 0xFF, 0xFF),
    "TodayColor": (0xFF, 0xD0, 0x00),
    "DayColor": (0xFF, 0xFD, 0xF5),
    "WeekendColor": (0xF4, 0xEC, 0xDC),
    "BorderColor": (0xC9, 0xB8, 0x9E),
}
DEFAULT_HEADER = (0x2F, 0x5D, 0x8C)


def stamp(day, hour=0, minute=0):
    return "%02d:%02d:%04d %02d:%02d" % (day.month, day.day, day.year, hour, minute)


def hexcolor(rgb):
    return "0x%02X%02X%02X" % rgb


def css(rgb):
    return "#%02x%02x%02x" % rgb


def data_document(settings='<Param name="WeekStartDay" value="true"/>'):
    """The published data file's text: properties and events, one of them recurring."""
    params = "".join('<Param name="%s" value="%s"/>' % (k, hexcolor(v)) for k, v in COLORS.items())
    params += '<Param name="Title" value="Spring Events"/>' + settings
    params += '<Param name="Width" value="500"/><Param name="Height" value="400"/>'
    first_wed = WEDNESDAYS[0]
    deleted, moved = WEDNESDAYS[1], WEDNESDAYS[2]
    moved_to = moved + datetime.timedelta(days=1)
    events = [
        '<Event EventID="1" StartTime="%s" EndTime="%s" Subject="Garden tour" CreationTime="" '
        'LastModificationTime="" Location="City park" IsMeeting="0" AllDayEvent="0" Type="Business" '
        'Body="Meet at the gate" BusyStatus="Busy"/>' % (stamp(FIRST_MONDAY, 10), stamp(FIRST_MONDAY, 11, 30)),
        '<Event EventID="2" StartTime="%s" EndTime="%s" Subject="Flower show" Location="" IsMeeting="0" '
        'AllDayEvent="1" Type="Vacation" Body="" BusyStatus="Free"/>'
        % (stamp(LAST_FRIDAY), stamp(LAST_FRIDAY + datetime.timedelta(days=2))),
        '<Event EventID="3" StartTime="%s" EndTime="%s" Subject="Caf\u00e9 &amp; cr\u00eapes &lt;night&gt;" '
        'Location="K\u00f6ln" AllDayEvent="0" Type="" Body="" BusyStatus="Tentative"/>'
        % (stamp(SECOND_TUESDAY, 19), stamp(SECOND_TUESDAY, 21)),
        '<Event EventID="4" StartTime="%s" EndTime="%s" Subject="Choir practice" Location="Hall" '
        'AllDayEvent="0" Type="Personal" Body="" BusyStatus="Busy">'
        '<Pattern StartTime="18:00" EndTime="19:00" DurationMinutes="60" RecurrenceType="2" '
        'RecurrenceOpt_Data1="1" RecurrenceOpt_Data2="8" RecurrenceOpt_Data3="0" PatternStartDate="%s" '
        'PatternEndDate="%s" UseEndMethod="2">'
        '<Exception EventID="5" RecurrencePatternID="4" StartTime="%s" EndTime="%s" Subject="Choir practice" '
        'AllDayEvent="0" BusyStatus="Busy" RException_StartTimeOrig="%s" RException_EndTimeOrig="%s" '
        'RException_Deleted="1"/>'
        '<Exception EventID="6" RecurrencePatternID="4" StartTime="%s" EndTime="%s" Subject="Choir concert" '
        'Location="Cathedral" AllDayEvent="0" BusyStatus="Busy" RException_StartTimeOrig="%s" '
        'RException_EndTimeOrig="%s" RException_Deleted="0"/>'
        '</Pattern></Event>'
        % (stamp(first_wed, 18), stamp(first_wed, 19), stamp(first_wed)[:10], stamp(first_wed)[:10],
           stamp(deleted, 18), stamp(deleted, 19), stamp(deleted, 18), stamp(deleted, 19),
           stamp(moved_to, 20), stamp(moved_to, 22), stamp(moved, 18), stamp(moved, 19)),
    ]
    return ('<?xml version="1.0" encoding="UTF-16" standalone="no"?>\n\r<flash>\n<tev></tev>\n'
            '<UserDefined>%s</UserDefined>\n<Data>\n\t<Events>\n\t\t%s\n\t\t</Events></Data></flash>'
            % (params, "\n\t\t".join(events)))


INDEX_PAGE = """<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN" "http://www.w3.org/TR/html4/loose.dtd">
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=ISO-8859-1">
<title>Index</title>
<script type="text/javascript" src="swfobject.js"></script>
<style type="text/css">
html { height: 100%; overflow: hidden; font-family: Verdana, Helvetica, san-serif; margin: 0; padding: 0; }
div#shim { visibility: hidden; width: 100%; height: 50%; margin-top: -200px; float: left; }
#flashcontent { margin: 0 auto; width: 500px; height: 400px; text-align: left; clear: both; }
body { height: 100%; margin: 0; padding: 0; background-color: #ffffff; font-family: Verdana, Helvetica, san-serif; text-align: center; }
</style>
</head>
<body>
<div id="shim"></div>
<div id="flashcontent"></div>
<script type="text/javascript">
var so = new SWFObject("WebCalendar.js", "flash", "500", "400", "8", "#ffffff");
so.addParam("allowScriptAccess", "always");
so.addParam("scale", "exactFit");
so.addParam("quality", "high");
so.addParam("menu", "false");
so.addVariable("tev_xmlConnectorURL", "{PreviewPath}");
so.addVariable("tev_orientation", "horizontal");
so.write("flashcontent");
</script>
</body>
</html>
"""

FLASH_VARS = "tev_xmlConnectorURL=%s&tev_orientation=horizontal&tev_labelText=Calendar"
CLSID = "clsid:D27CDB6E-AE6D-11cf-96B8-444553540000"
CODEBASE = "https://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=8,0,0,0"

# The embed code's OBJECT/EMBED pair, the preview's OBJECT (about: document) and a lone EMBED;
# the player script comes twice, as when the designer injects it into a page that has it.
FLASH_PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8">
<script src="swfobject.js"></script><script src="swfobject.js"></script>
<style>body { margin: 0; font-family: sans-serif; } object, embed { margin: 4px; }</style>
</head><body>
<object classid="%(clsid)s" codebase="%(codebase)s" width="500" height="400" id="embedded">
<param name="movie" value="WebCalendar.js"><param name="quality" value="high"><param name="scale" value="exactFit">
<param name="FlashVars" value="%(vars_spring)s">
<embed src="WebCalendar.js" quality="high" scale="exactFit" width="500" height="400" name="embedded"
 flashvars="%(vars_spring)s" type="application/x-shockwave-flash"
 pluginspage="https://www.adobe.com/go/getflashplayer"></embed>
</object>
<object classid="%(clsid)s" codebase="%(codebase)s" WIDTH="320" HEIGHT="256" id="preview" VIEWASTEXT>
<PARAM NAME=movie VALUE="WebCalendar.js"><PARAM NAME=quality VALUE=high><PARAM NAME=scale VALUE=exactFit>
<PARAM NAME=FlashVars VALUE="%(vars_about)s">
</object>
<embed type="application/x-shockwave-flash" src="WebCalendar.js" width="250" height="200" id="lone"
 flashvars="%(vars_spring)s">
<div id="later"></div>
<script>
setTimeout(function () {
  document.getElementById("later").innerHTML = '<object classid="%(clsid)s" width="125" height="100" id="late">' +
    '<param name="movie" value="WebCalendar.js"><param name="FlashVars" value="%(vars_spring)s"></object>';
}, 300);
</script>
</body></html>
"""

# Several instances of the movie on one page, each with a document the calendar cannot use or
# must decode differently.
ROBUST_PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><script src="swfobject.js"></script></head><body>
%(boxes)s
<script>
%(writes)s
</script>
</body></html>
"""

# A visitor moves to the next month and opens an event; a second calendar stands upright with
# Monday weeks, week numbers and 24-hour times.
INTERACT_PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><script src="swfobject.js"></script></head><body>
<div id="nav"></div><div id="upright"></div>
<script>
var so = new SWFObject("WebCalendar.js", "cal-nav", "500", "400", "8", "#ffffff");
so.addVariable("tev_xmlConnectorURL", "Spring.xml");
so.write("nav");
so = new SWFObject("WebCalendar.js", "cal-upright", "500", "400", "8", "#ffffff");
so.addVariable("tev_xmlConnectorURL", "Monday.xml");
so.addVariable("tev_orientation", "vertical");
so.write("upright");
setTimeout(function () {
  document.querySelectorAll("#cal-nav .wcal-nav")[1].click();
  setTimeout(function () {
    var chips = document.querySelectorAll("#cal-nav .wcal-chip[title='Choir practice']");
    chips[chips.length - 1].click();
  }, 200);
}, 1500);
</script>
</body></html>
"""

ROBUST_CASES = [
    # (id, data file, expected state, expected event subjects in the month)
    ("broken", "Broken.xml", "defaults", []),
    ("missing", "Missing.xml", "defaults", []),
    ("utf8", "Utf8.xml", "ready", ["Dentist \u00e4\u00f6\u00fc"]),
    ("nodata", "NoData.xml", "ready", []),
    ("agenda", "Agenda.xml", "ready", ["Dentist \u00e4\u00f6\u00fc"]),
]


def write_site(site):
    if site.exists():
        shutil.rmtree(site)
    site.mkdir(parents=True)
    for name in ("WebCalendar.js", "WebCalendar.css"):
        shutil.copy(COMPONENT_DIR / name, site / name)
    shutil.copy(PROGRAM_DIR / "swfobject.js", site / "swfobject.js")
    (site / "Spring.xml").write_bytes(b"\xff\xfe" + data_document().encode("utf-16-le"))
    (site / "Monday.xml").write_bytes(b"\xff\xfe" + data_document(
        '<Param name="WeekStartDay" value="false"/><Param name="ShowWeekNumbers" value="true"/>'
        '<Param name="TimeFormat" value="24-hour"/>').encode("utf-16-le"))
    (site / "interact.html").write_text(INTERACT_PAGE, encoding="utf-8")
    (site / "index.html").write_bytes(INDEX_PAGE.replace("{PreviewPath}", "Spring.xml").encode("iso-8859-1"))
    (site / "flash.html").write_text(FLASH_PAGE % {
        "clsid": CLSID, "codebase": CODEBASE,
        "vars_spring": FLASH_VARS % "Spring.xml", "vars_about": FLASH_VARS % "about:props.xml"}, encoding="utf-8")

    def dentist(day):
        return ('<Data><Events><Event EventID="1" StartTime="%s" EndTime="%s" Subject="Dentist \u00e4\u00f6\u00fc" '
                'AllDayEvent="0" BusyStatus="Busy"/></Events></Data>' % (stamp(day, 8), stamp(day, 9)))
    event = dentist(SECOND_TUESDAY + datetime.timedelta(days=1))
    (site / "Broken.xml").write_text("<flash><UserDefined><Param name=", encoding="utf-8")
    (site / "Utf8.xml").write_bytes(b"\xef\xbb\xbf" + ("<flash><UserDefined><Param name=\"HeaderColor\" "
                                    "value=\"0x123456\"/></UserDefined>%s</flash>" % event).encode("utf-8"))
    (site / "NoData.xml").write_text("<flash><UserDefined/></flash>", encoding="utf-8")
    (site / "Agenda.xml").write_bytes(b"\xff\xfe" + (
        "<flash><UserDefined><Param name=\"View\" value=\"Agenda\"/><Param name=\"DaysToShow\" value=\"%d\"/>"
        "</UserDefined>%s</flash>" % (10, dentist(TODAY + datetime.timedelta(days=2)))).encode("utf-16-le"))
    boxes = "\n".join('<div id="%s"></div>' % case[0] for case in ROBUST_CASES)
    writes = "\n".join(
        'var so = new SWFObject("WebCalendar.js", "cal-%s", "500", "400", "8", "#ffffff");'
        'so.addVariable("tev_xmlConnectorURL", "%s"); so.write("%s");' % (case[0], case[1], case[0])
        for case in ROBUST_CASES)
    (site / "robust.html").write_text(ROBUST_PAGE % {"boxes": boxes, "writes": writes}, encoding="utf-8")


def stages(dom):
    return dom.find_all(lambda n: "data-tev-stage" in n.attrs)


def stage_by_id(test, dom, ident):
    found = [s for s in stages(dom) if s.attrs.get("id") == ident]
    test.assertEqual(len(found), 1, ident)
    return found[0]


def calendar_in(test, dom, ident):
    """The calendar drawn in the player's box with the given id."""
    roots = stage_by_id(test, dom, ident).by_class("wcal")
    test.assertEqual(len(roots), 1, ident)
    return roots[0]


def load_page(name, size, screenshot):
    """The DOM of a served page after its scripts ran; its screenshot goes to the output folder."""
    url = Site.server.url(name)
    browserkit.chromium(url, screenshot=OUTPUT_DIR / screenshot, size=size)
    return browserkit.parse_dom(browserkit.chromium(url, dump_dom=True, size=size))


def chips_by_date(node):
    """date -> sorted subjects of the event chips inside node."""
    out = {}
    for chip in node.by_class("wcal-chip"):
        out.setdefault(chip.attrs["data-date"], []).append(chip.attrs.get("title", ""))
    return {k: sorted(v) for k, v in out.items()}


def iso(day):
    return day.isoformat()


class Site:
    server = None
    site = None


def setUpModule():
    OUTPUT_DIR.mkdir(parents=True, exist_ok=True)
    Site.site = OUTPUT_DIR / "site"
    write_site(Site.site)
    Site.server = browserkit.LoopbackServer(Site.site)


def tearDownModule():
    if Site.server:
        Site.server.close()


class PublishedPage(unittest.TestCase):
    """The index page of a publish folder, as a visitor's browser shows it."""

    @classmethod
    def setUpClass(cls):
        cls.dom = load_page("index.html", (700, 500), "published-page.png")
        cls.pixels = browserkit.read_pixels(OUTPUT_DIR / "published-page.png")

    def calendar(self):
        roots = self.dom.by_class("wcal")
        self.assertEqual(len(roots), 1, "one calendar on the page")
        return roots[0]

    def test_the_movie_plays_in_the_swfobject_box(self):
        boxes = stages(self.dom)
        self.assertEqual(len(boxes), 1)
        self.assertEqual(boxes[0].attrs.get("id"), "flash")
        self.assertEqual(boxes[0].parent.attrs.get("id"), "flashcontent")
        style = boxes[0].style()
        self.assertEqual((style.get("width"), style.get("max-width"), style.get("height")), ("500px", "100%", "400px"))
        root = self.calendar()
        self.assertEqual(root.attrs.get("data-state"), "ready")
        self.assertEqual(root.attrs.get("data-view"), "month")
        self.assertTrue(root.attrs.get("data-source", "").endswith("/Spring.xml"))

    def test_the_document_title_and_month_are_shown(self):
        root = self.calendar()
        self.assertEqual([n.all_text() for n in root.by_class("wcal-title")], ["Spring Events"])
        self.assertEqual([n.all_text() for n in root.by_class("wcal-period")],
                         ["%s %d" % (calendar.month_name[MONTH], YEAR)])
        today = root.by_class("wcal-today")
        self.assertEqual([n.attrs.get("data-date") for n in today], [iso(TODAY)])

    def test_events_land_on_their_days(self):
        chips = chips_by_date(self.calendar())
        self.assertIn("Garden tour", chips.get(iso(FIRST_MONDAY), []))
        self.assertIn("Caf\u00e9 & cr\u00eapes <night>", chips.get(iso(SECOND_TUESDAY), []))
        # all day on Friday and Saturday; the end at Sunday midnight is not a day of it
        for offset, present in ((0, True), (1, True), (2, False)):
            day = LAST_FRIDAY + datetime.timedelta(days=offset)
            self.assertEqual("Flower show" in chips.get(iso(day), []), present, iso(day))

    def test_the_recurring_event_follows_its_pattern_and_exceptions(self):
        chips = chips_by_date(self.calendar())
        deleted, moved = WEDNESDAYS[1], WEDNESDAYS[2]
        for wednesday in WEDNESDAYS:
            shown = "Choir practice" in chips.get(iso(wednesday), [])
            self.assertEqual(shown, wednesday not in (deleted, moved), iso(wednesday))
        self.assertIn("Choir concert", chips.get(iso(moved + datetime.timedelta(days=1)), []))
        all_subjects = [s for v in chips.values() for s in v]
        self.assertEqual(all_subjects.count("Choir concert"), 1)

    def test_the_document_colours_are_set_and_drawn(self):
        style = self.calendar().style()
        for name, var in (("HeaderColor", "--wcal-header"), ("EventColor", "--wcal-event"),
                          ("TodayColor", "--wcal-today"), ("DayColor", "--wcal-day"),
                          ("WeekendColor", "--wcal-weekend"), ("BorderColor", "--wcal-border")):
            self.assertEqual(style.get(var), css(COLORS[name]), name)
        header = browserkit.count_color(self.pixels, COLORS["HeaderColor"], box=(100, 50, 500, 44))
        self.assertGreater(header, 500 * 44 * 0.7, "header drawn in the document's colour")
        self.assertEqual(browserkit.count_color(self.pixels, DEFAULT_HEADER), 0, "no default header colour")
        self.assertGreater(browserkit.count_color(self.pixels, COLORS["EventColor"]), 400, "event chips")
        self.assertGreater(browserkit.count_color(self.pixels, COLORS["TodayColor"]), 60, "today's mark")
        self.assertGreater(browserkit.count_color(self.pixels, COLORS["DayColor"], tolerance=2), 20000,
                           "week days")
        self.assertGreater(browserkit.count_color(self.pixels, COLORS["WeekendColor"], tolerance=2), 3000,
                           "weekends")


class FlashElements(unittest.TestCase):
    """Flash OBJECT and EMBED elements, as the designer's pages and the embed code hold them."""

    @classmethod
    def setUpClass(cls):
        cls.dom = load_page("flash.html", (1100, 800), "flash-elements.png")

    def test_every_element_plays_once_at_its_size(self):
        self.assertEqual(self.dom.find_all(lambda n: n.tag in ("object", "embed")), [], "all replaced")
        boxes = stages(self.dom)
        self.assertEqual(sorted(b.attrs.get("id") for b in boxes), ["embedded", "late", "lone", "preview"])
        expected = {"embedded": ("500px", "400px"), "preview": ("320px", "256px"), "lone": ("250px", "200px"),
                    "late": ("125px", "100px")}
        for box in boxes:
            style = box.style()
            # the width is the most the box takes: it narrows in a narrower place
            self.assertEqual(style.get("max-width"), "100%")
            self.assertEqual((style.get("width"), style.get("height")), expected[box.attrs["id"]])
            self.assertEqual(len(box.by_class("wcal")), 1, "one calendar in " + box.attrs["id"])

    def test_flash_variables_reach_the_movie(self):
        for ident in ("embedded", "lone", "late"):
            root = calendar_in(self, self.dom, ident)
            self.assertEqual(root.attrs.get("data-state"), "ready", ident)
            self.assertIn("Garden tour", chips_by_date(root).get(iso(FIRST_MONDAY), []), ident)

    def test_about_documents_go_to_the_private_scheme(self):
        root = calendar_in(self, self.dom, "preview")
        self.assertEqual(root.attrs.get("data-source"), "tevabout:props.xml")
        # Chromium has no handler for it: the calendar runs on its defaults with its label text.
        self.assertEqual(root.attrs.get("data-state"), "defaults")
        self.assertEqual([n.all_text() for n in root.by_class("wcal-title")], ["Calendar"])
        self.assertGreaterEqual(len(root.by_class("wcal-day")), 28)


class ManyInstances(unittest.TestCase):
    """Several calendars on one page, each with a document of its own."""

    @classmethod
    def setUpClass(cls):
        cls.dom = load_page("robust.html", (1100, 2200), "many-instances.png")

    def test_each_calendar_reads_its_own_document(self):
        for ident, _, state, subjects in ROBUST_CASES:
            root = calendar_in(self, self.dom, "cal-" + ident)
            self.assertEqual(root.attrs.get("data-state"), state, ident)
            if ident == "agenda":
                self.assertEqual(root.attrs.get("data-view"), "agenda")
                found = [n.all_text() for n in root.by_class("wcal-agenda-subject")]
            else:
                found = sorted({s for v in chips_by_date(root).values() for s in v})
            self.assertEqual(found, subjects, ident)

    def test_unusable_documents_leave_the_defaults(self):
        for ident in ("broken", "missing"):
            root = calendar_in(self, self.dom, "cal-" + ident)
            self.assertEqual(root.style().get("--wcal-header"), css(DEFAULT_HEADER), ident)
            self.assertEqual([n.all_text() for n in root.by_class("wcal-title")], ["Events"], ident)
        self.assertEqual(calendar_in(self, self.dom, "cal-utf8").style().get("--wcal-header"), "#123456")


class Interaction(unittest.TestCase):
    """Navigation, event details and the layout options, after a visitor's clicks."""

    @classmethod
    def setUpClass(cls):
        cls.dom = load_page("interact.html", (600, 900), "interaction.png")

    def calendar(self, ident):
        return calendar_in(self, self.dom, ident)

    def test_next_month_shows_the_recurring_event_there(self):
        root = self.calendar("cal-nav")
        following = (TODAY.replace(day=1) + datetime.timedelta(days=32)).replace(day=1)
        self.assertEqual([n.all_text() for n in root.by_class("wcal-period")],
                         ["%s %d" % (calendar.month_name[following.month], following.year)])
        chips = chips_by_date(root)
        days = [following + datetime.timedelta(days=i) for i in range(calendar.monthrange(following.year,
                                                                                         following.month)[1])]
        wednesdays = [d for d in days if d.weekday() == 2]
        self.assertEqual([("Choir practice" in chips.get(iso(d), [])) for d in wednesdays], [True] * len(wednesdays))
        self.assertEqual(root.by_class("wcal-today"), [], "today is not in the next month")

    def test_a_click_opens_the_event_details(self):
        popups = self.calendar("cal-nav").by_class("wcal-popup")
        self.assertEqual(len(popups), 1)
        popup = popups[0]
        self.assertEqual([n.all_text() for n in popup.by_class("wcal-detail-subject")], ["Choir practice"])
        when = popup.by_class("wcal-detail-when")[0].all_text()
        self.assertTrue(when.startswith("Wednesday, "), when)
        self.assertTrue(when.replace("\u202f", " ").endswith(", 6:00 PM \u2013 7:00 PM"), when)
        facts = {f.by_class("wcal-detail-key")[0].all_text(): "".join(f.text) for f in popup.by_class("wcal-detail-fact")}
        self.assertEqual(facts, {"Where": "Hall", "Label": "Personal", "Shows as": "Busy",
                                 "Repeats": "Every week on Wednesday"})

    def test_upright_monday_weeks_with_numbers_and_24_hour_times(self):
        root = self.calendar("cal-upright")
        self.assertIn("wcal-vertical", root.by_class("wcal-frame")[0].classes())
        names = [n.children[0].all_text() for n in root.by_class("wcal-weekday")]
        self.assertEqual(names, ["Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"])
        days = root.by_class("wcal-day")
        self.assertEqual(datetime.date.fromisoformat(days[0].attrs["data-date"]).weekday(), 0)
        numbers = [n.all_text() for n in root.by_class("wcal-grid")[0].by_class("wcal-weekno")]
        self.assertEqual(len(numbers), len(days) // 7)
        first = datetime.date.fromisoformat(days[0].attrs["data-date"])
        self.assertEqual(numbers[0], str(first.isocalendar()[1]))
        times = [n.all_text() for n in root.by_class("wcal-time")]
        self.assertIn("18:00", times)
        self.assertIn("10:00", times)


class GalleryThumbnail(unittest.TestCase):
    """A style played the way the gallery plays it: from files, at thumbnail size, with the
    style's props.xml named by its absolute path and the sample events of the gallery."""

    @classmethod
    def setUpClass(cls):
        style = COMPONENT_DIR / "Templates" / "Midnight"
        page = OUTPUT_DIR / "gallery.html"
        thumb_vars = "tev_xmlConnectorURL=%s&tev_orientation=horizontal&tev_labelText=Calendar&tev_template=%s"
        page.write_text(
            '<!DOCTYPE html><html><head><meta charset="utf-8"><script src="%s"></script></head>'
            '<body style="margin:0;background:#fff"><ul style="list-style:none;margin:0;padding:0"><li>'
            '<OBJECT classid="%s" WIDTH="125" HEIGHT="100" id="preview0"><PARAM NAME=movie VALUE="%s">'
            '<PARAM NAME=quality VALUE=high><PARAM NAME=FlashVars VALUE="%s"></OBJECT></li></ul></body></html>'
            % ((PROGRAM_DIR / "swfobject.js").as_uri(), CLSID, (COMPONENT_DIR / "WebCalendar.js").as_uri(),
               thumb_vars % (style / "props.xml", style / "props.xml")), encoding="utf-8")
        flags = ["--allow-file-access-from-files"]
        cls.dom = browserkit.parse_dom(browserkit.chromium(page.as_uri(), dump_dom=True, size=(200, 160),
                                                           extra=flags))
        cls.shot = OUTPUT_DIR / "gallery-thumbnail.png"
        browserkit.chromium(page.as_uri(), screenshot=cls.shot, size=(200, 160), extra=flags)

    def test_the_style_loads_from_its_file_path_with_sample_events(self):
        root = self.dom.by_class("wcal")[0]
        self.assertEqual(root.attrs.get("data-state"), "ready")
        self.assertTrue(root.attrs.get("data-source", "").startswith("file:///"))
        self.assertEqual(root.style().get("--wcal-header"), "#0e1118")
        self.assertGreaterEqual(int(root.attrs.get("data-event-count", "0")), 5)
        self.assertGreater(len(root.by_class("wcal-chip")), 5)

    def test_the_thumbnail_is_a_scaled_calendar(self):
        pixels = browserkit.read_pixels(self.shot)
        # the header band (0x0E1118) across the top, the day cells (0x1F2430) below, all of it
        # inside the 125 x 100 box and the page's white around it
        self.assertGreater(browserkit.count_color(pixels, (0x0E, 0x11, 0x18), box=(0, 0, 125, 11)), 800)
        self.assertGreater(browserkit.count_color(pixels, (0x1F, 0x24, 0x30), tolerance=4, box=(0, 0, 125, 100)),
                           3000)
        self.assertLessEqual(browserkit.count_color(pixels, (0xFF, 0xFF, 0xFF), tolerance=0, box=(0, 0, 125, 100)),
                             8, "white only where the rounded corners leave it")
        outside = 200 * 160 - 125 * 100
        self.assertEqual(browserkit.count_color(pixels, (0xFF, 0xFF, 0xFF), tolerance=0, box=(125, 0, 75, 160)) +
                         browserkit.count_color(pixels, (0xFF, 0xFF, 0xFF), tolerance=0, box=(0, 100, 125, 60)),
                         outside)


class DocumentReading(unittest.TestCase):
    """The movie's document reader in the browser: its own scanner, the browser's parser behind it."""

    CASES = [
        ("data as the root element",
         '<Data><Events><Event StartTime="03:05:2024 09:00" EndTime="03:05:2024 10:00" Subject="A"/></Events></Data>',
         {"events": [{"subject": "A", "start": "2024-03-05 09:00", "end": "2024-03-05 10:00"}]}),
        ("data under the root, several Events lists",
         '<flash><Data><Events><Event StartTime="03:05:2024 09:00" Subject="A"/></Events>'
         '<Events><Event StartTime="03:06:2024 09:00" Subject="B"/></Events></Data></flash>',
         {"events": [{"subject": "A", "start": "2024-03-05 09:00", "end": "2024-03-05 09:00"},
                     {"subject": "B", "start": "2024-03-06 09:00", "end": "2024-03-06 09:00"}]}),
        ("an event without a readable start is left out",
         '<Data><Events><Event StartTime="3/5/2024 9:00" Subject="bad"/><Event Subject="none"/>'
         '<Event StartTime="03:05:2024 09:00" EndTime="Invalid DateTime" Subject="ok"/></Events></Data>',
         {"events": [{"subject": "ok", "start": "2024-03-05 09:00", "end": "2024-03-05 09:00"}]}),
        ("busy status keywords are exact",
         '<Data><Events><Event StartTime="03:05:2024 09:00" BusyStatus="Out Of Office"/>'
         '<Event StartTime="03:05:2024 09:00" BusyStatus="out of office"/>'
         '<Event StartTime="03:05:2024 09:00"/></Events></Data>',
         {"busy": [3, -1, -1]}),
        ("pattern ends the document does not give leave no end",
         '<Data><Events>'
         '<Event StartTime="03:05:2024 09:15"><Pattern RecurrenceType="1" RecurrenceOpt_Data2="1" '
         'UseEndMethod="1" EndAfterOccurrences="0"/></Event>'
         '<Event StartTime="03:05:2024 09:15"><Pattern RecurrenceType="1" RecurrenceOpt_Data2="1" '
         'PatternStartDate="04:01:2024" StartTime="07:45" UseEndMethod="0" PatternEndDate="bad"/></Event>'
         '<Event StartTime="03:05:2024 09:15"><Pattern RecurrenceType="1" RecurrenceOpt_Data2="1" '
         'UseEndMethod="1" EndAfterOccurrences="4" PatternEndDate="01:01:2025"/></Event>'
         '</Events></Data>',
         {"patterns": [{"endMethod": 2, "rangeStart": "2024-03-05", "startTime": 555},
                       {"endMethod": 2, "rangeStart": "2024-04-01", "startTime": 465},
                       {"endMethod": 1, "rangeStart": "2024-03-05", "startTime": 555, "occurrences": 4}]}),
        ("exceptions keep their own texts and original start",
         '<Data><Events><Event StartTime="03:04:2024 09:00" Subject="Master">'
         '<Pattern StartTime="09:00" DurationMinutes="30" RecurrenceType="1" RecurrenceOpt_Data1="1" '
         'PatternStartDate="03:04:2024" UseEndMethod="2">'
         '<Exception StartTime="03:05:2024 11:00" EndTime="03:05:2024 12:00" Subject="Moved" '
         'RException_StartTimeOrig="03:05:2024 09:00" RException_Deleted="0"/>'
         '<Exception RException_StartTimeOrig="03:06:2024 09:00" RException_Deleted="1"/>'
         '</Pattern></Event></Events></Data>',
         {"week": [["2024-03-04 09:00", "Master"], ["2024-03-05 11:00", "Moved"], ["2024-03-07 09:00", "Master"],
                   ["2024-03-08 09:00", "Master"]]}),
        ("a document without Data has no events",
         '<flash><UserDefined><Param name="A" value="1"/></UserDefined></flash>',
         {"events": None}),
        ("user values: the first entry of a name counts, a missing value is empty",
         '<flash><tev/><UserDefined><Param name="A" value="1"/><Param name="A" value="2"/>'
         '<Param name="B"/><Param value="x"/></UserDefined></flash>',
         {"values": {"A": "1", "B": ""}}),
        ("property names that are names of script objects are plain names",
         '<flash><UserDefined><Param name="hasOwnProperty" value="1"/><Param name="__proto__" value="2"/>'
         '<Param name="constructor" value="3"/><Param name="hasOwnProperty" value="4"/></UserDefined></flash>',
         {"values": {"hasOwnProperty": "1", "__proto__": "2", "constructor": "3"}}),
    ]

    SCRIPT = """
var W = TEVWebCalendar;
function stamp(m) {
  if (m === null) return null;
  var d = Math.floor(m / 1440), c = W.civil(d), r = m - d * 1440;
  function two(n) { return (n < 10 ? "0" : "") + n; }
  return c.year + "-" + two(c.month) + "-" + two(c.day) + " " + two(Math.floor(r / 60)) + ":" + two(r % 60);
}
var results = CASES.map(function (xml) {
  var data = W.readDataText(xml);
  var events = data && data.events;
  var out = { values: data ? data.values : {} };
  out.events = events && events.map(function (e) { return { subject: e.subject, start: stamp(e.start), end: stamp(e.end) }; });
  out.busy = events && events.map(function (e) { return e.busyStatus; });
  out.patterns = events && events.map(function (e) {
    var p = e.pattern; if (!p) return null;
    var o = { endMethod: p.endMethod, rangeStart: stamp(p.rangeStart * 1440).substr(0, 10), startTime: p.startTime };
    if (p.endMethod === 1) o.occurrences = p.occurrences;
    return o; });
  out.week = events && W.occurrencesBetween(events, 1, W.dayNumber(2024, 3, 3), W.dayNumber(2024, 3, 9))
    .map(function (o) { return [stamp(o.start), o.subject]; });
  return out;
});
document.getElementById("result").textContent = JSON.stringify(results);
"""

    @classmethod
    def setUpClass(cls):
        page = Site.site / "reader.html"
        cases = json.dumps([c[1] for c in cls.CASES]).replace("</", "<\\/")
        page.write_text('<!DOCTYPE html><html><head><meta charset="utf-8"><script src="WebCalendar.js"></script>'
                        '</head><body><pre id="result"></pre><script>var CASES = %s;%s</script></body></html>'
                        % (cases, cls.SCRIPT), encoding="utf-8")
        dom = browserkit.parse_dom(browserkit.chromium(Site.server.url("reader.html"), dump_dom=True))
        pre = dom.find_all(lambda n: n.attrs.get("id") == "result")
        cls.results = json.loads(pre[0].all_text()) if pre and pre[0].all_text() else None

    def test_cases(self):
        self.assertIsNotNone(self.results, "the reader page ran")
        for (name, _, expected), got in zip(self.CASES, self.results):
            with self.subTest(name):
                for key, value in expected.items():
                    self.assertEqual(got[key], value, name)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
