# The resources of korvatex.exe, compiled with windres: the icon, made at
# build time from packaging/windows/korvatex-icon.svg with rsvg-convert and
# icotool; the application manifest; the version information, from the
# project's version.
foreach(tool rsvg-convert icotool)
  string(MAKE_C_IDENTIFIER "KORVATEX_${tool}" variable)
  string(TOUPPER ${variable} variable)
  find_program(${variable} ${tool})
  if(NOT ${variable})
    message(FATAL_ERROR
      "${tool} was not found. It makes the icon of korvatex.exe.\n"
      "On Debian or Ubuntu install it with:  sudo apt-get install librsvg2-bin icoutils\n"
      "(sh tools/install-packages.sh installs everything the build needs).")
  endif()
endforeach()

set(KORVATEX_WINDOWS_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows)
set(KORVATEX_ICON_FILE ${CMAKE_CURRENT_BINARY_DIR}/korvatex.ico)
add_custom_command(
  OUTPUT ${KORVATEX_ICON_FILE}
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/cmake/make_icon.sh
          ${KORVATEX_RSVG_CONVERT} ${KORVATEX_ICOTOOL}
          ${KORVATEX_WINDOWS_SOURCES}/korvatex-icon.svg ${KORVATEX_ICON_FILE}
  DEPENDS ${KORVATEX_WINDOWS_SOURCES}/korvatex-icon.svg
          ${CMAKE_CURRENT_SOURCE_DIR}/cmake/make_icon.sh
  COMMENT "Drawing the icon korvatex.ico")

set(KORVATEX_FOUR_PART_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0)
set(KORVATEX_DESCRIPTION "元素データ表示")
set(KORVATEX_MANIFEST_FILE ${CMAKE_CURRENT_BINARY_DIR}/korvatex.manifest)
configure_file(${KORVATEX_WINDOWS_SOURCES}/korvatex.manifest.in ${KORVATEX_MANIFEST_FILE} @ONLY)
configure_file(${KORVATEX_WINDOWS_SOURCES}/korvatex.rc.in
               ${CMAKE_CURRENT_BINARY_DIR}/korvatex.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/korvatex.rc PROPERTIES
  OBJECT_DEPENDS "${KORVATEX_ICON_FILE};${KORVATEX_MANIFEST_FILE}")
target_sources(korvatex PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/korvatex.rc)
