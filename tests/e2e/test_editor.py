"""End-to-end tests of the real editor binary in a real X session, driven only by real input.

Usage: test_editor.py PATH-TO-VELMORA [unittest arguments]
"""

import os
import subprocess
import sys
import time
import unittest

from desktop import BLACK, GREY, SYSTEM_PYTHON, WHITE, Session, XsmSession

PROGRAM = None

# Client-area positions of the controls the tests use (centres), from the window's layout.
VIEW_ORIGIN = (34, 15)
TOOLS = {name: (16, top + 12) for name, top in [
    ("Pen", 24), ("Fill", 56), ("Line", 88), ("RectangleButton", 120), ("Circle", 152), ("RoundRect", 184),
    ("FilledRect", 216), ("FilledCircle", 248), ("FilledRoundRect", 280)]}
LEVEYS = (624 + 55 + 16, 347 + 24 + 11)
KORKEUS = (624 + 55 + 16, 347 + 64 + 11)
# Above the client area: the Image menu's title in the menu bar, and the window manager's title bar.
IMAGE_MENU = (95, -10)
TITLE_BAR = (300, -30)


def decode_wbmp(data):
    assert data[0] == 0 and data[1] == 0, "not a type 0 WBMP"
    width, height = data[2], data[3]
    stride = (width + 7) // 8
    assert len(data) == 4 + stride * height, "wrong length"
    rows = []
    for y in range(height):
        row = data[4 + y * stride:4 + (y + 1) * stride]
        rows.append("".join("." if row[x // 8] >> (7 - x % 8) & 1 else "#" for x in range(width)))
    return rows


def write_wbmp(path, rows):
    """A type 0 WBMP of ASCII rows, '#' black."""
    data = bytearray([0, 0, len(rows[0]), len(rows)])
    for row in rows:
        for x in range(0, len(row), 8):
            data.append(sum(0x80 >> i for i, c in enumerate(row[x:x + 8]) if c == "."))
    with open(path, "wb") as out:
        out.write(data)
    return path


class Editor:
    """The editor on screen: positions relative to its client area, found from the grey backdrop."""

    def __init__(self, session, *arguments):
        self.session = session
        self.window = session.start_editor(*arguments)
        self.origin = self.find_client_origin()

    def find_client_origin(self, timeout=10):
        deadline = time.time() + timeout
        while time.time() < deadline:
            shot = self.session.screenshot()
            run = bytes(GREY) * 560  # the right border line covers the last grey column
            row_bytes = 3 * shot.width
            for y in range(shot.height):
                i = shot.pixels.find(run, y * row_bytes, (y + 1) * row_bytes)
                while i >= 0 and (i - y * row_bytes) % 3:
                    i = shot.pixels.find(run, i + 1, (y + 1) * row_bytes)
                x = (i - y * row_bytes) // 3
                # A title bar drawn grey while its window is inactive is as wide, but not as tall.
                if i >= 0 and y + 24 < shot.height and shot.at(x, y + 24) == GREY:
                    # A document covers the area's top-left part; its right column is grey to the top.
                    while y > 0 and shot.at(x + 559, y - 1) == GREY:
                        y -= 1
                    return x - VIEW_ORIGIN[0], y - VIEW_ORIGIN[1]
            time.sleep(0.2)
        raise AssertionError("the grey editing area is not on screen")

    def at(self, client_point):
        return self.origin[0] + client_point[0], self.origin[1] + client_point[1]

    def pixel_centre(self, x, y):
        return self.at((VIEW_ORIGIN[0] + 6 * x + 3, VIEW_ORIGIN[1] + 6 * y + 3))

    def click(self, client_point, button=1):
        self.session.click(*self.at(client_point), button=button)

    def tool(self, name):
        self.click(TOOLS[name])

    def new_size(self, width, height):
        self.click(LEVEYS)
        self.session.key("ctrl+a")
        self.session.type(str(width))
        self.click(KORKEUS)
        self.session.key("ctrl+a")
        self.session.type(str(height))
        self.session.key("Return")

    def drag_pixels(self, points):
        self.session.drag([self.pixel_centre(x, y) for x, y in points])

    def view_rows(self, width, height):
        """The document as the view shows it; each image pixel must be one uniform 6 x 6 block."""
        shot = self.session.screenshot()
        rows = []
        for y in range(height):
            row = []
            for x in range(width):
                left, top = self.at((VIEW_ORIGIN[0] + 6 * x, VIEW_ORIGIN[1] + 6 * y))
                colours = {shot.at(left + i, top + j) for i in range(6) for j in range(6)}
                assert len(colours) == 1, "pixel (%d, %d) is not a uniform 6 x 6 block: %s" % (x, y, colours)
                colour = colours.pop()
                assert colour in (BLACK, WHITE), "pixel (%d, %d) is %s" % (x, y, colour)
                row.append("#" if colour == BLACK else ".")
            rows.append("".join(row))
        return rows

    def view_extent(self):
        """The size in image pixels of the white-or-drawn document area over the grey backdrop."""
        shot = self.session.screenshot()
        left, top = self.at(VIEW_ORIGIN)
        width = 0
        while width < 96 and shot.at(left + 6 * width + 3, top + 3) != GREY:
            width += 1
        height = 0
        while height < 80 and shot.at(left + 3, top + 6 * height + 3) != GREY:
            height += 1
        return width, height


class EditorTest(unittest.TestCase):
    def test_draw_undo_invert_save_and_the_file_matches_the_screen(self):
        with Session(PROGRAM) as session:
            editor = Editor(session)
            self.assertEqual(session.caption(), " Velmora")
            editor.new_size(20, 15)
            self.assertEqual(editor.view_extent(), (20, 15))
            self.assertEqual(editor.view_rows(20, 15), ["." * 20] * 15)

            editor.drag_pixels([(1, 1), (2, 1), (3, 2), (4, 2)])
            editor.tool("FilledCircle")
            editor.drag_pixels([(6, 3), (9, 6), (12, 9)])
            editor.tool("Line")
            editor.drag_pixels([(0, 14), (10, 12), (19, 10)])
            drawn = editor.view_rows(20, 15)
            self.assertEqual(drawn[1][1], "#")
            self.assertEqual(drawn[6][9], "#", "the filled ellipse's middle")
            self.assertEqual(drawn[10][19], "#", "the line's end pixel")

            editor.tool("Fill")
            session.click(*editor.pixel_centre(18, 1))
            filled = editor.view_rows(20, 15)
            self.assertTrue(all(c == "#" for c in filled[0]), "the fill covers the top row:\n" + "\n".join(filled))
            session.key("ctrl+z")
            self.assertEqual(editor.view_rows(20, 15), drawn, "Undo takes the fill back")
            session.key("ctrl+i")
            inverted = editor.view_rows(20, 15)
            self.assertEqual(inverted, ["".join("." if c == "#" else "#" for c in row) for row in drawn])

            target = os.path.join(session.workdir, "picture")
            session.key("ctrl+s")
            session.wait_for_window("Save")
            session.type(target)
            session.key("Return")
            time.sleep(0.5)
            with open(target + ".wbmp", "rb") as saved:
                self.assertEqual(decode_wbmp(saved.read()), inverted)
            self.assertEqual(session.caption(), " Velmora - [%s.wbmp]" % target)

    def test_open_a_file_made_by_netpbm(self):
        with Session(PROGRAM) as session:
            rows = ["#..#....#.#", ".##.#.#.#..", "#...#...###", "...........", "###########"]
            pbm = os.path.join(session.workdir, "made.pbm")
            with open(pbm, "w") as out:
                out.write("P1\n%d %d\n" % (len(rows[0]), len(rows)))
                for row in rows:
                    out.write(" ".join("1" if c == "#" else "0" for c in row) + "\n")
            wbmp = os.path.join(session.workdir, "made.wbmp")
            with open(wbmp, "wb") as out:
                out.write(subprocess.run(["pbmtowbmp", pbm], capture_output=True, check=True).stdout)
            editor = Editor(session)
            session.key("ctrl+o")
            session.wait_for_window("Open")
            session.type(wbmp)
            session.key("Return")
            time.sleep(0.5)
            self.assertEqual(session.caption(), " Velmora - [%s]" % wbmp)
            self.assertEqual(editor.view_extent(), (11, 5))
            self.assertEqual(editor.view_rows(11, 5), rows)

    def test_new_asks_to_save_and_the_keyboard_answers(self):
        with Session(PROGRAM) as session:
            editor = Editor(session)
            editor.new_size(8, 8)
            editor.drag_pixels([(2, 2), (5, 5)])
            session.key("ctrl+n")
            session.wait_for_window("Information")
            session.key("Escape")
            self.assertEqual(editor.view_rows(8, 8)[2][2], "#", "Cancel keeps the drawing")
            session.key("ctrl+n")
            session.wait_for_window("Information")
            session.key("alt+n")
            self.assertEqual(editor.view_rows(8, 8), ["." * 8] * 8, "No discards the drawing")
            editor.new_size(3, 4)
            self.assertEqual(editor.view_extent(), (3, 4))

    def test_shortcuts_survive_a_closed_menu_and_a_lost_focus(self):
        with Session(PROGRAM) as session:
            editor = Editor(session)
            editor.new_size(4, 4)
            editor.click(IMAGE_MENU)
            session.key("Escape")
            session.click(5, 5)
            editor.click(TITLE_BAR)
            session.key("ctrl+i")
            self.assertEqual(editor.view_rows(4, 4), ["#" * 4] * 4, "Ctrl+I after Escape closed a menu")
            session.key("alt")
            session.click(5, 5)
            editor.click(TITLE_BAR)
            session.key("ctrl+i")
            self.assertEqual(editor.view_rows(4, 4), ["." * 4] * 4, "Ctrl+I after a tap of Alt")

    def test_a_window_larger_than_the_screen_keeps_its_title_bar_on_it(self):
        with Session(PROGRAM, screen="1024x600x24", QT_SCALE_FACTOR="2") as session:
            window = session.start_editor()
            self.assertEqual(session.frame_origin(window), (0, 0))

    def test_alt_f4_closes_an_unchanged_document_at_once(self):
        with Session(PROGRAM) as session:
            editor = Editor(session)
            editor.new_size(5, 5)
            session.key("alt+F4")
            self.assertTrue(session.window_gone(editor.window))
            self.assertEqual(session.editor.wait(timeout=10), 0)

    def test_copy_reaches_other_programs_and_their_pictures_paste(self):
        with Session(PROGRAM) as session:
            editor = Editor(session)
            editor.new_size(6, 4)
            editor.drag_pixels([(0, 0), (5, 0)])
            editor.click((8, 3))  # nowhere in particular: keeps the keyboard on the main window
            session.key("ctrl+c")
            png = session.clipboard("image/png")
            self.assertTrue(png.startswith(b"\x89PNG"), "Copy offers image/png")
            pnm = session.run("convert", "png:-", "-depth", "8", "ppm:-", input=png)
            from desktop import parse_ppm
            picture = parse_ppm(pnm)
            self.assertEqual((picture.width, picture.height), (6, 4))
            self.assertEqual([picture.at(x, 0) for x in range(6)], [BLACK] * 6)
            self.assertEqual(picture.at(0, 1), WHITE)

            grey = session.run("convert", "-size", "3x2", "xc:#f0f0f0", "-fill", "white", "-draw", "point 1,0",
                               "png:-")
            subprocess.run(["xclip", "-selection", "clipboard", "-t", "image/png", "-i"], input=grey,
                           env=session.env, check=True, timeout=10)
            session.settle(0.5)
            session.key("ctrl+v")
            rows = editor.view_rows(6, 4)
            self.assertEqual(rows[0][:3], "#.#", "exact white stays white, light grey turns black")
            self.assertEqual(rows[1][:4], "###.")


class DesktopTest(unittest.TestCase):
    """What the desktop around the window hands it: a file at start, drops, the end of the session."""

    def test_a_file_named_at_start_opens_and_a_refused_one_leaves_a_plain_start(self):
        with Session(PROGRAM) as session:
            good = write_wbmp(os.path.join(session.workdir, "good.wbmp"), ["#.#.#", ".#.#."])
            editor = Editor(session, good)
            self.assertEqual(session.caption(), " Velmora - [%s]" % good)
            self.assertEqual(editor.view_rows(5, 2), ["#.#.#", ".#.#."])
            session.editor.kill()
            session.editor.wait()

            bad = os.path.join(session.workdir, "bad.wbmp")
            with open(bad, "wb") as out:
                out.write(bytes([0, 0, 97, 2]))
            session.editor = subprocess.Popen([session.program, bad], cwd=session.workdir, env=session.env,
                                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            # The window is up before the file is read, and the refusal shows over it.
            window = session.wait_for_window("^ Velmora")
            session.run("xdotool", "windowactivate", "--sync", session.wait_for_window("^Error$"))
            session.key("Return")
            self.assertEqual(session.caption(window), " Velmora")
            self.assertIsNone(session.editor.poll())

    def test_drops_open_a_wbmp_paste_a_png_and_refuse_text(self):
        with Session(PROGRAM) as session:
            editor = Editor(session)
            view = editor.at((VIEW_ORIGIN[0] + 200, VIEW_ORIGIN[1] + 200))
            self.assertFalse(session.drop("text", "9", editor.at(LEVEYS)), "the size box takes no text")
            editor.new_size(6, 3)
            self.assertEqual(editor.view_extent(), (6, 3))

            png = os.path.join(session.workdir, "dots.png")
            session.run("convert", "-size", "3x2", "xc:black", "-fill", "white", "-draw", "point 1,0", png)
            self.assertTrue(session.drop("png", png, view))
            self.assertEqual(editor.view_rows(6, 3), ["#.#...", "###...", "......"])
            self.assertTrue(session.drop("file", png, view), "a picture file pastes as its data does")

            wbmp = write_wbmp(os.path.join(session.workdir, "dropped.wbmp"), ["##", ".."])
            self.assertTrue(session.drop("file", wbmp, view))
            session.wait_for_window("^Information$")
            session.key("Escape")
            self.assertEqual(editor.view_rows(6, 3)[0], "#.#...", "Cancel keeps the pasted picture")
            self.assertTrue(session.drop("file", wbmp, view))
            session.wait_for_window("^Information$")
            session.key("alt+n")
            self.assertEqual(session.caption(), " Velmora - [%s]" % wbmp)
            self.assertEqual(editor.view_rows(2, 2), ["##", ".."])

    def test_a_logout_asks_to_save_and_cancel_or_a_cancelled_save_keeps_the_session(self):
        with XsmSession(PROGRAM) as session:
            editor = Editor(session)
            editor.new_size(4, 4)
            editor.drag_pixels([(1, 1), (2, 2)])
            session.shut_down()
            session.wait_for_window("^Information$")
            session.key("Escape")
            session.acknowledge_save_failure()
            session.shut_down()
            session.wait_for_window("^Information$")
            session.key("alt+y")
            session.wait_for_window("Save")
            session.key("Escape")
            session.acknowledge_save_failure()
            self.assertIsNone(session.xsm.poll(), "the session goes on")
            self.assertEqual(editor.view_rows(4, 4)[1], ".#..")

            session.shut_down()
            session.wait_for_window("^Information$")
            session.key("alt+n")
            self.assertEqual(session.xsm.wait(timeout=15), 0)
            self.assertNotIn(session.program, session.saved_session(), "the editor asks not to be restarted")

    def test_an_unsaved_picture_holds_the_desktops_logout(self):
        with Session(PROGRAM) as session:
            session.start_session_bus()
            calls = os.path.join(session.workdir, "calls.log")
            manager = ["org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager"]
            session.processes.append(subprocess.Popen([SYSTEM_PYTHON, "-m", "dbusmock", "-l", calls, *manager],
                                                      env=session.env, stdout=subprocess.DEVNULL,
                                                      stderr=subprocess.DEVNULL))
            mock = ["gdbus", "call", "--session", "-d", manager[0], "-o", manager[1], "-m",
                    "org.freedesktop.DBus.Mock.AddMethod", manager[2]]
            deadline = time.time() + 10
            while session.run(*mock, "Inhibit", "susu", "u", "ret = 7", check=False) == b"":
                self.assertLess(time.time(), deadline, "the session manager did not start")
                time.sleep(0.1)
            session.run(*mock, "Uninhibit", "u", "", "")

            def logged():
                """The calls the session manager has had, without their times."""
                time.sleep(0.5)
                with open(calls) as log:
                    return [line.split(" ", 1)[1].strip() for line in log]

            editor = Editor(session)
            editor.new_size(4, 4)
            self.assertEqual(logged(), [])
            editor.drag_pixels([(1, 1), (2, 2)])
            editor.drag_pixels([(0, 3), (3, 3)])
            [inhibit] = logged()
            self.assertRegex(inhibit, r'^Inhibit "org.example.velmora" [1-9]\d* "Unsaved picture" 1$')
            session.key("ctrl+s")
            session.wait_for_window("Save")
            session.type(os.path.join(session.workdir, "kept"))
            session.key("Return")
            self.assertEqual(logged()[1:], ["Uninhibit 7"])


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main()
