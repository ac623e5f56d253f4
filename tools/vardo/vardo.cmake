# The record table, which the table sub-commands load and save through.
target_link_libraries(vardo PRIVATE vardo_recordtable)
