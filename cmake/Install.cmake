# Installation and the Debian packages.
#
# `cmake --install` puts the programs in games/ (Debian's place for games)
# and each program's read-only data in share/<program>/, where the programs
# look for it beside their own games/ folder; whole data folders are installed, so a new sound, tune or help
# page needs no edit here (only the generators in tools/ stay behind). Each
# program also brings what a desktop needs to offer it: a desktop entry, its
# icon in the hicolor theme, AppStream metainfo and manual pages for it and
# its simulator. Everything of one program is one install component, and
# CPack makes one .deb of each: cpack -G DEB in the build folder.

# The programs look for their data at ../share/<program> from games/, so
# these two stay fixed whatever the prefix.
set(CARDGAMES_BIN_DIR games)
set(CARDGAMES_SHARE_DIR share)
set(CARDGAMES_WEB_URL "https://cardgames.example.org" CACHE STRING
    "Address where the project's pages and the docs/ screenshots are published")

set(VARENTA_APP_ID org.example.cardgames.varenta)
set(KIV_APP_ID org.example.cardgames.kiv)

# Manual pages are installed compressed, as Debian keeps them.
find_program(GZIP_PROGRAM gzip REQUIRED)

foreach(program IN ITEMS varenta kiv)
  if(NOT TARGET ${program} OR NOT TARGET ${program}-sim)
    continue()
  endif()
  string(TOUPPER ${program} PROGRAM)
  set(app_id ${${PROGRAM}_APP_ID})
  set(desktop ${CMAKE_SOURCE_DIR}/desktop)

  install(TARGETS ${program} ${program}-sim
          RUNTIME DESTINATION ${CARDGAMES_BIN_DIR} COMPONENT ${program})
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/${program}/
          DESTINATION ${CARDGAMES_SHARE_DIR}/${program} COMPONENT ${program}
          PATTERN tools EXCLUDE
          PATTERN translations EXCLUDE
          PATTERN __pycache__ EXCLUDE)

  install(FILES ${desktop}/${app_id}.desktop
          DESTINATION ${CARDGAMES_SHARE_DIR}/applications COMPONENT ${program})
  # Saved games open with the program that wrote them.
  if(EXISTS ${desktop}/${app_id}.mime.xml)
    install(FILES ${desktop}/${app_id}.mime.xml RENAME ${app_id}.xml
            DESTINATION ${CARDGAMES_SHARE_DIR}/mime/packages COMPONENT ${program})
  endif()
  install(FILES ${desktop}/icons/${program}.svg RENAME ${app_id}.svg
          DESTINATION ${CARDGAMES_SHARE_DIR}/icons/hicolor/scalable/apps COMPONENT ${program})
  foreach(size IN ITEMS 48 128 256)
    install(FILES ${desktop}/icons/${size}/${program}.png RENAME ${app_id}.png
            DESTINATION ${CARDGAMES_SHARE_DIR}/icons/hicolor/${size}x${size}/apps
            COMPONENT ${program})
  endforeach()

  configure_file(${desktop}/${app_id}.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/desktop/${app_id}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/desktop/${app_id}.metainfo.xml
          DESTINATION ${CARDGAMES_SHARE_DIR}/metainfo COMPONENT ${program})

  set(pages)
  foreach(page IN ITEMS ${program} ${program}-sim)
    set(gz ${CMAKE_BINARY_DIR}/desktop/${page}.6.gz)
    add_custom_command(OUTPUT ${gz}
                       COMMAND ${GZIP_PROGRAM} -9 -n -c ${desktop}/man/${page}.6 > ${gz}
                       DEPENDS ${desktop}/man/${page}.6
                       COMMENT "Compressing the manual page ${page}.6")
    list(APPEND pages ${gz})
  endforeach()
  add_custom_target(${program}_manual ALL DEPENDS ${pages})
  install(FILES ${pages} DESTINATION ${CARDGAMES_SHARE_DIR}/man/man6 COMPONENT ${program})
endforeach()

