# The Debian package: `cpack -G DEB` in a build folder (scripts/package.sh builds
# one with Debian's hardening flags and checks it with lintian).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fotoschicker)
set(CPACK_PACKAGE_VENDOR Morva)
set(CPACK_PACKAGE_CONTACT "Morva <fotoschicker@morva.de>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.morva.de/programme/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "upload a picture and copy its link")
set(CPACK_PACKAGE_DESCRIPTION
    "Morva Fotoschicker puts one picture on the web and leaves its address in the
clipboard. Opened with a picture from the file manager, it uploads it to your
own FTP server or to an image host, shows a small status window and copies the
link or an HTML snippet. The package also holds the image host bildhost.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The program opens libcurl at run time, so dpkg-shlibdeps does not see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4 (>= 7.88)")
# wl-copy keeps the link in a Wayland clipboard; Qt's German texts for its own buttons.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wl-clipboard, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Debian wants manual pages and the changelog compressed, which an ordinary install does not do.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/paket-komprimieren.cmake)

include(CPack)
