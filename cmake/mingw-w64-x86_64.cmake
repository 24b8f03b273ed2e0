# Cross-building the Windows program on Linux with Debian's mingw-w64 (64-bit, POSIX threads:
# std::mutex and std::thread, which GoogleTest needs, exist only in the -posix compilers).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(REVURO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${REVURO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${REVURO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${REVURO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${REVURO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained executable: no libstdc++, libgcc or winpthread DLL has to lie beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests of the Windows programs run under Wine, through a wrapper that prepares its prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
