# Installing the game: the game folder under lib/morvane (read-only once
# installed: everything the game writes goes to the per-user folder), a
# launcher in bin, the desktop entry, AppStream metainfo, icons and licences.
set(MORVANE_APP_ID "example.zentoria.Morvane")
set(MORVANE_INSTALL_GAME_DIR "lib/morvane")

install(TARGETS morvane RUNTIME DESTINATION "${MORVANE_INSTALL_GAME_DIR}")
install(FILES "${MORVANE_GAME_DIR}/Morvane.data" "${MORVANE_GAME_DIR}/Morvane.pointer"
        DESTINATION "${MORVANE_INSTALL_GAME_DIR}" OPTIONAL)
install(DIRECTORY "${MORVANE_GAME_DIR}/Morvane.languages" DESTINATION "${MORVANE_INSTALL_GAME_DIR}" OPTIONAL)

set(MORVANE_BIN_TO_GAME "../${MORVANE_INSTALL_GAME_DIR}")
configure_file("${CMAKE_SOURCE_DIR}/packaging/morvane.sh.in" "${CMAKE_BINARY_DIR}/packaging/morvane" @ONLY)
install(PROGRAMS "${CMAKE_BINARY_DIR}/packaging/morvane" DESTINATION bin)

install(FILES "${CMAKE_SOURCE_DIR}/packaging/${MORVANE_APP_ID}.desktop" DESTINATION share/applications)
install(FILES "${CMAKE_SOURCE_DIR}/packaging/${MORVANE_APP_ID}.metainfo.xml" DESTINATION share/metainfo)

# Icons: the scalable source and PNGs rendered from it for the usual sizes.
find_program(RSVG_CONVERT rsvg-convert)
set(icon_outputs "")
foreach(size 48 64 128 256)
  set(icon "${CMAKE_BINARY_DIR}/packaging/icons/${size}/${MORVANE_APP_ID}.png")
  if(RSVG_CONVERT)
    add_custom_command(OUTPUT "${icon}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/packaging/icons/${size}"
      COMMAND "${RSVG_CONVERT}" -w ${size} -h ${size} -o "${icon}" "${CMAKE_SOURCE_DIR}/packaging/morvane.svg"
      DEPENDS "${CMAKE_SOURCE_DIR}/packaging/morvane.svg"
      VERBATIM)
    list(APPEND icon_outputs "${icon}")
    install(FILES "${icon}" DESTINATION "share/icons/hicolor/${size}x${size}/apps")
  endif()
endforeach()
add_custom_target(desktop_icons ALL DEPENDS ${icon_outputs})
install(FILES "${CMAKE_SOURCE_DIR}/packaging/morvane.svg" DESTINATION share/icons/hicolor/scalable/apps
        RENAME "${MORVANE_APP_ID}.svg")

install(FILES "${CMAKE_SOURCE_DIR}/LICENSE" DESTINATION share/doc/morvane)
file(GLOB font_licences "${CMAKE_SOURCE_DIR}/content/font/LICENSE-*")
install(FILES ${font_licences} DESTINATION share/doc/morvane)

# Source tarball: `cmake --build build --target package_source`.
set(CPACK_PACKAGE_NAME "morvane")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_SOURCE_GENERATOR "TGZ")
set(CPACK_SOURCE_PACKAGE_FILE_NAME "morvane-${PROJECT_VERSION}")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/build-[^/]*/" "/__pycache__/" "\\\\.swp$")
include(CPack)
