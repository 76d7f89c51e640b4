# Desktop integration: the desktop entry and the AppStream metainfo validate,
# an installed game runs from its read-only folder, and (release builds) the
# Debian package passes its checks and, as root, installs, runs and purges.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(DESKTOP_FILE_VALIDATE)
  add_test(NAME install.desktop_entry_validates
           COMMAND "${DESKTOP_FILE_VALIDATE}" "${CMAKE_SOURCE_DIR}/packaging/example.zentoria.Morvane.desktop")
endif()
if(APPSTREAMCLI)
  add_test(NAME install.metainfo_validates
           COMMAND "${APPSTREAMCLI}" validate --no-net
                   "${CMAKE_SOURCE_DIR}/packaging/example.zentoria.Morvane.metainfo.xml")
endif()
add_test(NAME install.installed_game_runs_read_only
         COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/install/install_check.sh" prefix "${CMAKE_BINARY_DIR}")
set_tests_properties(install.installed_game_runs_read_only PROPERTIES TIMEOUT 120 LABELS "install")
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  add_test(NAME install.debian_package
           COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/install/install_check.sh" package
                   "${CMAKE_BINARY_DIR}" "${PROJECT_VERSION}")
  set_tests_properties(install.debian_package PROPERTIES TIMEOUT 300 LABELS "install")
endif()
