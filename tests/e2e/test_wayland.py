"""End-to-end tests of the real editor binary as a client of a real Wayland compositor (weston), driven
only by real input.

Usage: test_wayland.py PATH-TO-VELMORA [unittest arguments]
"""

import os
import re
import subprocess
import sys
import time
import unittest

from desktop import BLACK, WHITE, WaylandSession, parse_ppm
from test_editor import Editor

PROGRAM = None

# Positions are relative to the client area, as in test_editor.
NOWHERE = (8, 3)  # the silver margin above the tools: a click there only gives the window the keyboard

DIAGONAL = ["." * 10] + ["." * i + "#" + "." * (9 - i) for i in range(1, 6)] + ["." * 10] * 2

# Weston leaves the title bars to its clients; the editor draws its own, navy while the window is active,
# with silver buttons.
NAVY = (0, 0, 0x80)
SILVER = (0xC0, 0xC0, 0xC0)


def wl_paste(session, *args):
    return subprocess.run(["wl-paste", *args], env=session.env, capture_output=True, timeout=10)


def runs(pixels, colour, shortest):
    """The (start, end) of each run of at least `shortest` pixels of the colour in a list of pixels."""
    found, start = [], None
    for x, pixel in enumerate(pixels + [None]):
        if pixel == colour and start is None:
            start = x
        elif pixel != colour and start is not None:
            if x - start >= shortest:
                found.append((start, x))
            start = None
    return found


