# Everything that makes Quorvex an installed desktop game: install rules with
# GNUInstallDirs, the icons drawn at build time, the man page, the desktop
# entry and AppStream metainfo from data/, and the Debian package via CPack.
# Included from the top-level CMakeLists.txt once the `quorvex` and
# `quorvex_qt` targets exist.

include(GNUInstallDirs)

# One reverse-DNS id names the desktop entry, the metainfo, the icons and the
# running application.
set(QUORVEX_APP_ID org.quorvex.quorvex)
set(QUORVEX_DATA ${PROJECT_SOURCE_DIR}/data)
set(QUORVEX_DESKTOP_FILE ${QUORVEX_DATA}/${QUORVEX_APP_ID}.desktop)
set(QUORVEX_METAINFO_FILE ${QUORVEX_DATA}/${QUORVEX_APP_ID}.metainfo.xml)
set(QUORVEX_HELP_DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvex/help)
# Debian looks for a package's copyright under its lower-case name.
set(QUORVEX_DOC_DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvex)

target_compile_definitions(quorvex PRIVATE QUORVEX_APP_ID="${QUORVEX_APP_ID}" QUORVEX_VERSION="${PROJECT_VERSION}")

# The program finds its installed help from its own folder, so the same
# binary works under any prefix and from an unpacked package.
file(RELATIVE_PATH help_from_bindir
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/quorvex/help)
target_compile_definitions(quorvex_qt PRIVATE QUORVEX_HELP_FROM_BINDIR="${help_from_bindir}")
# The print library likewise, among the game's own plugins: one folder
# further down than lib/quorvex, where the package would run ldconfig for a
# library nothing links.
set(QUORVEX_PRINT_DESTINATION ${CMAKE_INSTALL_LIBDIR}/quorvex/plugins)
file(RELATIVE_PATH print_from_bindir ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR}/quorvex/plugins)
target_compile_definitions(quorvex_qt PRIVATE QUORVEX_PRINT_FROM_BINDIR="${print_from_bindir}")

# Icons: the window icon's own drawing code renders the installed pictures.
# Only the installed files need them: building just the game to play it
# leaves them out (QUORVEX_ICONS=OFF), and with them Qt 6 SVG.
set(icon_files)
if(QUORVEX_ICONS)
  find_package(Qt6 COMPONENTS Svg)
  if(NOT Qt6Svg_FOUND)
    message(FATAL_ERROR "Qt 6 SVG (Debian: qt6-svg-dev) is needed to write the scalable icon")
  endif()
  add_executable(quorvex_icons tools/render_icons.cpp)
  target_link_libraries(quorvex_icons PRIVATE quorvex_qt Qt6::Svg)

  set(QUORVEX_ICON_SIZES 16 22 24 32 48 64 128 256)
  set(icon_dir ${PROJECT_BINARY_DIR}/icons/hicolor)
  set(icon_files ${icon_dir}/scalable/apps/${QUORVEX_APP_ID}.svg)
  foreach(size ${QUORVEX_ICON_SIZES})
    list(APPEND icon_files ${icon_dir}/${size}x${size}/apps/${QUORVEX_APP_ID}.png)
  endforeach()
  add_custom_command(OUTPUT ${icon_files}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:quorvex_icons> ${icon_dir} ${QUORVEX_APP_ID} ${QUORVEX_ICON_SIZES}
    DEPENDS quorvex_icons
    COMMENT "Drawing the installed icons"
    VERBATIM)
endif()

# Debian wants man pages and changelogs compressed, without time stamps.
set(man_page ${PROJECT_BINARY_DIR}/man/quorvex.6.gz)
set(changelog ${PROJECT_BINARY_DIR}/doc/changelog.gz)
add_custom_command(OUTPUT ${man_page}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
  COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" gzip ${QUORVEX_DATA}/quorvex.6 ${man_page}
  DEPENDS ${QUORVEX_DATA}/quorvex.6
  VERBATIM)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/doc
  COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" gzip ${QUORVEX_DATA}/changelog ${changelog}
  DEPENDS ${QUORVEX_DATA}/changelog
  VERBATIM)
add_custom_target(quorvex_install_files ALL DEPENDS ${icon_files} ${man_page} ${changelog})

install(TARGETS quorvex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS quorvex_print LIBRARY DESTINATION ${QUORVEX_PRINT_DESTINATION})
install(DIRECTORY resources/help/ DESTINATION ${QUORVEX_HELP_DESTINATION})
install(FILES ${QUORVEX_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUORVEX_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
if(QUORVEX_ICONS)
  install(DIRECTORY ${icon_dir}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor
    FILES_MATCHING PATTERN "*.png" PATTERN "*.svg")
endif()
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${QUORVEX_DATA}/copyright ${changelog} DESTINATION ${QUORVEX_DOC_DESTINATION})

# The Debian package: `cpack -G DEB` in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VENDOR "The Quorvex developers")
set(CPACK_PACKAGE_CONTACT "The Quorvex developers <quorvex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arithmetic puzzle with four corner results")
set(CPACK_PACKAGE_DESCRIPTION
  "Quorvex is a puzzle for one player on a 7 by 7 grid of eight small sums.
A puzzle shows only four corner numbers; the player chooses every other
number and operator until the board produces them. Every number is a whole
number from 1 to 9, and multiplication goes before addition and subtraction.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quorvex.org/")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Run-time libraries come from what the binary links; the platform plugin
# that draws the window is loaded at run time, so no library names it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebianGames.cmake)
set(CPACK_QUORVEX_BINDIR ${CMAKE_INSTALL_BINDIR})
include(CPack)
