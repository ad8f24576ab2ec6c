# The Debian package, made by CPack from an install of the whole project
# (tools/package builds a release and runs it).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME miravel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # miravel_<version>_amd64.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "MIRA-VEL maintainers <miravel@orvendale.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for 3D models made of coloured unit cubes")
set(CPACK_PACKAGE_DESCRIPTION
"MIRA-VEL builds 3D models out of coloured unit cubes inside a bounded grid.
You paint one layer of the grid cell by cell, or stick new cubes onto the
faces of those already placed, copy and paste layers and undo every cell.
Models are saved as .mvf files; .vox files are read and written, and models
are exported to glTF, OBJ, PLY and STL and as pictures.
.
The command line converts models and draws pictures and file-manager
thumbnails without a display. The interface and user guide are in Japanese
and English.")
# Linked libraries: read from the program by dpkg-shlibdeps, so the list
# cannot drift from what the build links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What is loaded at run time and no linker sees: Mesa's GL drivers (the
# window's GLX, and EGL for pictures without a display), Qt's platform and
# image-format plugins, and the desktop's opener for the user guide.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libgl1-mesa-dri, libglx-mesa0, libegl-mesa0, qt6-qpa-plugins, qt6-image-formats-plugins, xdg-utils")
# The Japanese interface needs a font with its characters; Qt's own dialogs
# are translated by Debian.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
