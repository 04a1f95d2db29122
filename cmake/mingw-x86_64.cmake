# Cross build for 64-bit Windows. Its tests run through 64-bit Wine's own
# loader: the wine wrapper would pick the 32-bit one whenever that is installed.
set(KELVRA_MINGW_ARCH x86_64)
set(KELVRA_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
