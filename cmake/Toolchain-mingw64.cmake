# Cross build for 64-bit Windows with Debian's mingw-w64 (posix thread model).
#   cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/Toolchain-mingw64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(NV_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${NV_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NV_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${NV_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NV_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows 7 API level, wide-character Win32 entry points. -mbig-obj: large
# translation units (JUCE, GoogleTest with debug info) exceed COFF's section limit.
set(NV_WINDOWS_DEFINES "-DUNICODE -D_UNICODE -D_WIN32_WINNT=0x0601 -DWINVER=0x0601")
set(CMAKE_C_FLAGS_INIT   "${NV_WINDOWS_DEFINES} -Wa,-mbig-obj")
set(CMAKE_CXX_FLAGS_INIT "${NV_WINDOWS_DEFINES} -Wa,-mbig-obj")
set(CMAKE_RC_FLAGS_INIT  "${NV_WINDOWS_DEFINES}")

# libgcc, libstdc++ and winpthread linked in: the programs need no DLL beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine. Debian's /usr/bin/wine picks the 32-bit loader when
# it is installed; the 64-bit loader is called directly.
find_program(NV_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT NV_WINE64)
  find_program(NV_WINE64 NAMES wine64 wine)
endif()
if(NV_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${NV_WINE64})
endif()
