# Run by `cmake --install`: writes olva-server's systemd unit and the example
# of its environment file for the prefix being installed to, and installs them.
# The variables come from packaging/CMakeLists.txt.
function(olva_full_path dir out)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()

olva_full_path("${OLVA_BINDIR}" bindir)
# As GNUInstallDirs has it: a /usr prefix keeps its settings in /etc.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr" AND OLVA_SYSCONFDIR STREQUAL "etc")
  set(sysconfdir /etc)
else()
  olva_full_path("${OLVA_SYSCONFDIR}" sysconfdir)
endif()
set(OLVA_SERVER_BIN "${bindir}/olva-server")
set(OLVA_SERVER_ENV_FILE "${sysconfdir}/default/olva-server")

configure_file("${OLVA_UNIT_IN}" "${OLVA_WORK_DIR}/olva-server.service" @ONLY)
configure_file("${OLVA_ENV_IN}" "${OLVA_WORK_DIR}/olva-server.default" @ONLY)
olva_full_path("${OLVA_UNITDIR}" unitdir)
olva_full_path("${OLVA_DOCDIR}" docdir)
file(INSTALL "${OLVA_WORK_DIR}/olva-server.service" DESTINATION "${unitdir}")
file(INSTALL "${OLVA_WORK_DIR}/olva-server.default" DESTINATION "${docdir}")
