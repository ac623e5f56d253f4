# The record table, which the table sub-commands load and save through.
target_link_libraries(vardo PRIVATE vardo_recordtable)

# vardo merge --pdf draws the output documents with librsvg onto cairo.
find_package(PkgConfig REQUIRED)
pkg_check_modules(VARDO_PDF REQUIRED IMPORTED_TARGET librsvg-2.0 cairo-pdf)
target_link_libraries(vardo PRIVATE PkgConfig::VARDO_PDF)
