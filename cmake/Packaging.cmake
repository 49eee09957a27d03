# The Debian package keva-client: everything `cmake --install` puts in place (keva-client,
# keva-sim, keva-trace, the desktop entry, icon, metainfo, the example station, the manual pages,
# copyright and changelog) under /usr.
#   cmake --build build --target package     (or: cd build && cpack -G DEB)
include_guard(GLOBAL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME keva-client)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Debian shows the description in lines of at most 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "A small desktop console that a radio operator keeps open beside the radio\n"
  "to select antennas, switch accessories and turn rotators through a KEVA\n"
  "antenna-switching server. A link, keva-client-radio2, starts a console\n"
  "with its own settings file for a second radio.\n"
  "Comes with keva-sim, a station simulator, and keva-trace, a stream\n"
  "diagnostic tool.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "KEVA Client developers <keva-client@kevaclient.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from dpkg-shlibdeps. The icon needs Qt's SVG image and icon-engine
# plugins, and a desktop session needs the platform plugins: nothing links them, so shlibdeps
# cannot see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-qpa-plugins")
# The dialog geometry assumes DejaVu Sans metrics.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")

include(CPack)
