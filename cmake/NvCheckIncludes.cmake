# Checks that includes run only downward through the layers and that the portable parts
# never reach the platform. Run as: cmake -DROOT=<source dir> -P NvCheckIncludes.cmake
#   foundation <- synthdata <- framework <- app <- editor (framework needs only foundation);
#   resources/ holds the resource ids that app and editor share; tools/ (build-machine programs)
#   may read editor/ and resources/.
# Portable: the paths listed in portable_paths below, one a line.
# They include no Windows header and no project header outside the portable parts, except
# inside an "#ifdef _WIN32" branch, where a portable file reaches its Windows service.
cmake_minimum_required(VERSION 3.20)
if(NOT ROOT)
  message(FATAL_ERROR "ROOT not set")
endif()

set(allowed_foundation foundation)
set(allowed_synthdata foundation synthdata)
set(allowed_framework foundation framework)
set(allowed_app foundation synthdata framework app resources)
set(allowed_editor foundation synthdata framework app editor resources)
set(allowed_tools editor resources)

# The portable parts, as path patterns relative to the source folder.
set(portable_paths
    "foundation/[^/]+"
    "synthdata/.*"
    "framework/midi/.*"
    "framework/pixels/.*"
    "framework/ctrlmath/.*"
    "app/protocol/.*"
    "editor/math/.*"
    "editor/library/model/.*"
    "editor/layout/.*"
    "resources/SkinGeometry\\.h"
    "tools/.*"
)
list(JOIN portable_paths "|" portable_alternatives)
set(portable_regex "^(${portable_alternatives})$")
# Headers of the platform and of libraries that exist only in the Windows build.
set(platform_regex "^(windows|windef|winbase|winuser|wingdi|winreg|mmsystem|mmeapi|objbase|ole2|oleidl|shellapi|shlobj|commdlg|commctrl|gdiplus[a-z]*|tchar|process)\\.h$")

set(errors "")
file(GLOB_RECURSE sources RELATIVE ${ROOT}
     ${ROOT}/foundation/*.h ${ROOT}/foundation/*.cpp
     ${ROOT}/synthdata/*.h ${ROOT}/synthdata/*.cpp
     ${ROOT}/framework/*.h ${ROOT}/framework/*.cpp
     ${ROOT}/app/*.h ${ROOT}/app/*.cpp
     ${ROOT}/editor/*.h ${ROOT}/editor/*.cpp
     ${ROOT}/tools/*.h ${ROOT}/tools/*.cpp)
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" layer ${source})
  set(portable FALSE)
  if(source MATCHES "${portable_regex}")
    set(portable TRUE)
  endif()
  file(STRINGS ${ROOT}/${source} lines REGEX "^[ \t]*#")
  # One entry a conditional level: 1 inside the Windows branch of "#ifdef _WIN32", else 0.
  set(levels "")
  set(win32_depth 0)
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*#[ \t]*if")
      if(line MATCHES "^[ \t]*#[ \t]*(ifdef[ \t]+_WIN32|if[ \t]+defined[ \t]*\\(?[ \t]*_WIN32[ \t]*\\)?)[ \t]*$")
        list(APPEND levels 1)
        math(EXPR win32_depth "${win32_depth} + 1")
      else()
        list(APPEND levels 0)
      endif()
      continue()
    elseif(line MATCHES "^[ \t]*#[ \t]*(else|elif|endif)")
      list(LENGTH levels depth)
      if(depth GREATER 0)
        list(POP_BACK levels top)
        if(top)
          math(EXPR win32_depth "${win32_depth} - 1")
        endif()
        if(NOT CMAKE_MATCH_1 STREQUAL "endif")
          list(APPEND levels 0)
        endif()
      endif()
      continue()
    endif()
    if(win32_depth GREATER 0)
      continue()
    endif()
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      set(target ${CMAKE_MATCH_1})
      string(REGEX MATCH "^[^/]+" target_layer ${target})
      if(target_layer IN_LIST allowed_${layer})
        if(portable AND NOT target MATCHES "${portable_regex}")
          string(APPEND errors "  ${source}: portable code includes \"${target}\"\n")
        endif()
      elseif(target MATCHES "/")
        string(APPEND errors "  ${source}: ${layer}/ may not include \"${target}\"\n")
      endif()
    elseif(portable AND line MATCHES "#[ \t]*include[ \t]*<([^>]+)>")
      set(header ${CMAKE_MATCH_1})
      string(TOLOWER "${header}" header_lower)
      get_filename_component(header_name ${header_lower} NAME)
      if(header_name MATCHES "${platform_regex}")
        string(APPEND errors "  ${source}: portable code includes <${header}>\n")
      endif()
    endif()
  endforeach()
endforeach()

if(errors)
  message(FATAL_ERROR "Includes against the layering:\n${errors}")
endif()
