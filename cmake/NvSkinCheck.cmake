# Runs the skin generator twice into two folders and fails unless every image is written and
# both runs gave the same bytes. Run as:
#   cmake -DTOOL=<nv_skingen> -DOUT=<dir> -DFONT_ARGS=<args> -P NvSkinCheck.cmake
cmake_minimum_required(VERSION 3.20)
foreach(run a b)
  file(REMOVE_RECURSE ${OUT}/${run})
  file(MAKE_DIRECTORY ${OUT}/${run})
  execute_process(COMMAND ${TOOL} --out ${OUT}/${run} --rc ${OUT}/${run}/Skin.rc --sheet ${OUT}/${run}/Sheet.png
                          ${FONT_ARGS}
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "The skin generator failed (${result})")
  endif()
endforeach()
file(GLOB images RELATIVE ${OUT}/a ${OUT}/a/*.png)
list(LENGTH images count)
# 75 skin bitmaps and the contact sheet.
if(NOT count EQUAL 76)
  message(FATAL_ERROR "The skin generator wrote ${count} images, expected 76")
endif()
foreach(image IN LISTS images)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/a/${image} ${OUT}/b/${image}
                  RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "Two runs of the skin generator wrote different bytes for ${image}")
  endif()
endforeach()
message(STATUS "${count} images, the same bytes in both runs")
