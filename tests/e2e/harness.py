"""End-to-end harness: runs the real program under Wine on the X display the
test run provides, reads its windows from outside with probe.exe and drives
it with real X input through xdotool.

Environment (set by the CTest registration): PROGRAM_EXE, PROBE_EXE,
WINEPREFIX, DISPLAY.
"""

import json
import os
import shutil
import subprocess
import tempfile
import time
import unittest

PROGRAM_EXE = os.environ.get("PROGRAM_EXE", "")
PROBE_EXE = os.environ.get("PROBE_EXE", "")
WINDOW_DRIVER_EXE = os.environ.get("WINDOW_DRIVER_EXE", "")

WS_MINIMIZEBOX = 0x00020000
WS_MAXIMIZEBOX = 0x00010000
WS_THICKFRAME = 0x00040000
WS_SYSMENU = 0x00080000
WS_CAPTION = 0x00C00000
WS_DISABLED = 0x08000000
WS_TABSTOP = 0x00010000
WS_EX_TRANSPARENT = 0x00000020
WS_EX_CLIENTEDGE = 0x00000200
BS_TYPEMASK = 0x0F
BS_GROUPBOX = 0x07
BS_BITMAP = 0x00000080
BS_CENTER = 0x00000300
BS_VCENTER = 0x00000C00


def gbk_hex(text):
    return text.encode("gbk").hex()


def wine_env():
    env = dict(os.environ)
    env.setdefault("WINEDEBUG", "-all")
    env["WINEDLLOVERRIDES"] = "winemenubuilder.exe,mscoree,mshtml=d"
    return env


def probe():
    # Output goes to a file, not a pipe: Wine helper processes that the probe
    # may start (the desktop) inherit its handles and would hold a pipe open.
    with tempfile.TemporaryFile() as out:
        subprocess.run(["wine", PROBE_EXE, "windows"], stdin=subprocess.DEVNULL, stdout=out,
                       stderr=subprocess.DEVNULL, env=wine_env(), timeout=60, check=True)
        out.seek(0)
        return json.loads(out.read().decode("utf-8"))


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, timeout=30, stdin=subprocess.DEVNULL)


def key(name):
    """A real key press on the X server, to the window that has the focus."""
    xdotool("key", "--clearmodifiers", name)


def click(x, y):
    """A real left click at screen coordinates (the Wine desktop fills the X screen)."""
    xdotool("mousemove", str(x), str(y))
    time.sleep(0.1)
    xdotool("click", "1")


