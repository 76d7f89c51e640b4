# Music and effects: composed by our synthesiser (tools/synth) at build time
# and encoded to OGG Vorbis in the build tree.
set(MORVANE_AUDIO_DIR "${CMAKE_BINARY_DIR}/content/audio")
file(MAKE_DIRECTORY "${MORVANE_AUDIO_DIR}")

# piece of the synthesiser -> archive member
set(morvane_audio_pieces
  "music1=music1.ogg"
  "music2=music2.ogg"
  "music3=music3.ogg"
  "jingle=points_ticker_bonus_score_reward_jingle_01.ogg"
  "match=collect_item_14.ogg")

foreach(entry ${morvane_audio_pieces})
  string(REPLACE "=" ";" pair "${entry}")
  list(GET pair 0 piece)
  list(GET pair 1 member)
  set(output "${MORVANE_AUDIO_DIR}/${member}")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND morvane_synth ${piece} "${output}"
    DEPENDS morvane_synth
    COMMENT "Composing ${member}"
    VERBATIM)
  morvane_add_member("${member}" "${output}")
  morvane_add_content_output("${output}")
endforeach()
