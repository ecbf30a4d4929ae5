"""The tweak button (the third picture button of the main window) as a user
gets it: a real click, a second's wait with the window still answering, the
eight registry values read back with `reg query`, the restart notice, and the
ways out of it with real keys and clicks."""

import time
import unittest

from harness import (ProgramTestCase, click, find, key, probe, reg_delete, reg_query, screen_pixels,
                     walk, xdotool)

# Key, value name, and type and data as `reg query` prints them. Row 1 sits
# directly below HKEY_USERS, not below a user's hive.
TWEAKS = [
    (r"HKEY_USERS\SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer", "AlwaysUnloadDLL", "REG_DWORD", "0x1"),
    (r"HKLM\SOFTWARE\Microsoft\MediaPlayer\PlayerUpgrade", "AskMeAgain", "REG_SZ", "no"),
    (r"HKLM\SOFTWARE\Policies\Microsoft\WindowsMediaPlayer", "DisableAutoUpdate", "REG_DWORD", "0x1"),
    (r"HKCU\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer", "NoDriveTypeAutoRun", "REG_DWORD", "0xff"),
    (r"HKLM\SYSTEM\CurrentControlSet\Services\stisvc", "Start", "REG_DWORD", "0x4"),
    (r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Policies\Explorer", "NoRemoteRecursiveEvents", "REG_DWORD", "0x1"),
    (r"HKCU\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer", "NoSaveSettings", "REG_DWORD", "0x0"),
    (r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced", "NoNetCrawling", "REG_DWORD", "0x1"),
]
# Nothing else lives in the key of row 1, so it goes as a whole and the
# program has to create it again.
OWN_KEY = TWEAKS[0][0]
# The same key path below the other roots, where row 1 must not end up.
NOT_WRITTEN = [(r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer", "AlwaysUnloadDLL"),
               (r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer", "AlwaysUnloadDLL")]

NOTICE_LABELS = ["电脑起飞中 重启生效", "[Vantorel工作室] QQ:000000000", "2020新春专版"]
NOTICE_PLACE, NOTICE_SIZE = [316, 333], [392, 102]

WAIT_SECONDS = 1.0
LATEST_NOTICE_SECONDS = 3.0


def is_notice(window):
    return window["class"] == "BrisvaneWindow" and window["text"] == ""


def message_boxes(windows):
    """The texts of every message box on the desktop (caption, message,
    buttons), for a failure message that says what the user was told."""
    return [[w["text"] for w in walk(box)] for box in windows if box["class"] == "#32770"]


def clear_tweaks():
    reg_delete(OWN_KEY)
    for key_path, name, _, _ in TWEAKS[1:]:
        reg_delete(key_path, name)
    for key_path, name in NOT_WRITTEN:
        reg_delete(key_path, name)


class TweakButtonCase(ProgramTestCase):
    def setUp(self):
        # Before the program starts, so whatever is found later was written by it.
        clear_tweaks()
        for key_path, name, _, _ in TWEAKS:
            self.assertIsNone(reg_query(key_path, name), f"{key_path} {name} still there")
        super().setUp()

    def tweak_button(self):
        group = find(self.main["children"], lambda w: w["class"] == "Button")
        return group["children"][2]

    def click_tweak_button(self):
        """Clicks the button and returns the moment just before the click."""
        left, top, right, bottom = self.tweak_button()["rect"]
        xdotool("mousemove", str((left + right) // 2), str((top + bottom) // 2))
        time.sleep(0.1)
        start = time.monotonic()
        xdotool("click", "1")
        return start

    def wait_notice(self, clicked_at):
        """Polls until the notice is there; returns it, the seconds from the
        click to the end of the probe that first saw it, and every window
        list seen before it. A message box on the way fails the test."""
        seen_before = []
        deadline = clicked_at + 20
        while time.monotonic() < deadline:
            windows = self.program.windows()
            seen_at = time.monotonic() - clicked_at
            boxes = message_boxes(windows)
            self.assertEqual([], boxes, "a message box came up after the tweak button")
            notice = find(windows, is_notice)
            if notice:
                return notice, seen_at, seen_before
            seen_before.append(windows)
            self.assertTrue(self.program.pid_alive(), "the program ended before the notice")
        self.fail("no notice within 20 s of the click")

    def assert_every_value_written(self):
        for key_path, name, value_type, data in TWEAKS:
            with self.subTest(value=name):
                self.assertEqual((value_type, data), reg_query(key_path, name), f"{key_path} {name}")


class ClickTweakButton(TweakButtonCase):
    def test_after_a_second_the_notice_comes_and_every_value_is_written(self):
        clicked_at = self.click_tweak_button()
        # Nothing is written before the wait has run out; the read proves it
        # only when it was over within the second.
        last_key, last_name = TWEAKS[-1][:2]
        early = reg_query(last_key, last_name)
        if time.monotonic() - clicked_at < WAIT_SECONDS:
            self.assertIsNone(early, "written before the wait ran out")

        notice, seen_at, before = self.wait_notice(clicked_at)
        self.assertGreaterEqual(seen_at, WAIT_SECONDS)
        self.assertLessEqual(seen_at, LATEST_NOTICE_SECONDS)
        # Nothing is disabled while the program waits.
        for windows in before:
            main = find(windows, lambda w: w["hwnd"] == self.main["hwnd"])
            self.assertTrue(main and main["enabled"], "main window not answering during the wait")

        self.assertEqual("", notice["text_gbk"])
        self.assertEqual(NOTICE_PLACE, notice["rect"][:2])
        self.assertEqual(NOTICE_SIZE, notice["size"])
        labels = sorted(notice["children"], key=lambda w: (w["place"][0], w["place"][1]))
        self.assertEqual(NOTICE_LABELS, [w["text"] for w in labels])
        self.assertEqual({"BrisvaneTransparentLabel"}, {w["class"] for w in labels})

        state = probe()
        self.assertEqual(notice["hwnd"], state["active"])
        main = find(state["windows"], lambda w: w["hwnd"] == self.main["hwnd"])
        self.assertFalse(main["enabled"], "main window takes input under the notice")
        self.assertEqual([], message_boxes(state["windows"]))

        # The notice is really on top: its navy client area with the red
        # first line, as the user sees it.
        border = (notice["size"][0] - notice["client"][0]) // 2
        client_left = notice["rect"][0] + border
        client_bottom = notice["rect"][3] - border
        first_line = labels[0]["rect"]
        _, _, pixels = screen_pixels(first_line)
        colours = {tuple(pixels[i:i + 3]) for i in range(0, len(pixels), 3)}
        self.assertIn((0, 0, 128), colours)
        self.assertTrue(any(r > 200 and g < 60 and b < 60 for r, g, b in colours), "no red text")
        _, _, corner = screen_pixels([client_left + 2, client_bottom - 6, client_left + 6, client_bottom - 2])
        self.assertEqual({(0, 0, 128)}, {tuple(corner[i:i + 3]) for i in range(0, len(corner), 3)})

        # The values are in place while the notice is still open.
        self.assert_every_value_written()
        for key_path, name in NOT_WRITTEN:
            self.assertIsNone(reg_query(key_path, name), f"{key_path} {name}")


class CloseMainWindowDuringWait(TweakButtonCase):
    def close_during_wait_and_expect_writes(self, close):
        clicked_at = self.click_tweak_button()
        close()
        # Once the wait is over the notice holds the input and the main
        # window cannot be closed any more: it has to go first.
        def main_gone(windows):
            self.assertIsNone(find(windows, is_notice), "the notice came before the main window went")
            return find(windows, lambda w: w["hwnd"] == self.main["hwnd"]) is None
        self.program.wait_for(main_gone, timeout=5, what="main window gone")

        self.assertEqual(0, self.program.wait_exit())
        # The wait ran out its time before the process could end.
        self.assertGreaterEqual(time.monotonic() - clicked_at, WAIT_SECONDS)
        self.assert_every_value_written()

    def test_alt_f4(self):
        self.close_during_wait_and_expect_writes(lambda: key("alt+F4"))

    def test_close_box(self):
        left, top, right, _ = self.main["rect"]
        border = (self.main["size"][0] - self.main["client"][0]) // 2
        caption = self.main["size"][1] - self.main["client"][1] - 2 * border
        close_box = (right - border - caption // 2 - 1, top + border + caption // 2)
        self.close_during_wait_and_expect_writes(lambda: click(*close_box))


class LeaveTheNotice(TweakButtonCase):
    def test_esc_closes_the_notice_gives_the_main_window_back_and_the_button_works_again(self):
        notice, _, _ = self.wait_notice(self.click_tweak_button())
        key("shift+Escape")
        time.sleep(0.5)
        self.assertTrue(find(self.program.windows(), lambda w: w["hwnd"] == notice["hwnd"]),
                        "Esc with Shift closed the notice")

        key("Escape")
        self.program.wait_gone(notice["hwnd"], timeout=5)
        state = probe()
        main = find(state["windows"], lambda w: w["hwnd"] == self.main["hwnd"])
        self.assertTrue(main["enabled"])
        self.assertEqual(self.main["hwnd"], state["active"])
        self.assertEqual(self.main["hwnd"], state["foreground"])

        # No state from the first click: a second one writes again and shows
        # a fresh notice at the centre.
        last_key, last_name = TWEAKS[-1][:2]
        reg_delete(last_key, last_name)
        notice, seen_at, _ = self.wait_notice(self.click_tweak_button())
        self.assertGreaterEqual(seen_at, WAIT_SECONDS)
        self.assertEqual(NOTICE_PLACE, notice["rect"][:2])
        self.assertEqual(TWEAKS[-1][2:], reg_query(last_key, last_name))

        key("Escape")
        self.program.wait_gone(notice["hwnd"], timeout=5)
        key("Escape")
        self.assertEqual(0, self.program.wait_exit())


if __name__ == "__main__":
    unittest.main()
