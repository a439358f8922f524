# The release package: velquin-<version>-win64.zip with velquin.exe (stripped),
# README.md and LICENSE in one folder of the same name.
#
#   cmake --build --preset mingw --target package
#
# Only what is installed as the "velquin" component goes in, so the stand-in
# engine, the tests, the benchmarks and anything a dependency may install stay
# out. The web engine is not shipped: the real WebView2Loader.dll goes beside
# velquin.exe after unpacking, and the WebView2 Runtime must be installed
# (README.md, "Release package"). CPack's ZIP generator writes the archive
# itself; no zip program is needed.

install(TARGETS velquin RUNTIME DESTINATION . COMPONENT velquin)
install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION . COMPONENT velquin)

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
