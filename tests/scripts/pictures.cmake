# The picture generator rebuilds the committed pictures byte for byte, seamless and with exact buttons.
add_test(NAME pictures COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/pictures_test.sh $<TARGET_FILE:make_pictures> ${CMAKE_SOURCE_DIR})
set_tests_properties(pictures PROPERTIES ENVIRONMENT "${test_environment}")
