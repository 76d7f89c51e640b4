# The game's one font face: Quicksand Bold from the Debian package
# fonts-quicksand (SIL Open Font License 1.1, see LICENSE-Quicksand.txt),
# copied at build time into the archive under the member name the game loads.
set(MORVANE_FONT_SOURCE "/usr/share/fonts/truetype/quicksand/Quicksand-Bold.ttf"
    CACHE FILEPATH "The TrueType file shipped as the game's font")
if(NOT EXISTS "${MORVANE_FONT_SOURCE}")
  message(FATAL_ERROR "Font ${MORVANE_FONT_SOURCE} not found: install the package fonts-quicksand (./dev does).")
endif()

set(morvane_font_out "${CMAKE_BINARY_DIR}/content/font/Baloo-Regular.ttf")
add_custom_command(
  OUTPUT "${morvane_font_out}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/content/font"
  COMMAND ${CMAKE_COMMAND} -E copy "${MORVANE_FONT_SOURCE}" "${morvane_font_out}"
  DEPENDS "${MORVANE_FONT_SOURCE}"
  COMMENT "Copying the font (Quicksand Bold)"
  VERBATIM)
morvane_add_member("Baloo-Regular.ttf" "${morvane_font_out}")
morvane_add_content_output("${morvane_font_out}")
