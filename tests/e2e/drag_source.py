"""A window to drag something from, for dropping on the editor: drag_source.py KIND PAYLOAD, where KIND is
"file" (PAYLOAD is a path, offered as a file), "png" (PAYLOAD is a path whose bytes are offered as PNG
data) or "text" (PAYLOAD is the text). When a drag ends it prints "refused" if the target did not take
it, then "ended". Runs under the system's Python, which has GTK's bindings.
"""

import sys

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("Gdk", "3.0")
from gi.repository import Gdk, GLib, Gtk  # noqa: E402

kind, payload = sys.argv[1], sys.argv[2]
types = {"file": ["text/uri-list"], "png": ["image/png"], "text": ["text/plain;charset=utf-8", "UTF8_STRING"]}[kind]

window = Gtk.Window(title="drag source")
area = Gtk.EventBox()
area.add(Gtk.Label(label="drag me"))
area.set_size_request(120, 120)
window.add(area)
area.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [Gtk.TargetEntry.new(t, 0, 0) for t in types],
                     Gdk.DragAction.COPY)


def give(widget, context, data, info, time):
    if kind == "file":
        data.set_uris([GLib.filename_to_uri(payload)])
    elif kind == "png":
        with open(payload, "rb") as picture:
            data.set(Gdk.Atom.intern("image/png", False), 8, picture.read())
    else:
        data.set_text(payload, -1)


def failed(widget, context, result):
    print("refused", flush=True)
    return True


def ended(widget, context):
    print("ended", flush=True)


area.connect("drag-data-get", give)
area.connect("drag-failed", failed)
area.connect("drag-end", ended)
window.connect("destroy", Gtk.main_quit)
window.move(0, 0)
window.show_all()
Gtk.main()
