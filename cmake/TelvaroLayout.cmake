# Where an installation puts each part.
#
# By default the GNU layout of a Linux program (GNUInstallDirs):
#   bin/                         the programs: telvaro-config, telvaro-cli
#   libexec/telvaro/             helper programs: the simulated logger
#   share/telvaro/               the installation files: read scripts, model files, auth.ini
#   share/applications/, share/icons/, share/metainfo/, share/man/man1/   desktop integration
# With -DTELVARO_PORTABLE=ON, one folder holding everything beside the programs instead, as the
# build tree's app/ folder does: a copy that runs from wherever it is put (a USB stick).
include(GNUInstallDirs)

option(TELVARO_PORTABLE "Install everything into one folder, beside the programs" OFF)

if(TELVARO_PORTABLE)
    set(TELVARO_INSTALL_BINDIR .)
    set(TELVARO_INSTALL_HELPERDIR .)
    set(TELVARO_INSTALL_DATADIR .)
else()
    set(TELVARO_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR})
    set(TELVARO_INSTALL_HELPERDIR ${CMAKE_INSTALL_LIBEXECDIR}/telvaro)
    set(TELVARO_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/telvaro)
endif()

# A program finds the installation files relative to its own folder, so an installed tree can
# be moved (and a package installs under another prefix than the build was configured for).
cmake_path(ABSOLUTE_PATH TELVARO_INSTALL_BINDIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX} OUTPUT_VARIABLE bin_full)
cmake_path(ABSOLUTE_PATH TELVARO_INSTALL_DATADIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX} OUTPUT_VARIABLE data_full)
file(RELATIVE_PATH TELVARO_DATA_FROM_BINDIR ${bin_full} ${data_full})
if(TELVARO_DATA_FROM_BINDIR STREQUAL "")
    set(TELVARO_DATA_FROM_BINDIR .)
endif()
