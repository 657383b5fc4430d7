# `cmake --install build --prefix PREFIX`: the programs and tools in PREFIX/bin, the data that
# assetgen made in the build's bin/ in PREFIX/share/skirmish/ and PREFIX/share/atlas/ (where the
# programs look when their data is not beside them), and what the desktop needs to offer them: the
# desktop entries, icons, AppStream metadata, the map file type and the manual pages.
include(GNUInstallDirs)

# A tree that makes no data (the sanitizer build) has nothing to install.
if(NOT TARGET assets)
  return()
endif()

set(kProgramTargets skirmish atlas assetgen assetinfo assetview qzp)
install(TARGETS ${kProgramTargets} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The manual pages, made from docs/man/ with the options of each program's --help.
set(manFolder ${CMAKE_BINARY_DIR}/man)
file(MAKE_DIRECTORY ${manFolder})
set(manPages "")
foreach(page skirmish.6 atlas.1 assetgen.1 assetinfo.1 assetview.1 qzp.1)
  string(REGEX REPLACE "\\.[0-9]$" "" program ${page})
  string(REGEX REPLACE "^.*\\." "" section ${page})
  set(source ${PROJECT_SOURCE_DIR}/docs/man/${page}.in)
  add_custom_command(
    OUTPUT ${manFolder}/${page}
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${source} -DOUTPUT=${manFolder}/${page} -DPROGRAM=$<TARGET_FILE:${program}>
            -DVERSION=${PROJECT_VERSION} -DDATE=${PROJECT_RELEASE_DATE} -P ${PROJECT_SOURCE_DIR}/cmake/man_page.cmake
    DEPENDS ${source} ${PROJECT_SOURCE_DIR}/cmake/man_page.cmake ${program}
    COMMENT "Making the manual page ${page}"
    VERBATIM)
  list(APPEND manPages ${manFolder}/${page})
  install(FILES ${manFolder}/${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${manPages})

# The AppStream metadata carries the release; its ids follow the reverse-domain rule.
foreach(program skirmish atlas)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${program}.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/packaging/org.tarvolen.${program}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/org.tarvolen.${program}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/${program}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/atlas-map.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME atlas.xml)

# The data and icons assetgen made.
set(generated ${CMAKE_BINARY_DIR}/bin)
install(DIRECTORY ${generated}/cursors ${generated}/models ${generated}/textures ${generated}/sounds
        DESTINATION ${CMAKE_INSTALL_DATADIR}/skirmish)
install(DIRECTORY ${generated}/Data ${generated}/System DESTINATION ${CMAKE_INSTALL_DATADIR}/atlas)
install(DIRECTORY ${generated}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
