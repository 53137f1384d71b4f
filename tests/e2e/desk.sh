#!/usr/bin/env bash
# Runs a command on a private X display (Xvfb) with a window manager, a session bus and the
# accessibility bus, under a private HOME in OUTDIR, as a user's desktop would be.
# Use: desk.sh OUTDIR COMMAND...  Exit 77 (skipped) when the display tooling is not installed.
set -u
for tool in xvfb-run openbox dbus-run-session xdotool /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "ignoré : $tool manque (scripts/test l'installe)"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null \
    || { echo "ignoré : python3-pyatspi manque (scripts/test l'installe)"; exit 77; }
out=$(mkdir -p "$1" && cd "$1" && pwd)
shift
rm -rf "$out/home" && mkdir -p "$out/home"
export HOME=$out/home XDG_CONFIG_HOME=$out/home/.config XDG_DATA_HOME=$out/home/.local/share
export XDG_CACHE_HOME=$out/home/.cache LANG=C.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset QT_QPA_PLATFORM WAYLAND_DISPLAY BROWSER
exec xvfb-run -a -s '-screen 0 1600x1000x24' dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    openbox >/dev/null 2>&1 &
    sleep 1.5
    exec "$@"' desk "$@"
