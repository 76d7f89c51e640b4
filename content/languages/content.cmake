# Language files and their flags, placed beside the game in
# Morvane.languages/: <id>.language (UTF-8 with byte-order mark, CR LF) and
# <id>.flag (a small PNG rendered from flags/<id>.svg).
find_program(MORVANE_RSVG rsvg-convert REQUIRED)
find_program(MORVANE_OPTIPNG optipng)

# Every <id>.language here is shipped (the checks require at least en_GB,
# de_DE, fr_FR, es_ES and pl_PL); each needs flags/<id>.svg.
file(GLOB morvane_language_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/*.language")
set(morvane_languages "")
foreach(source ${morvane_language_sources})
  get_filename_component(id "${source}" NAME_WE)
  list(APPEND morvane_languages "${id}")
endforeach()
set(morvane_language_dir "${MORVANE_GAME_DIR}/Morvane.languages")
set(morvane_language_src "${CMAKE_CURRENT_LIST_DIR}")

foreach(id ${morvane_languages})
  set(source "${morvane_language_src}/${id}.language")
  set(output "${morvane_language_dir}/${id}.language")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${morvane_language_dir}"
    COMMAND ${CMAKE_COMMAND} -DIN=${source} -DOUT=${output}
            -P "${morvane_language_src}/write_language.cmake"
    DEPENDS "${source}" "${morvane_language_src}/write_language.cmake"
    COMMENT "Language file ${id}"
    VERBATIM)
  morvane_add_content_output("${output}")

  set(flag_svg "${morvane_language_src}/flags/${id}.svg")
  set(flag_out "${morvane_language_dir}/${id}.flag")
  set(flag_steps COMMAND "${MORVANE_RSVG}" -w 48 -h 32 -f png -o "${flag_out}" "${flag_svg}")
  if(MORVANE_OPTIPNG)
    list(APPEND flag_steps COMMAND "${MORVANE_OPTIPNG}" -quiet -o2 -strip all "${flag_out}")
  endif()
  add_custom_command(
    OUTPUT "${flag_out}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${morvane_language_dir}"
    ${flag_steps}
    DEPENDS "${flag_svg}"
    COMMENT "Flag ${id}"
    VERBATIM)
  morvane_add_content_output("${flag_out}")
endforeach()
