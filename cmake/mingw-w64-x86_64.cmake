# Cross-compiles for 64-bit Windows from Linux with mingw-w64 (POSIX threads model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELQUIN_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VELQUIN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELQUIN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VELQUIN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELQUIN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test executables run through Wine; scripts/test sets up the display and prefix.
find_program(VELQUIN_WINE NAMES wine wine64)
if(VELQUIN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VELQUIN_WINE})
endif()
