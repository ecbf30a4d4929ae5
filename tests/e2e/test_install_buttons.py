"""The two install buttons as a user gets them: a real click on 按钮1 or
按钮2, the wait, then the intro window or an error box, and what lands on the
disk: the carried archive in the temporary folder and config.cfg in
cstrike_schinese.

The expected archive bytes come from the build's generated source, the
expected config texts from install/config. Set E2E_SCREENSHOTS to a folder
to keep a picture of the intro window and of the error boxes there.
"""

import calendar
import collections
import io
import os
import re
import struct
import subprocess
import tempfile
import time
import unittest
import zipfile

from harness import (PROGRAM_EXE, ProgramTestCase, click, click_centre, find, key,
                     keep_screenshot, screen_pixels, wine_env, xdotool)

SOURCE_ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
WAIT_SECONDS = 1.65
# From the click to the end of the probe that first sees the result: the
# wait, the install and a probe or two.
LATEST_RESULT_SECONDS = 4.0
SS_TYPEMASK = 0x1F
SS_ICON = 0x03
# The dialog's icon control in a message box.
MESSAGE_BOX_ICON_ID = 0x0440
# Wine keeps the DOS attributes that a Unix mode cannot show in an
# extended attribute, as a hexadecimal text.
DOS_ATTRIBUTES_XATTR = "user.DOSATTRIB"
FILE_ATTRIBUTE_HIDDEN = 0x2
FILE_ATTRIBUTE_SYSTEM = 0x4

Variant = collections.namedtuple("Variant", "name button temp_name config_text generated intro not_root_text "
                                            "write_failed_text dos_time")

VARIANTS = (
    Variant("brawl", 0, "1.zip", "brawl.cfg", "brawl_archive.cpp", "混战弹道插件成功开启[on] 进入游戏体验.......",
            "混战插件注入[off] 游戏根目录不正确！", "混战插件注入[off] 配置文件写入失败！",
            (2020, 1, 25, 0, 2, 56)),
    Variant("match", 1, "2.zip", "match.cfg", "match_archive.cpp", "比赛弹道插件成功开启[on] 进入游戏体验.......",
            "比赛插件注入[off] 游戏根目录不正确！", "比赛插件注入[off] 配置文件写入失败！",
            (2020, 1, 25, 0, 20, 28)),
)
BRAWL, MATCH = VARIANTS


def run_wine_to_file(*args):
    """Output of a wine command, through a file (helper processes would hold a pipe open)."""
    with tempfile.TemporaryFile() as out:
        subprocess.run(["wine", *args], stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL,
                       env=wine_env(), timeout=60, check=True)
        out.seek(0)
        return out.read().decode("gbk", errors="replace")


_temp_folder = None


def temp_folder():
    """The folder that GetTempPathA gives a program of this prefix, as a Unix
    path: %TMP%, else %TEMP% of the Windows environment."""
    global _temp_folder
    if _temp_folder is None:
        windows_path = None
        for name in ("TMP", "TEMP"):
            value = run_wine_to_file("cmd", "/c", f"echo %{name}%").strip()
            if value and value != f"%{name}%":
                windows_path = value
                break
        if windows_path is None:
            raise AssertionError("neither TMP nor TEMP is set in the Wine environment")
        _temp_folder = run_wine_to_file("winepath", "-u", windows_path).strip().rstrip("/")
        if not os.path.isdir(_temp_folder):
            raise AssertionError(f"temporary folder {windows_path} ({_temp_folder}) does not exist")
    return _temp_folder


def windows_path(unix_path):
    """The path a Windows program sees for a Unix path (drive Z: is the Unix root)."""
    return "Z:" + unix_path.replace("/", "\\")


def windows_attributes(unix_path):
    """The attribute letters that `attrib` shows for the file ("A", "R", "H", "S")."""
    path = windows_path(unix_path)
    output = run_wine_to_file("cmd", "/c", "attrib", path)
    for line in output.splitlines():
        if line.rstrip().endswith(path):
            return set(line.rstrip()[:-len(path)].replace(" ", ""))
    raise AssertionError(f"unexpected attrib output for {path}: {output!r}")


