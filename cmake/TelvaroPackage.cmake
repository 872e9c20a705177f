# The Debian package: `cpack -G DEB` in the build folder makes telvaro-config_<version>_<arch>.deb
# of what `cmake --install` lays out under /usr, installable with `apt install ./telvaro-config_*.deb`.
# A portable build packs its one folder as an archive instead (`cpack -G TGZ`).
set(CPACK_PACKAGE_NAME telvaro-config)
set(CPACK_PACKAGE_VENDOR "Telvaro")
set(CPACK_PACKAGE_CONTACT "telvaro-config maintainers <telvaro-config@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "settings tool for Telvaro e-mail model data loggers")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Reads the settings of a Telvaro e-mail model data logger over a serial port, shows them for "
    "editing in a window (telvaro-config) and writes them back; telvaro-cli reads, writes, checks and "
    "compares settings from the command line and provisions many loggers at once. Includes a simulated logger for trying both without one.")
set(CPACK_STRIP_FILES ON)

if(TELVARO_PORTABLE)
    set(CPACK_GENERATOR TGZ)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
    # The Qt and ICU libraries the programs link come from dpkg-shlibdeps; what they load or show
    # at run time is named here: the X11 platform plugin, and the font of the Japanese captions.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
    # A Wayland session shows the window through XWayland without it; it pulls in Qt Quick.
    set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
endif()

include(CPack)
