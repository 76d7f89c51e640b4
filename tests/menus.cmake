# The menu tests play real OGG sounds made with libvorbisenc (the leave
# confirmation switches music).
if(TARGET test_menus)
  pkg_check_modules(VORBISENC REQUIRED IMPORTED_TARGET vorbisenc)
  target_link_libraries(test_menus PRIVATE PkgConfig::VORBISENC)
endif()
