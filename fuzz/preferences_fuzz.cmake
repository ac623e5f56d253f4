target_link_libraries(${name} PRIVATE vardo_scriptoptions vardo_sequencersettings)
