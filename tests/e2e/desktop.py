"""What the end-to-end tests do on the desktop: find what the accessibility bus shows, read a
list's rows, press keys and click as a user would (xdotool)."""
import contextlib, os, shutil, subprocess, sys, tempfile, time
import pyatspi

desk = pyatspi.Registry.getDesktop(0)


@contextlib.contextmanager
def host_on_sample():
    """Runs the host given on the command line (QRNHOST PLAN) on a copy of the sample plan, named
    exemple.qrn, in a folder of its own; stops the host and removes the folder afterwards."""
    host, sample = sys.argv[1], sys.argv[2]
    folder = tempfile.mkdtemp()
    plan = os.path.join(folder, "exemple.qrn")
    shutil.copy(sample, plan)
    process = subprocess.Popen([host, plan])
    try:
        yield
    finally:
        process.kill()
        shutil.rmtree(folder)


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
