# Full-screen pictures, one composition per screen ratio: the title scene,
# the studio splash and the background behind the board. All 2560 pixels
# wide; the game scales them to the screen width when it loads them.
include("${CMAKE_SOURCE_DIR}/content/panels/render.cmake")

set(artwork_svg "${CMAKE_CURRENT_LIST_DIR}/svg")
set(artwork_width 2560)
foreach(ratio "3x2 3 2" "4x3 4 3" "5x4 5 4" "16x9 16 9" "16x10 16 10" "17x9 17 9")
  separate_arguments(ratio)
  list(GET ratio 0 suffix)
  list(GET ratio 1 across)
  list(GET ratio 2 down)
  # height = width x down / across, rounded to the nearest pixel
  math(EXPR height "(${artwork_width} * ${down} * 2 + ${across}) / (${across} * 2)")
  foreach(scene title ngs 01)
    morvane_render_svg("${scene}_${suffix}.png" "${artwork_svg}/${scene}_${suffix}.svg"
                       ${artwork_width} ${height} ${MORVANE_ARTWORK_LIMIT} OPAQUE EFFORT 1)
  endforeach()
endforeach()
