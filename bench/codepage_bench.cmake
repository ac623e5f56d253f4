# The Tokyo postal-code file from the project's test data is a second, real input.
target_compile_definitions(codepage_bench PRIVATE
  VARDO_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/testdata")
