# The game's faces, taken letter by letter in this order:
#  - Quicksand Bold (fonts-quicksand) for Latin, shipped under the member
#    name the game has always loaded, "Baloo-Regular.ttf";
#  - Comfortaa Bold (fonts-comfortaa) for Cyrillic, whole;
#  - Noto Sans CJK JP and SC (fonts-noto-cjk) for Japanese and Chinese, cut at
#    build time to the characters the shipped language files use.
# All three are under the SIL Open Font License 1.1 (the LICENSE-*.txt files).
set(MORVANE_FONT_SOURCE "/usr/share/fonts/truetype/quicksand/Quicksand-Bold.ttf"
    CACHE FILEPATH "The TrueType file shipped as the game's font")
set(MORVANE_CYRILLIC_FONT_SOURCE "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf"
    CACHE FILEPATH "The face shipped for Cyrillic")
set(MORVANE_CJK_FONT_SOURCE "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
    CACHE FILEPATH "The collection the CJK face is cut from")
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

# Han characters are drawn differently in Japan and in China: the Japanese
# cut holds the characters of every language but Chinese, the Simplified
# Chinese cut those of the Chinese files; the game asks the one of its language first.
file(GLOB morvane_font_languages CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/content/languages/*.language")
set(morvane_font_chinese ${morvane_font_languages})
list(FILTER morvane_font_chinese INCLUDE REGEX "/zh_[^/]*\\.language$")
set(morvane_font_others ${morvane_font_languages})
list(FILTER morvane_font_others EXCLUDE REGEX "/zh_[^/]*\\.language$")
foreach(cut "jp;0;morvane_font_others" "sc;2;morvane_font_chinese")
  list(GET cut 0 region)
  list(GET cut 1 number)
  list(GET cut 2 files)
  set(out "${morvane_font_dir}/NotoSansCJK${region}-Regular.otf")
  add_custom_command(
    OUTPUT "${out}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${morvane_font_dir}"
    COMMAND "${MORVANE_FONT_PYTHON}" "${CMAKE_SOURCE_DIR}/tools/fonts/subset_face.py"
            "${MORVANE_CJK_FONT_SOURCE}" ${number} "${out}" ${${files}}
    DEPENDS "${MORVANE_CJK_FONT_SOURCE}" "${CMAKE_SOURCE_DIR}/tools/fonts/subset_face.py" ${${files}}
    COMMENT "Cutting the CJK face (${region}) to the shipped texts' characters (Noto Sans CJK)"
    VERBATIM)
  morvane_add_member("NotoSansCJK${region}-Regular.otf" "${out}")
endforeach()

morvane_add_member("Baloo-Regular.ttf" "${morvane_font_out}")
morvane_add_member("Comfortaa-Bold.ttf" "${morvane_cyrillic_out}")
morvane_add_content_output("${morvane_font_out}")
