# Installs the build into a scratch prefix and checks that the program, its
# desktop entry and the user guide land where a desktop and the program find them.
# Run with -DBUILD_DIR=<build tree> -DPREFIX=<scratch folder>
# -DBINDIR=<relative program folder> -DDATADIR=<relative data folder>.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "install failed: ${rc}")
endif()

set(program ${PREFIX}/${BINDIR}/miravel)
set(entry ${PREFIX}/${DATADIR}/applications/miravel.desktop)
# The help command finds the guide from the program's folder.
set(guide ${PREFIX}/${DATADIR}/doc/miravel/guide)
foreach(f IN ITEMS ${program} ${entry} ${guide}/en/index.html ${guide}/ja/index.html ${guide}/guide.css
                   ${guide}/images/editor-en.png ${guide}/images/editor-ja.png)
    if(NOT EXISTS ${f})
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()
execute_process(COMMAND test -x ${program} RESULT_VARIABLE not_executable)
if(NOT not_executable EQUAL 0)
    message(FATAL_ERROR "not executable: ${program}")
endif()

file(READ ${entry} text)
set(text "\n${text}")
foreach(expected IN ITEMS "[Desktop Entry]" "Type=Application" "Name=MIRA-VEL" "Exec=miravel %f")
    string(FIND "${text}" "\n${expected}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${entry} lacks the line: ${expected}")
    endif()
endforeach()
if(NOT text MATCHES "\nCategories=Graphics;3DGraphics;\n")
    message(FATAL_ERROR "${entry} lacks the categories Graphics and 3DGraphics")
endif()
if(text MATCHES "\nMimeType=")
    message(FATAL_ERROR "the entry must not claim file types")
endif()
if(NOT text MATCHES "\nIcon=([^\n]+)\n")
    message(FATAL_ERROR "${entry} names no icon")
endif()
set(icon ${CMAKE_MATCH_1})
# When the build has icons, the one the entry names must be installed.
file(GLOB_RECURSE icons ${PREFIX}/${DATADIR}/icons/*)
if(icons)
    list(FILTER icons INCLUDE REGEX "/${icon}\\.(png|svg)$")
    if(NOT icons)
        message(FATAL_ERROR "icon ${icon} is not installed")
    endif()
endif()
file(REMOVE_RECURSE ${PREFIX})
