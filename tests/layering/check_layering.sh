#!/usr/bin/env bash
# Fails when an include points against the layering:
#   plugin -> editor -> document -> planfile -> core -> platform interface -> base
#   editor, cli -> rowjson -> planfile (rowjson: rows as JSON text, read through simdjson)
#   editor, cli -> mapdraw -> core (mapdraw: the map's drawing, Qt Gui without widgets)
#   host, cli -> the libraries they use (the host on Windows: the COM class's header); platform/qt, platform/widgets -> platform interface
# base/ includes only itself; core/ and planfile/ use the standard library, base/ and the
# platform interface, never Qt; the platform interface (platform.h, qrnplg.h) includes no
# implementation; document/ uses Qt without its widgets; nothing below plugin/ includes it;
# bench/, fuzz/ and tests/ reach the product, never one another (tests/support/ aside). Every
# folder that holds sources is checked. Inside a folder, includes between its files never go
# round in a circle.
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
interface='platform/platform\.h|platform/qrnplg\.h'
check base 'base/'
check platform/platform.h "base/|$interface"
check platform/qrnplg.h "base/|$interface"
check platform/qt "base/|$interface|platform/qt/"
check platform/widgets 'base/|platform/'
check core "base/|core/|$interface"
check planfile "base/|core/|planfile/|$interface"
check rowjson "base/|core/|planfile/|$interface|rowjson/"
check document "base/|core/|planfile/|$interface|document/"
check mapdraw "base/|core/|$interface|mapdraw/"
check editor 'base/|core/|planfile/|rowjson/|platform/|document/|mapdraw/|editor/'
check plugin 'base/|core/|planfile/|rowjson/|platform/|document/|mapdraw/|editor/|plugin/'
check cli "base/|core/|planfile/|rowjson/|$interface|platform/qt/|mapdraw/|cli/"
check host "base/|$interface|platform/qt/|platform/widgets/|platform/win/qrnplg_com\.h|host/"
product='base/|core/|planfile/|rowjson/|platform/|document/|mapdraw/|editor/|plugin/|host/|cli/'
check tests/support "base/|core/|planfile/|platform/|tests/support/"
check tests "$product|tests/|[a-z_]+\.moc\""
check bench "$product|bench/|tests/support/"
check fuzz "$product|fuzz/|tests/support/"
check_no_qt base core planfile platform/platform.h platform/qrnplg.h
check_no_widgets document
check_no_widgets mapdraw
checked=' base platform core planfile rowjson document mapdraw editor plugin cli host tests bench fuzz '
for folder in $(find . -mindepth 1 -maxdepth 1 -type d ! -name '.*' ! -name build\* -printf '%P\n'); do
    if [ -n "$(sources "$folder" | head -1)" ] && [[ $checked != *" $folder "* ]]; then
        echo "$folder: a folder of sources the layering does not check"
        status=1
    fi
done
for folder in base core planfile rowjson platform/qt platform/widgets document mapdraw editor \
    plugin cli host bench fuzz; do
    check_no_loop "$folder"
done
exit $status
