# The window's mouse cursor: the pointer drawing rendered at 24, 32 and 48
# pixels and written as an X cursor file beside the game, hotspot at the tip.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)

set(cursor_svg "${CMAKE_CURRENT_LIST_DIR}/pointer.svg")
set(cursor_dir "${CMAKE_BINARY_DIR}/content/cursor")
file(MAKE_DIRECTORY "${cursor_dir}")
set(cursor_pngs "")
set(cursor_commands "")
foreach(size 24 32 48)
  list(APPEND cursor_pngs "${cursor_dir}/pointer_${size}.png")
  list(APPEND cursor_commands
    COMMAND "${RSVG_CONVERT}" --width=${size} --height=${size} -o "${cursor_dir}/pointer_${size}.png" "${cursor_svg}")
endforeach()
add_custom_command(
  OUTPUT "${MORVANE_GAME_DIR}/Morvane.pointer"
  ${cursor_commands}
  COMMAND morvane_xcursor -o "${MORVANE_GAME_DIR}/Morvane.pointer" --hot 0 0 ${cursor_pngs}
  DEPENDS "${cursor_svg}" morvane_xcursor
  COMMENT "Making the X cursor Morvane.pointer"
  VERBATIM)
morvane_add_content_output("${MORVANE_GAME_DIR}/Morvane.pointer")
