# Code page 932 tables, generated at build time from the C library's CP932
# converter by tools/gen_cp932.cpp (iconv is not used at run time).
add_executable(gen_cp932 ${CMAKE_CURRENT_SOURCE_DIR}/tools/gen_cp932.cpp)
set(vardo_cp932_tables ${CMAKE_CURRENT_BINARY_DIR}/codepage_cp932_tables.cpp)
add_custom_command(
  OUTPUT ${vardo_cp932_tables}
  COMMAND gen_cp932 ${vardo_cp932_tables}
  DEPENDS gen_cp932
  COMMENT "Generating code page 932 tables"
  VERBATIM)
target_sources(vardo_platform PRIVATE ${vardo_cp932_tables})
target_include_directories(vardo_platform PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