def click_centre(window):
    left, top, right, bottom = window["rect"]
    click((left + right) // 2, (top + bottom) // 2)


def drag(from_x, from_y, to_x, to_y):
    """A real left-button drag, in a few steps as a hand would move the mouse."""
    xdotool("mousemove", str(from_x), str(from_y))
    time.sleep(0.1)
    xdotool("mousedown", "1")
    time.sleep(0.2)
    for step in (1, 2, 3, 4):
        xdotool("mousemove", str(from_x + (to_x - from_x) * step // 4),
                str(from_y + (to_y - from_y) * step // 4))
        time.sleep(0.1)
    xdotool("mouseup", "1")
    time.sleep(0.2)


def screenshot(path, rect=None, margin=0):
    """The X screen, or only the given [left, top, right, bottom] plus a margin."""
    crop = []
    if rect is not None:
        left, top = max(0, rect[0] - margin), max(0, rect[1] - margin)
        width, height = rect[2] + margin - left, rect[3] + margin - top
        crop = ["-crop", f"{width}x{height}+{left}+{top}", "+repage"]
    subprocess.run(["import", "-window", "root", *crop, path], check=True, timeout=60,
                   stdin=subprocess.DEVNULL)


def keep_screenshot(window, file_name):
    """With E2E_SCREENSHOTS set to a folder, keeps a picture of the window there."""
    folder = os.environ.get("E2E_SCREENSHOTS")
    if folder:
        os.makedirs(folder, exist_ok=True)
        screenshot(os.path.join(folder, file_name), window["rect"], margin=24)


def screen_pixels(rect):
    """The RGB pixels of [left, top, right, bottom] on the X screen as
    (width, height, bytes), three bytes a pixel, row by row."""
    left, top, right, bottom = rect
    with tempfile.TemporaryFile() as out:
        subprocess.run(["import", "-window", "root", "-crop", f"{right - left}x{bottom - top}+{left}+{top}",
                        "+repage", "-depth", "8", "ppm:-"], stdin=subprocess.DEVNULL, stdout=out,
                       check=True, timeout=60)
        out.seek(0)
        data = out.read()
    # Header "P6 width height 255" and one whitespace byte; pixel bytes may
    # themselves look like whitespace, so only the header is split.
    header = data.split(maxsplit=4)[:4]
    if header[0] != b"P6" or header[3] != b"255":
        raise AssertionError(f"unexpected screen dump {data[:20]!r}")
    width, height = int(header[1]), int(header[2])
    return width, height, data[len(data) - width * height * 3:]


def find(windows, predicate):
    for w in windows:
        if predicate(w):
            return w
    return None


def walk(window):
    yield window
    for child in window["children"]:
        yield from walk(child)


def reg(*args):
    """Runs `wine reg ARGS` on the registry view that a 32-bit program sees
    and returns (exit code, output). The output goes to a file, not a pipe
    (see probe); reg writes it in the ANSI code page."""
    with tempfile.TemporaryFile() as out:
        done = subprocess.run(["wine", "reg", *args, "/reg:32"], stdin=subprocess.DEVNULL, stdout=out,
                              stderr=subprocess.STDOUT, env=wine_env(), timeout=60)
        out.seek(0)
        return done.returncode, out.read().decode("gbk", errors="replace")


def reg_query(key, name):
    """(type, data) of the value name under the key as `reg query` prints
    them ("REG_DWORD", "0x1"), or None when the key or the value is missing."""
    code, output = reg("query", key, "/v", name)
    if code != 0:
        return None
    for line in output.splitlines():
        parts = line.strip().split("    ")
        if len(parts) >= 2 and parts[0] == name and parts[1].startswith("REG_"):
            return parts[1], "    ".join(parts[2:])
    raise AssertionError(f"unexpected reg query output for {key} {name}: {output!r}")


def reg_delete(key, name=None):
    """Deletes the value name under the key, or the whole key when no name is
    given; what is missing already is fine."""
    reg("delete", key, *(["/v", name] if name is not None else []), "/f")
    remains = reg_query(key, name) is not None if name is not None else reg("query", key)[0] == 0
    if remains:
        raise AssertionError(f"could not delete {key} {name or ''}")


class GameRoot:
    """A scratch game folder holding a copy of the program."""

    def __init__(self, marker=True, marker_is_folder=False):
        self.path = tempfile.mkdtemp(prefix="brisvane-e2e-")
        self.exe = os.path.join(self.path, os.path.basename(PROGRAM_EXE))
        shutil.copy(PROGRAM_EXE, self.exe)
        maps = os.path.join(self.path, "cstrike", "maps")
        os.makedirs(maps)
        marker_path = os.path.join(maps, "de_dust2.bsp")
        if marker and marker_is_folder:
            os.makedirs(marker_path)
        elif marker:
            with open(marker_path, "wb") as f:
                f.write(b"BSP")

    def file(self, *parts):
        return os.path.join(self.path, *parts)

    def remove(self):
        shutil.rmtree(self.path, ignore_errors=True)


class RunningProgram:
    """The program started from another working directory, as a shortcut would."""

    def __init__(self, root, exe=None, args=()):
        """Runs the program copied into root, or another program (exe) with args."""
        self.root = root
        self.process = subprocess.Popen(["wine", exe or root.exe, *args], cwd="/", stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        env=wine_env())

    def pid_alive(self):
        return self.process.poll() is None

    def windows(self):
        """Top-level windows of the program (by class) and its message boxes."""
        return [w for w in probe()["windows"] if w["class"] in ("BrisvaneWindow", "#32770")]

    def wait_for(self, predicate, timeout=20.0, what="condition"):
        deadline = time.monotonic() + timeout
        last = None
        while time.monotonic() < deadline:
            last = self.windows()
            found = predicate(last)
            if found:
                return found
            if not self.pid_alive():
                raise AssertionError(f"program ended (code {self.process.returncode}) while waiting for {what}")
            time.sleep(0.2)
        raise AssertionError(f"timed out waiting for {what}; windows: {json.dumps(last, ensure_ascii=False)[:2000]}")

    def wait_window(self, caption, timeout=20.0):
        return self.wait_for(lambda ws: find(ws, lambda w: w["text"] == caption and w["class"] == "BrisvaneWindow"),
                             timeout, f"window {caption!r}")

    def wait_gone(self, hwnd, timeout=20.0):
        self.wait_for(lambda ws: find(ws, lambda w: w["hwnd"] == hwnd) is None, timeout, "window gone")

    def wait_exit(self, timeout=30.0):
        return self.process.wait(timeout=timeout)

    def kill(self):
        if self.pid_alive():
            self.process.kill()
            self.process.wait(timeout=10)


MAIN_CAPTION = "【Vantorel】CS1.6Brisvane 【新春专版】"


class ProgramTestCase(unittest.TestCase):
    """Starts the program in a fresh game root for each test and makes sure
    it is gone afterwards."""

    marker = True
    marker_is_folder = False

    def setUp(self):
        if not PROGRAM_EXE or not PROBE_EXE:
            self.fail("PROGRAM_EXE and PROBE_EXE must be set")
        self.root = GameRoot(self.marker, self.marker_is_folder)
        self.addCleanup(self.root.remove)
        self.program = RunningProgram(self.root)
        self.addCleanup(self.program.kill)
        self.main = self.program.wait_window(MAIN_CAPTION)
        time.sleep(0.3)

    def focus_main(self):
        """Gives the main window the focus with a real click on its title bar."""
        left, top, right, _ = self.main["rect"]
        click(left + 60, top + 8)
        time.sleep(0.2)
