target_link_libraries(${name} PRIVATE vardo_host vardo_recordtable)
target_compile_definitions(${name} PRIVATE
  VARDO_BUILD_DIR="${PROJECT_BINARY_DIR}"
  VARDO_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/testdata")
add_dependencies(${name} Vardo)
