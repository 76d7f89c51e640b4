# End-to-end: the built game in Xvfb, and on sway through PulseAudio. The helpers
# read screenshots and recordings, and give sway a pointer and a keyboard.
add_executable(e2e_look "${CMAKE_CURRENT_SOURCE_DIR}/e2e/e2e_look.cpp")
pkg_check_modules(E2E_WAYLAND IMPORTED_TARGET wayland-client xkbcommon)
add_executable(e2e_input "${CMAKE_CURRENT_SOURCE_DIR}/e2e/e2e_input.cpp")
target_link_libraries(e2e_input PRIVATE PkgConfig::E2E_WAYLAND)

find_program(E2E_XVFB Xvfb)
find_program(E2E_XDOTOOL xdotool)
find_program(E2E_IMPORT import)
if(E2E_XVFB AND E2E_XDOTOOL AND E2E_IMPORT)
  add_test(NAME e2e.play_in_a_real_window
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/play_in_a_real_window.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(e2e.play_in_a_real_window PROPERTIES LABELS e2e TIMEOUT 600 RUN_SERIAL TRUE)
endif()
add_test(NAME e2e.wayland_and_sound_server
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/wayland_and_sound_server.sh ${CMAKE_BINARY_DIR})
set_tests_properties(e2e.wayland_and_sound_server PROPERTIES LABELS e2e TIMEOUT 600 RUN_SERIAL TRUE)
