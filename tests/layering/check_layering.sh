#!/usr/bin/env bash
# Fails when an include points against the layering:
#   plugin, host, cli -> planfile -> core -> platform interface -> base
# base/ includes only itself; core/ and planfile/ use the standard library, base/ and the
# platform interface, never Qt; the Qt services in platform/ never reach core/, planfile/ or
# plugin/.
root=${1:?usage: check_layering.sh ROOT}
cd "$root" || exit 2
status=0
# check FOLDER ALLOWED-REGEX: every quoted include of FOLDER matches ALLOWED-REGEX, and no
# angle-bracket include names a Qt header.
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
check base 'base/'
check core 'base/|core/|platform/platform\.h'
check planfile 'base/|core/|planfile/|platform/platform\.h'
check platform 'base/|platform/'
check_no_qt base core planfile platform/platform.h platform/qrnplg.h
exit $status
