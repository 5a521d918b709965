# Where `cmake --install` puts Orvinta, and the Debian package CPack builds.
#
#   bin/                       orvinta, orvinta-server, quendel-host
#   lib/<arch>/orvinta/        libquendel.so (a private module: hosts load it by path)
#   share/orvinta/             portal/ (the server's development portal), orvinta-fonts.conf
#   share/applications, metainfo, icons/hicolor, man/man1
#   etc/default/orvinta-server and the systemd unit of the server
#
# Programs find these relative to their own file, so an installed tree can be
# moved as a whole and nothing is read from the build tree at run time.
include(GNUInstallDirs)

set(ORVINTA_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/orvinta")
set(ORVINTA_INSTALL_MODULEDIR "${CMAKE_INSTALL_LIBDIR}/orvinta")
set(ORVINTA_SYSTEMD_UNITDIR "lib/systemd/system" CACHE STRING
    "Directory of the server's systemd unit (relative to the prefix, or absolute)")
set(ORVINTA_APP_ID "net.belvo.Orvinta")

function(_orvinta_relative out from to)
  foreach(_dir from to)
    if(IS_ABSOLUTE "${${_dir}}")
      set(_${_dir} "${${_dir}}")
    else()
      set(_${_dir} "/prefix/${${_dir}}")
    endif()
  endforeach()
  file(RELATIVE_PATH _rel "${_from}" "${_to}")
  set(${out} "${_rel}" PARENT_SCOPE)
endfunction()
_orvinta_relative(ORVINTA_BIN_TO_DATA "${CMAKE_INSTALL_BINDIR}" "${ORVINTA_INSTALL_DATADIR}")
_orvinta_relative(ORVINTA_BIN_TO_MODULES "${CMAKE_INSTALL_BINDIR}" "${ORVINTA_INSTALL_MODULEDIR}")
_orvinta_relative(ORVINTA_MODULES_TO_BIN "${ORVINTA_INSTALL_MODULEDIR}" "${CMAKE_INSTALL_BINDIR}")

# The programs and the module, once every folder has made its targets. Each
# learns the installed layout as paths relative to its own directory (the
# control's logic: relative to the module's directory).
function(_orvinta_install_programs)
  foreach(_target IN ITEMS orvinta-server orvinta quendel-host quendel_core)
    if(TARGET ${_target})
      target_compile_definitions(${_target} PRIVATE
        ORVINTA_BIN_TO_DATA="${ORVINTA_BIN_TO_DATA}"
        ORVINTA_BIN_TO_MODULES="${ORVINTA_BIN_TO_MODULES}"
        ORVINTA_MODULES_TO_BIN="${ORVINTA_MODULES_TO_BIN}")
    endif()
  endforeach()
  foreach(_program IN ITEMS orvinta-server orvinta quendel-host)
    if(TARGET ${_program})
      install(TARGETS ${_program} RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
    endif()
  endforeach()
  if(TARGET quendel)
    install(TARGETS quendel LIBRARY DESTINATION "${ORVINTA_INSTALL_MODULEDIR}")
  endif()
endfunction()
cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL _orvinta_install_programs)

set(_pkg "${CMAKE_CURRENT_LIST_DIR}/../packaging")
cmake_path(NORMAL_PATH _pkg)

# Data files beside the programs.
install(DIRECTORY "${CMAKE_SOURCE_DIR}/server/portal" DESTINATION "${ORVINTA_INSTALL_DATADIR}")
install(FILES "${CMAKE_SOURCE_DIR}/client/resources/fonts/orvinta-fonts.conf"
        DESTINATION "${ORVINTA_INSTALL_DATADIR}")

# Desktop integration: the launcher and orvinta:// handler, AppStream, icons.
install(FILES "${_pkg}/desktop/${ORVINTA_APP_ID}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${_pkg}/desktop/${ORVINTA_APP_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
foreach(_size IN ITEMS 16 32 48 64 128 256)
  install(FILES "${_pkg}/icons/${_size}/orvinta.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps")
endforeach()
install(FILES "${_pkg}/icons/orvinta.svg" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")

# Manual pages, compressed as Debian wants them.
find_program(ORVINTA_GZIP gzip)
foreach(_page IN ITEMS orvinta orvinta-server quendel-host)
  set(_src "${_pkg}/man/${_page}.1")
  if(ORVINTA_GZIP)
    set(_gz "${CMAKE_BINARY_DIR}/packaging/man/${_page}.1.gz")
    add_custom_command(OUTPUT "${_gz}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/packaging/man"
      COMMAND ${ORVINTA_GZIP} -9n -c "${_src}" > "${_gz}"
      DEPENDS "${_src}" VERBATIM)
    list(APPEND _man_pages "${_gz}")
  else()
    list(APPEND _man_pages "${_src}")
  endif()
endforeach()
add_custom_target(orvinta_man_pages ALL DEPENDS ${_man_pages})
install(FILES ${_man_pages} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

# The server as a service.
configure_file("${_pkg}/systemd/orvinta-server.service.in"
               "${CMAKE_BINARY_DIR}/packaging/orvinta-server.service" @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/packaging/orvinta-server.service" DESTINATION "${ORVINTA_SYSTEMD_UNITDIR}")
# A /usr install keeps its configuration in /etc, as GNUInstallDirs says.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(_etc "${CMAKE_INSTALL_FULL_SYSCONFDIR}")
else()
  set(_etc "${CMAKE_INSTALL_SYSCONFDIR}")
endif()
install(FILES "${_pkg}/default/orvinta-server" DESTINATION "${_etc}/default")

include("${CMAKE_CURRENT_LIST_DIR}/Package.cmake")
