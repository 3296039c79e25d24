# The same sources as a 64-bit Windows console program, run under wine64: the
# Windows lane on machines that cannot execute 32-bit x86 code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SKEDMILL_MINGW_TRIPLET x86_64-w64-mingw32)
set(SKEDMILL_WINE /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
