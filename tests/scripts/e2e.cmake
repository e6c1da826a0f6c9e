# The real program in a real X window under Xvfb: click PLAY, wait for the game over, check a screenshot,
# press Escape, compare the console output, exit status and best-score file. Not in the sanitizer build.
if(NOT QUENDAL_SANITIZE)
  add_test(NAME e2e_window
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/e2e.sh $<TARGET_FILE:quendal> ${CMAKE_SOURCE_DIR})
  set_tests_properties(e2e_window PROPERTIES TIMEOUT 300)
endif()
# A game recorded in a real window under Xvfb and replayed headless and fast gives the same bytes
# and the same last frame.
if(NOT QUENDAL_SANITIZE)
  add_test(NAME e2e_record_replay
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/record_replay.sh $<TARGET_FILE:quendal>
                   ${CMAKE_SOURCE_DIR})
  set_tests_properties(e2e_record_replay PROPERTIES TIMEOUT 300)
endif()
