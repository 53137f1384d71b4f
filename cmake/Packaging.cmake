# A Debian package of everything `cmake --install` lays out: the plug-in folder under
# /usr/lib/qrnplg (library, QRN.txt, Help/), /usr/bin/qrnhost and /usr/bin/qrnplan.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qrnplg)
set(CPACK_PACKAGE_VENDOR "QRNPlg")
set(CPACK_PACKAGE_CONTACT "QRNPlg team <qrnplg@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Building placement plans for Age of Empires: plug-in, host and command-line tool")
set(CPACK_PACKAGE_DESCRIPTION
    "QRNPlg composes building placement plans (plan files) for the game Age of Empires. It \
holds the QRN plug-in library for a host map editor, the stand-in host qrnhost and the \
command-line tool qrnplan.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt 6 runtime the programs link, and the platform plug-ins that give them a window.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), qt6-qpa-plugins, qt6-translations-l10n")
include(CPack)
