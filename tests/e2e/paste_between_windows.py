"""Two real editor windows of one host, driven as a user would: the rows of a plan selected in
the first window (Ctrl+A in its list), copied (Ctrl+C), pasted into a second, empty window
(Ctrl+V) arrive there whole and in order; "Annuler" (Ctrl+Z) takes the paste back.
Use: paste_between_windows.py QRNHOST PLAN"""
import os, shutil, subprocess, sys, tempfile, time
import pyatspi

desk = pyatspi.Registry.getDesktop(0)


def walk(acc):
    found = [acc]
    for i in range(acc.childCount):
        try:
            found += walk(acc.getChildAtIndex(i))
        except Exception:
            pass
    return found


def find(role, name=None, under=None, timeout=15.0):
    end = time.time() + timeout
    while time.time() < end:
        roots = [under] if under else [desk.getChildAtIndex(i) for i in range(desk.childCount)]
        for root in roots:
            for acc in walk(root):
                try:
                    if acc.getRoleName() == role and (name is None or name(acc.name)):
                        return acc
                except Exception:
                    pass
        time.sleep(0.3)
    sys.exit(f"introuvable : {role}")


def rows(tree):
    table = tree.queryTable()
    return [[table.getAccessibleAt(r, c).name for c in range(table.nColumns)]
            for r in range(table.nRows)]


def keys(*args):
    subprocess.run(["xdotool", *args], check=True)
    time.sleep(0.6)


def activate(title):
    """Brings the window whose title is exactly title to the front, with the keyboard."""
    ids = subprocess.run(["xdotool", "search", "--sync", "--name", f"^{title}$"],
                         capture_output=True, text=True, check=True).stdout.split()
    keys("windowactivate", "--sync", ids[0])


def click(acc):
    """A click in the middle of acc, as the mouse would."""
    box = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    keys("mousemove", "--sync", str(box.x + box.width // 2), str(box.y + box.height // 2))
    keys("click", "1")


def wait_rows(tree, count, timeout=10.0):
    end = time.time() + timeout
    while time.time() < end:
        found = rows(tree)
        if len(found) == count:
            return found
        time.sleep(0.3)
    return rows(tree)


host, sample = sys.argv[1], sys.argv[2]
folder = tempfile.mkdtemp()
plan = os.path.join(folder, "exemple.qrn")
shutil.copy(sample, plan)
process = subprocess.Popen([host, plan])
try:
    first = find("frame", lambda n: n.startswith("exemple.qrn"))
    source = rows(find("tree", under=first))
    assert len(source) == 8, source
    # A second, empty window from the host's control.
    control = find("push button", lambda n: n == "QRN")
    control.queryAction().doAction(0)
    second = find("frame", lambda n: n == "QRN")
    target = find("tree", under=second)
    assert rows(target) == [], rows(target)

    # On a loaded machine a window may take the keyboard late: each step is tried again until
    # what it does shows on the accessibility bus.
    source_table = find("tree", under=first).queryTable()
    for attempt in range(3):
        activate("exemple.qrn - QRN")
        click(source_table.getAccessibleAt(0, 1))
        keys("key", "ctrl+a")
        end = time.time() + 5
        while source_table.nSelectedRows != 8 and time.time() < end:
            time.sleep(0.2)
        if source_table.nSelectedRows == 8:
            break
    assert source_table.nSelectedRows == 8, f"{source_table.nSelectedRows} lignes sélectionnées"
    keys("key", "ctrl+c")

    for attempt in range(3):
        activate("QRN")
        click(target)
        keys("key", "ctrl+v")
        pasted = wait_rows(target, 8)
        if pasted:
            break
    assert pasted == source, (pasted, source)
    keys("key", "ctrl+z")
    assert wait_rows(target, 0) == [], rows(target)
    print("ok : les 8 lignes copiées d'une fenêtre arrivent entières dans l'autre ; Annuler les retire")
finally:
    process.kill()
    shutil.rmtree(folder)
