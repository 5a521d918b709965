# Reads a running client through the real AT-SPI bus, as a screen reader does:
# the current room's tab by its name, Ctrl+Tab to the next room, a received
# line read out and read from the transcript. Prints what failed; exit 0 when all held.
#   atspi_reader.py PID ROOM_TITLE LINE_TEXT
import subprocess, sys, time
import gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib

pid, room, line = int(sys.argv[1]), sys.argv[2], sys.argv[3]
inserted = []
listener = Atspi.EventListener.new(lambda e: inserted.append(str(e.any_data or '')))
listener.register('object:text-changed:insert')

def pump(seconds):
    end = time.time() + seconds
    ctx = GLib.MainContext.default()
    while time.time() < end:
        while ctx.pending():
            ctx.iteration(False)
        time.sleep(0.05)

def walk(node, depth=0):
    yield node
    if depth < 25:
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child:
                yield from walk(child, depth + 1)

def app():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        c = desktop.get_child_at_index(i)
        if c and c.get_process_id() == pid:
            return c

def find(role):
    return [n for n in walk(app()) if n.get_role_name() == role]

def selected_tab():
    tabs = [t for t in find('page tab') if t.get_state_set().contains(Atspi.StateType.SELECTED)]
    return [t.get_name() for t in tabs]

failures = []
def check(ok, what):
    if not ok:
        failures.append(what)

deadline = time.time() + 30
while time.time() < deadline and not (app() and find('page tab list')):
    pump(0.5)
check(app() is not None, 'the client is on the bus')
if not failures:
    buttons = find('push button') + find('toggle button')
    check(buttons and all(b.get_name() for b in buttons), 'every push button has a name')
    check(all(e.get_name() for e in find('text')), 'the input line and the transcript have names')
    check(selected_tab() == [room], 'the current room\'s tab is selected by its name: %s' % selected_tab())
    check(any(', ' in i.get_name() for i in find('list item') if '(' in i.get_name()), 'a member item names its state')
    subprocess.run(['xdotool', 'key', 'ctrl+Tab'], check=False)
    pump(1.5)
    check(len(selected_tab()) == 1 and selected_tab() != [room], 'Ctrl+Tab selected another tab: %s' % selected_tab())
    subprocess.run(['xdotool', 'key', 'ctrl+shift+Tab'], check=False)
    pump(1.5)
    check(selected_tab() == [room], 'Ctrl+Shift+Tab came back: %s' % selected_tab())
    deadline = time.time() + 20
    while time.time() < deadline and not any(line in s for s in inserted):
        pump(0.5)
    check(any(line in s for s in inserted), 'a received line was read out: %s' % inserted[-3:])
    transcript = [t for t in find('text') if t.get_name() == '대화 내용']
    texts = [t.get_text_iface().get_text(0, -1) for t in transcript]
    check(any(line in t for t in texts), 'the transcript holds the received line')
for f in failures:
    print('FAILED:', f)
sys.exit(1 if failures else 0)
