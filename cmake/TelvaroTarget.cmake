# Settings shared by every target of the project, kept per target rather than global.
function(telvaro_configure_target target)
    target_compile_definitions(${target} PRIVATE
        QT_NO_CAST_FROM_ASCII
        QT_NO_CAST_TO_ASCII
        QT_NO_CAST_FROM_BYTEARRAY
        QT_NO_URL_CAST_FROM_STRING)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /utf-8)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    endif()
endfunction()

# An executable that is installed beside the program.
function(telvaro_add_app_executable target)
    add_executable(${target} ${ARGN})
    telvaro_configure_target(${target})
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TELVARO_APP_DIR})
    install(TARGETS ${target} RUNTIME DESTINATION .)
endfunction()
