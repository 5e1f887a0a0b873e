# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: everything `cmake --install` puts under /usr, plus the
# administrator's settings file in /etc, made by scripts/package.sh with
# dpkg's own tools from the files generated here.
include(GNUInstallDirs)

set(TWL_MAINTAINER "The Tarnwell maintainers <maintainers@tarnwell.org>"
  CACHE STRING "The package's maintainer, name and address")

# The documentation the archive's rules ask every package for.
set(twl_changelog ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${twl_changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
  COMMAND sh -c "gzip -9n < '${PROJECT_SOURCE_DIR}/packaging/changelog' > '${twl_changelog}'"
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
add_custom_target(twl_changelog ALL DEPENDS ${twl_changelog})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${twl_changelog}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarnwell)

# The control data dpkg-gencontrol reads: the libraries the programs open when
# first needed are dependencies the computed ones cannot see.
get_property(twl_opened GLOBAL PROPERTY TWL_OPENED_LIBRARY_PACKAGES)
set(TWL_OPENED_DEPENDS "")
foreach(p ${twl_opened})
  string(APPEND TWL_OPENED_DEPENDS ", ${p}")
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/packaging/control.in
  ${PROJECT_BINARY_DIR}/packaging/debian/control @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog
  ${PROJECT_BINARY_DIR}/packaging/debian/changelog COPYONLY)
file(WRITE ${PROJECT_BINARY_DIR}/packaging/version "${PROJECT_VERSION}\n")
