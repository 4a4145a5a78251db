"""The installed program on its own: installed into a temporary prefix and moved elsewhere,
started on this test's display with a fresh home folder while the build and source folders
are hidden from it, it opens a project with events and shows them, keeps the user's data in
the home folder's XDG folders and writes nothing into the installed tree.

Usage: installed_program_test.py <build folder> <source folder> <output folder>
"""
import datetime
import os
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

BUILD, SOURCE, OUTPUT = (os.path.abspath(a) for a in sys.argv[1:4])
# The "Important" label's colour (FF9484) as the day view fills an event with it.
EVENT_COLOUR = (0xFF, 0xC4, 0xBB)


def project_text(day):
    """A project with two long events on `day`, so that the view of today shows them."""
    date = day.strftime("%m:%d:%Y")
    events = "".join(
        f'<Event EventID="{i}" StartTime="{date} {start}" EndTime="{date} {end}" '
        f'Subject="{subject}" CreationTime="{date} 08:00" LastModificationTime="{date} 08:00" '
        f'Location="" IsMeeting="0" AllDayEvent="0" Type="Important" Body="" BusyStatus="Busy"/>'
        for i, (start, end, subject) in enumerate(
            [("08:00", "12:00", "Installed morning"), ("13:00", "17:00", "Installed afternoon")], 1))
    return ('<?xml version="1.0" encoding="UTF-16" standalone="no"?>\n\r<flash>\n<UserDefined/>\n'
            f"<Data>\n\t<Events>\n\t\t{events}</Events></Data></flash>")


def tree_state(root):
    """Every path below `root` with its size and modification time."""
    state = {}
    for folder, dirs, files in os.walk(root):
        for name in dirs + files:
            path = os.path.join(folder, name)
            info = os.lstat(path)
            state[os.path.relpath(path, root)] = (info.st_size, info.st_mtime_ns)
    return state


def colour_count(image, colour, tolerance=12):
    """How many pixels of `image` are within `tolerance` of `colour` in every channel."""
    histogram = subprocess.run(["convert", image, "-format", "%c", "histogram:info:-"],
                               check=True, capture_output=True, text=True).stdout
    count = 0
    for line in histogram.splitlines():
        pixels, _, rest = line.strip().partition(":")
        values = rest.strip().strip("(").split(")")[0].split(",")[:3]
        rgb = [int(float(v)) for v in values]
        if all(abs(a - b) <= tolerance for a, b in zip(rgb, colour)):
            count += int(pixels)
    return count


def wait_for_window(name, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                               capture_output=True, text=True).stdout.split()
        if found:
            return found[0]
        time.sleep(0.5)
    return None


