# The asset tests make real OGG sounds with libvorbisenc and PNG pictures
# with zlib.
if(TARGET test_assets)
  pkg_check_modules(VORBISENC REQUIRED IMPORTED_TARGET vorbisenc)
  target_link_libraries(test_assets PRIVATE PkgConfig::VORBISENC)
endif()
