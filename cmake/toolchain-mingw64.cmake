# Cross-building the Windows program on Linux with MinGW-w64 (Debian package
# g++-mingw-w64-x86-64):
#   cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
#         -DBUILD_TESTING=OFF
# The .exe is linked statically, so it needs no MinGW DLL on the user's machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VO_MINGW_PREFIX x86_64-w64-mingw32 CACHE STRING "Prefix of the MinGW-w64 tools")
# The POSIX-threads variant first: its standard library is complete (std::thread,
# std::mutex); with -static its thread library is linked in, no DLL.
find_program(CMAKE_CXX_COMPILER NAMES ${VO_MINGW_PREFIX}-g++-posix ${VO_MINGW_PREFIX}-g++
                                      ${VO_MINGW_PREFIX}-g++-win32 REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${VO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
