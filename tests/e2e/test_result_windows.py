"""The three result windows as a user gets them: opened modally over the main
window by window_driver.exe, read from outside the process, looked at on the
screen and closed with real X input in every way the user has.

Set E2E_SCREENSHOTS to a folder to keep a picture of each window there.
"""

import contextlib
import os
import time
import unittest

from harness import (BS_TYPEMASK, MAIN_CAPTION, WINDOW_DRIVER_EXE, WS_CAPTION, WS_EX_TRANSPARENT,
                     WS_MAXIMIZEBOX, WS_MINIMIZEBOX, WS_SYSMENU, WS_TABSTOP, WS_THICKFRAME, PROBE_EXE,
                     RunningProgram, click, click_centre, drag, find, gbk_hex, key, probe,
                     keep_screenshot, screen_pixels)

WS_EX_TOPMOST = 0x00000008
BS_PUSHBUTTON = 0x00

NAVY = (0, 0, 128)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
RED = (255, 0, 0)
CYAN = (0, 255, 255)

INTRO_PARAGRAPHS = (
    "1、优化弹道设置 提高游戏平滑度",
    "2、修正上一版本游戏设置中高级选项以及键盘绑定按键出现无汉化字样，修复一些BUG。",
    "3、增加最新国内、全球服务器刷服补丁，因服务器多刷新慢，请在服务器刷新列表等待十秒钟即可。",
    "4、此版本界面主要增加了动态酷炫背景，默认使用静态背景，如想用动态背景可以点击桌面（Tessavel）快捷方式。",
    "6、从正版steam提取制作，最稳定的3266版本，47协议，完美兼容SXE等各种反作弊系统与插件。",
    "7、精心打造特色H菜单（中文名在根目录用记事本修改），在简洁、实用的设计理念下最大程度方便各个层次cs玩家的使用。",
    "8、最新比赛地图（de_mirage、de_forge、de_tuscan）和经典练枪地图加入。",
    "9、烟雾弹强制使用32bit，最佳效果；桌面快捷方式已自动添加3个鼠标去加速参数（用户只需要根据自身显示器属性加- freq 75 or 85 or 100即可）。",
)
INTRO_TEXT = "\r\n\r\n".join(INTRO_PARAGRAPHS)

# (window_driver name, caption, picture file) of the two intro windows.
INTRO_WINDOWS = (
    ("BrawlIntro", "混战弹道插件成功开启[on] 进入游戏体验.......", "brawl_intro_window.png"),
    ("MatchIntro", "比赛弹道插件成功开启[on] 进入游戏体验.......", "match_intro_window.png"),
)
INTRO_PLACE, INTRO_SIZE = [226, 229], [571, 309]
TWEAK_DONE_PLACE, TWEAK_DONE_SIZE = [316, 333], [392, 102]

# The labels of TweakDoneWindow: place, size, text.
TWEAK_DONE_LABELS = (
    ([8, 8], [264, 24], "电脑起飞中 重启生效"),
    ([8, 48], [200, 24], "[Vantorel工作室] QQ:000000000"),
    ([208, 8], [160, 32], "2020新春专版"),
)


def close_box(window):
    """Where the close box of a Wine-drawn title bar is."""
    left, top, right, _ = window["rect"]
    return right - 12, top + 10


def title_bar(window, x=160):
    """A point on the title bar, clear of the icon (system menu) and the buttons."""
    left, top = window["rect"][:2]
    return left + x, top + 10


def children_of_class(window, cls):
    return [child for child in window["children"] if child["class"] == cls]


def near(pixel, colour, tolerance=40):
    return all(abs(a - b) <= tolerance for a, b in zip(pixel, colour))


def pixel_rows(rect):
    width, _, data = screen_pixels(rect)
    pixels = [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]
    return [pixels[i:i + width] for i in range(0, len(pixels), width)]


def colour_count(rect):
    return len({p for row in pixel_rows(rect) for p in row})


def colour_shares(rect, colours):
    """For each colour, the share of the pixels in rect that are close to it."""
    pixels = [p for row in pixel_rows(rect) for p in row]
    return [sum(1 for p in pixels if near(p, colour)) / len(pixels) for colour in colours]


def shadow_shares(rect, colour):
    """Where a black shadow of the text in `colour` inside rect lies: for each
    offset of up to 2 px, of the text pixels whose neighbour at that offset
    is not text too, the share whose neighbour there is black."""
    left, top, right, bottom = rect
    rows = pixel_rows([left - 2, top - 2, right + 2, bottom + 2])
    text = [(x, y) for y in range(2, bottom - top + 2) for x in range(2, right - left + 2)
            if near(rows[y][x], colour)]
    shares = {}
    for dx in (-2, 0, 2):
        for dy in (-2, 0, 2):
            if dx or dy:
                beside = [rows[y + dy][x + dx] for x, y in text if not near(rows[y + dy][x + dx], colour)]
                shares[dx, dy] = sum(1 for p in beside if near(p, BLACK)) / len(beside) if beside else 0.0
    return shares


