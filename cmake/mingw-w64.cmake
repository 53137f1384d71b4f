# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix threads, for std::thread and
# std::mutex). Qt and the other libraries built for Windows are found through CMAKE_PREFIX_PATH,
# with the build machine's Qt as the host tools:
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_PREFIX_PATH=<Qt for mingw> \
#         -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries, headers and CMake packages come only from the Windows folders: the system's own and
# each prefix given (never the build machine's /usr). Programs run at build time are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
foreach(_qrn_prefix IN LISTS CMAKE_PREFIX_PATH)
    list(APPEND CMAKE_FIND_ROOT_PATH "${_qrn_prefix}")
endforeach()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
