# The 40 tile pictures (tile01.png .. tile40.png), the selection marker
# (selected.png) and the tile cursor (cursor.png): SVG sources rendered with
# rsvg-convert at 256 x 256 (the cursor, a quarter larger than a cell, at
# 320 x 320) and optimised losslessly. Every tile is the same glazed token (token.svg.in)
# with one emblem from emblems/<name>.svg.
find_program(MORVANE_RSVG rsvg-convert REQUIRED)
find_program(MORVANE_OPTIPNG optipng)

# number | emblem | glaze | emblem colours 1, 2, 3
set(morvane_tile_table
  "01|leaf|#f3dca8|#e0632a|#9c3512|#9c3512"
  "02|acorn|#3f9e98|#e6b36e|#8a5428|#5e3618"
  "03|mushroom|#ddc9f0|#d93a3c|#f8ecd6|#ffffff"
  "04|moon|#2c2f78|#fbe7a0|#dcc06a|#dcc06a"
  "05|sun|#83c8f0|#ffd23a|#ff8a1e|#ff8a1e"
  "06|star|#5b2c82|#ffd23f|#ffd23f|#ffd23f"
  "07|cloud|#3b78c8|#f8faff|#c6d3ec|#c6d3ec"
  "08|drop|#c5eef0|#2878d8|#2878d8|#2878d8"
  "09|flame|#352a2c|#ff6d1f|#ffd646|#ffd646"
  "10|snowflake|#1f4470|#f4fbff|#f4fbff|#f4fbff"
  "11|key|#b0673a|#ffdc6a|#ffdc6a|#ffdc6a"
  "12|lock|#7b8796|#e9edf2|#b9c2cd|#b9c2cd"
  "13|crown|#b3243a|#ffd34a|#3fb0e8|#3fb0e8"
  "14|ring|#f7d0da|#e3a626|#49c6e5|#49c6e5"
  "15|bell|#2d6a45|#f2c23e|#a87414|#a87414"
  "16|feather|#f5ead4|#2b8fa4|#1b5e6c|#1b5e6c"
  "17|shell|#42b3aa|#ffdcc8|#e88a70|#e88a70"
  "18|fish|#244f9e|#ff8c3a|#fff3e0|#fff3e0"
  "19|bird|#d9ee9c|#7a4a2a|#5a3218|#e5483e"
  "20|cat|#a088d4|#2b2430|#ffd84a|#ffd84a"
  "21|rabbit|#5fae55|#fbf7ef|#f4a6b8|#f4a6b8"
  "22|owl|#6b4a30|#e8b86c|#f39a2a|#fffaf0"
  "23|butterfly|#ccefd8|#c23b98|#ffd84a|#ffd84a"
  "24|bee|#1f6166|#ffcf33|#ffcf33|#f4fbff"
  "25|apple|#f1f4d8|#d8323a|#4caa3c|#4caa3c"
  "26|pear|#5c2a4c|#c9dc52|#3f9a3a|#3f9a3a"
  "27|cherry|#ffd6b4|#b0182e|#3f9a3a|#3f9a3a"
  "28|carrot|#34495e|#f57b20|#b94e0c|#5cc14a"
  "29|teapot|#bfe4de|#2e5ca8|#ffffff|#ffffff"
  "30|cup|#e0574a|#fbf3e6|#7a4424|#7a4424"
  "31|book|#cbd5e8|#8c2a3c|#b8a88a|#fff8e8"
  "32|umbrella|#ffc98a|#6b3fa6|#4a2a78|#4a2a78"
  "33|hourglass|#e9c77c|#6a4024|#d98a2a|#fdfaf0"
  "34|compass|#8c8074|#c99a3a|#e0343a|#fff6e0"
  "35|anchor|#9fd0ea|#1d3557|#1d3557|#1d3557"
  "36|heart|#5e1a30|#ff5d7e|#ff5d7e|#ff5d7e"
  "37|clover|#fff0b0|#2e9c4a|#1f6e33|#1f6e33"
  "38|diamond|#2a2a3c|#6fe0f0|#6fe0f0|#c8f6fb"
  "39|spiral|#c24c9a|#ffe4f2|#ffe4f2|#ffe4f2"
  "40|lantern|#3a2f66|#c98a3a|#ffb938|#fff4c0"
)

set(morvane_tiles_src "${CMAKE_CURRENT_LIST_DIR}")
set(morvane_tiles_out "${CMAKE_BINARY_DIR}/content/tiles")
file(MAKE_DIRECTORY "${morvane_tiles_out}")

# Renders an SVG to a 256 x 256 PNG (or the size given) and optimises it.
function(morvane_tile_png svg png)
  set(size 256)
  if(ARGC GREATER 2)
    set(size ${ARGV2})
  endif()
  set(steps COMMAND "${MORVANE_RSVG}" -w ${size} -h ${size} -f png -o "${png}" "${svg}")
  if(MORVANE_OPTIPNG)
    list(APPEND steps COMMAND "${MORVANE_OPTIPNG}" -quiet -o2 -strip all "${png}")
  endif()
  add_custom_command(OUTPUT "${png}" ${steps} DEPENDS "${svg}" VERBATIM
                     COMMENT "Rendering ${png}")
endfunction()

foreach(row ${morvane_tile_table})
  string(REPLACE "|" ";" fields "${row}")
  list(GET fields 0 number)
  list(GET fields 1 emblem)
  list(GET fields 2 body)
  list(GET fields 3 e1)
  list(GET fields 4 e2)
  list(GET fields 5 e3)
  set(svg "${morvane_tiles_out}/tile${number}.svg")
  set(png "${morvane_tiles_out}/tile${number}.png")
  add_custom_command(
    OUTPUT "${svg}"
    COMMAND ${CMAKE_COMMAND}
            -DTEMPLATE=${morvane_tiles_src}/token.svg.in
            -DEMBLEM=${morvane_tiles_src}/emblems/${emblem}.svg
            -DNAME=${emblem} -DBODY=${body} -DE1=${e1} -DE2=${e2} -DE3=${e3}
            -DOUT=${svg} -P "${morvane_tiles_src}/make_tile.cmake"
    DEPENDS "${morvane_tiles_src}/token.svg.in" "${morvane_tiles_src}/emblems/${emblem}.svg"
            "${morvane_tiles_src}/make_tile.cmake" "${morvane_tiles_src}/content.cmake"
    COMMENT "Composing tile ${number} (${emblem})"
    VERBATIM)
  morvane_tile_png("${svg}" "${png}")
  morvane_add_member("tile${number}.png" "${png}")
endforeach()

morvane_tile_png("${morvane_tiles_src}/selected.svg" "${morvane_tiles_out}/selected.png")
morvane_add_member("selected.png" "${morvane_tiles_out}/selected.png")

morvane_tile_png("${morvane_tiles_src}/cursor.svg" "${morvane_tiles_out}/cursor.png" 320)
morvane_add_member("cursor.png" "${morvane_tiles_out}/cursor.png")
