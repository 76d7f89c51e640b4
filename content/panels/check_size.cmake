# cmake -DFILE=<rendered png> -DOUT=<member file> -DLIMIT=<bytes> -DMEMBER=<name> -P check_size.cmake
# Stops the build when a rendered picture is larger than the loader's buffer
# for it; otherwise moves it into place as the member file.
file(SIZE "${FILE}" bytes)
if(bytes GREATER LIMIT)
  file(REMOVE "${FILE}")
  message(FATAL_ERROR "${MEMBER} is ${bytes} bytes, more than the ${LIMIT} bytes the game can load; "
                      "simplify the drawing or render it smaller")
endif()
file(RENAME "${FILE}" "${OUT}")
