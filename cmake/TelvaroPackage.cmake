# The Debian package: tools/package configures a build folder with -DTELVARO_DEB=ON (Debian's
# hardening flags, cmake/TelvaroDebianFlags.cmake), builds it and runs `cpack -G DEB` there, which
# makes telvaro-config_<version>-<revision>_<arch>.deb of what `cmake --install` lays out under
# /usr, installable with `apt install ./telvaro-config_*.deb`. A portable build packs its one
# folder as an archive instead (`cpack -G TGZ`).
set(CPACK_PACKAGE_NAME telvaro-config)
set(CPACK_PACKAGE_VENDOR "Telvaro")
# No address of the maintainers' is published; the reserved top-level domain says so.
set(CPACK_PACKAGE_CONTACT "telvaro-config maintainers <telvaro-config@telvaro.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "settings tool for Telvaro e-mail model data loggers")
# Lines of at most 80 characters, as the package's description is shown in a terminal.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Reads the settings of a Telvaro e-mail model data logger over a serial port,\n"
    "shows them for editing in a window (telvaro-config) and writes them back;\n"
    "telvaro-cli reads, writes, checks and compares settings from the command line\n"
    "and provisions many loggers at once. Includes a simulated logger for trying\n"
    "both without one.")
set(CPACK_STRIP_FILES ON)

if(TELVARO_PORTABLE)
    set(CPACK_GENERATOR TGZ)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
    # The version and revision of the latest entry of packaging/debian/changelog, the one the
    # package installs as changelog.Debian.gz.
    set(changelog ${PROJECT_SOURCE_DIR}/packaging/debian/changelog)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
    file(STRINGS ${changelog} latest LIMIT_COUNT 1)
    if(NOT latest MATCHES "^telvaro-config \\(${PROJECT_VERSION}-([0-9]+)\\)")
        message(FATAL_ERROR "${changelog}: the latest entry is not of version ${PROJECT_VERSION}: ${latest}")
    endif()
    set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_1})
    # The file times in the package: the date of that entry, as dpkg-buildpackage takes it,
    # unless SOURCE_DATE_EPOCH is set already. cpack reads it as it packs.
    find_program(TELVARO_DPKG_PARSECHANGELOG dpkg-parsechangelog)
    if(TELVARO_DPKG_PARSECHANGELOG)
        execute_process(COMMAND ${TELVARO_DPKG_PARSECHANGELOG} -l ${changelog} -STimestamp
            OUTPUT_VARIABLE TELVARO_CHANGELOG_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE)
        set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/TelvaroCPackTimes.cmake)
        file(WRITE ${CPACK_PROJECT_CONFIG_FILE}
            "if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})\n"
            "    set(ENV{SOURCE_DATE_EPOCH} ${TELVARO_CHANGELOG_EPOCH})\n"
            "endif()\n")
    endif()
    # The Qt and ICU libraries the programs link come from dpkg-shlibdeps. What they load or
    # show at run time without linking it is named here:
    #   qt6-qpa-plugins        the X11 platform plugin (libqxcb.so), without which the window
    #                          cannot open at all;
    #   fonts-ipafont-gothic   the Japanese font of the captions and messages;
    #   qt6-translations-l10n  Qt's own texts in Japanese: the buttons of the message boxes
    #                          ("はい", "いいえ") and "詳細を表示...", shown in English without it;
    #   libqt6sql6-sqlite      the SQLite driver of Qt SQL (libqsqlite.so): the record of exchanges.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic, qt6-translations-l10n, libqt6sql6-sqlite")
    # A Wayland session shows the window through XWayland without it; it pulls in Qt Quick.
    set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
endif()

include(CPack)
