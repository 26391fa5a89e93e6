"""Installs the Debian package with apt, checks that the installed program works and removes it again.

Usage (as root, with no velmora package installed): check_installed.py PATH-TO-velmora_VERSION_ARCH.deb

It checks what a person who installs the package gets: the desktop entry and the AppStream metadata as
a software centre reads them, the desktop entry offered for .wbmp files, the thumbnailer and its entry as
file managers find them, the program's window under Xvfb with openbox, the help window on F1 showing the
installed help pages rather than the copy compiled into the program, and, after apt-get remove, that no
file the package installed is left behind.
"""

import os
import re
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from desktop import Session  # noqa: E402

PACKAGE = "velmora"
APP_ID = "org.example.velmora"
PROGRAM = "/usr/bin/velmora"
HELP_INDEX = "/usr/share/velmora/help/index.html"
THUMBNAILER = "/usr/bin/velmora-thumbnailer"
THUMBNAILER_ENTRY = "/usr/share/thumbnailers/velmora.thumbnailer"
FACTORY_SCRIPT = """
import sys, gi
gi.require_version("GnomeDesktop", "3.0")
from gi.repository import Gio, GnomeDesktop
factory = GnomeDesktop.DesktopThumbnailFactory.new(GnomeDesktop.DesktopThumbnailSize.NORMAL)
thumbnail = factory.generate_thumbnail(Gio.File.new_for_path(sys.argv[1]).get_uri(), "image/vnd.wap.wbmp", None)
print(thumbnail.get_width(), thumbnail.get_height())
"""
APT_ENV = dict(os.environ, DEBIAN_FRONTEND="noninteractive")


def run(*args, env=None):
    result = subprocess.run(list(args), capture_output=True, text=True, env=env, timeout=300)
    if result.returncode != 0:
        raise AssertionError("%s failed (%d):\n%s%s" % (" ".join(args), result.returncode, result.stdout,
                                                       result.stderr))
    return result.stdout


def installed():
    result = subprocess.run(["dpkg-query", "-W", "-f=${Status}", PACKAGE], capture_output=True, text=True)
    return result.returncode == 0 and result.stdout.endswith(" installed")


def check_metadata():
    run("desktop-file-validate", "/usr/share/applications/%s.desktop" % APP_ID)
    # A software centre finds applications through AppStream's pool, which reads the installed metainfo.
    found = run("appstreamcli", "get", "--no-color", APP_ID)
    assert "Identifier: %s [desktop-application]" % APP_ID in found, found


def check_file_type():
    # The file manager's "Open With" lists the applications GLib finds for the type.
    assert "%s.desktop" % APP_ID in run("gio", "mime", "image/vnd.wap.wbmp")
    with open(THUMBNAILER_ENTRY) as entry:
        assert "\nMimeType=image/vnd.wap.wbmp;\n" in entry.read()


def check_thumbnailer(scratch):
    picture = os.path.join(scratch, "diagonal.wbmp")
    with open(picture, "wb") as out:
        out.write(bytes([0, 0, 3, 3, 0b01100000, 0b10100000, 0b11000000]))
    thumbnail = os.path.join(scratch, "thumbnail.png")
    run(THUMBNAILER, "-s", "6", picture, thumbnail)
    # Each pixel of the black diagonal becomes a 2 x 2 square (1 is black in a PBM).
    pbm = run("pngtopnm", "-plain", thumbnail).split()
    assert pbm[:3] == ["P1", "6", "6"] and "".join(pbm[3:]) == "110000" * 2 + "001100" * 2 + "000011" * 2, pbm
    # GNOME's thumbnail factory finds the installed entry and runs the installed program in its sandbox.
    # Its Python bindings are Debian's, whatever python3 runs this check.
    made = run("/usr/bin/python3", "-c", FACTORY_SCRIPT, picture,
               env=dict(os.environ, HOME=scratch, GSETTINGS_BACKEND="memory"))
    assert made.split() == ["126", "126"], made


def help_pages_read(trace_file):
    """The help index files the program opened successfully, as absolute paths without '..'."""
    with open(trace_file) as trace:
        opened = re.findall(r'open(?:at)?\(.*?"([^"]*/help/index\.html)".*\) = \d+', trace.read())
    return {os.path.normpath(path) for path in opened}


def check_program(trace_file):
    # No session bus: where dbus-x11 is installed, a client would otherwise start one with dbus-launch,
    # whose daemon outlives the editor and keeps strace -f waiting.
    with Session(PROGRAM, DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent") as session:
        # The help viewer reads a page from disk only when it found the installed copy; the compiled-in
        # copy comes from the program's own resources and opens no file, so the system calls tell apart
        # which copy the help window shows without changing either of them.
        window = session.start_editor(wrapper=["strace", "-f", "-qq", "-e", "trace=open,openat", "-o", trace_file])
        session.key("F1")
        session.wait_for_window("^Velmora Help$")
        read = help_pages_read(trace_file)
        assert read == {HELP_INDEX}, "the help window did not read %s; it read %s" % (HELP_INDEX, sorted(read))
        session.run("xdotool", "windowactivate", "--sync", window)
        session.key("alt+F4")
        session.editor.wait(timeout=15)


def main():
    deb = os.path.abspath(sys.argv[1])
    assert os.getuid() == 0, "installing a package needs root"
    assert not installed(), "%s is already installed; this check installs and removes it itself" % PACKAGE
    started = time.monotonic()
    try:
        run("apt-get", "install", "-y", "-q", deb, env=APT_ENV)
        files = run("dpkg", "-L", PACKAGE).split("\n")
        files = [path for path in files if path.startswith("/")]
        check_metadata()
        check_file_type()
        with tempfile.TemporaryDirectory(prefix="velmora-package-") as scratch:
            check_thumbnailer(scratch)
            check_program(os.path.join(scratch, "trace"))
    finally:
        if installed():
            run("apt-get", "remove", "-y", "-q", PACKAGE, env=APT_ENV)
    # Folders such as /usr/share/icons stay because other packages own them too.
    left = [path for path in files if os.path.lexists(path) and not (
        os.path.isdir(path) and subprocess.run(["dpkg-query", "-S", path], capture_output=True).returncode == 0)]
    assert not left, "left behind after apt-get remove: %s" % left
    print("installed %s (%d paths), thumbnail, window and installed help seen, removed cleanly in %.1f s" % (
        os.path.basename(deb), len(files), time.monotonic() - started))


if __name__ == "__main__":
    main()
