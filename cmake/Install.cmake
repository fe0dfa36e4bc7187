# What `cmake --install` lays out: the program, the files it ships (spinner frames, the first
# keyword list) under the data directory, the launcher entry, the icon and the AppStream
# metainfo. One reverse-DNS application id names the last three.
include(GNUInstallDirs)

set(PICTOMINE_APP_ID "org.pictomine.Pictomine")
set(PICTOMINE_RELEASE_DATE "2026-12-07") # of PROJECT_VERSION
set(PICTOMINE_CHANGELOG_DATE "Mon, 07 Dec 2026 12:00:00 +0000") # the same date as the changelog writes it
set(PICTOMINE_DATA_DIR "${CMAKE_INSTALL_DATADIR}/pictomine")
# The program finds its shipped files relative to its own folder, so an installed tree can be
# moved (or staged by a packager) without rebuilding.
file(RELATIVE_PATH PICTOMINE_SHIPPED_DATA "/${CMAKE_INSTALL_BINDIR}" "/${PICTOMINE_DATA_DIR}")

set(generated ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_SOURCE_DIR}/packaging/pictomine.desktop.in
               ${generated}/${PICTOMINE_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/pictomine.metainfo.xml.in
               ${generated}/${PICTOMINE_APP_ID}.metainfo.xml @ONLY)
# The changelog of the (native) Debian package, compressed as Debian policy asks: gzip -9n, so
# that the same text always gives the same bytes.
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${generated}/changelog @ONLY)
find_program(GZIP_PROGRAM gzip REQUIRED)
add_custom_command(OUTPUT ${generated}/changelog.gz
                   COMMAND ${GZIP_PROGRAM} -9 -n -k -f ${generated}/changelog
                   DEPENDS ${generated}/changelog VERBATIM)
add_custom_target(changelog ALL DEPENDS ${generated}/changelog.gz)

install(TARGETS pictomine pictomine-window RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(frames "")
foreach(n RANGE 1 14)
  list(APPEND frames ${PICTOMINE_APP_DIR}/Images/load${n}.png ${PICTOMINE_APP_DIR}/Images/load${n}@2x.png)
endforeach()
install(FILES ${frames} DESTINATION ${PICTOMINE_DATA_DIR}/Images)
install(FILES ${CMAKE_SOURCE_DIR}/data/GoodLuck.txt DESTINATION ${PICTOMINE_DATA_DIR})
install(FILES ${generated}/${PICTOMINE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/src/grid/artwork/logo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${PICTOMINE_APP_ID}.svg)
install(FILES ${generated}/${PICTOMINE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/packaging/copyright ${generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pictomine)