class InstalledProgram(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="tev-install-")
        staged = os.path.join(cls.work, "staged")
        subprocess.run(["cmake", "--install", BUILD, "--prefix", staged], check=True,
                       stdout=subprocess.DEVNULL)
        # Any prefix works: the tree is moved after installing.
        cls.prefix = os.path.join(cls.work, "moved prefix")
        shutil.move(staged, cls.prefix)
        cls.home = os.path.join(cls.work, "home")
        os.makedirs(cls.home)
        cls.project = os.path.join(cls.work, "Installed.kcd")
        with open(cls.project, "wb") as out:
            out.write(b"\xff\xfe" + project_text(datetime.date.today()).encode("utf-16-le"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work, ignore_errors=True)

    def environment(self):
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("TEV_", "XDG_"))}
        env.update(HOME=self.home, LANGUAGE="en", LANG="C.UTF-8")
        return env

    def run_hidden(self, arguments):
        """Starts the installed program with the build and source folders out of reach."""
        hidden = [SOURCE] if BUILD.startswith(SOURCE + "/") else [BUILD, SOURCE]
        command = ["bwrap", "--dev-bind", "/", "/"]
        for folder in hidden:
            command += ["--tmpfs", folder]
        command += ["--"] + arguments
        return subprocess.Popen(command, env=self.environment(), stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, text=True, start_new_session=True)

    @staticmethod
    def stop(program):
        os.killpg(program.pid, signal.SIGTERM)
        try:
            return program.communicate(timeout=30)[0]
        except subprocess.TimeoutExpired:
            os.killpg(program.pid, signal.SIGKILL)
            return program.communicate()[0]

    def test_installed_program_opens_a_project_and_writes_only_into_the_home_folder(self):
        before = tree_state(self.prefix)
        program = self.run_hidden([os.path.join(self.prefix, "bin", "TEVCalendar"), self.project])
        try:
            window = wait_for_window("Installed", 90)
            self.assertIsNotNone(window, "the main window with the project's name did not show")
            time.sleep(6)
            os.makedirs(OUTPUT, exist_ok=True)
            shot = os.path.join(OUTPUT, "installed-program.png")
            subprocess.run(["import", "-window", "root", shot], check=True)
            self.assertGreater(colour_count(shot, EVENT_COLOUR), 2000,
                               "the project's events are not drawn (see " + shot + ")")
        finally:
            output = self.stop(program)
        self.assertEqual(tree_state(self.prefix), before, "the program wrote into its prefix")
        self.assertNotIn(BUILD, output)
        # The user's data is in the home folder's XDG folders.
        for folder in [".local/share/Quorvane/certificates",
                       ".local/state/Quorvane",
                       ".local/share/Quorvane/Quorvane Web Calendar/Templates"]:
            self.assertTrue(os.path.isdir(os.path.join(self.home, folder)), folder)

    def test_installed_tree_has_the_freedesktop_files_and_no_build_paths(self):
        expected = ["share/applications/quorvane-web-calendar.desktop",
                    "share/mime/packages/quorvane-web-calendar.xml",
                    "share/icons/hicolor/48x48/apps/quorvane-web-calendar.png",
                    "share/quorvane-web-calendar/component/Calendar/componentInfo.xml",
                    "share/quorvane-web-calendar/swfobject.js",
                    "share/quorvane-web-calendar/TEVCalendar.htb"]
        for path in expected:
            self.assertTrue(os.path.isfile(os.path.join(self.prefix, path)), path)
        hives = [os.path.join(folder, name) for folder, _, names in os.walk(self.prefix)
                 for name in names if name == "HKEY_CLASSES_ROOT.reg"]
        self.assertEqual(len(hives), 1)
        # Every user of the installed program reads the machine's classes.
        for path in (hives[0], os.path.dirname(hives[0])):
            self.assertEqual(os.stat(path).st_mode & 0o004, 0o004, path)
        with open(hives[0], encoding="utf-8") as hive:
            self.assertIn('@="../TEVCalendarAx.so"', hive.read())
        for folder, _, names in os.walk(self.prefix):
            for name in names:
                path = os.path.join(folder, name)
                with open(path, "rb") as data:
                    content = data.read()
                if content.startswith(b"\x7fELF"):
                    # Libraries are found by paths relative to the file itself.
                    dynamic = subprocess.run(["readelf", "-d", path], check=True,
                                             capture_output=True, text=True).stdout
                    for line in dynamic.splitlines():
                        if "RUNPATH" in line or "RPATH" in line:
                            self.assertIn("[$ORIGIN", line, path)
                            self.assertNotIn(BUILD, line, path)
                else:
                    self.assertNotIn(BUILD.encode(), content, path)

    def build_example(self):
        build = os.path.join(self.work, "example")
        for step in (["cmake", "-S", os.path.join(SOURCE, "examples", "wizard"), "-B", build,
                      "-DCMAKE_PREFIX_PATH=" + self.prefix],
                     ["cmake", "--build", build]):
            subprocess.run(step, check=True, stdout=subprocess.DEVNULL)
        return os.path.join(build, "tev-wizard-example")

    def press_ok(self, window):
        """Clicks the wizard's right-most button at the bottom, which is OK on this desktop."""
        geometry = dict(line.split("=") for line in subprocess.run(
            ["xdotool", "getwindowgeometry", "--shell", window], check=True,
            capture_output=True, text=True).stdout.split())
        x = int(geometry["X"]) + int(geometry["WIDTH"]) - 45
        y = int(geometry["Y"]) + int(geometry["HEIGHT"]) - 25
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)

    def test_example_designs_a_calendar_through_the_installed_wizard(self):
        example = self.build_example()
        earlier = os.path.join(self.work, "earlier.xml")
        with open(os.path.join(SOURCE, "tests/calendar/data/WeekOfMeetings.kcd"), "rb") as project:
            text = project.read()[2:].decode("utf-16-le")
        with open(earlier, "w", encoding="utf-8") as out:
            out.write(text)
        program = self.run_hidden([example, earlier])
        try:
            window = wait_for_window("Component Wizard", 90)
            self.assertIsNotNone(window, "the wizard did not show")
            time.sleep(5)
            os.makedirs(OUTPUT, exist_ok=True)
            subprocess.run(["import", "-window", "root", os.path.join(OUTPUT, "wizard.png")],
                           check=True)
            # A busy machine lays the dialog out late: the click is repeated, at most ten times.
            output = None
            for _ in range(10):
                self.press_ok(window)
                try:
                    output = program.communicate(timeout=10)[0]
                    break
                except subprocess.TimeoutExpired:
                    continue
            self.assertIsNotNone(output, "OK did not close the wizard")
        finally:
            if program.poll() is None:
                self.stop(program)
        self.assertEqual(program.returncode, 0, output)
        self.assertIn("<flash>", output)
        self.assertIn("Sprint planning", output, "the earlier run's data came back")

    def test_pkg_config_describes_the_installed_library(self):
        env = dict(os.environ,
                   PKG_CONFIG_PATH=os.pathsep.join(
                       os.path.join(folder, "pkgconfig") for folder, dirs, _ in
                       os.walk(os.path.join(self.prefix, "lib")) if "pkgconfig" in dirs))
        flags = subprocess.run(["pkg-config", "--cflags", "--libs", "TEVComponentDesignerAfx"],
                               env=env, check=True, capture_output=True, text=True).stdout
        self.assertIn("-lTEVComponentDesignerAfx", flags)
        include = [f[2:] for f in shlex.split(flags) if f.startswith("-I") and "TEVComponent" in f]
        self.assertEqual(len(include), 1, flags)
        self.assertTrue(os.path.isfile(
            os.path.join(include[0], "designer/core/TEVComponentDesignerWizard.h")))

    def test_registration_switches_work_from_the_installed_program(self):
        program = self.run_hidden([os.path.join(self.prefix, "bin", "TEVCalendar"), "/Register"])
        program.communicate(timeout=60)
        self.assertEqual(program.returncode, 0)
        entry = os.path.join(self.home, ".local/share/mime/packages/quorvane-kcd.xml")
        self.assertTrue(os.path.isfile(entry))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
