# The real-window tests, in the plain build: a game recorded under Xvfb replays headless and fast
# to the same bytes and last frame; the engine's window opens once and its X error handlers hold.
# The window that fits every screen runs in the sanitizer build too.
add_test(NAME e2e_scaling
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/scaling.sh $<TARGET_FILE:quendal> ${CMAKE_SOURCE_DIR})
set_tests_properties(e2e_scaling PROPERTIES TIMEOUT 300 COST 12)
if(NOT QUENDAL_SANITIZE)
  add_test(NAME e2e_record_replay
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/record_replay.sh $<TARGET_FILE:quendal>
                   ${CMAKE_SOURCE_DIR})
  set_tests_properties(e2e_record_replay PROPERTIES TIMEOUT 300 COST 12)

  # A test game reading keys, the wheel, a gamepad, the clock and the dice, recorded under load.
  add_executable(input_game e2e/input_game.cpp)
  target_link_libraries(input_game PRIVATE engine)
  add_test(NAME e2e_input COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/input.sh $<TARGET_FILE:input_game>)
  set_tests_properties(e2e_input PROPERTIES TIMEOUT 300 COST 12)

  add_executable(vanished_window_test e2e/vanished_window_test.cpp)
  target_link_libraries(vanished_window_test PRIVATE engine GTest::gtest GTest::gtest_main)
  add_test(NAME e2e_vanished_window
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/with_xvfb.sh env SDL_VIDEODRIVER=x11
                   $<TARGET_FILE:vanished_window_test> --gtest_death_test_style=threadsafe)
  set_tests_properties(e2e_vanished_window PROPERTIES TIMEOUT 30)
endif()
