# Checks that the acceptance suite refers nowhere to the stand-in engine, so
# that what it proves holds for the real engine too.
#
#   cmake -DCHECK_DIR=<folder> [-DCHECK_FILES=<file>|<file>...] -P cmake/CheckNoStandIn.cmake
#
# Fails, naming each line, if any file under the folder, or any of the extra
# files, mentions "devengine" in any letter case (an include, a link, a
# window class, a variable).
#
#   cmake -DCHECK_DIR=<folder> -DPLANT_IN=<scratch folder> -P cmake/CheckNoStandIn.cmake
#
# Tests the check itself: copies the folder, plants an include of the stand-in's
# header in one source of the copy, and succeeds only if the check then fails
# and names that file.
cmake_minimum_required(VERSION 3.25)

if(NOT CHECK_DIR)
  message(FATAL_ERROR "CheckNoStandIn: pass -DCHECK_DIR=<folder>")
endif()

if(PLANT_IN)
  file(REMOVE_RECURSE "${PLANT_IN}")
  file(COPY "${CHECK_DIR}/" DESTINATION "${PLANT_IN}")
  file(GLOB _sources "${PLANT_IN}/*.cpp")
  list(SORT _sources)
  list(GET _sources 0 _victim)
  file(APPEND "${_victim}" "#include \"DevEngine/DevEngine.h\"\n")
  execute_process(COMMAND "${CMAKE_COMMAND}" "-DCHECK_DIR=${PLANT_IN}" -P "${CMAKE_CURRENT_LIST_FILE}"
                  RESULT_VARIABLE _result OUTPUT_VARIABLE _output ERROR_VARIABLE _output)
  file(REMOVE_RECURSE "${PLANT_IN}")
  get_filename_component(_victim_name "${_victim}" NAME)
  if(_result EQUAL 0)
    message(FATAL_ERROR "CheckNoStandIn passed a copy of ${CHECK_DIR} with a reference planted in ${_victim_name}")
  endif()
  if(NOT _output MATCHES "${_victim_name}")
    message(FATAL_ERROR "CheckNoStandIn failed on the planted copy without naming ${_victim_name}:\n${_output}")
  endif()
  message(STATUS "CheckNoStandIn found the reference planted in ${_victim_name}")
  return()
endif()

file(GLOB_RECURSE _files "${CHECK_DIR}/*")
if(CHECK_FILES)
  string(REPLACE "|" ";" _extra "${CHECK_FILES}")
  list(APPEND _files ${_extra})
endif()
if(NOT _files)
  message(FATAL_ERROR "CheckNoStandIn: no files in ${CHECK_DIR}")
endif()

set(_found "")
foreach(_file IN LISTS _files)
  if(NOT EXISTS "${_file}")
    message(FATAL_ERROR "CheckNoStandIn: no such file: ${_file}")
  endif()
  file(STRINGS "${_file}" _lines)
  set(_number 0)
  foreach(_line IN LISTS _lines)
    math(EXPR _number "${_number} + 1")
    string(TOLOWER "${_line}" _lower)
    string(FIND "${_lower}" "devengine" _at)
    if(NOT _at EQUAL -1)
      string(APPEND _found "  ${_file}:${_number}: ${_line}\n")
    endif()
  endforeach()
endforeach()

list(LENGTH _files _count)
if(_found)
  message(FATAL_ERROR "The acceptance suite must not use the stand-in engine; found:\n${_found}")
endif()
message(STATUS "CheckNoStandIn: ${_count} files, no reference to the stand-in engine")
