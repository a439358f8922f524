# Checks that tests/enginesdk/EngineAbiList.h, the list that EngineAbiTest
# compares with the vendor's header, names everything engine/WebViewInterfaces.h
# declares: each interface and its methods, each enum value, each struct and
# its fields.
#
#   cmake -DSOURCE_DIR=<project root> -P cmake/CheckEngineAbiList.cmake
#
# Fails naming each line the list lacks. (EngineAbiTest itself also fails when
# an interface declares more slots than the list holds.)
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "CheckEngineAbiList: pass -DSOURCE_DIR=<project root>")
endif()

set(_header "${SOURCE_DIR}/engine/WebViewInterfaces.h")
set(_list_file "${SOURCE_DIR}/tests/enginesdk/EngineAbiList.h")
file(READ "${_list_file}" _list)
file(STRINGS "${_header}" _lines)

set(_expected "")
set(_kind "")
set(_owner "")
foreach(_line IN LISTS _lines)
  if(_line MATCHES "^struct ([A-Za-z0-9_]+) : public IUnknown {")
    set(_kind interface)
    set(_owner "${CMAKE_MATCH_1}")
    list(APPEND _expected "VELQUIN_ABI_INTERFACE(${_owner})")
  elseif(_line MATCHES "^struct ([A-Za-z0-9_]+) : public ([A-Za-z0-9_]+) {")
    set(_kind interface)
    set(_owner "${CMAKE_MATCH_1}")
    list(APPEND _expected "VELQUIN_ABI_DERIVED_INTERFACE(${_owner}, ${CMAKE_MATCH_2})")
  elseif(_line MATCHES "^struct ([A-Za-z0-9_]+) {")
    set(_kind struct)
    set(_owner "${CMAKE_MATCH_1}")
    list(APPEND _expected "VELQUIN_ABI_STRUCT(${_owner})")
  elseif(_line MATCHES "^enum ([A-Za-z0-9_]+) {")
    set(_kind enum)
    set(_owner "${CMAKE_MATCH_1}")
  elseif(_line MATCHES "^}")
    set(_kind "")
  elseif(_kind STREQUAL "interface" AND _line MATCHES "STDMETHODCALLTYPE ([A-Za-z0-9_]+)\\(")
    list(APPEND _expected "VELQUIN_ABI_METHOD(${_owner}, ${CMAKE_MATCH_1})")
  elseif(_kind STREQUAL "enum" AND _line MATCHES "^ +([A-Za-z0-9_]+) =")
    list(APPEND _expected "VELQUIN_ABI_ENUM_VALUE(${_owner}, ${CMAKE_MATCH_1})")
  elseif(_kind STREQUAL "struct" AND _line MATCHES "^ +[A-Za-z0-9_]+ ([A-Za-z0-9_]+)")
    list(APPEND _expected "VELQUIN_ABI_FIELD(${_owner}, ${CMAKE_MATCH_1})")
  endif()
endforeach()

set(_missing "")
foreach(_entry IN LISTS _expected)
  string(FIND "${_list}" "${_entry}" _at)
  if(_at EQUAL -1)
    string(APPEND _missing "  ${_entry}\n")
  endif()
endforeach()

list(LENGTH _expected _count)
if(_count LESS 100)
  message(FATAL_ERROR "CheckEngineAbiList: only ${_count} declarations found in ${_header}; has its layout changed?")
endif()
if(_missing)
  message(FATAL_ERROR "${_list_file} lacks these lines for what ${_header} declares:\n${_missing}")
endif()
message(STATUS "CheckEngineAbiList: the list names all ${_count} declarations of ${_header}")
