# The game's faces, taken letter by letter in this order:
#  - Quicksand Bold (fonts-quicksand) for Latin, shipped under the member
#    name the game has always loaded, "Baloo-Regular.ttf";
#  - Comfortaa Bold (fonts-comfortaa) for Cyrillic, whole;
#  - Noto Sans CJK (fonts-noto-cjk) for Japanese and Chinese, cut at build time
#    to the characters the shipped language files use.
# All three are under the SIL Open Font License 1.1 (the LICENSE-*.txt files).
set(MORVANE_FONT_SOURCE "/usr/share/fonts/truetype/quicksand/Quicksand-Bold.ttf"
    CACHE FILEPATH "The TrueType file shipped as the game's font")
set(MORVANE_CYRILLIC_FONT_SOURCE "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf"
    CACHE FILEPATH "The face shipped for Cyrillic")
set(MORVANE_CJK_FONT_SOURCE "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
    CACHE FILEPATH "The collection the CJK face is cut from")
# Its number in the collection: 0 is the Japanese cut, 2 the Simplified Chinese.
set(MORVANE_CJK_FONT_NUMBER 0 CACHE STRING "The face's number in the CJK collection")
foreach(pair "MORVANE_FONT_SOURCE;fonts-quicksand" "MORVANE_CYRILLIC_FONT_SOURCE;fonts-comfortaa"
             "MORVANE_CJK_FONT_SOURCE;fonts-noto-cjk")
  list(GET pair 0 variable)
  list(GET pair 1 package)
  if(NOT EXISTS "${${variable}}")
    message(FATAL_ERROR "Font ${${variable}} not found: install the package ${package} (./dev does).")
  endif()
endforeach()
# Debian's fontTools belongs to the system's Python, which may not be first on the PATH.
find_program(MORVANE_FONT_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(MORVANE_FONT_PYTHON python3 REQUIRED)

set(morvane_font_dir "${CMAKE_BINARY_DIR}/content/font")
set(morvane_font_out "${morvane_font_dir}/Baloo-Regular.ttf")
set(morvane_cyrillic_out "${morvane_font_dir}/Comfortaa-Bold.ttf")
add_custom_command(
  OUTPUT "${morvane_font_out}" "${morvane_cyrillic_out}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${morvane_font_dir}"
  COMMAND ${CMAKE_COMMAND} -E copy "${MORVANE_FONT_SOURCE}" "${morvane_font_out}"
  COMMAND ${CMAKE_COMMAND} -E copy "${MORVANE_CYRILLIC_FONT_SOURCE}" "${morvane_cyrillic_out}"
  DEPENDS "${MORVANE_FONT_SOURCE}" "${MORVANE_CYRILLIC_FONT_SOURCE}"
  COMMENT "Copying the Latin and Cyrillic faces (Quicksand, Comfortaa)"
  VERBATIM)

file(GLOB morvane_font_languages CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/content/languages/*.language")
set(morvane_cjk_out "${morvane_font_dir}/NotoSansCJK-Regular.otf")
add_custom_command(
  OUTPUT "${morvane_cjk_out}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${morvane_font_dir}"
  COMMAND "${MORVANE_FONT_PYTHON}" "${CMAKE_SOURCE_DIR}/tools/fonts/subset_face.py"
          "${MORVANE_CJK_FONT_SOURCE}" ${MORVANE_CJK_FONT_NUMBER} "${morvane_cjk_out}"
          ${morvane_font_languages}
  DEPENDS "${MORVANE_CJK_FONT_SOURCE}" "${CMAKE_SOURCE_DIR}/tools/fonts/subset_face.py"
          ${morvane_font_languages}
  COMMENT "Cutting the CJK face to the shipped texts' characters (Noto Sans CJK)"
  VERBATIM)

morvane_add_member("Baloo-Regular.ttf" "${morvane_font_out}")
morvane_add_member("Comfortaa-Bold.ttf" "${morvane_cyrillic_out}")
morvane_add_member("NotoSansCJK-Regular.otf" "${morvane_cjk_out}")
morvane_add_content_output("${morvane_font_out}")
