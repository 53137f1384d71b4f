#!/usr/bin/env bash
# The Windows qrnplan (under Wine) and the Linux one give the same bytes: the plan written from
# the same rows, the rows read back as JSON Lines (no CR added on Windows), and the errors'
# exit statuses, for the shipped sample and for names and values outside ASCII.
set -u
windows=${1:?usage: same_bytes_as_linux.sh QRNPLAN.EXE LINUX_QRNPLAN CATALOGUE SAMPLES_DIR}
linux=${2:?}
catalogue=${3:?}
samples=${4:?}
emulator=${QRN_EMULATOR:-wine}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
# compare NAME ARGS...: the same stdout bytes and exit status from both programs.
compare() {
    local name=$1
    shift
    "$linux" "$@" --catalogue "$catalogue" <"$work/in" >"$work/linux.out" 2>/dev/null
    local linux_status=$?
    $emulator "$windows" "$@" --catalogue "$catalogue" <"$work/in" >"$work/windows.out" 2>/dev/null
    local windows_status=$?
    if [ "$linux_status" != "$windows_status" ] || ! cmp -s "$work/linux.out" "$work/windows.out"; then
        echo "FAIL $name: Linux status $linux_status, Windows status $windows_status"
        cmp "$work/linux.out" "$work/windows.out" | head -n 3
        status=1
    else
        echo "ok   $name ($(wc -c <"$work/linux.out") octets)"
    fi
}
cp "$samples/exemple.jsonl" "$work/in"
compare "write exemple.jsonl" write -
cp "$work/linux.out" "$work/plan été ✓.qrn"
: >"$work/in"
compare "read of a name outside ASCII" read "$work/plan été ✓.qrn"
compare "read exemple.qrn" read "$samples/exemple.qrn"
printf '%s\n' '{"index": 3, "cells": ["Hôtel", "7", "0", "3", "0", "3"]}' \
    '{"index": 1, "cells": ["15", "4", "1", "1", "1", "1"]}' >"$work/in"
compare "write with a refused cell" write -
printf '%s\n' '{"index": 1, "cells": ["é", "4", "1", "1", "1", "1"]}' >"$work/in"
compare "write with Windows-1252 text" write -
exit $status
