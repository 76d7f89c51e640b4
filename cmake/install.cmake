# Installing the game in the layout Debian gives games: the program in games/,
# its data in share/games/morvane/ (read-only once installed: everything the
# game writes goes to the per-user folder), the desktop entry, AppStream
# metainfo, icons, a manual page, the copyright file and the changelog.
# `cmake --install` and the Debian package (`cpack` in the build folder) share
# this layout.
set(MORVANE_APP_ID "example.zentoria.Morvane")
set(MORVANE_INSTALL_BIN_DIR "games" CACHE STRING "Where the program is installed, under the prefix")
set(MORVANE_INSTALL_DATA_DIR "share/games/morvane" CACHE STRING "Where the game's data is installed, under the prefix")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The installed program reaches its data from its own folder, so any prefix works.
file(RELATIVE_PATH data_from_program "/${MORVANE_INSTALL_BIN_DIR}" "/${MORVANE_INSTALL_DATA_DIR}")
set_property(SOURCE "${CMAKE_SOURCE_DIR}/src/startup/startup.cpp" APPEND PROPERTY
             COMPILE_DEFINITIONS "MORVANE_DATA_FROM_PROGRAM=\"${data_from_program}/\"")

install(TARGETS morvane RUNTIME DESTINATION "${MORVANE_INSTALL_BIN_DIR}")
install(FILES "${MORVANE_GAME_DIR}/Morvane.data" "${MORVANE_GAME_DIR}/Morvane.pointer"
        DESTINATION "${MORVANE_INSTALL_DATA_DIR}" OPTIONAL)
install(DIRECTORY "${MORVANE_GAME_DIR}/Morvane.languages" DESTINATION "${MORVANE_INSTALL_DATA_DIR}" OPTIONAL)

install(FILES "${CMAKE_SOURCE_DIR}/packaging/${MORVANE_APP_ID}.desktop" DESTINATION share/applications)
install(FILES "${CMAKE_SOURCE_DIR}/packaging/${MORVANE_APP_ID}.metainfo.xml" DESTINATION share/metainfo)

# Icons: the scalable source and PNGs rendered from it for the usual sizes.
find_program(RSVG_CONVERT rsvg-convert)
set(packaging_outputs "")
foreach(size 48 64 128 256)
  set(icon "${CMAKE_BINARY_DIR}/packaging/icons/${size}/${MORVANE_APP_ID}.png")
  if(RSVG_CONVERT)
    add_custom_command(OUTPUT "${icon}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/packaging/icons/${size}"
      COMMAND "${RSVG_CONVERT}" -w ${size} -h ${size} -o "${icon}" "${CMAKE_SOURCE_DIR}/packaging/morvane.svg"
      DEPENDS "${CMAKE_SOURCE_DIR}/packaging/morvane.svg"
      VERBATIM)
    list(APPEND packaging_outputs "${icon}")
    install(FILES "${icon}" DESTINATION "share/icons/hicolor/${size}x${size}/apps")
  endif()
endforeach()
install(FILES "${CMAKE_SOURCE_DIR}/packaging/morvane.svg" DESTINATION share/icons/hicolor/scalable/apps
        RENAME "${MORVANE_APP_ID}.svg")

# The manual page and the changelog, compressed without names or dates so
# that the same sources give the same bytes.
foreach(pair "morvane.6;share/man/man6" "changelog;share/doc/morvane")
  list(GET pair 0 name)
  list(GET pair 1 destination)
  set(out "${CMAKE_BINARY_DIR}/packaging/${name}")
  add_custom_command(OUTPUT "${out}.gz"
    COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_SOURCE_DIR}/packaging/${name}" "${out}"
    COMMAND gzip -9nf "${out}"
    DEPENDS "${CMAKE_SOURCE_DIR}/packaging/${name}"
    VERBATIM)
  list(APPEND packaging_outputs "${out}.gz")
  install(FILES "${out}.gz" DESTINATION "${destination}")
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${packaging_outputs})

# The copyright file (machine-readable): the code's MIT licence from LICENSE
# and the faces' SIL Open Font License stanzas from their licence files.
function(morvane_copyright_text text out)  # a licence text as a field's continuation lines
  string(REPLACE "\n\n" "\n.\n" text "${text}")
  string(REPLACE "\n" "\n " text " ${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
file(READ "${CMAKE_SOURCE_DIR}/LICENSE" licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" _ "${licence}")
set(MORVANE_COPYRIGHT "${CMAKE_MATCH_1}")
string(REGEX MATCH "Permission is hereby granted.*SOFTWARE\\." licence "${licence}")
morvane_copyright_text("${licence}" MORVANE_CODE_LICENCE)
# Each face's "Files: *" stanza from its package's copyright file; the CJK
# face's names its licence only, whose text stands in a paragraph of its own.
foreach(face Quicksand Comfortaa NotoSansCJK)
  file(READ "${CMAKE_SOURCE_DIR}/content/font/LICENSE-${face}.txt" licence)
  string(REGEX MATCH "\nFiles: \\*\n([^\n]+(\n[^\n]+)*)" _ "${licence}")
  set(MORVANE_${face}_LICENCE "${CMAKE_MATCH_1}")
endforeach()
string(REGEX MATCH "\n(License: SIL-1.1\n [^\n]+(\n [^\n]+)*)" _ "${licence}")
set(MORVANE_SIL_LICENCE "${CMAKE_MATCH_1}")
configure_file("${CMAKE_SOURCE_DIR}/packaging/copyright.in" "${CMAKE_BINARY_DIR}/packaging/copyright" @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/packaging/copyright" DESTINATION share/doc/morvane)

# The Debian package: `cpack` in the build folder writes morvane_VERSION_ARCH.deb.
# Its dependencies come from the libraries the program links (dpkg-shlibdeps).
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "morvane")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Zentoria Interactive <support@zentoria.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tile-matching puzzle game with a rising board")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
A board of glazed picture tiles rises slowly from the bottom of the screen.
Click three tiles with the same picture, one after another, to remove them;
the tiles above fall into the gaps and nothing refills. Clear the board
before its top row reaches the top of the screen.

The game has 25 campaign levels, each rated with up to three stars, and a
quick game at four difficulties. It runs full screen or in a window and
speaks English, German, French, Spanish and Polish.]])
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.zentoria.example/")
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

# Source tarball: `cmake --build build --target package_source`.
set(CPACK_SOURCE_GENERATOR "TGZ")
set(CPACK_SOURCE_PACKAGE_FILE_NAME "morvane-${PROJECT_VERSION}")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/build-[^/]*/" "/__pycache__/" "\\\\.swp$")
include(CPack)
