#!/usr/bin/python3
"""The calendar component folder as the build lays it out below the program's folder: the
descriptor that the property grid, the preview and the gallery read, the default and style
property documents, the thumbnails, the movie's own defaults and the player beside the program.

Usage: component_folder_test.py <program folder> <node executable>
"""
import json
import pathlib
import re
import struct
import subprocess
import sys
import unittest
import xml.etree.ElementTree as ET

PROGRAM_DIR = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/bin").resolve()
NODE = sys.argv[2] if len(sys.argv) > 2 else "node"
COMPONENT = PROGRAM_DIR / "component" / "Calendar"
EDITOR_KINDS = {"number", "text", "color", "boolean", "list", "group"}
COLOR_VALUE = re.compile(r"^0x[0-9A-F]{6}$")
SAFE_NAME = re.compile(r"^[^\"'<>&]+$")


def descriptor():
    return ET.parse(COMPONENT / "componentInfo.xml").getroot()


def flash():
    return descriptor()[0]


def enabled_params():
    return [p for p in flash().findall("Param") if p.get("access") == "enabled"]


def definitions():
    """name -> Param element for every parameter the grid can show, sub-parameters included."""
    out = {}
    for p in enabled_params():
        out[p.get("name")] = p
        if p.get("dataType") == "group":
            for option in p:
                for sub in option:
                    out[sub.get("name")] = sub
    return out


def options(param):
    if param.get("dataType") == "list":
        return [o.text for o in param]
    return [o.get("value") for o in param]


def user_values(path):
    root = ET.parse(path).getroot()
    section = root.find("UserDefined")
    return [(p.get("name"), p.get("value")) for p in section.findall("Param")]


def png_size(path):
    head = path.read_bytes()[:24]
    assert head[:8] == b"\x89PNG\r\n\x1a\n", path
    return struct.unpack(">II", head[16:24])


def movie_parameters():
    script = ("const m = require(%s); console.log(JSON.stringify({params: m.PARAMETERS, "
              "css: m.STYLESHEET_FILE}));" % json.dumps(str(COMPONENT / "WebCalendar.js")))
    out = subprocess.run([NODE, "-e", script], stdout=subprocess.PIPE, check=True, timeout=60).stdout
    return json.loads(out)


class Descriptor(unittest.TestCase):
    def test_flash_is_the_first_child_and_names_the_movie(self):
        text = (COMPONENT / "componentInfo.xml").read_text(encoding="utf-8")
        # the gallery takes the root's first child node: no comment may stand before Flash
        self.assertNotIn("<!--", text)
        f = flash()
        self.assertEqual(f.tag, "Flash")
        self.assertEqual((f.get("path"), f.get("width"), f.get("height"), f.get("sizeable")),
                         ("WebCalendar.js", "500", "400", "true"))
        self.assertTrue((COMPONENT / f.get("path")).is_file())

    def test_every_parameter_is_complete_and_safely_named(self):
        for name, p in definitions().items():
            with self.subTest(name):
                self.assertRegex(name, SAFE_NAME)
                self.assertIn(p.get("dataType"), EDITOR_KINDS)
                for attribute in ("type", "value", "caption", "description", "lowerLimit", "upperLimit",
                                  "required"):
                    self.assertIsNotNone(p.get(attribute), attribute)
                self.assertTrue(p.get("description").strip())
                self.assertTrue(p.get("caption").strip(), "every name here reads better with a caption")
                self.assertIn(p.get("required"), ("true", "false"))
        self.assertEqual(len(definitions()), len(set(definitions())), "names are unique")

    def test_every_editor_kind_is_used(self):
        self.assertEqual({p.get("dataType") for p in enabled_params()}, EDITOR_KINDS)

    def test_defaults_are_valid_values_of_their_kind(self):
        props = {p.get("name") for p in enabled_params()}
        for name, p in definitions().items():
            value, kind = p.get("value"), p.get("dataType")
            with self.subTest(name):
                if kind == "color":
                    self.assertRegex(value, COLOR_VALUE)
                elif kind == "boolean":
                    self.assertIn(value, ("true", "false"))
                elif kind in ("list", "group"):
                    self.assertIn(value, options(p))
                elif kind == "number":
                    self.assertRegex(value, r"^-?\d+$")
                    for limit in (p.get("lowerLimit"), p.get("upperLimit")):
                        if limit and not re.match(r"^-?\d+$", limit):
                            self.assertIn(limit, props | {"Width", "Height"}, "a limit names a property")
                    lower, upper = p.get("lowerLimit"), p.get("upperLimit")
                    if re.match(r"^-?\d+$", lower or ""):
                        self.assertGreaterEqual(int(value), int(lower))
                    if re.match(r"^-?\d+$", upper or ""):
                        self.assertLessEqual(int(value), int(upper))

    def test_the_parameters_the_designer_relies_on(self):
        d = definitions()
        self.assertEqual(d["WeekStartDay"].get("dataType"), "boolean")
        self.assertEqual(d["HeaderHeight"].get("upperLimit"), "Height")
        view = d["View"]
        self.assertEqual(view.get("dataType"), "group")
        self.assertEqual(options(view), ["Month", "Week", "Day", "Agenda"])
        for option in view:
            self.assertGreater(len(list(option)), 0, "each view option has its own settings")
        self.assertGreaterEqual(len([p for p in d.values() if p.get("dataType") == "color"]), 8)

    def test_the_private_asset_is_the_movie_stylesheet(self):
        private = [p for p in flash().findall("Param") if p.get("access") == "private"]
        self.assertEqual([(p.get("dataType"), p.get("value")) for p in private], [("asset", "WebCalendar.css")])
        self.assertTrue((COMPONENT / "WebCalendar.css").is_file())
        self.assertEqual(movie_parameters()["css"], "WebCalendar.css")

    def test_the_movie_knows_the_same_parameters_and_defaults(self):
        movie = {}

        def walk(params):
            for p in params:
                movie[p["name"]] = p
                for subs in (p.get("options") or {}).values() if p["kind"] == "group" else []:
                    walk(subs)

        walk(movie_parameters()["params"])
        d = definitions()
        self.assertEqual(sorted(movie), sorted(d))
        for name, p in d.items():
            with self.subTest(name):
                m = movie[name]
                self.assertEqual(m["kind"], p.get("dataType"))
                self.assertEqual(m["value"], p.get("value"))
                self.assertEqual(m.get("lower", ""), p.get("lowerLimit"))
                self.assertEqual(m.get("upper", ""), p.get("upperLimit"))
                if p.get("dataType") == "list":
                    self.assertEqual(m["options"], options(p))
                if p.get("dataType") == "group":
                    self.assertEqual(list(m["options"]), options(p))
                    for option in p:
                        self.assertEqual([s["name"] for s in m["options"][option.get("value")]],
                                         [s.get("name") for s in option])


