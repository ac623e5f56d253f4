# Fixture for the resource tests: a module that carries a small resource
# script, linked with --gc-sections to show that the note survives it.
add_library(vardo_rsrc_testmodule MODULE ${CMAKE_CURRENT_SOURCE_DIR}/testdata/rsrcmodule.cpp)
vardo_module_resources(vardo_rsrc_testmodule testdata/rsrcmodule.rc)
target_link_options(vardo_rsrc_testmodule PRIVATE -Wl,--gc-sections)
set_target_properties(vardo_rsrc_testmodule PROPERTIES
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/testdata
  CXX_VISIBILITY_PRESET hidden)

if(TARGET platform_tests)
  add_dependencies(platform_tests vardo_rsrc_testmodule)
  target_compile_definitions(platform_tests PRIVATE
    VARDO_RSRC_TEST_MODULE="$<TARGET_FILE:vardo_rsrc_testmodule>")
  target_link_libraries(platform_tests PRIVATE ${CMAKE_DL_LIBS})
endif()
