"""Two real editor windows of one host, driven as a user would: the rows of a plan selected in
the first window (Ctrl+A in its list), copied (Ctrl+C), pasted into a second, empty window
(Ctrl+V) arrive there whole and in order; "Annuler" (Ctrl+Z) takes the paste back.
Use: paste_between_windows.py QRNHOST PLAN"""
import os, sys, time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import activate, click, find, host_on_sample, keys, rows, wait_rows  # noqa: E402

with host_on_sample():
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
