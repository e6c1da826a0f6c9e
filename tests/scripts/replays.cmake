# The committed recordings replayed headless and fast against their expected output, and the table
# of bad command lines and recordings.
add_test(NAME replays
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/replays.sh $<TARGET_FILE:quendal> ${CMAKE_SOURCE_DIR})
set_tests_properties(replays PROPERTIES TIMEOUT 300 COST 10)
# The best-score file through the real game: what is read, and what a save leaves in the folder.
foreach(table reading saving)
  add_test(NAME records_${table}
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/records.sh $<TARGET_FILE:quendal> ${CMAKE_SOURCE_DIR}
                   ${table})
  set_tests_properties(records_${table} PROPERTIES TIMEOUT 300 COST 15)
endforeach()
