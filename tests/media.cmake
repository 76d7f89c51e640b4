# The media tests make their own OGG Vorbis sounds with the Vorbis encoder.
if(TARGET test_media)
  pkg_check_modules(VORBISENC REQUIRED IMPORTED_TARGET vorbisenc)
  target_link_libraries(test_media PRIVATE PkgConfig::VORBISENC)
endif()
