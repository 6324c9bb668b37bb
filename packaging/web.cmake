# The browser's folder of static files, page/ in the build folder, holding
# the page alone: index.html with the page's other files beside it,
# waterfall.js, waterfall.wasm and waterfall.data, the data package holding
# the four data files at /, the working directory where the program's fopen
# looks for them; the icons of the web app manifest, and service-worker.js,
# the page's offline copy. The page's own GLUT is built here, and its GL
# layer (waterfall_gl_layer) by web/gl/: the libraries that GLUT::GLUT and
# OpenGL::GL stand for.
set(WATERFALL_WEB_PAGE_DIR ${PROJECT_BINARY_DIR}/page)
file(MAKE_DIRECTORY ${WATERFALL_WEB_PAGE_DIR})

file(GLOB glut_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/web/glut/*.cpp)
add_library(waterfall_web_glut STATIC ${glut_sources})
# GLUT's hooks for the page step the program's pour and count its drops.
target_link_libraries(waterfall_web_glut PUBLIC waterfall_core waterfall_gl_layer)
set_target_properties(waterfall PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${WATERFALL_WEB_PAGE_DIR})

# The generators are built for the browser too and run under node (the
# toolchain's emulator), reading and writing the real file system; the
# pictures, the sound and the icon come out byte for byte as the native ones.
include(${CMAKE_CURRENT_LIST_DIR}/icon/icon.cmake)
foreach(tool generate_assets make_icon)
  target_link_options(${tool} PRIVATE -sNODERAWFS=1 -sWASM_ASYNC_COMPILATION=0
    -sALLOW_MEMORY_GROWTH=1)
endforeach()

foreach(name IN LISTS WATERFALL_DATA_FILES)
  target_link_options(waterfall PRIVATE "SHELL:--preload-file ${WATERFALL_DATA_DIR}/${name}@/${name}")
  list(APPEND WATERFALL_WEB_DATA_FILES ${WATERFALL_DATA_DIR}/${name})
endforeach()
add_dependencies(waterfall waterfall_data)
# Relinked when a data file changes.
set_property(TARGET waterfall APPEND PROPERTY LINK_DEPENDS ${WATERFALL_WEB_DATA_FILES})

# The page: the files of web/ itself but this note and the worker's template.
file(GLOB WATERFALL_WEB_PAGE_FILES LIST_DIRECTORIES false CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/web/*)
list(FILTER WATERFALL_WEB_PAGE_FILES EXCLUDE REGEX "\\.md$|\\.in$")
foreach(file IN LISTS WATERFALL_WEB_PAGE_FILES)
  get_filename_component(name ${file} NAME)
  list(APPEND WATERFALL_WEB_PAGE_COPIES ${WATERFALL_WEB_PAGE_DIR}/${name})
  add_custom_command(OUTPUT ${WATERFALL_WEB_PAGE_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${WATERFALL_WEB_PAGE_DIR}/${name}
    DEPENDS ${file})
endforeach()
add_custom_target(waterfall_web_page ALL DEPENDS ${WATERFALL_WEB_PAGE_COPIES})

# The manifest's icons, at the sizes browsers ask for: 192 pixels for the
# launcher, 512 for the splash screen; packed by node's zlib (the generator
# stores its pixels uncompressed: 1.0 MB at 512 pixels, 0.1 MB packed).
set(packer ${CMAKE_CURRENT_LIST_DIR}/deflate_png.mjs)
foreach(size 192 512)
  set(stored ${PROJECT_BINARY_DIR}/packaging/icon-${size}.png)  # outside the served files
  set(icon ${WATERFALL_WEB_PAGE_DIR}/icon-${size}.png)
  waterfall_icon_png(${size} ${stored})
  add_custom_command(OUTPUT ${icon}
    COMMAND ${NODE_JS_EXECUTABLE} ${packer} ${stored} ${icon}
    DEPENDS ${stored} ${packer}
    COMMENT "Packing the ${size}x${size} icon")
  list(APPEND WATERFALL_WEB_ICONS ${icon})
endforeach()

# The service worker keeps every file of the folder, checked by its digest, in
# a cache named after them all: written again whenever one of them changes.
set(waterfall_web_kept waterfall.js waterfall.wasm waterfall.data)
foreach(path IN LISTS WATERFALL_WEB_PAGE_COPIES WATERFALL_WEB_ICONS)
  get_filename_component(name ${path} NAME)
  list(APPEND waterfall_web_kept ${name})
endforeach()
list(SORT waterfall_web_kept)
list(JOIN waterfall_web_kept "|" waterfall_web_kept)
set(template ${PROJECT_SOURCE_DIR}/web/service-worker.js.in)
set(script ${CMAKE_CURRENT_LIST_DIR}/web_offline.cmake)
# waterfall.wasm and waterfall.data are written with waterfall.js, the target's file.
add_custom_command(OUTPUT ${WATERFALL_WEB_PAGE_DIR}/service-worker.js
  COMMAND ${CMAKE_COMMAND} -DFOLDER=${WATERFALL_WEB_PAGE_DIR} -DFILES=${waterfall_web_kept}
    -DTEMPLATE=${template} -DOUTPUT=${WATERFALL_WEB_PAGE_DIR}/service-worker.js -P ${script}
  DEPENDS waterfall ${WATERFALL_WEB_PAGE_COPIES} ${WATERFALL_WEB_ICONS} ${template} ${script}
  COMMENT "Writing the service worker for this build's files"
  VERBATIM)
add_custom_target(waterfall_web_offline ALL DEPENDS ${WATERFALL_WEB_PAGE_DIR}/service-worker.js)
