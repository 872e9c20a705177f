# A build for the Debian package (-DTELVARO_DEB=ON, as tools/package configures it) compiles and
# links every target with Debian's hardening flags as dpkg-buildflags gives them: stack
# protection, fortified libc calls, format checks, a read-only relocation table; -Wdate-time
# fails nothing but warns of any __DATE__ or __TIME__, which would make two builds differ.
option(TELVARO_DEB "Build with the flags of a Debian package (dpkg-buildflags)" OFF)
if(NOT TELVARO_DEB)
    return()
endif()

find_program(TELVARO_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
# dpkg-buildflags maps the folder it is run in to "." in the debugging information; run in the
# source folder, that is the sources, and the build folder follows below.
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${TELVARO_DPKG_BUILDFLAGS} --get ${kind}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(TELVARO_DEB_${kind} UNIX_COMMAND "${flags}")
endforeach()
add_compile_options(${TELVARO_DEB_CPPFLAGS} ${TELVARO_DEB_CXXFLAGS})
add_link_options(${TELVARO_DEB_LDFLAGS})
# Generated sources (moc, resources, precompiled headers) lie in the build folder: with its path
# mapped too, two builds in different folders give the same programs. GCC tries the last map
# first, so a build folder inside the source folder becomes "build", not "./build-deb".
add_compile_options(-ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
message(STATUS "Debian build flags: ${TELVARO_DEB_CPPFLAGS} ${TELVARO_DEB_CXXFLAGS} / ${TELVARO_DEB_LDFLAGS}")