class TitleBar:
    """The active window's title bar as a person sees it: the rows where a long run of navy crosses the
    screen, the silver buttons in it, and the ink of the title between the program icon and them."""

    def __init__(self, shot):
        needle = bytes(NAVY) * 100
        rows = []
        for y in range(shot.height):
            i = shot.pixels.find(needle, y * 3 * shot.width, (y + 1) * 3 * shot.width)
            while i >= 0 and i % 3:
                i = shot.pixels.find(needle, i + 1, (y + 1) * 3 * shot.width)
            if i >= 0:
                rows.append((y, (i - y * 3 * shot.width) // 3))
        assert rows, "no active title bar on screen"
        self.top, self.bottom = rows[0][0], rows[-1][0] + 1
        self.left = min(x for _, x in rows)
        self.right = self.left
        while self.right < shot.width and shot.at(self.right, self.top) == NAVY:
            self.right += 1
        # A button's face is one run of silver on every row that its glyph does not cross.
        self.buttons = max((runs([shot.at(x, y) for x in range(self.left, self.right)], SILVER, 8)
                            for y in range(self.top, self.bottom)), key=len)
        self.buttons = [(self.left + start, self.left + end) for start, end in self.buttons]
        text_left = self.left + (self.bottom - self.top)  # right of the program icon
        text_right = self.buttons[0][0]
        while shot.at(text_right - 1, self.top + 2) != NAVY:  # the first button's bevel
            text_right -= 1
        ink = [[y for y in range(self.top, self.bottom) if shot.at(x, y)[0] > 0x80]
               for x in range(text_left, text_right)]
        inked = [x for x, rows_inked in enumerate(ink) if rows_inked]
        self.room_after_title = len(ink) - 1 - inked[-1]
        # An ellipsis ends in a dot; the last letter of a whole title is taller than that.
        self.last_letter_height = max(ink[inked[-1]]) - min(ink[inked[-1]]) + 1

    @staticmethod
    def active(session, timeout=5):
        """The active window's bar, once the window has been drawn active."""
        deadline = time.time() + timeout
        while True:
            try:
                return TitleBar(session.screenshot())
            except AssertionError:
                if time.time() > deadline:
                    raise
                time.sleep(0.2)

    def middle(self):
        return (self.left + self.buttons[0][0]) // 2, (self.top + self.bottom) // 2

    def button_centre(self, index):
        start, end = self.buttons[index]
        return (start + end) // 2, (self.top + self.bottom) // 2


class WaylandTest(unittest.TestCase):
    def test_a_fixed_window_that_shares_the_clipboard(self):
        with WaylandSession(PROGRAM) as session:
            editor = Editor(session)
            # Minimum and maximum size are the compositor's only sign that the window is fixed.
            sizes = {kind: re.findall(r"set_%s_size\((\d+), (\d+)\)" % kind, session.editor_log())
                     for kind in ("min", "max")}
            self.assertEqual(sizes["min"], sizes["max"])
            # The client area, and the frame that the editor draws on either side of it.
            self.assertIn(int(sizes["min"][0][0]) - 729, range(0, 17))

            editor.new_size(6, 4)
            editor.drag_pixels([(0, 0), (5, 0)])
            # wl-paste and wl-copy each take the keyboard for a moment, as Wayland makes them do; a
            # click gives it back before every key.
            editor.click(NOWHERE)
            session.key("ctrl+c")
            listed = wl_paste(session, "-l").stdout.decode()
            self.assertIn("image/png", listed.split(), "Copy reaches the Wayland clipboard")
            picture = parse_ppm(session.run("convert", "png:-", "-depth", "8", "ppm:-",
                                            input=wl_paste(session, "-t", "image/png").stdout))
            self.assertEqual((picture.width, picture.height), (6, 4))
            self.assertEqual([picture.at(x, 0) for x in range(6)] + [picture.at(0, 1)], [BLACK] * 6 + [WHITE])

            grey = os.path.join(session.workdir, "grey.png")
            session.run("convert", "-size", "3x2", "xc:#f0f0f0", "-fill", "white", "-draw", "point 1,0", grey)
            with open(grey, "rb") as source:
                copier = subprocess.Popen(["wl-copy", "--foreground", "--type", "image/png"], stdin=source,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=session.env)
            try:
                session.settle(0.5)
                editor.click(NOWHERE)
                session.key("ctrl+v")
                rows = editor.view_rows(6, 4)
                self.assertEqual([rows[0][:3], rows[1][:4]], ["#.#", "###."], "another program's picture pastes")

                editor.click(NOWHERE)
                session.key("alt+e", "b")
                listed = wl_paste(session, "-l").stdout.decode()
                self.assertNotIn("image/", listed, "Clear Clipboard leaves no picture")
            finally:
                copier.kill()
                copier.wait()
            editor.click(NOWHERE)
            session.key("ctrl+i", "ctrl+v")
            self.assertEqual(editor.view_rows(6, 4)[1][:4], "...#", "Paste does nothing after Clear Clipboard")

    def assertWholeTitle(self, bar, what):
        self.assertGreater(bar.room_after_title, 0, "%s: the title stops short of the buttons" % what)
        self.assertGreater(bar.last_letter_height, 3, "%s: the title is not cut to an ellipsis" % what)

    def test_a_title_bar_without_maximise_and_a_fixed_window_that_stays_fixed(self):
        with WaylandSession(PROGRAM) as session:
            editor = Editor(session)
            editor.new_size(10, 8)
            editor.drag_pixels([(1, 1), (5, 5)])
            self.assertEqual(editor.view_rows(10, 8), DIAGONAL)

            bar = TitleBar.active(session)
            self.assertEqual(len(bar.buttons), 2, "minimise and close, no maximise")
            self.assertWholeTitle(bar, "the main window")
            x, y = bar.middle()
            session.run("xdotool", "mousemove", "--sync", str(x), str(y), "click", "--repeat", "2", "--delay", "80", "1")
            session.settle(0.5)
            self.assertEqual(editor.find_client_origin(), editor.origin, "a double-click on the title moves nothing")
            self.assertNotIn("set_maximized", session.editor_log())

            for name, keys in [("Super+Shift+M", "super+shift+m"), ("Super+Shift+F", "super+shift+f")]:
                session.key(keys)
                session.settle(0.5)
                self.assertIsNone(session.editor.poll(), "the editor survives %s" % name)
                # Weston maps the window afresh wherever it likes.
                editor.origin = editor.find_client_origin()
                self.assertEqual(editor.view_rows(10, 8), DIAGONAL, "the picture survives %s" % name)

            editor.click(NOWHERE)
            session.key("alt+h", "a")
            session.wait_for_window("About Velmora")
            session.settle(0.5)
            about = TitleBar.active(session)
            self.assertEqual(len(about.buttons), 1, "the About box: close only")
            self.assertWholeTitle(about, "the About box")
            session.key("super+shift+m")
            session.settle(0.5)
            self.assertIsNone(session.editor.poll(), "the About box survives maximise")
            session.key("Return")
            session.settle(0.5)

            editor.origin = editor.find_client_origin()
            editor.click(NOWHERE)
            session.click(*TitleBar.active(session).button_centre(1))
            session.wait_for_window("Information")
            session.settle(0.5)
            prompt = TitleBar.active(session)
            self.assertEqual(len(prompt.buttons), 1, "the prompt: close only")
            self.assertWholeTitle(prompt, "the prompt")
            session.click(*prompt.button_centre(0))
            session.settle(0.5)  # weston fades a closed window out
            self.assertIsNone(session.editor.poll(), "closing the prompt cancels")
            self.assertEqual(editor.view_rows(10, 8), DIAGONAL)
            session.click(*TitleBar.active(session).button_centre(1))
            session.wait_for_window("Information", count=2)
            session.key("super+shift+m")
            session.settle(0.5)
            self.assertIsNone(session.editor.poll(), "the prompt survives maximise")
            session.key("alt+n")
            self.assertEqual(session.editor.wait(timeout=10), 0)
            self.assertNotIn("Protocol error", session.editor_log())

if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main()