def client_origin(window):
    """Screen position of the client area: Wine's fixed frame is as wide at the
    bottom as at the sides, the title bar takes the rest of the height."""
    left, top, right, bottom = window["rect"]
    border = (window["size"][0] - window["client"][0]) // 2
    return left + border, bottom - border - window["client"][1]


def on_screen(window, control):
    """The screen rectangle of a control from its place in the client area."""
    x, y = client_origin(window)
    (px, py), (w, h) = control["place"], control["size"]
    return [x + px, y + py, x + px + w, y + py + h]


class ResultWindowCase(unittest.TestCase):
    """Runs window_driver.exe, which opens one result window modally over the
    main window, again each time it is closed, as often as asked."""

    @contextlib.contextmanager
    def driven(self, name, caption, times=1):
        """The first showing; the program is ended when the block is left."""
        if not WINDOW_DRIVER_EXE or not PROBE_EXE:
            self.fail("WINDOW_DRIVER_EXE and PROBE_EXE must be set")
        self.program = RunningProgram(None, exe=WINDOW_DRIVER_EXE, args=(name, str(times)))
        self.caption = caption
        try:
            window = self.next_window(None)
            time.sleep(0.5)  # let it paint before anyone looks at it
            yield window
        finally:
            self.program.kill()

    def main_window(self):
        return find(self.program.windows(), lambda w: w["text"] == MAIN_CAPTION)

    def next_window(self, previous):
        """The showing of the result window after `previous` (hwnd or None)."""
        return self.program.wait_for(
            lambda ws: find(ws, lambda w: w["class"] == "BrisvaneWindow" and w["text"] == self.caption
                            and w["hwnd"] != previous),
            what=f"result window {self.caption!r}")

    def focus(self, window):
        """Gives the window the keyboard focus as a user would: a click on its title bar."""
        click(*title_bar(window))
        time.sleep(0.3)

    def assert_main_disabled_below(self, window):
        main = self.main_window()
        self.assertIsNotNone(main)
        self.assertFalse(main["enabled"], "main window takes input while a result window is open")
        self.assertEqual(window["hwnd"], probe()["foreground"])

    def assert_main_back(self):
        """After the last showing: the main window takes input again and is the active window."""
        deadline = time.monotonic() + 10
        while True:
            state = probe()
            main = find(state["windows"], lambda w: w["text"] == MAIN_CAPTION)
            others = [w for w in state["windows"] if w["class"] == "BrisvaneWindow" and w is not main]
            if main and main["enabled"] and not others and state["foreground"] == main["hwnd"]:
                break
            if time.monotonic() > deadline:
                self.fail(f"main window not back: enabled {main and main['enabled']}, main {main and main['hwnd']}, "
                          f"foreground {state['foreground']}, other windows {[w['hwnd'] for w in others]}")
            time.sleep(0.2)
        self.assertEqual(main["hwnd"], state["active"])
        self.assertTrue(self.program.pid_alive(), "closing a result window ended the program")

    def assert_frame(self, window, place, size):
        self.assertEqual(place, window["rect"][:2])
        self.assertEqual(size, window["size"])
        style = window["style"]
        self.assertEqual(WS_CAPTION | WS_SYSMENU, style & (WS_CAPTION | WS_SYSMENU))
        self.assertFalse(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX))
        self.assertFalse(window["exstyle"] & WS_EX_TOPMOST)

    def move_by_title_bar(self, window, dx, dy):
        """Drags the window by its title bar and returns it where it went."""
        x, y = title_bar(window)
        drag(x, y, x + dx, y + dy)
        moved_to = [window["rect"][0] + dx, window["rect"][1] + dy]
        return self.program.wait_for(
            lambda ws: find(ws, lambda w: w["hwnd"] == window["hwnd"] and w["rect"][:2] == moved_to),
            timeout=5, what=f"window dragged to {moved_to}")


