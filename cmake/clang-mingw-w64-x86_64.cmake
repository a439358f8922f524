# Cross-compiles for 64-bit Windows from Linux with clang and lld, against
# mingw-w64's headers and C runtime and the POSIX-thread libstdc++ of the
# installed mingw-w64 g++. A second compiler for the same sources: its warnings
# are the nearest we get on Linux to MSVC's.
#
# Everything else (target system, search roots, Wine as the test emulator,
# windres for the resources) is as in the mingw toolchain.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)

set(VELQUIN_CLANG_TARGET x86_64-w64-windows-gnu)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${VELQUIN_CLANG_TARGET})
set(CMAKE_CXX_COMPILER_TARGET ${VELQUIN_CLANG_TARGET})
set(CMAKE_AR ${VELQUIN_MINGW_PREFIX}-ar)
set(CMAKE_RANLIB ${VELQUIN_MINGW_PREFIX}-ranlib)

# libstdc++ comes from mingw-w64's g++ (POSIX threads): its folder holds the
# library, and include/c++ under it the headers. Asked of the compiler, so that
# no version number is written down here.
execute_process(COMMAND ${VELQUIN_MINGW_PREFIX}-g++-posix -print-file-name=libstdc++.a
                OUTPUT_VARIABLE _velquin_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE _velquin_result ERROR_QUIET)
if(NOT _velquin_result EQUAL 0 OR NOT IS_ABSOLUTE "${_velquin_libstdcxx}")
  message(FATAL_ERROR "clang-mingw needs ${VELQUIN_MINGW_PREFIX}-g++-posix (package g++-mingw-w64-x86-64-posix) "
                      "for its libstdc++")
endif()
get_filename_component(VELQUIN_LIBSTDCXX_DIR "${_velquin_libstdcxx}" DIRECTORY)
set(_velquin_cxx_headers "${VELQUIN_LIBSTDCXX_DIR}/include/c++")
if(NOT EXISTS "${_velquin_cxx_headers}/${VELQUIN_MINGW_PREFIX}")
  message(FATAL_ERROR "clang-mingw: no libstdc++ headers in ${_velquin_cxx_headers}")
endif()

# On every C++ compile, whatever CMAKE_CXX_FLAGS a user sets.
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES "${_velquin_cxx_headers}" "${_velquin_cxx_headers}/${VELQUIN_MINGW_PREFIX}")
foreach(_velquin_kind IN ITEMS EXE SHARED MODULE)
  set(CMAKE_${_velquin_kind}_LINKER_FLAGS_INIT "-fuse-ld=lld -L${VELQUIN_LIBSTDCXX_DIR}")
endforeach()
# Every C++ link ends with libstdc++ and then winpthread: libstdc++'s exception
# pool locks pthread mutexes. The rest is CMake's usual list for Windows.
set(CMAKE_CXX_STANDARD_LIBRARIES
    "-lkernel32 -luser32 -lgdi32 -lwinspool -lshell32 -lole32 -loleaut32 -luuid -lcomdlg32 -ladvapi32 -lstdc++ -lwinpthread"
    CACHE STRING "Libraries linked into every C++ program and library")
