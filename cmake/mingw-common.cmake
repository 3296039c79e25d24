# Shared by the Windows toolchain files: Debian's MinGW-w64 cross compilers
# in their posix thread model (GoogleTest needs std::mutex). The runtime
# libraries are linked statically, so the .exe runs on a bare Windows with no
# DLL beside it, and tests run under Wine through the emulator setting.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${SKEDMILL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SKEDMILL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${SKEDMILL_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SKEDMILL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# add_test(NAME ... COMMAND <target>) runs the .exe through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${SKEDMILL_WINE})
