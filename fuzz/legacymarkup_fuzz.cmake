target_link_libraries(${name} PRIVATE vardo_scripttags vardo_scripttags_standalone vardo_host)
