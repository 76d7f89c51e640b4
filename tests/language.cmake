# The language tests build ZIP archives with libarchive's writer.
if(TARGET test_language)
  pkg_check_modules(LIBARCHIVE REQUIRED IMPORTED_TARGET libarchive)
  target_link_libraries(test_language PRIVATE PkgConfig::LIBARCHIVE)
endif()