def dos_attribute_bits(path):
    """The hidden and system bits Wine keeps for the file, 0 when it keeps none."""
    try:
        return int(os.getxattr(path, DOS_ATTRIBUTES_XATTR).decode("ascii"), 16)
    except OSError:
        return 0


def carried_archive(variant):
    """The archive bytes that the build put into the program: the byte array
    of the generated source, after its 8-byte head (1, then the count)."""
    generated = os.path.join(os.path.dirname(PROGRAM_EXE), "generated", variant.generated)
    with open(generated, encoding="utf-8") as f:
        source = f.read()
    array = re.search(r"kBytes\[\]\s*=\s*\{(.*?)\};", source, re.S).group(1)
    data = bytes(int(value, 16) for value in re.findall(r"0x([0-9a-fA-F]{2})", array))
    kind, count = struct.unpack_from("<II", data)
    if kind != 1 or len(data) != 8 + count:
        raise AssertionError(f"{generated}: head {kind}, {count} for {len(data)} bytes")
    return data[8:]


def config_text(variant):
    with open(os.path.join(SOURCE_ROOT, "install", "config", variant.config_text), "rb") as f:
        return f.read()


def read(path):
    with open(path, "rb") as f:
        return f.read()


def is_box(window):
    return window["class"] == "#32770"


def is_intro(window):
    return window["class"] == "BrisvaneWindow" and window["text"] in (BRAWL.intro, MATCH.intro)


def box_text(box):
    texts = [c["text"] for c in box["children"] if c["class"] == "Static" and c["text"]]
    return texts[0] if len(texts) == 1 else texts


class CarriedArchives(unittest.TestCase):
    """What the other tests expect on the disk is what the build packed."""

    def test_each_archive_holds_its_config_text_with_its_dos_time(self):
        for variant in VARIANTS:
            with self.subTest(variant.name):
                with zipfile.ZipFile(io.BytesIO(carried_archive(variant))) as archive:
                    (member,) = archive.infolist()
                    self.assertEqual("config.cfg", member.filename)
                    self.assertEqual(variant.dos_time, member.date_time)
                    self.assertEqual(config_text(variant), archive.read(member))


