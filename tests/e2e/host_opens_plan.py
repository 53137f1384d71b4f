"""The real qrnhost and editor window, driven through the accessibility bus as a user would:
`qrnhost PLAN` opens an editor window on the plan with its rows; buildings typed without their
accents ("marche", "ecurie", "temple") and added by keyboard alone land as the catalogue's;
the plan is first in "Fichier > Fichiers récents".
Use: host_opens_plan.py QRNHOST PLAN"""
import os, sys, time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import find, host_on_sample, keys, rows, walk  # noqa: E402

with host_on_sample():
    window = find("frame", lambda n: "exemple" in n)
    tree = find("tree", under=window)
    before = rows(tree)
    assert len(before) == 8 and before[0][1] == "12", before
    # Every field is named on the bus by its label (the picker's by its text field).
    named = {a.name for a in walk(window) if a.getRoleName() == "text"}
    assert {"Bâtiment", "X", "Y", "N", "S", "E", "O"} <= named, named
    picker = find("combo box", under=window)
    picker.queryComponent().grabFocus()
    time.sleep(0.5)
    keys("key", "ctrl+a")
    # Each row by keyboard alone: the name as typed, Enter takes the building the picker shows,
    # Tab to X, Enter adds; the focus comes back to the picker, its text selected.
    for typed in ("marche", "ecurie", "temple"):
        keys("type", "--delay", "60", typed)
        keys("key", "Return", "Tab", "Return")
    after = rows(tree)
    assert [r[0] for r in after[8:]] == ["Marché", "Écurie", "Temple"], after[8:]
    keys("key", "alt+f", "r")
    recent = find("menu item", lambda n: n.endswith("exemple.qrn"))
    assert recent.name.startswith("1"), recent.name
    keys("key", "Escape", "Escape")
    print("ok : le plan s'ouvre avec ses 8 lignes ; « marche », « ecurie » et « temple » "
          "ajoutent « Marché », « Écurie » et « Temple » au clavier seul ; il est le premier "
          "des fichiers récents")
