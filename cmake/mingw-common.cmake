# What both MinGW-w64 cross builds share; the architecture's own toolchain
# file sets KELVRA_MINGW_ARCH and KELVRA_WINE_LOADER first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KELVRA_MINGW_ARCH})

# The posix thread variants: they have std::thread.
set(CMAKE_C_COMPILER ${KELVRA_MINGW_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELVRA_MINGW_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${KELVRA_MINGW_ARCH}-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KELVRA_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest runs the test programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${KELVRA_WINE_LOADER})
