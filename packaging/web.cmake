# The browser's folder of static files, in the build folder: index.html with
# the page's other files beside it, waterfall.js, waterfall.wasm and
# waterfall.data, the data package holding the four data files at /, the
# working directory where the program's fopen looks for them.

# The generator is built for the browser too and runs under node (the
# toolchain's emulator), reading and writing the real file system; its
# pictures and sound come out byte for byte as the native generator's.
target_link_options(generate_assets PRIVATE -sNODERAWFS=1 -sWASM_ASYNC_COMPILATION=0
  -sALLOW_MEMORY_GROWTH=1)

foreach(name IN LISTS WATERFALL_DATA_FILES)
  target_link_options(waterfall PRIVATE "SHELL:--preload-file ${WATERFALL_DATA_DIR}/${name}@/${name}")
  list(APPEND WATERFALL_WEB_DATA_FILES ${WATERFALL_DATA_DIR}/${name})
endforeach()
add_dependencies(waterfall waterfall_data)
# Relinked when a data file or one of web/*.js changes.
set_property(TARGET waterfall APPEND PROPERTY LINK_DEPENDS ${WATERFALL_WEB_DATA_FILES}
  ${WATERFALL_WEB_JS_LIBRARIES})

# The page: everything in web/ but the engine's JS libraries, linked into waterfall.js.
file(GLOB WATERFALL_WEB_PAGE_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/web/*)
list(FILTER WATERFALL_WEB_PAGE_FILES EXCLUDE REGEX "/library_[^/]*\\.js$|\\.md$")
foreach(file IN LISTS WATERFALL_WEB_PAGE_FILES)
  get_filename_component(name ${file} NAME)
  list(APPEND WATERFALL_WEB_PAGE_COPIES ${PROJECT_BINARY_DIR}/${name})
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${PROJECT_BINARY_DIR}/${name}
    DEPENDS ${file})
endforeach()
add_custom_target(waterfall_web_page ALL DEPENDS ${WATERFALL_WEB_PAGE_COPIES})
