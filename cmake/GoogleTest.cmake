# GoogleTest for the tests: GTest::gtest, GTest::gtest_main, GTest::gmock, GTest::gmock_main.
#
# Built from source with the project's own compiler, flags and C runtime, since a
# prebuilt copy matches neither a cross-compiled nor a statically linked build.
# Without a source folder (MSVC), an installed package is used; it must be built
# for the static runtime (/MT), as the project is.
if(CMAKE_CROSSCOMPILING)
  set(_velquin_googletest_default /usr/src/googletest)
else()
  set(_velquin_googletest_default "")
endif()
set(VELQUIN_GOOGLETEST_DIR "${_velquin_googletest_default}" CACHE PATH
    "GoogleTest source checkout to build; empty: use an installed GTest CMake package")

if(NOT VELQUIN_GOOGLETEST_DIR)
  find_package(GTest CONFIG REQUIRED)
  return()
endif()

set(INSTALL_GTEST OFF)
set(gtest_force_shared_crt OFF)
# GoogleTest asks for an old CMake policy level; these let its options take our
# values and its targets follow CMAKE_MSVC_RUNTIME_LIBRARY (the static runtime).
set(CMAKE_POLICY_DEFAULT_CMP0077 NEW)
set(CMAKE_POLICY_DEFAULT_CMP0091 NEW)
# EXCLUDE_FROM_ALL: only what a test links is built. SYSTEM: its headers raise no
# warnings in our code.
add_subdirectory("${VELQUIN_GOOGLETEST_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)

# With MSVC it builds itself with -WX: a new compiler's warning in its code must
# not fail our build.
foreach(_velquin_target IN ITEMS gtest gtest_main gmock gmock_main)
  get_target_property(_velquin_flags ${_velquin_target} COMPILE_FLAGS)
  string(REPLACE "-WX" "" _velquin_flags "${_velquin_flags}")
  set_target_properties(${_velquin_target} PROPERTIES COMPILE_FLAGS "${_velquin_flags}")
endforeach()
