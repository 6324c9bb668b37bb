# Installation and the Debian package. The real program goes into a private
# folder; the `waterfall` launcher on the PATH starts it from the installed
# data folder, because the program reads its data from its working directory.
# Only these components are installed or packaged, never tests, benchmarks or
# fuzzers: `waterfall`, what every install holds; `waterfall_tree`, what only
# `cmake --install` adds (the launcher in bin/, the licence); `waterfall_deb`,
# what only the Debian package adds (debian.cmake).
include(GNUInstallDirs)

set(WATERFALL_ICON_SIZES 16 32 48 128 256)  # pixels, square
set(WATERFALL_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/waterfall)
set(WATERFALL_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/waterfall)

install(TARGETS waterfall RUNTIME DESTINATION ${WATERFALL_INSTALL_PROGRAM_DIR} COMPONENT waterfall)

# By name, so that a data file the build failed to make stops the install.
list(TRANSFORM WATERFALL_DATA_FILES PREPEND ${WATERFALL_DATA_DIR}/ OUTPUT_VARIABLE waterfall_data_paths)
install(FILES ${waterfall_data_paths} DESTINATION ${WATERFALL_INSTALL_DATA_DIR} COMPONENT waterfall)

# The launcher finds both folders relative to itself: the tree can be moved.
# Installs one into `bindir` (relative to the prefix) as part of `component`;
# further arguments go to install().
function(waterfall_launcher bindir component)
  file(RELATIVE_PATH WATERFALL_BIN_TO_DATA ${CMAKE_INSTALL_PREFIX}/${bindir}
       ${CMAKE_INSTALL_FULL_DATADIR}/waterfall)
  file(RELATIVE_PATH WATERFALL_BIN_TO_PROGRAM ${CMAKE_INSTALL_PREFIX}/${bindir}
       ${CMAKE_INSTALL_FULL_LIBEXECDIR}/waterfall/waterfall)
  set(launcher ${PROJECT_BINARY_DIR}/packaging/${bindir}/waterfall)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/waterfall.sh.in ${launcher} @ONLY)
  install(PROGRAMS ${launcher} DESTINATION ${bindir} COMPONENT ${component} ${ARGN})
endfunction()
waterfall_launcher(${CMAKE_INSTALL_BINDIR} waterfall_tree)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT waterfall_tree)

# The desktop entry and the AppStream metadata that software centres read are
# named by the freedesktop id, a reverse domain name. The project has no
# domain of its own yet: the default follows the maintainer's address below.
set(WATERFALL_APP_ID org.example.waterfall CACHE STRING
    "The freedesktop id: the desktop entry's file name and the AppStream id")
# The home page, for the AppStream metadata and the Debian package: by the
# same rule, a page at the maintainer's domain until the project has its own.
set(WATERFALL_HOMEPAGE_URL https://example.org/waterfall/ CACHE STRING
    "The project's https:// home page, named by the AppStream metadata and the Debian package")
install(FILES ${CMAKE_CURRENT_LIST_DIR}/waterfall.desktop RENAME ${WATERFALL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT waterfall)

# Compresses `source` into `output` at build time as Debian wants it: best
# compression, no file name or time stamp inside.
find_program(WATERFALL_GZIP gzip REQUIRED)
function(waterfall_gzip source output)
  get_filename_component(name ${output} NAME)
  add_custom_command(OUTPUT ${output}
    COMMAND ${WATERFALL_GZIP} -9n -c ${source} > ${output}
    DEPENDS ${source}
    COMMENT "Compressing ${name}")
  string(MAKE_C_IDENTIFIER "waterfall_gzip_${name}" target)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()

# The manual page goes in compressed, like every page in Debian.
waterfall_gzip(${PROJECT_SOURCE_DIR}/docs/waterfall.6 ${PROJECT_BINARY_DIR}/packaging/waterfall.6.gz)
install(FILES ${PROJECT_BINARY_DIR}/packaging/waterfall.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6
        COMPONENT waterfall)

# The icon is drawn by our own generator, at each size the menus ask for.
include(${CMAKE_CURRENT_LIST_DIR}/icon/icon.cmake)
set(waterfall_icon_files)
foreach(size IN LISTS WATERFALL_ICON_SIZES)
  set(icon ${PROJECT_BINARY_DIR}/packaging/icons/${size}x${size}/waterfall.png)
  waterfall_icon_png(${size} ${icon})
  list(APPEND waterfall_icon_files ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          COMPONENT waterfall)
endforeach()
add_custom_target(waterfall_icons ALL DEPENDS ${waterfall_icon_files})

include(${CMAKE_CURRENT_LIST_DIR}/debian.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/metainfo.cmake)

# Where an installed tree keeps what, for scripts/package-test.
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/packaging/layout.sh @ONLY CONTENT
"# Written by CMake: an installed tree's layout, relative to its prefix.
version=@PROJECT_VERSION@
bindir=@CMAKE_INSTALL_BINDIR@
programdir=@WATERFALL_INSTALL_PROGRAM_DIR@
datadir=@WATERFALL_INSTALL_DATA_DIR@
sharedir=@CMAKE_INSTALL_DATADIR@
mandir=@CMAKE_INSTALL_MANDIR@
docdir=@CMAKE_INSTALL_DOCDIR@
app_id=@WATERFALL_APP_ID@
deb_bindir=@WATERFALL_DEB_BINDIR@
deb_docdir=@WATERFALL_DEB_DOCDIR@
data_files='@WATERFALL_DATA_FILES@'
icon_sizes='@WATERFALL_ICON_SIZES@'
")

# The Debian package: `cpack -G DEB` in the build folder.
set(WATERFALL_MAINTAINER "Water Fall developers <waterfall@example.org>"
    CACHE STRING "The Debian package's maintainer, as Name <address>")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME waterfall)
set(CPACK_PACKAGE_VENDOR "Water Fall developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D OpenGL scene of a waterfall of thousands of spheres")
# Lines of the long description, kept under 80 columns for dpkg and apt.
set(CPACK_PACKAGE_DESCRIPTION
    "Water Fall draws a waterfall of thousands of small spheres pouring from rock\n\
ledges onto a textured ground, lit by coloured lights, with optional fog and a\n\
looping background sound. Keys start and stop the pour, toggle the fog and\n\
reset the camera; the mouse orbits or zooms; a right-button menu switches the\n\
red, green and blue lights.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${WATERFALL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${WATERFALL_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SECTION games)  # a demo to watch and steer, with its command in /usr/games
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps names the packages of GLUT, GLU, GL, SDL2 and the C++ runtime
# from the libraries the program links, with their minimum versions.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};waterfall;/")
# cpack_generators.cmake adds the components that each kind of package holds.
set(CPACK_WATERFALL_DEB_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};waterfall_deb;/")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_generators.cmake)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
include(CPack)
