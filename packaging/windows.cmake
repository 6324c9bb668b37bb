# Windows packaging. The installed program is one folder: waterfall.exe beside
# its data files (it reads them from its working directory), a README and the
# licence. CPack packs that folder as a ZIP and as an NSIS installer whose
# Start-menu shortcut starts the program in that folder. Only the component
# `waterfall` is packaged: never tests or build tools such as make_icon.exe.
include(${CMAKE_CURRENT_LIST_DIR}/icon/icon.cmake)

set(WATERFALL_WINDOWS_ICON_SIZES 16 24 32 48 64 256)  # pixels, square
set(WATERFALL_WINDOWS_NAME "Water Fall")  # install folder, shortcut, Add/Remove Programs entry
set(WATERFALL_WINDOWS_PROGRAM waterfall${CMAKE_EXECUTABLE_SUFFIX})
set(WATERFALL_WINDOWS_README README.txt)
set(WATERFALL_WINDOWS_LICENSE LICENSE.txt)

# The icon, drawn by our generator under Wine and embedded in the program.
# freeglut gives its window the icon resource named GLUT_ICON; Explorer and
# the shortcut show the program's first icon, which is the same one.
set(WATERFALL_ICO ${PROJECT_BINARY_DIR}/packaging/waterfall.ico)
add_custom_command(OUTPUT ${WATERFALL_ICO}
  COMMAND make_icon ${WATERFALL_WINDOWS_ICON_SIZES} ${WATERFALL_ICO}
  DEPENDS make_icon
  COMMENT "Drawing the Windows icon")
set(waterfall_rc ${PROJECT_BINARY_DIR}/packaging/waterfall.rc)
file(CONFIGURE OUTPUT ${waterfall_rc} CONTENT "GLUT_ICON ICON \"${WATERFALL_ICO}\"\n")
target_sources(waterfall PRIVATE ${waterfall_rc})
# windres reports no dependencies of its own.
set_source_files_properties(${waterfall_rc} PROPERTIES OBJECT_DEPENDS ${WATERFALL_ICO})

install(TARGETS waterfall RUNTIME DESTINATION . COMPONENT waterfall)
# By name, so that a data file the build failed to make stops the install.
list(TRANSFORM WATERFALL_DATA_FILES PREPEND ${WATERFALL_DATA_DIR}/ OUTPUT_VARIABLE waterfall_data_paths)
install(FILES ${waterfall_data_paths} DESTINATION . COMPONENT waterfall)
configure_file(${CMAKE_CURRENT_LIST_DIR}/README-windows.txt.in
  ${PROJECT_BINARY_DIR}/packaging/${WATERFALL_WINDOWS_README} @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${WATERFALL_WINDOWS_README} DESTINATION . COMPONENT waterfall)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME ${WATERFALL_WINDOWS_LICENSE}
        COMPONENT waterfall)

# `cpack` in the build folder makes both packages in package/.
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_VERBATIM_VARIABLES ON)  # NSIS's backslashes and $ reach the script as written
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "Water Fall developers")
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${WATERFALL_WINDOWS_NAME})
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${WATERFALL_WINDOWS_NAME})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};waterfall;/")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)

# A 64-bit installer for a 64-bit program: it installs under the 64-bit
# Program Files and registers in the 64-bit registry view (and Wine runs it
# without its 32-bit half).
set(CPACK_NSIS_DEFINES "  Target amd64-unicode")
set(CPACK_NSIS_PACKAGE_NAME ${WATERFALL_WINDOWS_NAME})
set(CPACK_NSIS_DISPLAY_NAME ${WATERFALL_WINDOWS_NAME})
set(CPACK_NSIS_MUI_ICON ${WATERFALL_ICO})
set(CPACK_NSIS_MUI_UNIICON ${WATERFALL_ICO})
set(CPACK_NSIS_INSTALLED_ICON_NAME ${WATERFALL_WINDOWS_PROGRAM})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The shortcut's working folder is the output path at the time it is made:
# the install folder, where the data files are.
set(CPACK_NSIS_CREATE_ICONS_EXTRA "  SetOutPath \"$INSTDIR\"
  CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\${WATERFALL_WINDOWS_NAME}.lnk\" \"$INSTDIR\\${WATERFALL_WINDOWS_PROGRAM}\"")
# CPack's uninstaller deletes Software\<vendor>\<name> but not the vendor's
# key above it; this hook runs after that deletion.
set(CPACK_NSIS_DELETE_ICONS_EXTRA "  Delete \"$SMPROGRAMS\\$MUI_TEMP\\${WATERFALL_WINDOWS_NAME}.lnk\"
  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"")

# What the packages hold and where the installer puts it, for
# scripts/windows-package-test.
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/packaging/windows-layout.sh @ONLY CONTENT
"# Written by CMake: the Windows packages' names and contents.
package_name=@CPACK_PACKAGE_FILE_NAME@
program=@WATERFALL_WINDOWS_PROGRAM@
data_files='@WATERFALL_DATA_FILES@'
readme=@WATERFALL_WINDOWS_README@
license=@WATERFALL_WINDOWS_LICENSE@
name='@WATERFALL_WINDOWS_NAME@'
window_title='Water Fall'
")

include(CPack)
