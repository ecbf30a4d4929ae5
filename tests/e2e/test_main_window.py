"""The main window as a user gets it: placed, styled and laid out as designed,
read from outside the process, and closed with a real Esc key."""

import time
import unittest

from harness import (BS_BITMAP, BS_CENTER, BS_GROUPBOX, BS_TYPEMASK, BS_VCENTER, MAIN_CAPTION,
                     WS_CAPTION, WS_EX_CLIENTEDGE, WS_EX_TRANSPARENT, WS_MAXIMIZEBOX,
                     WS_MINIMIZEBOX, WS_SYSMENU, WS_TABSTOP, WS_THICKFRAME, ProgramTestCase,
                     gbk_hex, key, probe, walk)


class MainWindowLayout(ProgramTestCase):
    def test_caption_place_and_frame(self):
        main = self.main
        self.assertEqual(gbk_hex(MAIN_CAPTION), main["text_gbk"])
        self.assertEqual([326, 103], main["rect"][:2])
        self.assertEqual([372, 562], main["size"])
        style = main["style"]
        self.assertEqual(WS_CAPTION | WS_SYSMENU, style & (WS_CAPTION | WS_SYSMENU))
        self.assertFalse(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX))

    def test_controls(self):
        children = self.main["children"]
        by_class = {}
        for child in children:
            by_class.setdefault(child["class"], []).append(child)

        picture = by_class["BrisvanePictureBox"][0]
        self.assertEqual(([8, 8], [352, 192]), (picture["place"], picture["size"]))
        self.assertTrue(picture["exstyle"] & WS_EX_CLIENTEDGE)

        group = by_class["Button"][0]
        self.assertEqual(BS_GROUPBOX, group["style"] & BS_TYPEMASK)
        self.assertEqual(([8, 208], [352, 296]), (group["place"], group["size"]))
        self.assertEqual(gbk_hex("功能区："), group["text_gbk"])

        buttons = group["children"]
        self.assertEqual([[88, 48], [88, 120], [88, 192]], [b["place"] for b in buttons])
        for button in buttons:
            self.assertEqual([176, 40], button["size"])
            self.assertEqual("", button["text"])
            bits = BS_BITMAP | BS_CENTER | BS_VCENTER | WS_TABSTOP
            self.assertEqual(bits, button["style"] & bits)
            self.assertEqual(0, button["style"] & BS_TYPEMASK)  # an ordinary push button
        # In the window's client coordinates the buttons sit at x 96.
        main_left, main_top = self.main["rect"][:2]
        client_left = main_left + (self.main["size"][0] - self.main["client"][0]) // 2
        self.assertEqual([client_left + 96] * 3, [b["rect"][0] for b in buttons])

        label = by_class["BrisvaneTransparentLabel"][0]
        self.assertEqual(([48, 512], [360, 16]), (label["place"], label["size"]))
        self.assertTrue(label["exstyle"] & WS_EX_TRANSPARENT)
        self.assertEqual(gbk_hex("支持DOKEE/175PT/5EPLAY | By【Vantorel工作室】"), label["text_gbk"])

        tab_stops = [w for w in walk(self.main) if w is not self.main and w["style"] & WS_TABSTOP
                     and w["class"] == "Button" and (w["style"] & BS_TYPEMASK) != BS_GROUPBOX]
        self.assertEqual(3, len(tab_stops))


class MainWindowKeys(ProgramTestCase):
    def test_tab_moves_among_the_three_buttons(self):
        buttons = [b["hwnd"] for b in self.main["children"][1]["children"]]
        self.focus_main()
        self.assertEqual(buttons[0], probe()["focus"])
        for name, expected in (("Tab", 1), ("Tab", 2), ("Tab", 0), ("shift+Tab", 2)):
            key(name)
            focus = None
            for _ in range(20):  # the probe may look before the key has arrived
                focus = probe()["focus"]
                if focus == buttons[expected]:
                    break
                time.sleep(0.15)
            self.assertEqual(buttons[expected], focus, name)

    def test_esc_with_a_modifier_keeps_it_open_plain_esc_ends_the_program_with_0(self):
        self.focus_main()
        key("shift+Escape")
        key("ctrl+Escape")
        time.sleep(0.8)
        self.assertTrue(self.program.pid_alive())
        self.assertTrue(self.program.windows())
        key("Escape")
        self.assertEqual(0, self.program.wait_exit())


if __name__ == "__main__":
    unittest.main()
