# The release archive a Windows user unzips and runs:
#   BANCHIRO-<version>-win64/ with the two programs, the help file, its HTML
#   pages and a read-me. Made by `cpack` in the Windows build tree.
install(TARGETS BANCHIRO KOVRAN RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/bin/BANCHIRO.HLP DESTINATION .)
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/help/ DESTINATION help)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME BANCHIRO)
set(CPACK_PACKAGE_FILE_NAME "BANCHIRO-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
