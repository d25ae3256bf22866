# SPDX-License-Identifier: GPL-3.0-or-later
# Installation where Debian puts games, and the Debian package built from it by CPack.
#   <prefix>/games/ostrel-trains                       the program
#   <prefix>/share/games/ostrel-trains/data.dat        its pictures, sounds and music
#   <prefix>/share/games/ostrel-trains/levels/<pack>/  the level packs (from data/levels)
#   <prefix>/share/applications, share/metainfo, share/icons/hicolor, share/man/man6,
#   share/doc/ostrel-trains                            desktop entry, AppStream data,
#                                                      icons, manual page, licence
# The desktop entry names the program by its configured place, and the program looks
# for its data beside itself first, so the build is configured with the prefix the
# package uses (scripts/build-deb.sh: /usr).

set(OT_APP_ID "org.ostrelgames.OstrelTrains")
set(OT_RELEASE_DATE "2026-12-07")
set(OT_RELEASE_DATE_RFC2822 "Mon, 07 Dec 2026 00:00:00 +0000")
set(OT_HOMEPAGE_URL "https://ostrel-trains.example.org/" CACHE STRING
    "The game's web page, named by the AppStream data and the Debian package")
set(OT_SCREENSHOT_URL "${OT_HOMEPAGE_URL}screenshots/puzzle-level.png" CACHE STRING
    "The screenshot the AppStream data shows")
set(OT_PACKAGE_MAINTAINER "Ostrel Games <games@ostrel-trains.example.org>" CACHE STRING
    "The Debian package's maintainer: name <address>")

set(OT_DATA_INSTALL_DIR "${CMAKE_INSTALL_PREFIX}/share/games/ostrel-trains")
set(OT_INSTALL_EXECUTABLE "${CMAKE_INSTALL_PREFIX}/games/ostrel-trains")
set(ot_dist ${CMAKE_BINARY_DIR}/dist)
set(ot_source ${PROJECT_SOURCE_DIR}/packaging)

configure_file(${ot_source}/ostrel-trains.desktop.in ${ot_dist}/ostrel-trains.desktop @ONLY)
configure_file(${ot_source}/metainfo.xml.in ${ot_dist}/${OT_APP_ID}.metainfo.xml @ONLY)
configure_file(${ot_source}/ostrel-trains.6.in ${ot_dist}/ostrel-trains.6 @ONLY)
configure_file(${ot_source}/changelog.in ${ot_dist}/changelog @ONLY)
# Compressed as Debian wants them: best compression, no name or time stamp inside, so
# that the same sources give the same bytes. configure_file above reruns this step
# whenever a source changes.
foreach(page ostrel-trains.6 changelog)
  execute_process(COMMAND gzip -9 -n -c ${ot_dist}/${page}
                  OUTPUT_FILE ${ot_dist}/${page}.gz RESULT_VARIABLE gzip_result)
  if(NOT gzip_result EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${ot_dist}/${page}")
  endif()
endforeach()

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS ostrel-trains RUNTIME DESTINATION games)
# A stripped install (cmake --install --strip, or CPack) also drops the compiler's
# notes, as Debian's own packaging does.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/ostrel-trains\")
  endif()")
install(FILES ${CMAKE_BINARY_DIR}/data.dat DESTINATION share/games/ostrel-trains)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/levels/ DESTINATION share/games/ostrel-trains/levels
        FILES_MATCHING PATTERN "pack.index" PATTERN "*.level")
install(FILES ${ot_dist}/ostrel-trains.desktop DESTINATION share/applications)
install(FILES ${ot_dist}/${OT_APP_ID}.metainfo.xml DESTINATION share/metainfo)
# The icons are drawn at every size by the art generator (tools/art/interface/AppIcon.cpp).
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}x${size}/ostrel-trains.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${ot_dist}/ostrel-trains.6.gz DESTINATION share/man/man6)
install(FILES ${ot_source}/copyright ${ot_dist}/changelog.gz DESTINATION share/doc/ostrel-trains)

# The Debian package: ostrel-trains_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ostrel-trains)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ostrel Games")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "railway puzzle game: lead every train to its town")
# The synopsis is the summary above; this is the long description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[Towns of eight colours appear at the edges of a grid of junctions, and trains
of the same colours set out across it. You throw the switches and set the
signals so that every train reaches the town of its own colour, keep trains
from meeting, and call the repair train to damaged track.

Every delivered train earns money; crashes and trains kept waiting cost it.
The Puzzle game gives a ready-built railway for each level; in the Classic
game you lay the track yourself and pay for it. Five levels make a game, and
each player's game is saved and taken up again at the next start.]=])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/COPYING)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${OT_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${OT_HOMEPAGE_URL}")
# The libraries the program links come from the binary itself (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The music is played through a General MIDI sound font or patch set when one is there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont | fluid-soundfont-gm | freepats")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
