# Writes what the layering check needs to know about the build: for every
# target its folder, its source files, the libraries it links directly and the
# ones its users inherit. Included by the top CMakeLists once every target
# exists; tests/layering/check_layers.cmake reads the result.

function(miravel_collect_targets dir out)
    get_property(here DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(sub IN LISTS subdirs)
        miravel_collect_targets(${sub} below)
        list(APPEND here ${below})
    endforeach()
    set(${out} ${here} PARENT_SCOPE)
endfunction()

# Only the project's own targets count; generator expressions are dropped,
# and so are $<LINK_ONLY:...> entries, which link without lending headers.
function(miravel_own_links target property known out)
    get_target_property(links ${target} ${property})
    set(kept)
    if(links)
        foreach(lib IN LISTS links)
            if(lib IN_LIST known)
                list(APPEND kept ${lib})
            endif()
        endforeach()
    endif()
    set(${out} ${kept} PARENT_SCOPE)
endfunction()

function(miravel_write_layer_data file)
    miravel_collect_targets(${PROJECT_SOURCE_DIR} all)
    set(known)
    foreach(t IN LISTS all)
        get_target_property(type ${t} TYPE)
        if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|INTERFACE_LIBRARY|EXECUTABLE)$")
            list(APPEND known ${t})
        endif()
    endforeach()

    set(text "set(MIRAVEL_LAYERS \"${MIRAVEL_LAYERS}\")\nset(MIRAVEL_TARGETS \"${known}\")\n")
    foreach(t IN LISTS known)
        get_target_property(dir ${t} SOURCE_DIR)
        file(RELATIVE_PATH rel_dir ${PROJECT_SOURCE_DIR} ${dir})
        get_target_property(sources ${t} SOURCES)
        set(files)
        foreach(s IN LISTS sources)
            if(s MATCHES "^\\$<")
                continue()
            endif()
            if(NOT IS_ABSOLUTE ${s})
                set(s ${dir}/${s})
            endif()
            cmake_path(NORMAL_PATH s)
            cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${s} in_tree)
            cmake_path(IS_PREFIX PROJECT_BINARY_DIR ${s} in_build)
            if(in_tree AND NOT in_build AND s MATCHES "\\.(h|cpp)$")
                file(RELATIVE_PATH s ${PROJECT_SOURCE_DIR} ${s})
                list(APPEND files ${s})
            endif()
        endforeach()
        miravel_own_links(${t} LINK_LIBRARIES "${known}" direct)
        miravel_own_links(${t} INTERFACE_LINK_LIBRARIES "${known}" public)
        get_target_property(type ${t} TYPE)
        string(APPEND text "set(T_${t}_DIR \"${rel_dir}\")\n"
            "set(T_${t}_TYPE \"${type}\")\n"
            "set(T_${t}_FILES \"${files}\")\n"
            "set(T_${t}_LINKS \"${direct}\")\n"
            "set(T_${t}_PUBLIC \"${public}\")\n")
    endforeach()
    file(WRITE ${file} "${text}")
endfunction()
