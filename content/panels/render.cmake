# Renders our SVG drawings to PNG members at build time: rsvg-convert at the
# exact pixel size, then optipng, then a size check that fails the build when
# a picture would not fit the loader's buffer for its kind.
include_guard(GLOBAL)

find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(OPTIPNG optipng REQUIRED)
find_program(PNGQUANT pngquant REQUIRED)

set(MORVANE_PICTURE_DIR "${CMAKE_BINARY_DIR}/content/pictures")
file(MAKE_DIRECTORY "${MORVANE_PICTURE_DIR}")

# The loader's buffers: every ordinary picture must fit the small one, the
# three full-screen pictures the artwork one.
set(MORVANE_SMALL_PICTURE_LIMIT 204800)
set(MORVANE_ARTWORK_LIMIT 4194304)

# morvane_render_svg(<member> <svg> <width> <height> <limit> [OPAQUE] [QUANTIZE] [EFFORT <n>])
# OPAQUE pictures are written as RGB (no alpha channel); the others keep RGBA
# even where every pixel happens to be opaque, so that the loader always sees
# the same kind of picture. QUANTIZE is for the big panels, whose soft
# gradients would not fit the small buffer as true colour: pngquant turns
# them into a 256-colour palette with alpha (dithered, so no banding).
function(morvane_render_svg member svg width height limit)
  cmake_parse_arguments(ARG "OPAQUE;QUANTIZE" "EFFORT" "" ${ARGN})
  if(NOT ARG_EFFORT)
    set(ARG_EFFORT 2)
  endif()
  set(out "${MORVANE_PICTURE_DIR}/${member}")
  set(raw "${MORVANE_PICTURE_DIR}/raw-${member}")
  set(quantize "")
  if(ARG_OPAQUE)
    set(reduce "")
  elseif(ARG_QUANTIZE)
    set(reduce "")
    set(quantize COMMAND "${PNGQUANT}" --force --speed 1 --quality 70-100 --output "${raw}" -- "${raw}")
  else()
    set(reduce -nc -nb)
  endif()
  add_custom_command(
    OUTPUT "${out}"
    COMMAND "${RSVG_CONVERT}" --width=${width} --height=${height}
            -o "${raw}" "${svg}"
    ${quantize}
    COMMAND "${OPTIPNG}" -quiet -o${ARG_EFFORT} ${reduce} -strip all "${raw}"
    COMMAND "${CMAKE_COMMAND}" -DFILE=${raw} -DOUT=${out} -DLIMIT=${limit} -DMEMBER=${member}
            -P "${CMAKE_SOURCE_DIR}/content/panels/check_size.cmake"
    DEPENDS "${svg}" "${CMAKE_SOURCE_DIR}/content/panels/check_size.cmake"
    COMMENT "Rendering ${member}"
    VERBATIM)
  morvane_add_member("${member}" "${out}")
  # also built on its own, so the pictures can be looked at and checked
  # whether or not the archive is packed
  morvane_add_content_output("${out}")
endfunction()
