# The Debian package of the client and olva-server, built from the build
# folder with `cpack -G DEB` (or the `package` target). It holds what
# `cmake --install` puts under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME olva-weight-loss)
set(CPACK_PACKAGE_VENDOR "OLVA Weight Loss")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "OLVA Weight Loss desktop client and local API server")
set(CPACK_PACKAGE_CONTACT "OLVA Weight Loss <support@olvaweightloss.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}_${PROJECT_VERSION}_amd64")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.olvaweightloss.com/")
# The long description; CPack puts the summary above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "The desktop client of OLVA Weight Loss, an online weight-loss service: track
six meals a day against a calorie target, see the day's score, grade and
history, buy and play workout videos and programs, and book telehealth and
fitness appointments.

olva-server is a local stand-in for the service's API with its own storage
and optional demo data; a systemd unit runs it as a service.")
# The libraries the two programs link (Qt 6, QtKeychain, the C++ runtime) are
# found by dpkg-shlibdeps; the plugins Qt loads at run time are not linked, so
# they are named here: the desktop platforms, the SQLite and PostgreSQL
# drivers of olva-server, and the media back-ends that play the videos.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite, libqt6sql6-psql")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-libav, ffmpeg")
# Debian builds its desktop packages stripped; the debug information of a
# RelWithDebInfo build stays in the build folder.
set(CPACK_STRIP_FILES ON)

include(CPack)
