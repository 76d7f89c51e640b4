# The board's music tests make their own small OGG sounds with libvorbisenc.
if(TARGET test_board)
  pkg_check_modules(VORBISENC REQUIRED IMPORTED_TARGET vorbisenc)
  target_link_libraries(test_board PRIVATE PkgConfig::VORBISENC)
endif()
