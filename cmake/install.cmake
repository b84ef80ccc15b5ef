# Install layout. The program looks for KORVATEX.INI, KORVATEX.CSV and
# KORVATEX.CHM beside the real program file, so on Windows the three go side
# by side, flat into the prefix. Elsewhere they go where the system keeps
# such files, and the program finds them from its own folder: bin/korvatex,
# the data file in share/korvatex/, the help file and its HTML copy in
# share/doc/korvatex/, the man page, compressed, in share/man/man1 and its
# Japanese form in share/man/ja/man1 (where man looks in a Japanese locale).
# The man pages with the project's version filled in (the test checks it).
set(KORVATEX_MAN_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/korvatex.1)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/doc/korvatex.1 ${KORVATEX_MAN_SOURCE} @ONLY)
set(KORVATEX_JA_MAN_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/korvatex.ja.1)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/doc/korvatex.ja.1 ${KORVATEX_JA_MAN_SOURCE} @ONLY)
if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  install(TARGETS korvatex RUNTIME DESTINATION .)
  install(FILES ${KORVATEX_DATA_FILE} ${KORVATEX_HELP_FILE} DESTINATION .)
  # The Japanese readme beside them, README.txt: CP932 with CR LF line ends
  # (converted like the data file), which Notepad reads on every Windows.
  # The readme is generated (tools/make-manual.sh); its first line says so
  # and is left out here.
  file(READ ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/README-ja.txt.in KORVATEX_README_TEXT)
  string(REGEX REPLACE "^#[^\n]*\n" "" KORVATEX_README_TEXT "${KORVATEX_README_TEXT}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/README-ja.txt.in)
  file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/README-ja.utf8.txt
       CONTENT "${KORVATEX_README_TEXT}" @ONLY)
  set(KORVATEX_README ${CMAKE_CURRENT_BINARY_DIR}/README.txt)
  add_custom_command(
    OUTPUT ${KORVATEX_README}
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/cmake/make_data_file.sh
            ${CMAKE_CURRENT_BINARY_DIR}/README-ja.utf8.txt ${KORVATEX_README}
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/README-ja.utf8.txt
            ${CMAKE_CURRENT_SOURCE_DIR}/cmake/make_data_file.sh
    COMMENT "Converting the readme to CP932")
  # The licence as LICENSE.txt, with CR LF line ends the same way.
  set(KORVATEX_LICENSE_TEXT ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt)
  add_custom_command(
    OUTPUT ${KORVATEX_LICENSE_TEXT}
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/cmake/make_data_file.sh
            ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE ${KORVATEX_LICENSE_TEXT}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/cmake/make_data_file.sh
    COMMENT "Converting the licence to CR LF line ends")
  add_custom_target(korvatex_readme ALL DEPENDS ${KORVATEX_README} ${KORVATEX_LICENSE_TEXT})
  install(FILES ${KORVATEX_README} ${KORVATEX_LICENSE_TEXT} DESTINATION .)
else()
  install(TARGETS korvatex RUNTIME DESTINATION bin)
  install(FILES ${KORVATEX_DATA_FILE} DESTINATION share/korvatex)
  install(FILES ${KORVATEX_HELP_FILE} DESTINATION share/doc/korvatex)
  install(DIRECTORY ${KORVATEX_HTML_HELP} DESTINATION share/doc/korvatex)
  # Man pages are installed compressed, as Debian's policy asks.
  set(KORVATEX_MAN_PAGE ${CMAKE_CURRENT_BINARY_DIR}/korvatex.1.gz)
  set(KORVATEX_JA_MAN_PAGE ${CMAKE_CURRENT_BINARY_DIR}/ja/korvatex.1.gz)
  add_custom_command(
    OUTPUT ${KORVATEX_MAN_PAGE} ${KORVATEX_JA_MAN_PAGE}
    COMMAND gzip -9 -n -c ${KORVATEX_MAN_SOURCE} > ${KORVATEX_MAN_PAGE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/ja
    COMMAND gzip -9 -n -c ${KORVATEX_JA_MAN_SOURCE} > ${KORVATEX_JA_MAN_PAGE}
    DEPENDS ${KORVATEX_MAN_SOURCE} ${KORVATEX_JA_MAN_SOURCE}
    COMMENT "Compressing the man pages")
  add_custom_target(korvatex_man_page ALL DEPENDS ${KORVATEX_MAN_PAGE} ${KORVATEX_JA_MAN_PAGE})
  install(FILES ${KORVATEX_MAN_PAGE} DESTINATION share/man/man1)
  install(FILES ${KORVATEX_JA_MAN_PAGE} DESTINATION share/man/ja/man1)
  # What Debian asks of every package: the copyright in the machine-readable
  # format and the changelog, compressed; and lintian's notes on what is
  # meant to be so.
  set(KORVATEX_CHANGELOG ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
  add_custom_command(
    OUTPUT ${KORVATEX_CHANGELOG}
    COMMAND gzip -9 -n -c ${CMAKE_CURRENT_SOURCE_DIR}/packaging/deb/changelog > ${KORVATEX_CHANGELOG}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/packaging/deb/changelog
    COMMENT "Compressing the changelog")
  add_custom_target(korvatex_changelog ALL DEPENDS ${KORVATEX_CHANGELOG})
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/deb/copyright ${KORVATEX_CHANGELOG}
          DESTINATION share/doc/korvatex)
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/deb/lintian-overrides
          DESTINATION share/lintian/overrides RENAME korvatex)
endif()
