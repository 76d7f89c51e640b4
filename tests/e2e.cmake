# End-to-end: the built game in a real X window (Xvfb), played with xdotool
# and read from screenshots. The helper reads the screenshots.
add_executable(e2e_look "${CMAKE_CURRENT_SOURCE_DIR}/e2e/e2e_look.cpp")
