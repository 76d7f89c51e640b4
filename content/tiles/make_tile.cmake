# Composes one tile SVG from the token template and an emblem drawing.
#   cmake -DTEMPLATE=token.svg.in -DEMBLEM=emblems/<name>.svg -DNAME=<name>
#         -DBODY=#rrggbb -DE1=... -DE2=... -DE3=... -DOUT=<tile.svg> -P make_tile.cmake
foreach(var TEMPLATE EMBLEM NAME BODY E1 E2 E3 OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "make_tile.cmake: -D${var}=... is missing")
  endif()
endforeach()
set(O "#24150c")
file(READ "${EMBLEM}" EMBLEM_TEXT)
string(CONFIGURE "${EMBLEM_TEXT}" EMBLEM_TEXT @ONLY)
file(READ "${TEMPLATE}" text)
set(EMBLEM "${EMBLEM_TEXT}")
string(CONFIGURE "${text}" text @ONLY)
if(text MATCHES "@[A-Z0-9_]+@")
  message(FATAL_ERROR "make_tile.cmake: unreplaced placeholder ${CMAKE_MATCH_0} in ${NAME}")
endif()
file(WRITE "${OUT}" "${text}")
