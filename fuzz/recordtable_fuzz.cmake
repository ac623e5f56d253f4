target_link_libraries(${name} PRIVATE vardo_recordtable)
set(ignorelist ${CMAKE_CURRENT_SOURCE_DIR}/recordtable_reference.ignorelist)
target_compile_options(${name} PRIVATE -fsanitize-coverage-ignorelist=${ignorelist})
set_source_files_properties(${src} PROPERTIES OBJECT_DEPENDS ${ignorelist})
