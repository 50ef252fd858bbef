# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the canvas as a screen reader does, through AT-SPI on the session's
accessibility bus.

  atspi_canvas.py text            prints the text of the canvas "Output canvas"
  atspi_canvas.py listen SECONDS  prints each text change of a canvas, one a line:
                                  insert|delete POSITION LENGTH TEXT (line breaks as \\n)
"""
import sys

import dbus

ACCESSIBLE = 'org.a11y.atspi.Accessible'
PROPERTIES = 'org.freedesktop.DBus.Properties'


def accessibility_bus():
    session = dbus.SessionBus()
    address = session.get_object('org.a11y.Bus', '/org/a11y/bus').GetAddress(dbus_interface='org.a11y.Bus')
    return dbus.bus.BusConnection(address)


def find_canvas(bus, name, path, depth=0):
    node = bus.get_object(name, path)
    if (node.GetRoleName(dbus_interface=ACCESSIBLE) == 'canvas'
            and node.Get(ACCESSIBLE, 'Name', dbus_interface=PROPERTIES) == 'Output canvas'):
        return node
    if depth > 8:
        return None
    for child_name, child_path in node.GetChildren(dbus_interface=ACCESSIBLE):
        found = find_canvas(bus, child_name, child_path, depth + 1)
        if found is not None:
            return found
    return None


def print_text():
    bus = accessibility_bus()
    root = bus.get_object('org.a11y.atspi.Registry', '/org/a11y/atspi/accessible/root')
    for name, path in root.GetChildren(dbus_interface=ACCESSIBLE):
        canvas = find_canvas(bus, name, path)
        if canvas is not None:
            sys.stdout.write(str(canvas.GetText(0, -1, dbus_interface='org.a11y.atspi.Text')))
            return 0
    print('no canvas on the accessibility bus', file=sys.stderr)
    return 1


def listen(seconds):
    import dbus.mainloop.glib
    from gi.repository import GLib

    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = accessibility_bus()
    # A screen reader registers the events it wants; applications send only those.
    registry = bus.get_object('org.a11y.atspi.Registry', '/org/a11y/atspi/registry')
    registry.RegisterEvent('object:text-changed', dbus.Array([], signature='s'), '',
                           dbus_interface='org.a11y.atspi.Registry')

    def changed(kind, position, length, text, *rest, **where):
        if where.get('path', '').startswith('/org/a11y/atspi/accessible/'):
            flat = str(text).replace('\n', '\\n')
            print(f'{kind} {int(position)} {int(length)} {flat}', flush=True)

    bus.add_signal_receiver(changed, dbus_interface='org.a11y.atspi.Event.Object', signal_name='TextChanged',
                            path_keyword='path')
    print('listening', flush=True)
    loop = GLib.MainLoop()
    GLib.timeout_add(int(seconds * 1000), loop.quit)
    loop.run()
    return 0


if __name__ == '__main__':
    if sys.argv[1:2] == ['text']:
        sys.exit(print_text())
    if sys.argv[1:2] == ['listen']:
        sys.exit(listen(float(sys.argv[2])))
    print(__doc__, file=sys.stderr)
    sys.exit(2)
