# The game's content: every member of "Morvane.data" is registered by the
# content area that makes it (content/<area>/content.cmake) and packed by our
# own packer; languages and the cursor file are placed in the game folder by
# their areas directly.

# Registers one archive member: its name inside the archive and the file
# (usually generated at build time) that holds it.
function(morvane_add_member name file)
  set_property(GLOBAL APPEND PROPERTY MORVANE_MEMBER_LINES "${name}\t${file}")
  set_property(GLOBAL APPEND PROPERTY MORVANE_MEMBER_FILES "${file}")
endfunction()

# Registers a file that the build must produce for the content (for example a
# file placed in the game folder) so that the game_content target depends on it.
function(morvane_add_content_output file)
  set_property(GLOBAL APPEND PROPERTY MORVANE_CONTENT_OUTPUTS "${file}")
endfunction()

if(MORVANE_PREBUILT_CONTENT)
  add_custom_target(game_content ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
            "${MORVANE_PREBUILT_CONTENT}/Morvane.data" "${MORVANE_GAME_DIR}/Morvane.data"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
            "${MORVANE_PREBUILT_CONTENT}/Morvane.pointer" "${MORVANE_GAME_DIR}/Morvane.pointer"
    COMMAND ${CMAKE_COMMAND} -E copy_directory
            "${MORVANE_PREBUILT_CONTENT}/Morvane.languages" "${MORVANE_GAME_DIR}/Morvane.languages"
    COMMENT "Copying prebuilt content from ${MORVANE_PREBUILT_CONTENT}")
  return()
endif()

file(GLOB MORVANE_CONTENT_AREAS CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/content/*/content.cmake")
foreach(area ${MORVANE_CONTENT_AREAS})
  include("${area}")
endforeach()

get_property(member_lines GLOBAL PROPERTY MORVANE_MEMBER_LINES)
get_property(member_files GLOBAL PROPERTY MORVANE_MEMBER_FILES)
get_property(content_outputs GLOBAL PROPERTY MORVANE_CONTENT_OUTPUTS)

set(data_outputs "")
if(member_lines AND TARGET morvane_pack)
  list(JOIN member_lines "\n" manifest_text)
  set(manifest "${CMAKE_BINARY_DIR}/content/members.manifest")
  file(GENERATE OUTPUT "${manifest}" CONTENT "${manifest_text}\n")
  add_custom_command(
    OUTPUT "${MORVANE_GAME_DIR}/Morvane.data"
    COMMAND morvane_pack -l 8 -o "${MORVANE_GAME_DIR}/Morvane.data" --manifest "${manifest}"
    DEPENDS morvane_pack ${member_files} "${manifest}"
    COMMENT "Packing Morvane.data"
    VERBATIM)
  list(APPEND data_outputs "${MORVANE_GAME_DIR}/Morvane.data")
endif()

add_custom_target(game_content ALL DEPENDS ${data_outputs} ${content_outputs})
