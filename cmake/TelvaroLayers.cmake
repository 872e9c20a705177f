# What the build declares of the layers, for the test that holds the sources to it
# (cmake/check_layers.py): every compiled target of the project with its folder, its sources and
# the project targets it links, PUBLIC or PRIVATE. Written once every folder has been read.
#
# One line per target, fields separated by "|", lists by ",":
#   target|type|folder|sources|public links|private links

function(telvaro_collect_targets directory out_var)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory ${subdirectories})
        telvaro_collect_targets(${subdirectory} more)
        list(APPEND targets ${more})
    endforeach()
    set(${out_var} ${targets} PARENT_SCOPE)
endfunction()

function(telvaro_write_layers output)
    telvaro_collect_targets(${PROJECT_SOURCE_DIR} all_targets)
    set(targets)
    foreach(target ${all_targets})
        get_target_property(type ${target} TYPE)
        if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|INTERFACE_LIBRARY|EXECUTABLE)$")
            list(APPEND targets ${target})
        endif()
    endforeach()

    set(text)
    foreach(target ${targets})
        get_target_property(type ${target} TYPE)
        get_target_property(directory ${target} SOURCE_DIR)
        file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${directory})

        set(sources)
        get_target_property(target_sources ${target} SOURCES)
        foreach(source ${target_sources})
            cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${directory} NORMALIZE)
            cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${source} NORMALIZE in_tree)
            cmake_path(IS_PREFIX PROJECT_BINARY_DIR ${source} NORMALIZE in_build)
            if(in_tree AND NOT in_build)
                file(RELATIVE_PATH source ${PROJECT_SOURCE_DIR} ${source})
                list(APPEND sources ${source})
            endif()
        endforeach()

        # A static library's PRIVATE links reach its users only as $<LINK_ONLY:...>.
        set(public)
        set(private)
        get_target_property(interface_links ${target} INTERFACE_LINK_LIBRARIES)
        foreach(link ${interface_links})
            if(link IN_LIST targets)
                list(APPEND public ${link})
            endif()
        endforeach()
        if(NOT type STREQUAL "INTERFACE_LIBRARY")
            get_target_property(links ${target} LINK_LIBRARIES)
            foreach(link ${links})
                if(link IN_LIST targets AND NOT link IN_LIST public)
                    list(APPEND private ${link})
                endif()
            endforeach()
        endif()

        list(JOIN sources "," sources)
        list(JOIN public "," public)
        list(JOIN private "," private)
        string(APPEND text "${target}|${type}|${folder}|${sources}|${public}|${private}\n")
    endforeach()
    file(WRITE ${output} "${text}")
endfunction()

# Runs once the whole tree has been read, so every target and every link is known.
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR}
    CALL telvaro_write_layers ${PROJECT_BINARY_DIR}/telvaro_layers.txt)
