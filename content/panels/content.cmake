# The panels: paper cards the screens write their texts on, and the two
# strips the menu and settings buttons are drawn on.
include("${CMAKE_CURRENT_LIST_DIR}/render.cmake")

set(panel_svg "${CMAKE_CURRENT_LIST_DIR}/svg")
foreach(entry
    "mainmenu 1030 1404" "levelselect 1272 1601" "quickgame 1030 1118"
    "settings 1262 1120" "ingamemenu 1030 1118" "gamecomplete 1263 1120"
    "credits 1272 1601" "quit 1030 1118" "getready 1030 580"
    "menu_template 1030 90" "settings_template 1262 65")
  separate_arguments(entry)
  list(GET entry 0 name)
  list(GET entry 1 width)
  list(GET entry 2 height)
  morvane_render_svg("${name}.png" "${panel_svg}/${name}.svg" ${width} ${height}
                     ${MORVANE_SMALL_PICTURE_LIMIT} QUANTIZE)
endforeach()