class InstallCase(ProgramTestCase):
    def setUp(self):
        super().setUp()
        self.config_folder = self.root.file("cstrike_schinese")
        self.config_file = os.path.join(self.config_folder, "config.cfg")

    def temp_archive(self, variant):
        return os.path.join(temp_folder(), variant.temp_name)

    def remove_temp_archive(self, variant):
        path = self.temp_archive(variant)
        if os.path.lexists(path):
            os.remove(path)
        self.assertFalse(os.path.lexists(path))

    def button(self, variant):
        group = find(self.main["children"], lambda w: w["class"] == "Button")
        return group["children"][variant.button]

    def click_button(self, variant):
        """A real click on the variant's button; returns the moment just before it."""
        left, top, right, bottom = self.button(variant)["rect"]
        xdotool("mousemove", str((left + right) // 2), str((top + bottom) // 2))
        time.sleep(0.1)
        clicked_at = time.monotonic()
        xdotool("click", "1")
        return clicked_at

    def wait_result(self, clicked_at, wanted, unwanted):
        """Polls until a window that `wanted` accepts is up; fails at once when
        one that `unwanted` accepts comes first. Returns the window and the
        seconds from the click to the end of the probe that first saw it."""
        deadline = clicked_at + 20
        while time.monotonic() < deadline:
            windows = self.program.windows()
            seen_at = time.monotonic() - clicked_at
            surprise = find(windows, unwanted)
            self.assertIsNone(surprise, f"unexpected window {surprise and (surprise['class'], surprise['text'])}")
            found = find(windows, wanted)
            if found:
                return found, seen_at
            self.assertTrue(self.program.pid_alive(), "the program ended while waiting")
        self.fail("nothing came up within 20 s of the click")

    def assert_timely(self, seen_at):
        # Nothing can show before the wait is over; the end of the probe
        # that sees the window comes after it appeared.
        self.assertGreaterEqual(seen_at, WAIT_SECONDS)
        self.assertLess(seen_at, LATEST_RESULT_SECONDS)

    def main_now(self):
        return find(self.program.windows(), lambda w: w["hwnd"] == self.main["hwnd"])

    def install(self, variant):
        """Clicks the variant's button and waits for its intro window."""
        clicked_at = self.click_button(variant)
        intro, seen_at = self.wait_result(clicked_at, lambda w: w["text"] == variant.intro, is_box)
        self.assertEqual("BrisvaneWindow", intro["class"])
        self.assert_timely(seen_at)
        self.assertFalse(self.main_now()["enabled"], "the main window stays enabled under the intro window")
        return intro

    def close_intro(self, intro):
        button = find(intro["children"], lambda c: c["class"] == "Button" and c["text"] == "关闭介绍")
        click_centre(button)
        self.program.wait_gone(intro["hwnd"], timeout=5)
        self.assertTrue(self.main_now()["enabled"])

    def assert_temp_archive(self, variant):
        self.assertEqual(carried_archive(variant), read(self.temp_archive(variant)), variant.temp_name)

    def assert_config_installed(self, variant):
        self.assertEqual(["config.cfg"], os.listdir(self.config_folder), "stray files next to config.cfg")
        info = os.stat(self.config_file)
        # The member's DOS time, taken as UTC; exact, as DOS times have
        # whole (even) seconds. In Beijing time the brawl file shows 08:02:56.
        # (Reading the file below moves its access time, so only the
        # modification time is compared.)
        self.assertEqual(calendar.timegm(variant.dos_time + (0, 0, 0)), info.st_mtime)
        self.assertTrue(info.st_mode & 0o200, "config.cfg is read-only")
        self.assertEqual(0, dos_attribute_bits(self.config_file) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
                         "config.cfg is hidden or system")
        self.assertEqual(config_text(variant), read(self.config_file))


class InstallInGameRoot(InstallCase):
    def test_brawl_then_match_each_installs_its_archive_and_config_which_outlast_the_program(self):
        for variant in VARIANTS:
            self.remove_temp_archive(variant)
        for variant in VARIANTS:
            with self.subTest(variant.name):
                intro = self.install(variant)
                if variant is BRAWL:
                    keep_screenshot(intro, "install_brawl_intro.png")
                self.assert_temp_archive(variant)
                self.assert_config_installed(variant)
                self.close_intro(intro)

        key("Escape")
        self.assertEqual(0, self.program.wait_exit())
        # Both archives stay in the temporary folder; match came last.
        for variant in VARIANTS:
            self.assert_temp_archive(variant)
        self.assert_config_installed(MATCH)
        self.assertEqual(set(), windows_attributes(self.config_file) & set("RHS"))

    def test_read_only_hidden_system_config_is_replaced(self):
        os.makedirs(self.config_folder)
        with open(self.config_file, "wb") as f:
            f.write(b"// the player's own settings\r\n")
        os.chmod(self.config_file, 0o444)
        os.setxattr(self.config_file, DOS_ATTRIBUTES_XATTR,
                    b"0x%x" % (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
        self.assertEqual(set("RHS"), windows_attributes(self.config_file) & set("RHS"))

        intro = self.install(MATCH)
        self.assert_config_installed(MATCH)
        self.assertEqual(set(), windows_attributes(self.config_file) & set("RHS"))
        self.close_intro(intro)


class FolderAsMarker(InstallCase):
    marker_is_folder = True

    def test_a_folder_named_de_dust2_bsp_marks_the_game_root(self):
        self.assertTrue(os.path.isdir(self.root.file("cstrike", "maps", "de_dust2.bsp")))
        intro = self.install(BRAWL)
        self.assert_config_installed(BRAWL)
        self.close_intro(intro)


class ErrorBoxCase(InstallCase):
    def wait_box(self, variant):
        """Clicks the variant's button and waits for a message box."""
        clicked_at = self.click_button(variant)
        box, seen_at = self.wait_result(clicked_at, is_box, is_intro)
        self.assert_timely(seen_at)
        return box

    def assert_error_box(self, box, text):
        self.assertEqual(text, box_text(box))
        self.assertEqual("", box["text"], "the box has a caption")
        buttons = [c["text"] for c in box["children"] if c["class"] == "Button"]
        self.assertEqual(["确定"], buttons)
        # A stop icon: the box's icon control, and red is its colour (the
        # other message box icons are yellow or blue).
        icon = find(box["children"], lambda c: c["id"] == MESSAGE_BOX_ICON_ID)
        self.assertEqual(SS_ICON, icon["style"] & SS_TYPEMASK)
        width, height, pixels = screen_pixels(icon["rect"])
        red = sum(1 for i in range(0, len(pixels), 3)
                  if pixels[i] > 160 and pixels[i + 1] < 90 and pixels[i + 2] < 90)
        self.assertGreater(red, width * height // 4, "the icon is not the red stop sign")
        # Task-modal: the main window is disabled while the box is up.
        self.assertFalse(self.main_now()["enabled"])

    def close_box(self, box, close):
        if close == "Enter":
            key("Return")
        else:
            click_centre(find(box["children"], lambda c: c["class"] == "Button"))
        self.program.wait_gone(box["hwnd"], timeout=5)
        time.sleep(0.5)
        windows = self.program.windows()
        self.assertEqual([self.main["hwnd"]], [w["hwnd"] for w in windows], "a window besides the main one")
        self.assertTrue(windows[0]["enabled"])


class NoGameRoot(ErrorBoxCase):
    marker = False

    def test_each_button_shows_its_error_box_and_writes_nothing(self):
        for variant, close in ((BRAWL, "Enter"), (MATCH, "OK")):
            with self.subTest(variant.name, close=close):
                self.remove_temp_archive(variant)
                box = self.wait_box(variant)
                self.assert_error_box(box, variant.not_root_text)
                if variant is BRAWL:
                    keep_screenshot(box, "install_not_game_root_box.png")
                self.close_box(box, close)
                self.assertFalse(os.path.lexists(self.temp_archive(variant)), f"{variant.temp_name} written")
                self.assertFalse(os.path.lexists(self.config_folder), "cstrike_schinese created")
        # The main window is active again once the box is gone: Esc reaches it.
        key("Escape")
        self.assertEqual(0, self.program.wait_exit())


class ConfigFolderNameTaken(ErrorBoxCase):
    def test_a_file_named_cstrike_schinese_fails_the_install_and_stays_as_it_was(self):
        content = b"not a folder\r\n"
        with open(self.config_folder, "wb") as f:
            f.write(content)
        for variant, close in ((BRAWL, "Enter"), (MATCH, "OK")):
            with self.subTest(variant.name, close=close):
                self.remove_temp_archive(variant)
                box = self.wait_box(variant)
                self.assert_error_box(box, variant.write_failed_text)
                if variant is BRAWL:
                    keep_screenshot(box, "install_write_failed_box.png")
                self.close_box(box, close)
                # The archive is written before the extraction fails.
                self.assert_temp_archive(variant)
                self.assertTrue(os.path.isfile(self.config_folder))
                self.assertEqual(content, read(self.config_folder))
        self.assertEqual({"cstrike", "cstrike_schinese", os.path.basename(self.root.exe)},
                         set(os.listdir(self.root.path)))


class CloseMainWindowDuringWait(InstallCase):
    def close_during_wait_and_expect_install(self, close):
        self.remove_temp_archive(BRAWL)
        clicked_at = self.click_button(BRAWL)
        close()

        def main_gone(windows):
            return find(windows, lambda w: w["hwnd"] == self.main["hwnd"]) is None

        self.program.wait_for(main_gone, timeout=5, what="main window gone")
        # Gone before the wait was over: nothing installed yet.
        self.assertLess(time.monotonic() - clicked_at, WAIT_SECONDS)
        self.assertFalse(os.path.lexists(self.config_folder))

        self.assertEqual(0, self.program.wait_exit())
        self.assertGreaterEqual(time.monotonic() - clicked_at, WAIT_SECONDS)
        self.assert_temp_archive(BRAWL)
        self.assert_config_installed(BRAWL)

    def test_alt_f4(self):
        self.close_during_wait_and_expect_install(lambda: key("alt+F4"))

    def test_close_box(self):
        left, top, right, _ = self.main["rect"]
        border = (self.main["size"][0] - self.main["client"][0]) // 2
        caption = self.main["size"][1] - self.main["client"][1] - 2 * border
        self.close_during_wait_and_expect_install(
            lambda: click(right - border - caption // 2 - 1, top + border + caption // 2))


if __name__ == "__main__":
    unittest.main()
