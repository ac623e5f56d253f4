# The Tokyo postal-code file from the shared data is a second, real input.
target_compile_definitions(codepage_bench PRIVATE
  VARDO_SHARED_DATA_DIR="${PROJECT_SOURCE_DIR}/../shared/data")