# The licence and the history, as a Debian package carries them in its
# documentation folder (the changelog compressed without a time stamp, so
# that two builds give the same bytes).
set(cardgames_changelog ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
add_custom_command(OUTPUT ${cardgames_changelog}
                   COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/desktop/changelog > ${cardgames_changelog}
                   DEPENDS ${CMAKE_SOURCE_DIR}/desktop/changelog
                   COMMENT "Compressing the changelog")
add_custom_target(cardgames_changelog ALL DEPENDS ${cardgames_changelog})
foreach(program varenta kiv)
  install(FILES ${CMAKE_SOURCE_DIR}/desktop/copyright ${cardgames_changelog}
          DESTINATION ${CARDGAMES_SHARE_DIR}/doc/${program} COMPONENT ${program})
endforeach()

# The window tells the desktop which entry it belongs to (icon and name in
# task bars, notably under Wayland).
if(TARGET varenta)
  target_compile_definitions(varenta PRIVATE CARDGAMES_APP_ID="${VARENTA_APP_ID}")
endif()
if(TARGET kiv)
  target_compile_definitions(kiv PRIVATE CARDGAMES_APP_ID="${KIV_APP_ID}")
endif()

# One .deb per program, each with its simulator. Library dependencies are
# found by dpkg-shlibdeps from the programs themselves.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The packaging's own revision of that version (desktop/changelog's first
# line): the packages are not native, so their changelog is the Debian one.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_VENDOR "The Varenta and Kiv developers")
set(CPACK_PACKAGE_CONTACT "The Varenta and Kiv developers <cardgames@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_COMPONENTS_ALL varenta kiv)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Debian ships programs without their symbol tables.
set(CPACK_STRIP_FILES ON)
# The sound library is opened with the first sound, not linked, so
# dpkg-shlibdeps cannot see it (see SdlOnDemand.cpp); the same holds for
# Varenta's TLS library, opened with the first secured mail connection
# (TlsOnDemand.cpp).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-mixer-2.0-0 (>= 2.6.0)")
set(CPACK_DEBIAN_VARENTA_PACKAGE_DEPENDS "libsdl2-mixer-2.0-0 (>= 2.6.0), libgnutls30 (>= 3.7.0)")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${CARDGAMES_WEB_URL})
# The General MIDI sound font the programs' music is played with.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont | fluid-soundfont-gm")
set(CPACK_DEBIAN_VARENTA_PACKAGE_NAME varenta)
set(CPACK_DEBIAN_VARENTA_PACKAGE_SECTION games)
set(CPACK_COMPONENT_VARENTA_DISPLAY_NAME "Varenta")
# The first line is the package's synopsis; CPack indents the rest and
# marks the empty line.
set(CPACK_DEBIAN_VARENTA_DESCRIPTION "two-handed rummy card game
Varenta is a rummy game for two, played with two 54-card decks with jokers
and twos wild. Seven-card melds called Varentas, red threes and a frozen
discard pile decide the hands; a game goes to 5000 points. Play against the
computer at three strengths, or against a friend's copy over the network,
with a chat window and an address exchange by e-mail.

The package also holds varenta-sim, which plays the game headless.")
set(CPACK_DEBIAN_KIV_PACKAGE_NAME kiv)
set(CPACK_DEBIAN_KIV_PACKAGE_SECTION games)
# Qt's own dialogs in German, like the rest of the program.
set(CPACK_DEBIAN_KIV_PACKAGE_RECOMMENDS
    "timgm6mb-soundfont | fluid-soundfont-gm, qt6-translations-l10n")
set(CPACK_COMPONENT_KIV_DISPLAY_NAME "Kiv Kiv")
set(CPACK_DEBIAN_KIV_DESCRIPTION "shedding card game for up to four players
Kiv Kiv is played with a 32-card deck: lay a card that matches the top of
the discard pile by suit or rank and be the first to run out of cards.
Sevens make the next player draw, eights make them sit out and a jack
names the suit to follow; five rule switches vary this. The other seats
are played by the computer or by friends at the same computer, rounds are
scored up to a target and the best results go into a ranking list.
The interface is German.

The package also holds kiv-sim, which plays the game headless.")
include(CPack)

# The installed tree, file by file, with the validators of desktop entries
# and AppStream metainfo; the .deb files (slower: label package).
if(NOT CARDGAMES_FUZZ AND TARGET varenta AND TARGET kiv)
  add_test(NAME install_tree
           COMMAND ${CMAKE_SOURCE_DIR}/testsupport/check_install.sh install
                   ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/install-check)
  add_test(NAME package_deb
           COMMAND ${CMAKE_SOURCE_DIR}/testsupport/check_install.sh package
                   ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/package-check)
  set_tests_properties(package_deb PROPERTIES LABELS package)
endif()
