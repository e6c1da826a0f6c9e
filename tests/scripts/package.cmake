# The installed engine: built alone, installed into a scratch prefix, games built against it and
# played headless (once, in the plain build: the sanitizer build runs the same engine elsewhere).
if(NOT QUENDAL_SANITIZE)
  add_test(NAME package_example
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package/package_test.sh ${CMAKE_SOURCE_DIR})
  set_tests_properties(package_example PROPERTIES TIMEOUT 600 COST 20)
  add_test(NAME package_game
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package/game_package.sh ${CMAKE_SOURCE_DIR}
                   ${CMAKE_BINARY_DIR})
  set_tests_properties(package_game PROPERTIES TIMEOUT 300)
endif()