class IntroWindows(ResultWindowCase):
    def test_frame_caption_text_and_button(self):
        label_texts = []
        for name, caption, picture in INTRO_WINDOWS:
            with self.subTest(name), self.driven(name, caption) as window:
                self.assert_frame(window, INTRO_PLACE, INTRO_SIZE)
                self.assertEqual(gbk_hex(caption), window["text_gbk"])
                self.assert_main_disabled_below(window)
                self.assertEqual(["BrisvaneTransparentLabel", "Button"],
                                 sorted(child["class"] for child in window["children"]))

                label = children_of_class(window, "BrisvaneTransparentLabel")[0]
                self.assertEqual(([0, 16], [568, 224]), (label["place"], label["size"]))
                self.assertTrue(label["exstyle"] & WS_EX_TRANSPARENT)
                self.assertEqual(gbk_hex(INTRO_TEXT), label["text_gbk"])
                self.assertEqual(727, len(bytes.fromhex(label["text_gbk"])))
                label_texts.append(label["text_gbk"])

                button = children_of_class(window, "Button")[0]
                self.assertEqual(([168, 248], [208, 32]), (button["place"], button["size"]))
                self.assertEqual(gbk_hex("关闭介绍"), button["text_gbk"])
                self.assertEqual(BS_PUSHBUTTON, button["style"] & BS_TYPEMASK)  # not the default button
                self.assertTrue(button["style"] & WS_TABSTOP)

                # White text without shadow on the navy that shows through the label.
                navy, white = colour_shares(on_screen(window, label), (NAVY, WHITE))
                self.assertGreater(navy, 0.6)
                self.assertGreater(white, 0.03)
                self.assertLess(max(shadow_shares(on_screen(window, label), WHITE).values()), 0.02)
                keep_screenshot(window, picture)

                click_centre(button)
                self.program.wait_gone(window["hwnd"])
                self.assert_main_back()
        if len(label_texts) == 2:  # both showings were read
            self.assertEqual(label_texts[0], label_texts[1], "the intro windows show different texts")

    def test_esc_keeps_it_open_a_moved_one_comes_back_at_the_centre(self):
        for name, caption, _ in INTRO_WINDOWS:
            with self.subTest(name), self.driven(name, caption, times=2) as first:
                self.focus(first)
                key("Escape")
                time.sleep(1.0)
                still = find(self.program.windows(), lambda w: w["hwnd"] == first["hwnd"])
                self.assertIsNotNone(still, "Esc closed the intro window")
                self.assert_main_disabled_below(still)

                moved = self.move_by_title_bar(first, -180, -150)
                click(*close_box(moved))
                self.program.wait_gone(first["hwnd"])

                second = self.next_window(first["hwnd"])
                self.assert_frame(second, INTRO_PLACE, INTRO_SIZE)
                label = children_of_class(second, "BrisvaneTransparentLabel")[0]
                self.assertEqual(gbk_hex(INTRO_TEXT), label["text_gbk"])
                time.sleep(0.3)
                self.focus(second)
                key("alt+F4")
                self.program.wait_gone(second["hwnd"])
                self.assert_main_back()


class TweakDoneWindow(ResultWindowCase):
    def assert_tweak_done_labels(self, window):
        labels = window["children"]
        self.assertEqual(["BrisvaneTransparentLabel"] * 3, [label["class"] for label in labels])
        self.assertEqual(sorted((place, size, gbk_hex(text)) for place, size, text in TWEAK_DONE_LABELS),
                         sorted((label["place"], label["size"], label["text_gbk"]) for label in labels))
        for label in labels:
            self.assertTrue(label["exstyle"] & WS_EX_TRANSPARENT)

    def test_frame_labels_and_esc(self):
        with self.driven("TweakDone", "") as window:
            self.assert_frame(window, TWEAK_DONE_PLACE, TWEAK_DONE_SIZE)
            self.assertEqual("", window["text_gbk"])
            self.assert_main_disabled_below(window)

            self.assert_tweak_done_labels(window)
            # No caption text, yet the program icon (system menu) and the close box.
            left, top, right, _ = window["rect"]
            self.assertEqual(1, colour_count([left + 24, top + 5, right - 24, top + 19]))
            self.assertGreater(colour_count([left + 4, top + 4, left + 20, top + 20]), 8)
            self.assertGreater(colour_count([right - 20, top + 4, right - 4, top + 18]), 2)

            # What shows in each label's rectangle, on navy: the red headline
            # without shadow, the white and the cyan line with a black shadow.
            by_text = {label["text"]: label for label in window["children"]}
            headline, contact, edition = (by_text[text] for _, _, text in TWEAK_DONE_LABELS)
            for label, colour, shadowed in ((headline, RED, False), (contact, WHITE, True), (edition, CYAN, True)):
                with self.subTest(label["text"]):
                    rect = on_screen(window, label)
                    navy, text = colour_shares(rect, (NAVY, colour))
                    self.assertGreater(navy, 0.4)
                    self.assertGreater(text, 0.01)
                    shares = shadow_shares(rect, colour)
                    if shadowed:
                        self.assertEqual((2, 2), max(shares, key=shares.get), shares)
                        self.assertGreater(shares[2, 2], 0.3)
                    else:
                        self.assertLess(max(shares.values()), 0.02, shares)
            keep_screenshot(window, "tweak_done_window.png")

            self.focus(window)
            key("Escape")
            self.program.wait_gone(window["hwnd"])
            self.assert_main_back()

    def test_close_box_and_alt_f4_close_it_a_moved_one_comes_back_at_the_centre(self):
        with self.driven("TweakDone", "", times=2) as first:
            moved = self.move_by_title_bar(first, 200, 250)
            click(*close_box(moved))
            self.program.wait_gone(first["hwnd"])

            second = self.next_window(first["hwnd"])
            self.assert_frame(second, TWEAK_DONE_PLACE, TWEAK_DONE_SIZE)
            self.assert_tweak_done_labels(second)
            time.sleep(0.3)
            self.focus(second)
            key("alt+F4")
            self.program.wait_gone(second["hwnd"])
            self.assert_main_back()


if __name__ == "__main__":
    unittest.main()
