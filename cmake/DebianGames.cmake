# Run by CPack on its staging folder before the Debian package is made.
# Debian keeps the programs of games in /usr/games; a plain `cmake --install`
# keeps the usual bin folder, where every other system looks. Both sit one
# level below the prefix, so the program's relative way to its help holds.
set(staged "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT CPACK_QUORVEX_BINDIR STREQUAL "bin")
  message(FATAL_ERROR "The package expects the program in bin/, not ${CPACK_QUORVEX_BINDIR}/")
endif()
file(MAKE_DIRECTORY "${staged}/games")
file(RENAME "${staged}/bin/quorvex" "${staged}/games/quorvex")
file(GLOB left "${staged}/bin/*")
if(NOT left)
  file(REMOVE_RECURSE "${staged}/bin")
endif()
