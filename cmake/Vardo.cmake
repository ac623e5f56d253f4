# vardo_tests(NAME LIBS lib... [INCLUDE regex] [EXCLUDE regex]): one
# GoogleTest program per folder, built from every *_test.cpp beside the code,
# each test registered with CTest. A folder with two programs splits its tests
# between them: INCLUDE keeps only the files matching, EXCLUDE drops them.
function(vardo_tests name)
  cmake_parse_arguments(ARG "" "INCLUDE;EXCLUDE" "LIBS;SOURCES" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(ARG_INCLUDE)
    list(FILTER tests INCLUDE REGEX "${ARG_INCLUDE}")
  endif()
  if(ARG_EXCLUDE)
    list(FILTER tests EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  if(NOT tests AND NOT ARG_SOURCES)
    return()
  endif()
  add_executable(${name} ${tests} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest vardo_testmain)
  # Test support of one folder may serve another's tests ("platform/scratchdir.h").
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE
    VARDO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VARDO_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/testdata"
    VARDO_BUILD_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()

# vardo_host_module(NAME SOURCES src... LIBS lib...): a module of the host,
# plugins/NAME.aip, that exports PluginMain and nothing else, so that two
# modules in one process never share the state of code built into both.
function(vardo_host_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} MODULE ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES
    PREFIX "" SUFFIX ".aip"
    LIBRARY_OUTPUT_DIRECTORY ${VARDO_PLUGIN_DIR}
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
    BUILD_RPATH "$ORIGIN/../lib"
    LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/plugin.map)
  target_link_options(${name} PRIVATE -Wl,--version-script=${PROJECT_SOURCE_DIR}/cmake/plugin.map)
  # Every symbol must resolve when the module is linked; only clang's
  # sanitizer runtimes go into the program alone, never into a shared
  # object, so their symbols stay open in modules built with them.
  if(NOT (CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND CMAKE_CXX_FLAGS MATCHES "-fsanitize="))
    target_link_options(${name} PRIVATE -Wl,-z,defs)
  endif()
endfunction()

# vardo_add_module(NAME SOURCES src... LIBS lib...): a plug-in module of the
# system, the frame built in and hidden with everything else.
function(vardo_add_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  vardo_host_module(${name} SOURCES ${ARG_SOURCES} LIBS vardo_frame ${ARG_LIBS})
endfunction()
