# A build that stops at the first memory or undefined-behaviour fault: every target of the project
# compiled and linked with AddressSanitizer and UndefinedBehaviorSanitizer (MSVC has only the
# former). Meant for a Debug build of its own; README.md tells how to run the tests in it.
option(TELVARO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

# Settings shared by every target of the project, kept per target rather than global.
function(telvaro_configure_target target)
    target_compile_definitions(${target} PRIVATE
        QT_NO_CAST_FROM_ASCII
        QT_NO_CAST_TO_ASCII
        QT_NO_CAST_FROM_BYTEARRAY
        QT_NO_URL_CAST_FROM_STRING)
    # A narrowing conversion or a name that hides another is written out on purpose
    # (static_cast, a name of its own). MSVC's /W4 warns of hidden names (C4456-C4459) and of
    # most narrowing (C4244, C4267); C4242 and C4254 take the rest.
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /w14242 /w14254 /utf-8)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Winvalid-pch)
    endif()
    if(TELVARO_SANITIZE)
        if(MSVC)
            target_compile_options(${target} PRIVATE /fsanitize=address)
        else()
            set(sanitize -fsanitize=address,undefined -fno-omit-frame-pointer)
            target_compile_options(${target} PRIVATE ${sanitize})
            target_link_options(${target} PRIVATE ${sanitize})
        endif()
    endif()
endfunction()

# Qt's headers are most of what each file compiles: a library precompiles those its folder
# uses (the core set, or the list it gives).
set(TELVARO_CORE_HEADERS
    <QByteArray> <QString> <QStringList> <QList> <QObject> <QFile> <QFileInfo> <QDir>
    <QLoggingCategory> <QTimer> <array> <functional> <memory> <optional>)

# The library of one folder: telvaro_<folder>, built from the folder's sources, on top of the
# libraries it names: PUBLIC those its headers include (its users build on them too), PRIVATE
# those only its sources include. DEPENDS is the older spelling of PUBLIC. Folders include each
# other as "<folder>/<file>.h" from the source root; the test `layering` (cmake/check_layers.py)
# fails on an include of a folder the library does not build on.
function(telvaro_add_library target)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;PUBLIC;PRIVATE;DEPENDS;PRECOMPILE")
    add_library(${target} STATIC ${ARG_SOURCES})
    telvaro_configure_target(${target})
    get_property(core_headers_owner GLOBAL PROPERTY TELVARO_CORE_HEADERS_OWNER)
    if(ARG_PRECOMPILE)
        target_precompile_headers(${target} PRIVATE ${ARG_PRECOMPILE})
    elseif(core_headers_owner)
        telvaro_reuse_core_headers(${target})
    else()
        # The first library compiles the core set; the others reuse it.
        target_precompile_headers(${target} PRIVATE ${TELVARO_CORE_HEADERS})
        set_property(GLOBAL PROPERTY TELVARO_CORE_HEADERS_OWNER ${target})
    endif()
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_PUBLIC} ${ARG_DEPENDS} PRIVATE ${ARG_PRIVATE})
endfunction()

# A target outside the libraries compiles against the core set the libraries precompiled.
# Call it after the library that owns the set has been added.
function(telvaro_reuse_core_headers target)
    get_property(core_headers_owner GLOBAL PROPERTY TELVARO_CORE_HEADERS_OWNER)
    target_precompile_headers(${target} REUSE_FROM ${core_headers_owner})
endfunction()

# A folder of headers only: everything it builds on reaches its users.
function(telvaro_add_header_library target)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;DEPENDS")
    add_library(${target} INTERFACE ${ARG_SOURCES})
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPENDS})
endfunction()

# A program of the package (telvaro-config, telvaro-cli): built into the build tree's app/
# folder beside the installation files, installed into bin/. Every program answers --help and
# --version on standard output with exit status 0; TELVARO_VERSION holds the version to show.
# Give it a man page in packaging/man/ (see telvaro_add_man_page).
function(telvaro_add_app_executable target)
    telvaro_add_executable_in(${target} ${TELVARO_INSTALL_BINDIR} ${ARGN})
endfunction()

# A helper program, started by other programs or by a developer rather than from a menu (the
# simulated logger): built beside the others, installed into libexec/telvaro/.
function(telvaro_add_helper_executable target)
    telvaro_add_executable_in(${target} ${TELVARO_INSTALL_HELPERDIR} ${ARGN})
endfunction()

function(telvaro_add_executable_in target destination)
    add_executable(${target} ${ARGN})
    telvaro_configure_target(${target})
    telvaro_reuse_core_headers(${target})
    target_compile_definitions(${target} PRIVATE TELVARO_VERSION="${PROJECT_VERSION}")
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TELVARO_APP_DIR})
    install(TARGETS ${target} RUNTIME DESTINATION ${destination})
endfunction()
