# Third-party libraries, all from Debian's packages.
#   Both builds:   GTest::gtest, GTest::gtest_main (and GTest::gmock) from the googletest sources;
#                  nv_png (native: libpng-dev).
#   Windows build: nv_zlib, nv_png (static libpng built into deps/ by scripts/setup.sh),
#                  nv_juce (juce_core + juce_events, compiled here as a static library).

set(NV_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${NV_GOOGLETEST_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${NV_GOOGLETEST_DIR}: run scripts/setup.sh")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${NV_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL)
foreach(lib gtest gtest_main gmock gmock_main)
  if(TARGET ${lib} AND NOT TARGET GTest::${lib})
    add_library(GTest::${lib} ALIAS ${lib})
  endif()
endforeach()

if(NOT WIN32)
  find_package(PNG REQUIRED)
  add_library(nv_png INTERFACE IMPORTED GLOBAL)
  target_link_libraries(nv_png INTERFACE PNG::PNG)
  return()
endif()

# --- zlib (libz-mingw-w64-dev); the static archive, never the DLL import library.
find_library(NV_ZLIB_LIBRARY NAMES libz.a REQUIRED)
find_path(NV_ZLIB_INCLUDE_DIR zlib.h REQUIRED)
add_library(nv_zlib STATIC IMPORTED GLOBAL)
set_target_properties(nv_zlib PROPERTIES
  IMPORTED_LOCATION ${NV_ZLIB_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${NV_ZLIB_INCLUDE_DIR})

# --- libpng, built from Debian's source package by scripts/setup.sh.
set(NV_DEPS_DIR ${PROJECT_SOURCE_DIR}/deps CACHE PATH "Where scripts/setup.sh builds the dependencies")
set(NV_PNG_PREFIX ${NV_DEPS_DIR}/libpng/install)
find_library(NV_PNG_LIBRARY NAMES libpng16.a libpng.a
  PATHS ${NV_PNG_PREFIX}/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT NV_PNG_LIBRARY OR NOT EXISTS ${NV_PNG_PREFIX}/include/png.h)
  message(FATAL_ERROR "libpng not found in ${NV_PNG_PREFIX}: run scripts/setup.sh")
endif()
add_library(nv_png STATIC IMPORTED GLOBAL)
set_target_properties(nv_png PROPERTIES
  IMPORTED_LOCATION ${NV_PNG_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${NV_PNG_PREFIX}/include
  INTERFACE_LINK_LIBRARIES nv_zlib)

# --- JUCE 7: juce_core and juce_events (juce-modules-source-data).
set(NV_JUCE_MODULES_DIR /usr/share/juce/modules CACHE PATH "JUCE module sources")
if(NOT EXISTS ${NV_JUCE_MODULES_DIR}/juce_core/juce_core.cpp)
  message(FATAL_ERROR "JUCE modules not found in ${NV_JUCE_MODULES_DIR}: run scripts/setup.sh")
endif()
add_library(nv_juce STATIC
  ${NV_JUCE_MODULES_DIR}/juce_core/juce_core.cpp
  ${NV_JUCE_MODULES_DIR}/juce_events/juce_events.cpp)
# The same settings for the library and everything that includes its headers.
target_compile_definitions(nv_juce PUBLIC
  "JUCE_APP_CONFIG_HEADER=\"${CMAKE_CURRENT_LIST_DIR}/NvJuceConfig.h\"")
target_include_directories(nv_juce SYSTEM PUBLIC ${NV_JUCE_MODULES_DIR})
target_link_libraries(nv_juce PUBLIC nv_zlib
  ole32 oleaut32 winmm ws2_32 shlwapi version uuid wininet imm32 comdlg32 gdi32 user32
  shell32 rpcrt4 dbghelp)
