# The help file KORVATEX.CHM that "korvatex /?" opens beside the program: a
# compiled HTML Help file, built from the pages in help/ with chmcmd. The
# pages stay UTF-8 in the repository, as they declare, and are converted to
# CP932 (declaring Shift_JIS) before they are compiled. Without chmcmd the program is
# built all the same, without the help file (and installed without it); the
# help file test then skips, or fails under CI.
file(GLOB KORVATEX_HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/help/*)
find_program(KORVATEX_CHMCMD chmcmd)
if(KORVATEX_CHMCMD)
  set(KORVATEX_HELP_FILE ${CMAKE_CURRENT_BINARY_DIR}/KORVATEX.CHM)
  add_custom_command(
    OUTPUT ${KORVATEX_HELP_FILE}
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/cmake/make_help_file.sh
            ${KORVATEX_CHMCMD} ${CMAKE_CURRENT_SOURCE_DIR}/help
            ${CMAKE_CURRENT_BINARY_DIR}/help ${KORVATEX_HELP_FILE} ${PROJECT_VERSION}
    DEPENDS ${KORVATEX_HELP_SOURCES} ${CMAKE_CURRENT_SOURCE_DIR}/cmake/make_help_file.sh
            ${CMAKE_CURRENT_SOURCE_DIR}/cmake/set_chm_time.sh
    COMMENT "Compiling the help file KORVATEX.CHM")
  add_custom_target(korvatex_help ALL DEPENDS ${KORVATEX_HELP_FILE})
else()
  set(KORVATEX_HELP_FILE "")
  message(STATUS "chmcmd not found: building without the help file KORVATEX.CHM "
                 "(install it with: sudo apt-get install fp-utils)")
endif()

# The same pages as plain HTML in UTF-8, in html/ beside the program: what
# "korvatex /?" opens on a system without a viewer for the compiled help.
set(KORVATEX_HTML_HELP ${CMAKE_CURRENT_BINARY_DIR}/html)
add_custom_command(
  OUTPUT ${KORVATEX_HTML_HELP}/index.htm
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/cmake/make_html_help.sh
          ${CMAKE_CURRENT_SOURCE_DIR}/help ${KORVATEX_HTML_HELP} ${PROJECT_VERSION}
  DEPENDS ${KORVATEX_HELP_SOURCES} ${CMAKE_CURRENT_SOURCE_DIR}/cmake/make_html_help.sh
  COMMENT "Making the HTML help")
add_custom_target(korvatex_html_help ALL DEPENDS ${KORVATEX_HTML_HELP}/index.htm)
