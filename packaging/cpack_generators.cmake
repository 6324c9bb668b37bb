# Read by cpack once for each kind of package it makes: adds the components
# that only that kind holds to the ones every package holds.
if(CPACK_GENERATOR STREQUAL "DEB")
  list(APPEND CPACK_INSTALL_CMAKE_PROJECTS ${CPACK_WATERFALL_DEB_PROJECTS})
endif()
