# Cross build for 64-bit Windows from Debian:
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The -posix compilers are the ones whose libstdc++ has std::thread and
# std::mutex; everything is linked statically so the .exe files need no DLLs
# beside them. ctest runs the test programs through wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KIRABO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KIRABO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KIRABO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KIRABO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KIRABO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# winpthread too: -static alone would still let libstdc++ pull in its DLL.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(KIRABO_WINE NAMES wine wine64)
if(KIRABO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KIRABO_WINE})
endif()
