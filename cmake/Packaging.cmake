# The Debian package: `cpack -G DEB` in the release build makes
# welvaro_<version>_amd64.deb from the install rules (programs in /usr/bin,
# data files and help in /usr/share/welvaro, desktop entry, icon, AppStream
# metadata). Its dependencies come from the libraries the programs link
# (dpkg-shlibdeps: the Qt 6 libraries, libcurl, libstdc++, libc) plus the
# package of Qt platform plugins, which no program links (where a distribution
# keeps the X11 plugin there, the window needs it). Qt's own translations make
# its buttons and file dialog speak the program's language; the certificate
# authorities let the update of the solar data verify NOAA's https address.
set(CPACK_PACKAGE_NAME welvaro)
set(CPACK_PACKAGE_VENDOR "Welvaro developers")
set(CPACK_PACKAGE_CONTACT "Welvaro developers <welvaro@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shortwave propagation forecasts for radio amateurs")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6svg6, qt6-translations-l10n, ca-certificates")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "For a home station, a far station and the month's conditions (sunspot\n\
number, power, antenna gain, elevation angle, availability, short or long\n\
path) Welvaro computes hour by hour and for every MHz from 1 to 30 the\n\
field strength and receive level at the far end, and shows them as a world\n\
map with the greyline, a 24-hour chart of the link, a point result with an\n\
S-meter and a printed report, in German, English, Spanish and French.\n\
welvaro-cli runs the same forecasts for scripts.")

set(CPACK_GENERATOR DEB)
include(CPack)
