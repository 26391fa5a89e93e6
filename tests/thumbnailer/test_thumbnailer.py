"""The thumbnailer as GNOME's own thumbnail factory runs it, and on hostile files.

Usage: test_thumbnailer.py PATH-TO-velmora-thumbnailer PATH-TO-velmora.thumbnailer SOURCE-DIR [unittest arguments]

The factory runs a thumbnailer under bubblewrap, in a sandbox that sees only /usr, the input file and its
output folder. So that it finds the thumbnailer of the build tree, the test runs in a mount namespace of its
own where a scratch install prefix (bin/ and share/thumbnailers/) is mounted over /usr/local; nothing
outside the test sees it. Needs gir1.2-gnomedesktop-3.0 and Debian's python3-gi, and root or user
namespaces.
"""

import os
import subprocess
import sys
import tempfile
import unittest

import gi

gi.require_version("GnomeDesktop", "3.0")
gi.require_version("GdkPixbuf", "2.0")
from gi.repository import GdkPixbuf, GLib, Gio, GnomeDesktop  # noqa: E402

PROGRAM = ENTRY = SOURCE_DIR = None
PREFIX = "/usr/local"
MIME = "image/vnd.wap.wbmp"
MOST_READ = 964  # the editor's Open reads no further


def wbmp(rows):
    """A type 0 file of ASCII rows, '#' black and '.' white."""
    width, height = len(rows[0]), len(rows)
    data = bytearray()
    for row in rows:
        bits = [1 if c == "." else 0 for c in row] + [0] * (-width % 8)
        data += bytes(int("".join(map(str, bits[i:i + 8])), 2) for i in range(0, len(bits), 8))
    return bytes([0, 0, width, height]) + bytes(data)


def pattern(width, height):
    return ["".join("#" if (3 * x + 5 * y + x * y) % 7 < 3 else "." for x in range(width)) for y in range(height)]


