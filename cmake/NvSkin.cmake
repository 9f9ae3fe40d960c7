# The skin bitmaps, drawn at build time by tools/skingen from the skin geometry and the page
# layout tables, so what is embedded is always the generator's output.
#   nv_skin_font_args(out): the generator's font arguments (the Debian font files).
#   nv_add_skin_resources(target): (Windows build) builds the generator with the host compiler,
#     runs it into <build>/skin and makes the OBJECT library <target> of the resource script.

function(nv_skin_font_args out)
  set(misc /usr/share/fonts/X11/misc)
  set(dejavu /usr/share/fonts/truetype/dejavu)
  set(files small ${misc}/6x9.pcf.gz large ${misc}/9x15B.pcf.gz sans ${dejavu}/DejaVuSans.ttf
      sans-bold ${dejavu}/DejaVuSans-Bold.ttf condensed-bold ${dejavu}/DejaVuSansCondensed-Bold.ttf)
  set(args "")
  while(files)
    list(POP_FRONT files key file)
    if(NOT EXISTS ${file})
      message(FATAL_ERROR "The skin font ${file} is missing: run scripts/setup.sh (xfonts-base, fonts-dejavu-core)")
    endif()
    list(APPEND args --${key} ${file})
  endwhile()
  set(${out} ${args} PARENT_SCOPE)
endfunction()

# The generator's inputs: its sources and the headers it reads.
function(nv_skin_sources out)
  file(GLOB tool ${PROJECT_SOURCE_DIR}/tools/skingen/*.cpp ${PROJECT_SOURCE_DIR}/tools/skingen/*.h
       ${PROJECT_SOURCE_DIR}/tools/skingen/CMakeLists.txt)
  file(GLOB layouts ${PROJECT_SOURCE_DIR}/editor/layout/*.h)
  set(${out} ${tool} ${layouts} ${PROJECT_SOURCE_DIR}/resources/SkinGeometry.h PARENT_SCOPE)
endfunction()

function(nv_add_skin_resources target)
  include(ExternalProject)
  find_program(NV_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
  set(tool_dir ${CMAKE_BINARY_DIR}/_host/skingen)
  set(tool ${tool_dir}/nv_skingen)
  # A plain host build: no toolchain file, so the tool runs on the build machine.
  ExternalProject_Add(nv_skingen_host
      SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/skingen
      BINARY_DIR ${tool_dir}
      CMAKE_ARGS -DCMAKE_CXX_COMPILER=${NV_HOST_CXX} -DCMAKE_BUILD_TYPE=Release
      INSTALL_COMMAND ""
      BUILD_ALWAYS TRUE
      BUILD_BYPRODUCTS ${tool})

  set(skin_dir ${CMAKE_BINARY_DIR}/skin)
  get_filename_component(screenshots ${CMAKE_BINARY_DIR}/../screenshots ABSOLUTE)
  file(MAKE_DIRECTORY ${skin_dir} ${screenshots})
  # The names, read from the skin geometry (every quoted name that opens an entry).
  set(geometry ${PROJECT_SOURCE_DIR}/resources/SkinGeometry.h)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${geometry})
  file(STRINGS ${geometry} entries REGEX "^    (NvSkinEntry::[A-Za-z]+\\(|\\{)\"[A-Za-z0-9_]+\"")
  set(pngs "")
  foreach(entry IN LISTS entries)
    string(REGEX MATCH "\"([A-Za-z0-9_]+)\"" ignored "${entry}")
    list(APPEND pngs ${skin_dir}/${CMAKE_MATCH_1}.png)
  endforeach()
  list(LENGTH pngs count)
  if(NOT count EQUAL 75)
    message(FATAL_ERROR "Read ${count} skin names from ${geometry}, expected 75")
  endif()
  nv_skin_font_args(font_args)
  nv_skin_sources(inputs)
  add_custom_command(
      OUTPUT ${skin_dir}/Skin.rc ${pngs} ${screenshots}/SkinContactSheet.png
      COMMAND ${tool} --out ${skin_dir} --rc ${skin_dir}/Skin.rc --sheet ${screenshots}/SkinContactSheet.png
              ${font_args}
      DEPENDS nv_skingen_host ${inputs}
      COMMENT "Drawing the skin bitmaps"
      VERBATIM)
  add_library(${target} OBJECT ${skin_dir}/Skin.rc)
  set_source_files_properties(${skin_dir}/Skin.rc PROPERTIES GENERATED TRUE OBJECT_DEPENDS "${pngs}")
endfunction()
