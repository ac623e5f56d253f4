# The record table, which the table sub-commands load and save through.
target_link_libraries(vardo PRIVATE vardo_recordtable)

# The CLI tests run the program itself, so it must be built before them.
function(vardo_cli_tests_need_the_program)
  if(TARGET vardo_cli_tests)
    add_dependencies(vardo_cli_tests vardo)
  endif()
endfunction()
cmake_language(DEFER CALL vardo_cli_tests_need_the_program)
