# The one real-window test: a game recorded in a real window under Xvfb and replayed headless and
# fast gives the same bytes and the same last frame; window exposes and a console that goes away.
if(NOT QUENDAL_SANITIZE)
  add_test(NAME e2e_record_replay
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/record_replay.sh $<TARGET_FILE:quendal>
                   ${CMAKE_SOURCE_DIR})
  set_tests_properties(e2e_record_replay PROPERTIES TIMEOUT 300 COST 12)
endif()
