# Desktop integration of the installed program: bin/hearvex, a desktop entry
# and the icon in the sizes the desktop's icon theme looks for.

# bin/hearvex and bin/hearvex-lesson link to the programs, which live beside their data. The prefix is
# the one given at install time (cmake --install --prefix), so both the link
# and the desktop entry's command are made then.
file(RELATIVE_PATH HEARVEX_PROGRAM_FROM_BIN /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${CMAKE_INSTALL_LIBDIR}/hearvex/hearvex)
install(CODE "
  set(bin \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${bin}\")
  message(STATUS \"Linking: \$ENV{DESTDIR}\${bin}/hearvex -> ${HEARVEX_PROGRAM_FROM_BIN}\")
  file(CREATE_LINK \"${HEARVEX_PROGRAM_FROM_BIN}\" \"\$ENV{DESTDIR}\${bin}/hearvex\" SYMBOLIC)
  file(CREATE_LINK \"${HEARVEX_PROGRAM_FROM_BIN}-lesson\" \"\$ENV{DESTDIR}\${bin}/hearvex-lesson\" SYMBOLIC)
  set(HEARVEX_INSTALLED_PROGRAM \"\${bin}/hearvex\")
  configure_file(\"${CMAKE_CURRENT_SOURCE_DIR}/hearvex.desktop.in\" \"${CMAKE_CURRENT_BINARY_DIR}/hearvex.desktop\" @ONLY)
  file(INSTALL \"${CMAKE_CURRENT_BINARY_DIR}/hearvex.desktop\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
")

# The AppStream description software centres show.
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/io.github.hearvex.Hearvex.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icons are drawn by the program's own artwork code at build time.
add_executable(hearvex_make_icons make_icons.cpp)
target_link_libraries(hearvex_make_icons PRIVATE hearvex_controls hearvex_warnings)
set(HEARVEX_ICON_SIZES 16 22 24 32 48 64 128 256)
set(HEARVEX_ICON_DIR ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(HEARVEX_ICON_FILES)
foreach(size ${HEARVEX_ICON_SIZES})
  list(APPEND HEARVEX_ICON_FILES ${HEARVEX_ICON_DIR}/hicolor/${size}x${size}/apps/hearvex.png)
endforeach()
add_custom_command(
  OUTPUT ${HEARVEX_ICON_FILES}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:hearvex_make_icons> ${HEARVEX_ICON_DIR} ${HEARVEX_ICON_SIZES}
  DEPENDS hearvex_make_icons
  COMMENT "Drawing the program's icons")
add_custom_target(hearvex_icons ALL DEPENDS ${HEARVEX_ICON_FILES})
install(DIRECTORY ${HEARVEX_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
