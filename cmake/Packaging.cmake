# A Debian package of everything `cmake --install` lays out: the plug-in folder under
# /usr/lib/qrnplg (library, QRN.txt, Help/), /usr/bin/qrnhost and /usr/bin/qrnplan, their manual
# pages, the desktop entry, the AppStream metadata, the icon, the copyright file and the Debian
# changelog. scripts/package_check builds it and runs lintian on it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qrnplg)
set(CPACK_PACKAGE_VENDOR "QRNPlg")
set(CPACK_PACKAGE_CONTACT "QRNPlg team <qrnplg@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "building placement plans: map editor plug-in, host and tool")
# Lines of at most 80 characters: dpkg shows them as they are.
set(CPACK_PACKAGE_DESCRIPTION
    "QRNPlg composes building placement plans (plan files) for a map editor.
It holds the QRN plug-in library for a host map editor, the stand-in host
qrnhost that opens its editor windows, and the command-line tool qrnplan
that reads, writes and checks plan files from scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Debian revision of this packaging; the changelog in data/debian/ names the same version.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/qrnplg/qrnplg)
# The libraries the programs and the plug-in link, as dpkg-shlibdeps finds them in the binaries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plug-ins at run time, so no binary names them: without them qrnhost has
# no window to show; Qt's French texts are files it loads.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
# Directories 0755 and files 0644/0755 whatever the umask of the build.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
