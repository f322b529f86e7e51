# `make package`: a Debian package of the installed game, installed under /usr. Library
# dependencies come from dpkg-shlibdeps; the rest are what is loaded at run time (the X11 and
# Wayland platform plugins, the Japanese texts of Qt's own dialogs, the sound library the game
# opens when it first sounds) and the Japanese font the game asks for.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${JIGSAW_EXECUTABLE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${JIGSAW_DEVELOPER}")
set(CPACK_PACKAGE_CONTACT "${JIGSAW_DEVELOPER} <jigsaw-puzzle@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Jigsaw-puzzle game in Japanese and English")
set(CPACK_PACKAGE_DESCRIPTION "\
Pick a picture from the bundled library or from any folder, choose 16 to 100\n\
pieces, an optional time limit and a placement cue, and drag the pieces from\n\
the shuffled piece box onto the board. The game keeps time, plays music, saves\n\
and resumes games and keeps the ten best times per picture and piece count.\n\
The game speaks Japanese on a Japanese desktop and English on any other.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${JIGSAW_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
string(CONCAT CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-wayland, qt6-translations-l10n, "
    "libsdl2-mixer-2.0-0, fonts-noto-cjk | fonts-ipafont-gothic")
include(CPack)