class PropertyDocuments(unittest.TestCase):
    def test_the_default_document_holds_every_top_level_default(self):
        self.assertEqual(ET.parse(COMPONENT / "props.xml").getroot().tag, "flash")
        self.assertEqual(user_values(COMPONENT / "props.xml"),
                         [(p.get("name"), p.get("value")) for p in enabled_params()])

    def test_styles_hold_known_valid_values_and_thumbnails(self):
        styles = sorted(p for p in (COMPONENT / "Templates").iterdir() if p.is_dir())
        self.assertGreaterEqual(len(styles), 6)
        d = definitions()
        looks = set()
        for style in styles:
            with self.subTest(style.name):
                self.assertRegex(style.name, r"^[A-Za-z][A-Za-z ]*$")
                values = user_values(style / "props.xml")
                names = [n for n, _ in values]
                self.assertEqual(len(names), len(set(names)))
                for name, value in values:
                    p = d.get(name)
                    self.assertIsNotNone(p, name)
                    kind = p.get("dataType")
                    if kind == "color":
                        self.assertRegex(value, COLOR_VALUE, name)
                    elif kind in ("list", "group"):
                        self.assertIn(value, options(p), name)
                    elif kind == "number":
                        self.assertRegex(value, r"^\d+$", name)
                        lower, upper = p.get("lowerLimit"), p.get("upperLimit")
                        self.assertGreaterEqual(int(value), int(lower), name)
                        if upper.isdigit():
                            self.assertLessEqual(int(value), int(upper), name)
                    elif kind == "boolean":
                        self.assertIn(value, ("true", "false"), name)
                thumbnail = style / (style.name + ".png")
                self.assertTrue(thumbnail.is_file())
                self.assertEqual(png_size(thumbnail), (150, 120), "5:4 like the component")
                looks.add(tuple(v for n, v in values if n in ("HeaderColor", "DayColor", "EventColor")))
        self.assertEqual(len(looks), len(styles), "every style has its own colours")


class BuildCopies(unittest.TestCase):
    SOURCE = pathlib.Path(__file__).resolve().parents[2]

    def test_the_program_folder_holds_current_copies(self):
        self.assertEqual((PROGRAM_DIR / "swfobject.js").read_bytes(),
                         (self.SOURCE / "resources" / "web" / "swfobject.js").read_bytes())
        source = self.SOURCE / "component" / "Calendar"
        files = sorted(p.relative_to(source) for p in source.rglob("*") if p.is_file())
        self.assertIn(pathlib.Path("componentInfo.xml"), files)
        for relative in files:
            with self.subTest(str(relative)):
                self.assertEqual((COMPONENT / relative).read_bytes(), (source / relative).read_bytes())


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
