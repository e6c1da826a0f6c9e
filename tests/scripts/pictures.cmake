# The picture generator rebuilds the committed pictures byte for byte, seamless and with exact buttons
# (the check lives beside the generator in tools/).
add_test(NAME pictures COMMAND bash ${CMAKE_SOURCE_DIR}/tools/check_pictures.sh $<TARGET_FILE:make_pictures> ${CMAKE_SOURCE_DIR})
set_tests_properties(pictures PROPERTIES ENVIRONMENT "${test_environment}")
