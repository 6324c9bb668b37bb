# The icon generator, our own drawing: PNGs for Linux's menus, an .ico for
# Windows. On Windows the build runs it under Wine.
add_library(waterfall_icon STATIC ${CMAKE_CURRENT_LIST_DIR}/png_writer.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ico_writer.cpp ${CMAKE_CURRENT_LIST_DIR}/icon_picture.cpp)
target_include_directories(waterfall_icon PUBLIC ${PROJECT_SOURCE_DIR})
# assets' little-endian field writers.
target_link_libraries(waterfall_icon PUBLIC waterfall_asset_makers)
add_executable(make_icon ${CMAKE_CURRENT_LIST_DIR}/make_icon.cpp)
target_link_libraries(make_icon PRIVATE waterfall_icon)

# Adds the build rule that draws `output`, a `size`-pixel square PNG icon.
function(waterfall_icon_png size output)
  get_filename_component(folder ${output} DIRECTORY)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND make_icon ${size} ${output}
    DEPENDS make_icon
    COMMENT "Drawing the ${size}x${size} icon")
endfunction()
