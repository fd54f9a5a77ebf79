# Installation layout and the Debian package.
include(GNUInstallDirs)

set(QX_APP_ID org.quarvex.Quarvex)
set(QX_DEB_RELEASE 1)
set(QX_DEB_VERSION ${PROJECT_VERSION}-${QX_DEB_RELEASE})
set(QX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quarvex)

install(TARGETS qx qxtool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/${QX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(packaging/${QX_APP_ID}.metainfo.xml ${CMAKE_CURRENT_BINARY_DIR}/${QX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${QX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/icons/quarvex.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${QX_APP_ID}.svg)
foreach(size 16 32 48 64 128 256)
  install(FILES packaging/icons/quarvex-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${QX_APP_ID}.png)
endforeach()
install(FILES packaging/qxtool.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME qxtool)
install(FILES packaging/copyright DESTINATION ${QX_DOC_DIR})
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME quarvex)

# Manual pages and the changelog, compressed as Debian expects.
find_program(HELP2MAN help2man)
find_program(GZIP gzip REQUIRED)
set(QX_DOC_OUTPUTS)
set(QX_SUMMARY_qx "editor for the units, buildings and weapons of Valkor")
set(QX_SUMMARY_qxtool "the Quarvex core on the command line")
if(HELP2MAN)
  foreach(program qx qxtool)
    set(page ${CMAKE_CURRENT_BINARY_DIR}/${program}.1)
    add_custom_command(
      OUTPUT ${page}.gz
      COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section=1 --source=Quarvex
              "--name=${QX_SUMMARY_${program}}" --output=${page} $<TARGET_FILE:${program}>
      COMMAND ${GZIP} -9nf ${page}
      DEPENDS ${program}
      COMMENT "Writing the manual page of ${program} from its --help")
    list(APPEND QX_DOC_OUTPUTS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
endif()
configure_file(packaging/changelog.Debian.in ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian @ONLY)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz
  COMMAND ${GZIP} -9nc ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian > ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian)
list(APPEND QX_DOC_OUTPUTS ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz DESTINATION ${QX_DOC_DIR})
add_custom_target(qxdocs ALL DEPENDS ${QX_DOC_OUTPUTS})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Quarvex developers <developers@quarvex.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the units, buildings and weapons of Valkor")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quarvex lets players of the strategy game Valkor redefine the game's units,
buildings, weapons, projectiles, warheads and general rules in editor
windows, take graphics from graphics libraries by drag and drop, collect
everything in a project and compile it into the files the game reads.
.
The game's own files are kept before the first compile and can be put
back at any time. The command-line tool qxtool compiles and inspects
projects and libraries for scripts.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${QX_DEB_RELEASE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
