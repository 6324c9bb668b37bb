# The one place where the build differs by platform: the program's own
# per-platform sources and libraries, the GL stand-ins the unit tests link,
# and which tests, benchmarks and packages each platform has. Included once
# by the top CMakeLists.txt, before any target. Adding a platform means
# adding its files and one branch here.
#
# Sets:
#   WATERFALL_PLATFORM                linux | windows | web
#   WATERFALL_PLATFORM_SOURCES        the program's per-platform files (app/platform/), in waterfall_core
#   WATERFALL_PLATFORM_CORE_LIBRARIES what those files need, linked by waterfall_core
#   WATERFALL_PLATFORM_LIBRARIES      what the executable links besides GLUT, GLU and GL
#   WATERFALL_PLATFORM_GL_DEFINITIONS definitions wherever GL's and GLUT's headers are read
#   WATERFALL_STANDIN_KIND            STATIC or SHARED: how the GL stand-ins are built
#   WATERFALL_STANDIN_SOURCES         the recording stand-in's per-platform files
#   WATERFALL_PLATFORM_UNIT_TESTS     per-platform unit test files (tests/unit/platform/)
#   WATERFALL_PLATFORM_TEST_DIRS      the tests/ subfolders built
#   WATERFALL_DISCOVER_UNIT_CASES     whether CTest lists each unit case, or the platform's
#                                     folder runs the unit programs whole (under Wine)
#   WATERFALL_PLATFORM_BENCH          whether bench/ is built
#   WATERFALL_PLATFORM_PACKAGING      the packaging file included
#   WATERFALL_PLATFORM_GL_LAYER       whether web/gl (the GL layer over ES) is built
# Source paths are given from the top of the tree and made absolute below.

if(EMSCRIPTEN)
  set(WATERFALL_PLATFORM web)
  # WebAssembly and WebGL through Emscripten's public API alone: GL 1.x
  # answered by the page's own layer over WebGL (web/gl/), GLUT by its own
  # over html5.h (web/glut/), both built by packaging/web.cmake. GLU's
  # quadrics (and a working gluLookAt) come from Debian's libglu source,
  # built once by scripts/build-web into a cache.
  set(WATERFALL_WEB_GLU ${PROJECT_SOURCE_DIR}/.cache/web-glu/libglu-quadrics.a CACHE FILEPATH
    "GLU's quad.c and project.c built with emcc (scripts/build-web makes it)")
  add_library(OpenGL::GL INTERFACE IMPORTED)
  set_property(TARGET OpenGL::GL PROPERTY INTERFACE_LINK_LIBRARIES waterfall_gl_layer)
  add_library(OpenGL::GLU INTERFACE IMPORTED)
  set_property(TARGET OpenGL::GLU PROPERTY INTERFACE_LINK_LIBRARIES ${WATERFALL_WEB_GLU})
  add_library(GLUT::GLUT INTERFACE IMPORTED)
  set_property(TARGET GLUT::GLUT PROPERTY INTERFACE_LINK_LIBRARIES waterfall_web_glut)
  set(GLUT_glut_LIBRARY waterfall_web_glut CACHE STRING "The page's own GLUT (web/glut/)")
  set(WATERFALL_PLATFORM_SOURCES app/platform/sound_web.cpp app/platform/swap_interval_web.cpp)
  set(WATERFALL_PLATFORM_CORE_LIBRARIES)
  # exit() ends the page's program (EXIT_RUNTIME), through GLUT's wrapper,
  # which stops its loop first; WebGL 2 where the browser has it, else 1.
  # The data package is added by packaging/web.cmake.
  set(WATERFALL_PLATFORM_LIBRARIES -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1
    -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=2 -Wl,--wrap=exit)
  set(WATERFALL_PLATFORM_GL_DEFINITIONS)
  set(WATERFALL_STANDIN_KIND STATIC)
  set(WATERFALL_STANDIN_SOURCES)
  set(WATERFALL_PLATFORM_UNIT_TESTS)
  # The browser's tests are node's, in real Chromium (tests/browser/, run by scripts).
  set(WATERFALL_PLATFORM_TEST_DIRS)
  set(WATERFALL_PLATFORM_BENCH OFF)
  set(WATERFALL_PLATFORM_PACKAGING packaging/web.cmake)  # the page's folder of static files
  set(WATERFALL_PLATFORM_GL_LAYER ON)
