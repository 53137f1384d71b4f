# Shared by scripts/run and scripts/test: install what is missing, configure and build.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${QRN_BUILD_DIR:-$ROOT/build}
JOBS=${QRN_JOBS:-$(nproc)}

# Installs the Debian packages that are not installed yet; does nothing when all are there.
ensure_packages() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installation des paquets manquants : ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

BUILD_PACKAGES=(cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
                libgtest-dev libgmock-dev libsimdjson-dev qt6-translations-l10n
                qt6-svg-dev)
# The sanitizer and fuzz builds of scripts/test and scripts/fuzz: clang with libFuzzer and the
# sanitizer runtimes, and llvm-symbolizer for readable reports.
CHECK_PACKAGES=(clang libclang-rt-14-dev llvm)
# The end-to-end test: a private X display, a window manager, the session and accessibility
# buses, keys typed as a user would and Python's AT-SPI binding to read the windows.
E2E_PACKAGES=(xvfb xauth openbox xdotool dbus-daemon at-spi2-core python3-pyatspi)
# scripts/windows_e2e: the installer under Wine on a private X display, the host's button
# pressed, the screen taken (xwd).
WINDOWS_E2E_PACKAGES=(wine wine64 xvfb xdotool x11-apps)
# scripts/package_check: dpkg-shlibdeps for the package's dependencies, and the validators.
PACKAGE_CHECK_PACKAGES=(dpkg-dev lintian desktop-file-utils appstream shared-mime-info)
# scripts/windows: the mingw-w64 cross compiler (posix threads), Debian's Qt as the host tools for
# the Qt built for Windows, Wine and a private X display to run the suite, NSIS for the installer,
# the sources of GoogleTest, and Qt's translations deployed beside the programs.
WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-tools qt6-base-dev
                  qt6-base-dev-tools wine wine64 xvfb xauth nsis googletest qt6-translations-l10n
                  xz-utils ca-certificates)

# configure_and_build DIR [cmake options...]
configure_and_build() {
    local dir=$1
    shift
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQRN_WERROR=ON "$@" >/dev/null
    fi
    cmake --build "$dir" -j "$JOBS"
}
