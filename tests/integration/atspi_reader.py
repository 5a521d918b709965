# Reads a running client through the real AT-SPI bus as a screen reader does: the current room's
# tab by its name, Ctrl+Tab and back, a received line read out and in the transcript.
#   atspi_reader.py PID ROOM_TITLE LINE_TEXT    (prints what failed; exit 0 when all held)
import subprocess, sys, time
import gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib

pid, room, line = int(sys.argv[1]), sys.argv[2], sys.argv[3]
inserted, failures = [], []
listener = Atspi.EventListener.new(lambda e: inserted.append(str(e.any_data or '')))
listener.register('object:text-changed:insert')
check = lambda ok, what: ok or failures.append(what)

def pump(seconds, until=lambda: False):
    end = time.time() + seconds
    while time.time() < end and not until():
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.05)

def walk(node, depth=0):
    yield node
    for child in map(node.get_child_at_index, range(node.get_child_count() if depth < 25 else 0)):
        if child:
            yield from walk(child, depth + 1)

def find(role):
    desktop = Atspi.get_desktop(0)
    apps = [a for a in map(desktop.get_child_at_index, range(desktop.get_child_count())) if a and a.get_process_id() == pid]
    return [n for a in apps for n in walk(a) if n.get_role_name() == role]

def selected_tab():
    return [t.get_name() for t in find('page tab') if t.get_state_set().contains(Atspi.StateType.SELECTED)]

pump(30, lambda: find('page tab list'))
check(all(b.get_name() for b in find('push button')), 'every push button has a name')
check(all(e.get_name() for e in find('text')), 'the input line and the transcript have names')
check(selected_tab() == [room], "the current room's tab is selected by its name: %s" % selected_tab())
check(any(', ' in i.get_name() for i in find('list item') if '(' in i.get_name()), 'a member item names its state')
subprocess.run(['xdotool', 'key', 'ctrl+Tab'])
pump(1.5)
check(len(selected_tab()) == 1 and selected_tab() != [room], 'Ctrl+Tab selected another tab: %s' % selected_tab())
subprocess.run(['xdotool', 'key', 'ctrl+shift+Tab'])
pump(1.5)
check(selected_tab() == [room], 'Ctrl+Shift+Tab came back: %s' % selected_tab())
pump(20, lambda: any(line in s for s in inserted))
check(any(line in s for s in inserted), 'a received line was read out: %s' % inserted[-3:])
check(any(line in t.get_text_iface().get_text(0, -1) for t in find('text') if t.get_name() == '대화 내용'),
      'the transcript holds the received line')
for f in failures:
    print('FAILED:', f)
sys.exit(1 if failures else 0)
