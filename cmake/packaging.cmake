# Packages, made with cpack in a build folder: a Debian package from the
# native build (cpack -G DEB), installing to /usr, and a ZIP of korvatex.exe,
# KORVATEX.CSV and KORVATEX.CHM from the MinGW-w64 build (cpack -G ZIP).
set(CPACK_PACKAGE_NAME korvatex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "korvatex")
set(CPACK_PACKAGE_CONTACT "korvatex maintainers <korvatex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "chemical element data and formula weights, copied to the clipboard")
set(CPACK_PACKAGE_DESCRIPTION
    "korvatex is a command-line companion to a chemical element data application.
Given an element symbol or atomic number it puts the element's report on the
clipboard; given /W and a chemical formula, the formula weight to the decimal
places asked for; given /?, it opens its help file. Its texts are Japanese.")
set(CPACK_STRIP_FILES ON)

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wl-clipboard | xclip | xsel")
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS xchm)
  # "korvatex '/?'" may start sensible-browser, from sensible-utils.
  find_program(KORVATEX_DPKG_SHLIBDEPS dpkg-shlibdeps)
  if(KORVATEX_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "sensible-utils")
  else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libgcc-s1, libstdc++6, sensible-utils")
  endif()
endif()

include(CPack)
