# BANCHIRO.HLP and the same help as HTML (bin/help/*.html), written at build
# time by helpgen from help/banchiro_help.txt. helpgen runs on the build
# machine, so in a cross build it is a project of its own, configured for the
# host compiler: the cross toolchain file is cleared for it. Its build step
# runs on every build, and relinks helpgen only when the writer changed.
include(ExternalProject)

find_program(BANCHIRO_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(BANCHIRO_HELPGEN_DIR ${CMAKE_BINARY_DIR}/helpgen-host)
set(BANCHIRO_HELPGEN ${BANCHIRO_HELPGEN_DIR}/helpgen)

ExternalProject_Add(helpgen_host
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/src/help
  BINARY_DIR ${BANCHIRO_HELPGEN_DIR}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=
    -DCMAKE_CXX_COMPILER=${BANCHIRO_HOST_CXX}
    -DCMAKE_BUILD_TYPE=Release
  BUILD_ALWAYS TRUE
  BUILD_BYPRODUCTS ${BANCHIRO_HELPGEN}
  INSTALL_COMMAND "")

set(BANCHIRO_HELP_SOURCE ${PROJECT_SOURCE_DIR}/help/banchiro_help.txt)
set(BANCHIRO_HLP ${CMAKE_BINARY_DIR}/bin/BANCHIRO.HLP)
set(BANCHIRO_HTML_DIR ${CMAKE_BINARY_DIR}/bin/help)
add_custom_command(
  OUTPUT ${BANCHIRO_HLP} ${BANCHIRO_HTML_DIR}/index.html
  COMMAND ${BANCHIRO_HELPGEN} ${BANCHIRO_HELP_SOURCE} --hlp ${BANCHIRO_HLP}
          --html ${BANCHIRO_HTML_DIR}
  DEPENDS ${BANCHIRO_HELP_SOURCE} ${BANCHIRO_HELPGEN} helpgen_host
  COMMENT "Writing BANCHIRO.HLP and the HTML help"
  VERBATIM)
add_custom_target(banchiro_help_files ALL DEPENDS ${BANCHIRO_HLP})
