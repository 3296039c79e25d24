# The shipped program: 32-bit Windows console, run under Wine's 32-bit loader.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(SKEDMILL_MINGW_TRIPLET i686-w64-mingw32)
set(SKEDMILL_WINE wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
