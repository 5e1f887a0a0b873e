# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: everything `cmake --install` puts under /usr, built with
# `cpack` (scripts/package.sh runs it on a clean Release build).
include(GNUInstallDirs)

# The documentation the archive's rules ask every package for.
set(twl_changelog ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${twl_changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
  COMMAND sh -c "gzip -9n < '${PROJECT_SOURCE_DIR}/packaging/changelog' > '${twl_changelog}'"
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
add_custom_target(twl_changelog ALL DEPENDS ${twl_changelog})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${twl_changelog}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarnwell)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwell)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tarnwell maintainers")
set(CPACK_PACKAGE_CONTACT "The Tarnwell maintainers <maintainers@tarnwell.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "loan calculator with schedules and exports")
set(CPACK_PACKAGE_DESCRIPTION
  "Tarnwell computes the level monthly payment of an annuity loan from its
amount, number of monthly payments and annual interest rate, and fills a
schedule with one row per month. The schedule exports to HTML, a binary
spreadsheet, Word/RTF, plain text, CSV, tab-separated text, DIF, SYLK or the
clipboard, from the window or with the twlc-export command. The windows are
translated at run time from language files.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TWL_HOMEPAGE})
# Library dependencies computed from the programs themselves, and those of the
# libraries the programs open when first needed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
get_property(twl_opened GLOBAL PROPERTY TWL_OPENED_LIBRARY_PACKAGES)
list(JOIN twl_opened ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# Qt runs on Wayland desktops only with its Wayland platform plugin.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