def accepted_size(data):
    """The size of a file the editor opens, or None for one it refuses."""
    data = data[:MOST_READ]
    if len(data) < 4 or data[0] != 0 or data[1] != 0:
        return None
    width, height = data[2], data[3]
    if not (1 <= width <= 96 and 1 <= height <= 80) or len(data) != 4 + height * ((width + 7) // 8):
        return None
    return width, height


def rows_of(pixbuf):
    """The pixbuf as ASCII rows; any colour but white or black fails the test."""
    channels, stride, pixels = pixbuf.get_n_channels(), pixbuf.get_rowstride(), pixbuf.get_pixels()
    names = {(255, 255, 255): ".", (0, 0, 0): "#"}
    return ["".join(names[tuple(pixels[y * stride + x * channels:y * stride + x * channels + 3])]
                    for x in range(pixbuf.get_width())) for y in range(pixbuf.get_height())]


def enlarged(rows, factor):
    return ["".join(c * factor for c in row) for row in rows for _ in range(factor)]


def hostile_files():
    """The readers' fuzz corpus: every seed, and each Open seed's file (the bytes after its scene byte)."""
    files = {}
    for folder in ("seeds", "open_seeds"):
        for name in sorted(os.listdir(os.path.join(SOURCE_DIR, "fuzz", folder))):
            with open(os.path.join(SOURCE_DIR, "fuzz", folder, name), "rb") as seed:
                data = seed.read()
            files["%s-%s" % (folder, name)] = data
            if folder == "open_seeds":
                files["%s-%s-file" % (folder, name)] = data[1:]
    return files


def run_thumbnailer(size, source, output):
    # A hang fails the test through the timeout rather than holding up the suite.
    return subprocess.run(["velmora-thumbnailer", "-s", str(size), source, output], capture_output=True,
                          timeout=10)


class ThumbnailerTest(unittest.TestCase):
    def setUp(self):
        scratch = tempfile.TemporaryDirectory(prefix="velmora-thumbnailer-")
        self.addCleanup(scratch.cleanup)
        self.folder = scratch.name
        # The factory records failures under the home folder's cache; each test starts with none.
        os.environ["HOME"] = os.path.join(self.folder, "home")

    def write(self, name, data):
        path = os.path.join(self.folder, name)
        with open(path, "wb") as out:
            out.write(data)
        return path

    def factory_thumbnail(self, path, size):
        factory = GnomeDesktop.DesktopThumbnailFactory.new(size)
        uri = Gio.File.new_for_path(path).get_uri()
        self.assertTrue(factory.can_thumbnail(uri, MIME, int(os.stat(path).st_mtime)))
        try:
            return factory.generate_thumbnail(uri, MIME, None)
        except GLib.Error:
            return None

    def test_the_factory_shows_each_pixel_as_a_square_of_the_largest_whole_size_that_fits(self):
        # 128 / 21 and 256 / 25 decide the factors; the other side would allow a larger one.
        for width, height, size, factor in ((21, 5, GnomeDesktop.DesktopThumbnailSize.NORMAL, 6),
                                            (6, 25, GnomeDesktop.DesktopThumbnailSize.LARGE, 10)):
            with self.subTest(width=width, height=height):
                rows = pattern(width, height)
                thumbnail = self.factory_thumbnail(self.write("p%dx%d.wbmp" % (width, height), wbmp(rows)), size)
                self.assertIsNotNone(thumbnail)
                self.assertEqual(rows_of(thumbnail), enlarged(rows, factor))

    def test_a_picture_larger_than_the_size_keeps_its_own_size(self):
        rows = pattern(96, 80)
        output = os.path.join(self.folder, "out.png")
        result = run_thumbnailer(50, self.write("large.wbmp", wbmp(rows)), output)
        self.assertEqual((result.returncode, result.stdout), (0, b""))
        self.assertEqual(rows_of(GdkPixbuf.Pixbuf.new_from_file(output)), rows)

    def test_hostile_files_get_no_thumbnail(self):
        output_folder = os.path.join(self.folder, "out")
        os.mkdir(output_folder)
        files = {name: (self.write(name + ".wbmp", data), data) for name, data in hostile_files().items()}
        fifo = os.path.join(self.folder, "fifo.wbmp")
        os.mkfifo(fifo)
        # Reading a pipe could block for ever, and a device could give bytes for ever.
        files.update({"a pipe": (fifo, None), "a device": ("/dev/zero", None), "a folder": (self.folder, None)})
        refused = 0
        for name, (source, data) in files.items():
            with self.subTest(name):
                size = accepted_size(data) if data is not None else None
                if data is not None:
                    thumbnail = self.factory_thumbnail(source, GnomeDesktop.DesktopThumbnailSize.NORMAL)
                    self.assertEqual(thumbnail and (thumbnail.get_width(), thumbnail.get_height()),
                                     size and tuple(side * (128 // max(size)) for side in size))
                if size:
                    continue
                refused += 1
                result = run_thumbnailer(128, source, os.path.join(output_folder, "thumbnail.png"))
                # 1, not a signal: a refusal, not a crash.
                self.assertEqual((result.returncode, result.stdout), (1, b""), result.stderr)
                self.assertEqual(os.listdir(output_folder), [])
        self.assertGreater(refused, 10)

    def test_a_failed_write_leaves_no_partial_file(self):
        # A file system too small for the PNG: the write fails part way.
        full = os.path.join(self.folder, "full")
        os.mkdir(full)
        subprocess.run(["mount", "-t", "tmpfs", "-o", "size=4k", "tmpfs", full], check=True)
        self.addCleanup(subprocess.run, ["umount", full])
        result = run_thumbnailer(4096, self.write("large.wbmp", wbmp(pattern(96, 80))),
                                 os.path.join(full, "thumbnail.png"))
        self.assertEqual((result.returncode, result.stdout), (1, b""), result.stderr)
        self.assertIn(b"Disk full", result.stderr)
        self.assertEqual(os.listdir(full), [])


def install(prefix):
    os.makedirs(os.path.join(prefix, "bin"))
    os.makedirs(os.path.join(prefix, "share", "thumbnailers"))
    subprocess.run(["cp", PROGRAM, os.path.join(prefix, "bin")], check=True)
    subprocess.run(["cp", ENTRY, os.path.join(prefix, "share", "thumbnailers")], check=True)


def main():
    global PROGRAM, ENTRY, SOURCE_DIR
    PROGRAM, ENTRY, SOURCE_DIR = (os.path.abspath(path) for path in sys.argv[1:4])
    if os.environ.get("VELMORA_THUMBNAILER_NAMESPACE") != "1":
        user = [] if os.getuid() == 0 else ["--user", "--map-root-user"]
        os.environ["VELMORA_THUMBNAILER_NAMESPACE"] = "1"
        os.execvp("unshare", ["unshare", *user, "--mount", "--propagation", "private", sys.executable, *sys.argv])
    with tempfile.TemporaryDirectory(prefix="velmora-prefix-") as prefix:
        install(prefix)
        subprocess.run(["mount", "--bind", prefix, PREFIX], check=True)
        os.environ.update(PATH=PREFIX + "/bin:/usr/bin:/bin", XDG_DATA_DIRS=PREFIX + "/share:/usr/share",
                          GSETTINGS_BACKEND="memory")
        os.environ.pop("XDG_DATA_HOME", None)
        os.environ.pop("XDG_CACHE_HOME", None)
        unittest.main(argv=[sys.argv[0]] + sys.argv[4:])


if __name__ == "__main__":
    main()
