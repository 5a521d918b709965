# The Debian package: `cpack -G DEB` in a build configured by scripts/package
# (prefix /usr, /etc and /lib/systemd/system absolute, Release, no test port).
set(_pkg "${CMAKE_CURRENT_LIST_DIR}/../packaging")
cmake_path(NORMAL_PATH _pkg)

set(ORVINTA_PACKAGE_MAINTAINER "Orvinta developers <orvinta-dev@belvo.net>" CACHE STRING
    "Maintainer of the Debian package: name <address>")

# Debian wants its copyright file and a compressed changelog in the doc folder.
set(ORVINTA_DOCDIR "${CMAKE_INSTALL_DATADIR}/doc/orvinta")
install(FILES "${_pkg}/debian/copyright" DESTINATION "${ORVINTA_DOCDIR}")
if(ORVINTA_GZIP)
  set(_changelog "${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz")
  configure_file("${_pkg}/debian/changelog.in" "${CMAKE_BINARY_DIR}/packaging/debian/changelog" @ONLY)
  add_custom_command(OUTPUT "${_changelog}"
    COMMAND ${ORVINTA_GZIP} -9n -c "${CMAKE_BINARY_DIR}/packaging/debian/changelog" > "${_changelog}"
    DEPENDS "${CMAKE_BINARY_DIR}/packaging/debian/changelog" VERBATIM)
  add_custom_target(orvinta_changelog ALL DEPENDS "${_changelog}")
  install(FILES "${_changelog}" DESTINATION "${ORVINTA_DOCDIR}")
endif()

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "orvinta")
set(CPACK_PACKAGE_VENDOR "Belvo")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${ORVINTA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "group chat client for Korean community portals, with its server")
set(CPACK_PACKAGE_DESCRIPTION_FILE "${_pkg}/debian/description.txt")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION "net")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# Library dependencies come from dpkg-shlibdeps; the rest are what the programs
# use at run time without linking it: the Korean fonts the aliases name and the
# tools the maintainer scripts call.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-nanum, fontconfig")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils, xdg-utils, fonts-nanum-extra, fonts-noto-color-emoji")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "systemd, redis-server")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
configure_file("${_pkg}/debian/conffiles.in" "${CMAKE_BINARY_DIR}/packaging/debian/conffiles" @ONLY)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  "${CMAKE_BINARY_DIR}/packaging/debian/conffiles"
  "${_pkg}/debian/postinst"
  "${_pkg}/debian/prerm"
  "${_pkg}/debian/postrm")

include(CPack)
