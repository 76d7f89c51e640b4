# Small pictures: level-select cell pieces, rating stars, the corner pictures
# shown during play, the shade, the full-screen pointer and the logo.
include("${CMAKE_SOURCE_DIR}/content/panels/render.cmake")

# The logo's letters are set in Comfortaa Bold and placed one by one by its
# advance widths; with another font the wordmark would come out wrong.
find_file(MORVANE_COMFORTAA_BOLD Comfortaa-Bold.ttf
  PATHS /usr/share/fonts/truetype/comfortaa /usr/share/fonts/TTF /usr/local/share/fonts
  NO_DEFAULT_PATH)
if(NOT MORVANE_COMFORTAA_BOLD)
  message(FATAL_ERROR "Comfortaa Bold is needed for the logo and the splash: install fonts-comfortaa (./dev does)")
endif()

set(gui_svg "${CMAKE_CURRENT_LIST_DIR}/svg")
set(gui_pictures
  "table 192 192" "lock 192 192"
  "star_1 192 192" "star_2 192 192" "star_3 192 192" "star_4 192 192"
  "star_1_big 720 420" "star_2_big 720 420" "star_3_big 720 420" "star_4_big 720 420"
  "shadow 64 64" "pointer 48 48" "gui_menu 128 128" "gui_level 356 178"
  "gui_prize_1 356 178" "gui_prize_2 356 178" "gui_prize_3 356 178" "gui_prize_4 356 178")
foreach(entry ${gui_pictures})
  separate_arguments(entry)
  list(GET entry 0 name)
  list(GET entry 1 width)
  list(GET entry 2 height)
  morvane_render_svg("${name}.png" "${gui_svg}/${name}.svg" ${width} ${height}
                     ${MORVANE_SMALL_PICTURE_LIMIT})
endforeach()

# The logo's gradients and soft shadow come out at ~175 KB as true colour,
# too close to the small buffer; as a dithered palette it looks the same.
morvane_render_svg("logo.png" "${gui_svg}/logo.svg" 1600 520 ${MORVANE_SMALL_PICTURE_LIMIT} QUANTIZE)
