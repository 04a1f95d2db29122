# Cross build for 32-bit Windows: the shipped pair.
set(KELVRA_MINGW_ARCH i686)
set(KELVRA_WINE_LOADER wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
