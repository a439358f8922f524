# Checks that the source layers include one way only: shell -> core -> engine.
#
#   cmake -DSOURCE_DIR=<project root> -P cmake/CheckLayers.cmake
#
# A file in engine/ may include only engine/ headers; core/ may include core/
# and engine/; shell/ may include all three. The stand-in engine (devengine/)
# implements the engine's interfaces and may include only engine/ and its own
# headers. Fails, naming every offending line, when an include points the
# wrong way.
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "CheckLayers: pass -DSOURCE_DIR=<project root>")
endif()

set(_allowed_engine engine)
set(_allowed_core core engine)
set(_allowed_shell shell core engine)
set(_allowed_devengine devengine engine)
set(_layers engine core shell devengine)

set(_violations "")
set(_checked 0)
foreach(_layer IN LISTS _layers)
  file(GLOB_RECURSE _files "${SOURCE_DIR}/${_layer}/*.h" "${SOURCE_DIR}/${_layer}/*.cpp")
  foreach(_file IN LISTS _files)
    math(EXPR _checked "${_checked} + 1")
    file(STRINGS "${_file}" _includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(_line IN LISTS _includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" _header "${_line}")
      # Headers are included by their path from the project root.
      if(NOT _header MATCHES "^([A-Za-z0-9_]+)/")
        continue()
      endif()
      set(_target "${CMAKE_MATCH_1}")
      if(NOT _target IN_LIST _layers)
        continue()
      endif()
      if(NOT _target IN_LIST _allowed_${_layer})
        file(RELATIVE_PATH _relative "${SOURCE_DIR}" "${_file}")
        string(APPEND _violations "  ${_relative}: #include \"${_header}\" (${_layer}/ may not use ${_target}/)\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(_checked EQUAL 0)
  message(FATAL_ERROR "CheckLayers: no sources found under ${SOURCE_DIR}")
endif()
if(_violations)
  message(FATAL_ERROR "Includes that run against the layers (shell -> core -> engine):\n${_violations}")
endif()
message(STATUS "Layers: ${_checked} files include one way only")