elseif(WIN32)
  set(WATERFALL_PLATFORM windows)
  # Every program, the tools the build runs under Wine included, carries its
  # C++ runtime and threads inside: nothing but Windows' own DLLs beside it.
  add_link_options(-static)
  find_package(OpenGL REQUIRED COMPONENTS OpenGL)
  # PlaySoundA plays the sound; WGL asks for the swap interval.
  set(WATERFALL_PLATFORM_SOURCES app/platform/sound_winmm.cpp app/platform/swap_interval_wgl.cpp)
  set(WATERFALL_PLATFORM_CORE_LIBRARIES)
  # winmm answers PlaySoundA; gdi32 and winmm also serve freeglut.
  set(WATERFALL_PLATFORM_LIBRARIES winmm gdi32)
  # freeglut is linked in statically there, so its header must not ask for a DLL.
  set(WATERFALL_PLATFORM_GL_DEFINITIONS FREEGLUT_STATIC)
  # GL lives in a DLL and the program's gl.h imports its calls from one, so
  # the stand-ins are DLLs too (see tests/support/standin_exports.h).
  set(WATERFALL_STANDIN_KIND SHARED)
  set(WATERFALL_STANDIN_SOURCES tests/support/wgl_standin.cpp tests/support/winmm_standin.cpp
    tests/support/freeglut_exit_standin.cpp)
  set(WATERFALL_PLATFORM_UNIT_TESTS tests/unit/platform/sound_winmm_test.cpp)
  # The Windows-only checks; the Linux harness drives the program under Wine.
  set(WATERFALL_PLATFORM_TEST_DIRS windows)
  set(WATERFALL_DISCOVER_UNIT_CASES OFF)  # one Wine start a program, not one a case
  set(WATERFALL_PLATFORM_BENCH OFF)
  set(WATERFALL_PLATFORM_PACKAGING packaging/windows.cmake)  # one folder, a ZIP and an installer
  set(WATERFALL_PLATFORM_GL_LAYER OFF)
else()
  set(WATERFALL_PLATFORM linux)
  find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)  # the swap interval asks GLX
  find_package(SDL2 REQUIRED)
  set(WATERFALL_PLATFORM_SOURCES app/platform/sound_sdl.cpp app/platform/swap_interval_glx.cpp)
  set(WATERFALL_PLATFORM_CORE_LIBRARIES SDL2::SDL2)
  set(WATERFALL_PLATFORM_LIBRARIES OpenGL::GLX)
  set(WATERFALL_PLATFORM_GL_DEFINITIONS)
  set(WATERFALL_STANDIN_KIND STATIC)
  set(WATERFALL_STANDIN_SOURCES tests/support/glx_standin.cpp)
  set(WATERFALL_PLATFORM_UNIT_TESTS tests/unit/platform/swap_interval_glx_test.cpp)
  set(WATERFALL_PLATFORM_TEST_DIRS e2e frame soak)
  if(WATERFALL_SANITIZE)
    list(APPEND WATERFALL_PLATFORM_TEST_DIRS sanitizers)
  endif()
  list(APPEND WATERFALL_PLATFORM_TEST_DIRS package)
  set(WATERFALL_DISCOVER_UNIT_CASES ON)
  set(WATERFALL_PLATFORM_BENCH ON)
  set(WATERFALL_PLATFORM_PACKAGING packaging/install.cmake)  # the installed tree and the Debian package
  # The browser's GL layer, built here over EGL for its frame test, where
  # the ES headers are (the test packages bring them).
  find_path(WATERFALL_GLES2_INCLUDE_DIR GLES2/gl2.h)
  if(WATERFALL_GLES2_INCLUDE_DIR)
    set(WATERFALL_PLATFORM_GL_LAYER ON)
  else()
    set(WATERFALL_PLATFORM_GL_LAYER OFF)
  endif()
endif()

foreach(list WATERFALL_PLATFORM_SOURCES WATERFALL_STANDIN_SOURCES WATERFALL_PLATFORM_UNIT_TESTS
             WATERFALL_PLATFORM_PACKAGING)
  list(TRANSFORM ${list} PREPEND ${PROJECT_SOURCE_DIR}/)
endforeach()
