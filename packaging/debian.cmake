# What only the Debian package holds, in the component waterfall_deb, which
# `cmake --install` leaves out: the launcher in /usr/games, where Debian keeps
# games and demos, and the copyright file and changelog Debian asks for.
# Included by install.cmake, which provides waterfall_launcher and waterfall_gzip.
set(WATERFALL_DEB_BINDIR games)
set(WATERFALL_DEB_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/waterfall)  # Debian's, whatever DOCDIR says
set(WATERFALL_DEB_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/debian)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/LICENSE ${WATERFALL_DEB_SOURCE_DIR}/changelog)

waterfall_launcher(${WATERFALL_DEB_BINDIR} waterfall_deb EXCLUDE_FROM_ALL)

# The copyright file in Debian's machine-readable form, its licence text taken
# from LICENSE: each line indented by one blank, empty lines written as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
if(NOT license MATCHES "Copyright \\(c\\) ([^\n]+)")
  message(FATAL_ERROR "LICENSE has no \"Copyright (c)\" line")
endif()
set(WATERFALL_COPYRIGHT ${CMAKE_MATCH_1})
string(FIND "${license}" "Permission is hereby granted" start)
if(start EQUAL -1)
  message(FATAL_ERROR "LICENSE holds no MIT permission notice")
endif()
string(SUBSTRING "${license}" ${start} -1 license)
string(STRIP "${license}" license)
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " WATERFALL_LICENSE_TEXT " ${license}")
configure_file(${WATERFALL_DEB_SOURCE_DIR}/copyright.in ${PROJECT_BINARY_DIR}/packaging/copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright DESTINATION ${WATERFALL_DEB_DOCDIR}
        COMPONENT waterfall_deb EXCLUDE_FROM_ALL)

# The changelog's latest entry must be the version being packaged.
file(STRINGS ${WATERFALL_DEB_SOURCE_DIR}/changelog latest LIMIT_COUNT 1)
string(REPLACE "." "\\." version_pattern ${PROJECT_VERSION})
if(NOT latest MATCHES "^waterfall \\(${version_pattern}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog has no entry for ${PROJECT_VERSION} at its top")
endif()
waterfall_gzip(${WATERFALL_DEB_SOURCE_DIR}/changelog ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${WATERFALL_DEB_DOCDIR}
        COMPONENT waterfall_deb EXCLUDE_FROM_ALL)
