target_link_libraries(${name} PRIVATE vardo_documents)
