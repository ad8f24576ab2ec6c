# Installs the build into a scratch prefix and checks that the program, its
# desktop files and the user guide land where a desktop and the program find
# them, and that the desktop's own tools accept them: the entry, the software
# centre's metadata, the file types (a file is known by its name and by its
# first bytes) and the editor as what opens them.
# Run with -DBUILD_DIR=<build tree> -DPREFIX=<scratch folder>
# -DBINDIR=<relative program folder> -DDATADIR=<relative data folder>
# -DSAMPLE=<a model file>.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "install failed: ${rc}")
endif()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${rc}):\n${out}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

set(share ${PREFIX}/${DATADIR})
set(program ${PREFIX}/${BINDIR}/miravel)
set(entry ${share}/applications/com.orvendale.miravel.desktop)
# The help command finds the guide from the program's folder.
set(guide ${share}/doc/miravel/guide)
foreach(f IN ITEMS ${program} ${entry} ${guide}/en/index.html ${guide}/ja/index.html ${guide}/guide.css
                   ${guide}/images/editor-en.png ${guide}/images/editor-ja.png ${share}/mime/packages/miravel.xml
                   ${share}/thumbnailers/miravel.thumbnailer ${share}/metainfo/com.orvendale.miravel.metainfo.xml
                   ${share}/man/man1/miravel.1.gz ${share}/doc/miravel/copyright)
    if(NOT EXISTS ${f})
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()
run(test -x ${program})

file(READ ${entry} text)
set(text "\n${text}")
foreach(expected IN ITEMS "Name=MIRA-VEL" "Exec=miravel %f" "Categories=Graphics;3DGraphics;"
                          "MimeType=application/x-miravel;application/x-magicavoxel;")
    string(FIND "${text}" "\n${expected}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${entry} lacks the line: ${expected}")
    endif()
endforeach()
if(NOT text MATCHES "\nIcon=([^\n]+)\n")
    message(FATAL_ERROR "${entry} names no icon")
endif()
foreach(size 16x16 24x24 32x32 48x48 64x64 128x128 256x256)
    if(NOT EXISTS ${share}/icons/hicolor/${size}/apps/${CMAKE_MATCH_1}.png)
        message(FATAL_ERROR "icon ${CMAKE_MATCH_1} is not installed at ${size}")
    endif()
endforeach()

run(desktop-file-validate ${entry})
if(out)
    message(FATAL_ERROR "desktop-file-validate: ${out}")
endif()
run(appstreamcli validate-tree --no-net --pedantic ${PREFIX})
run(xmllint --noout ${share}/mime/packages/miravel.xml)
run(update-mime-database ${share}/mime)
run(update-desktop-database ${share}/applications)
execute_process(COMMAND man --warnings -E UTF-8 -l -Tutf8 -Z ${share}/man/man1/miravel.1.gz
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE warnings)
if(NOT rc EQUAL 0 OR warnings)
    message(FATAL_ERROR "the manual page (${rc}): ${warnings}")
endif()

# GLib's reading of the shared database, as file managers see it: only the
# installed files, no user's own, and the program on the PATH (an entry
# whose program is missing counts for nothing).
set(scratch ${PREFIX}/files)
file(MAKE_DIRECTORY ${scratch})
file(COPY_FILE ${SAMPLE} ${scratch}/house.mvf)
file(COPY_FILE ${SAMPLE} ${scratch}/house.backup)
file(WRITE ${scratch}/tree.vox "VOX 150")
file(WRITE ${scratch}/renamed.dat "VOX 150")
set(xdg ${CMAKE_COMMAND} -E env "PATH=${PREFIX}/${BINDIR}:$ENV{PATH}" XDG_DATA_HOME=${scratch}/none XDG_DATA_DIRS=${share}:/usr/share
        XDG_CONFIG_HOME=${scratch}/none XDG_CONFIG_DIRS=${scratch}/none)
foreach(pair IN ITEMS "house.mvf=application/x-miravel" "house.backup=application/x-miravel"
                      "tree.vox=application/x-magicavoxel" "renamed.dat=application/x-magicavoxel")
    string(REPLACE "=" ";" pair ${pair})
    list(GET pair 0 name)
    list(GET pair 1 type)
    run(${xdg} gio info -a standard::content-type ${scratch}/${name})
    if(NOT out MATCHES "standard::content-type: ${type}\n")
        message(FATAL_ERROR "${name} is not seen as ${type}:\n${out}")
    endif()
endforeach()
# A double click opens both with the editor.
foreach(type application/x-miravel application/x-magicavoxel)
    run(${xdg} gio mime ${type})
    if(NOT out MATCHES "com\\.orvendale\\.miravel\\.desktop")
        message(FATAL_ERROR "${type} does not open with the editor:\n${out}")
    endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
