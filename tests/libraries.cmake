# The language tests build ZIP archives with libarchive's writer; the content
# checks read the font's character map with FreeType.
pkg_check_modules(LIBARCHIVE REQUIRED IMPORTED_TARGET libarchive)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
target_link_libraries(test_language PRIVATE PkgConfig::LIBARCHIVE)
target_link_libraries(test_content PRIVATE PkgConfig::FREETYPE)
