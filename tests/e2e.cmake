# End-to-end: the built game in a real X window (Xvfb), played with xdotool
# and read from screenshots. The helper reads the screenshots.
add_executable(e2e_look "${CMAKE_CURRENT_SOURCE_DIR}/e2e/e2e_look.cpp")

find_program(E2E_XVFB Xvfb)
find_program(E2E_XDOTOOL xdotool)
find_program(E2E_IMPORT import)
if(E2E_XVFB AND E2E_XDOTOOL AND E2E_IMPORT)
  add_test(NAME e2e.play_in_a_real_window
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/play_in_a_real_window.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(e2e.play_in_a_real_window PROPERTIES LABELS e2e TIMEOUT 600 RUN_SERIAL TRUE)
endif()
