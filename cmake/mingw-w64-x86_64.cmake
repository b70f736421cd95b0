# Cross build for 64-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-x86-64).
# The posix thread model: the win32 one has no std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HUOXING_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${HUOXING_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HUOXING_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${HUOXING_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${HUOXING_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and tools of the cross build run under Wine; the launcher sets up the
# project's Wine prefix and display.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)
