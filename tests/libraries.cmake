# The content checks read the font's character map with FreeType.
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
target_link_libraries(test_content PRIVATE PkgConfig::FREETYPE)
