# The browser build (Emscripten): the program compiled to WebAssembly, GL
# emulated over WebGL, GLUT from Emscripten with its gaps filled by web/*.js.
# GLU's quadrics come from Debian's libglu source, built once by
# scripts/build-web into a cached static library.
set(WATERFALL_WEB_GLU_CACHE "$ENV{WATERFALL_WEB_GLU_CACHE}")
if(NOT WATERFALL_WEB_GLU_CACHE)
  set(WATERFALL_WEB_GLU_CACHE ${PROJECT_SOURCE_DIR}/.cache/web-glu)
endif()
set(WATERFALL_WEB_GLU ${WATERFALL_WEB_GLU_CACHE}/libglu-quadrics.a CACHE FILEPATH
  "GLU's quad.c and project.c built with emcc (scripts/build-web makes it)")

file(GLOB WATERFALL_SOURCES CONFIGURE_DEPENDS app/*.cpp particles/*.cpp scene/*.cpp image/*.cpp)
list(REMOVE_ITEM WATERFALL_SOURCES ${PROJECT_SOURCE_DIR}/app/main.cpp
  ${PROJECT_SOURCE_DIR}/app/sound.cpp ${PROJECT_SOURCE_DIR}/app/swap_interval.cpp)
add_library(waterfall_core STATIC ${WATERFALL_SOURCES}
  app/platform/sound_web.cpp app/platform/swap_interval_web.cpp)
target_include_directories(waterfall_core PUBLIC ${PROJECT_SOURCE_DIR})

add_executable(waterfall app/main.cpp)
set(WATERFALL_WEB_LIBRARIES ${PROJECT_SOURCE_DIR}/web/library_gl_gaps.js
  ${PROJECT_SOURCE_DIR}/web/library_glut_gaps.js ${PROJECT_SOURCE_DIR}/web/library_page_hooks.js)
list(TRANSFORM WATERFALL_WEB_LIBRARIES PREPEND --js-library= OUTPUT_VARIABLE WATERFALL_WEB_LIBRARY_FLAGS)
target_link_libraries(waterfall PRIVATE waterfall_core ${WATERFALL_WEB_GLU}
  -sLEGACY_GL_EMULATION=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1 ${WATERFALL_WEB_LIBRARY_FLAGS})
set_property(TARGET waterfall APPEND PROPERTY LINK_DEPENDS ${WATERFALL_WEB_LIBRARIES})

add_subdirectory(assets)
include(packaging/web.cmake)
