"""End-to-end tests of the real editor binary as a client of a real Wayland compositor (weston), driven
only by real input.

Usage: test_wayland.py PATH-TO-VELMORA [unittest arguments]
"""

import os
import re
import subprocess
import sys
import unittest

from desktop import BLACK, WHITE, WaylandSession, parse_ppm
from test_editor import Editor

PROGRAM = None

# Qt draws the title bar itself on Wayland, with a maximise button whatever the window's flags say.
# Positions are relative to the client area, as in test_editor.
MAXIMISE_BUTTON = (692, -34)
CLOSE_BUTTON = (715, -34)
NOWHERE = (8, 3)  # the silver margin above the tools: a click there only gives the window the keyboard

DIAGONAL = ["." * 10] + ["." * i + "#" + "." * (9 - i) for i in range(1, 6)] + ["." * 10] * 2


def wl_paste(session, *args):
    return subprocess.run(["wl-paste", *args], env=session.env, capture_output=True, timeout=10)


class WaylandTest(unittest.TestCase):
    def test_a_fixed_window_that_shares_the_clipboard(self):
        with WaylandSession(PROGRAM) as session:
            editor = Editor(session)
            # Minimum and maximum size are the compositor's only sign that the window is fixed.
            sizes = {kind: re.findall(r"set_%s_size\((\d+), (\d+)\)" % kind, session.editor_log())
                     for kind in ("min", "max")}
            self.assertEqual(sizes["min"], sizes["max"])
            self.assertEqual(int(sizes["min"][0][0]), 729)

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

    def test_survives_maximise_and_full_screen_and_asks_before_closing(self):
        with WaylandSession(PROGRAM) as session:
            editor = Editor(session)
            editor.new_size(10, 8)
            editor.drag_pixels([(1, 1), (5, 5)])
            self.assertEqual(editor.view_rows(10, 8), DIAGONAL)
            for name, request in [("Super+Shift+M", lambda: session.key("super+shift+m")),
                                  ("Super+Shift+F", lambda: session.key("super+shift+f")),
                                  ("the maximise button", lambda: editor.click(MAXIMISE_BUTTON))]:
                request()
                session.settle(0.5)
                self.assertIsNone(session.editor.poll(), "the editor survives %s" % name)
                # Weston maps the window afresh wherever it likes.
                editor.origin = editor.find_client_origin()
                self.assertEqual(editor.view_rows(10, 8), DIAGONAL, "the picture survives %s" % name)

            editor.click(NOWHERE)
            session.key("alt+h", "a")
            session.wait_for_window("About Velmora")
            session.key("super+shift+m")
            session.settle(0.5)
            self.assertIsNone(session.editor.poll(), "the About box survives maximise")
            session.key("Return")

            editor.origin = editor.find_client_origin()
            editor.click(CLOSE_BUTTON)
            session.wait_for_window("Information")
            session.key("Escape")
            self.assertIsNone(session.editor.poll(), "Cancel keeps the window")
            self.assertEqual(editor.view_rows(10, 8), DIAGONAL)
            editor.click(CLOSE_BUTTON)
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
