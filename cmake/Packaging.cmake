# The release package: velquin-<version>-win64.zip with velquin.exe (stripped),
# README.md, LICENSE and the engine's loader, WebView2Loader.dll, in one folder
# of the same name. The loader is VELQUIN_ENGINE_LOADER when set, otherwise
# the x64 one of the engine's SDK package when VELQUIN_ENGINE_SDK is set;
# without either the package holds none.
#
#   cmake --build --preset mingw --target package
#   cpack --config build/msvc/CPackConfig.cmake -C Release -B build/msvc
#
# Only what is installed as the "velquin" component goes in, so the stand-in
# engine, the tests, the benchmarks and anything a dependency may install stay
# out. With the loader the zip runs as unpacked wherever the WebView2 Runtime
# is installed; without it the loader must be put beside velquin.exe by hand
# (README.md, "Release package").
# CPack's ZIP generator writes the archive itself; no zip program is needed.

# Stops the configuration unless `path` is a Windows DLL and not our stand-in
# engine (whose DLL carries the UTF-16 names of its window classes).
function(velquin_check_engine_loader path)
  if(NOT EXISTS "${path}" OR IS_DIRECTORY "${path}")
    message(FATAL_ERROR "VELQUIN_ENGINE_LOADER: no such file: ${path}")
  endif()
  file(READ "${path}" _signature LIMIT 2 HEX)
  if(NOT _signature STREQUAL "4d5a")
    message(FATAL_ERROR "VELQUIN_ENGINE_LOADER: not a Windows DLL: ${path}")
  endif()
  file(STRINGS "${path}" _stand_in ENCODING UTF-16LE REGEX "VelquinDevEngine" LIMIT_COUNT 1)
  if(_stand_in)
    message(FATAL_ERROR "VELQUIN_ENGINE_LOADER: ${path} is the stand-in engine, which is never shipped; "
                        "give the WebView2Loader.dll of the engine's SDK package")
  endif()
endfunction()

# A relative path is taken from the source folder.
set(VELQUIN_ENGINE_LOADER "" CACHE FILEPATH
    "A real WebView2Loader.dll (x64) to ship beside velquin.exe in the release package; empty: the SDK's, if any")

install(TARGETS velquin RUNTIME DESTINATION . COMPONENT velquin)
install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION . COMPONENT velquin)
set(_velquin_loader "")
if(VELQUIN_ENGINE_LOADER)
  get_filename_component(_velquin_loader "${VELQUIN_ENGINE_LOADER}" ABSOLUTE BASE_DIR "${PROJECT_SOURCE_DIR}")
elseif(VELQUIN_ENGINE_SDK)
  set(_velquin_loader "${VELQUIN_ENGINE_SDK}/build/native/x64/WebView2Loader.dll")
endif()
if(_velquin_loader)
  velquin_check_engine_loader("${_velquin_loader}")
  # Under the one name velquin.exe loads.
  install(FILES "${_velquin_loader}" DESTINATION . COMPONENT velquin RENAME WebView2Loader.dll)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME velquin)
set(CPACK_PACKAGE_VENDOR "The Velquin developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "velquin-${PROJECT_VERSION}-win64")
# Build directory; project name; the one component to package; where it goes.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};velquin;/")
set(CPACK_STRIP_FILES TRUE)

include(CPack)
