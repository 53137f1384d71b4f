#!/usr/bin/env bash
# Fails when an include points against the layering:
#   plugin -> editor -> document -> planfile -> core -> platform interface -> base
#   editor, cli -> mapdraw -> core (mapdraw: the map's drawing, Qt Gui without widgets)
#   host, cli -> the libraries they use; platform/qt, platform/widgets -> platform interface
# base/ includes only itself; core/ and planfile/ use the standard library, base/ and the
# platform interface, never Qt; document/ uses Qt without its widgets; nothing below plugin/
# includes it. Inside a folder, includes between its files never go round in a circle.
# usage: check_layering.sh ROOT [QTWIDGETS-INCLUDE-DIR]
root=${1:?usage: check_layering.sh ROOT [QTWIDGETS-INCLUDE-DIR]}
widgets=${2:-}
cd "$root" || exit 2
status=0
sources() { find "$@" -name '*.h' -o -name '*.cpp'; }
# check FOLDER ALLOWED-REGEX: every quoted include of FOLDER matches ALLOWED-REGEX.
check() {
    local folder=$1 allowed=$2 bad
    bad=$(grep -rn --include='*.h' --include='*.cpp' -E '#include "' "$folder" \
        | grep -v -E "#include \"($allowed)")
    [ -z "$bad" ] || { echo "$folder: include against the layering:"; echo "$bad"; status=1; }
}
check_no_qt() {
    local bad
    bad=$(grep -rn --include='*.h' --include='*.cpp' -E '#include <Q' "$@")
    [ -z "$bad" ] || { echo "Qt in the standard-library folders:"; echo "$bad"; status=1; }
}
# No header of Qt's widgets module in FOLDER.
check_no_widgets() {
    [ -n "$widgets" ] || return 0
    local file header
    while IFS=: read -r file header; do
        header=${header#*<}
        header=${header%%>*}
        if [ -e "$widgets/${header#QtWidgets/}" ]; then
            echo "$1: widgets in a folder without them: $file <$header>"
            status=1
        fi
    done < <(grep -rH --include='*.h' --include='*.cpp' -o -E '#include <Q[A-Za-z/]+>' "$1")
}
# The includes between the files of FOLDER, a file's .h and .cpp counted as one, form no loop.
check_no_loop() {
    local folder=$1 edges
    edges=$(for file in $(sources "$folder"); do
        local from=${file%.*}
        grep -o -E "#include \"$folder/[a-z_]+\.h\"" "$file" | sed -E 's/.*"(.*)\.h"/\1/' \
            | while read -r to; do [ "$to" = "$from" ] || echo "$from $to"; done
    done)
    if [ -n "$edges" ] && ! echo "$edges" | tsort >/dev/null 2>&1; then
        echo "$folder: includes going round in a circle:"
        echo "$edges" | tsort 2>&1 >/dev/null | grep -v '^tsort: -: input contains a loop:'
        status=1
    fi
}
check base 'base/'
check core 'base/|core/|platform/platform\.h'
check planfile 'base/|core/|planfile/|platform/platform\.h'
check platform 'base/|platform/'
check document 'base/|core/|planfile/|platform/platform\.h|document/'
check mapdraw 'base/|core/|platform/platform\.h|mapdraw/'
check editor 'base/|core/|planfile/|platform/|document/|mapdraw/|editor/'
check plugin 'base/|core/|planfile/|platform/|document/|mapdraw/|editor/|plugin/'
check_no_qt base core planfile platform/platform.h platform/qrnplg.h
check_no_widgets document
check_no_widgets mapdraw
for folder in base core planfile platform/qt platform/widgets document mapdraw editor plugin cli \
    host; do
    check_no_loop "$folder"
done
exit $status
