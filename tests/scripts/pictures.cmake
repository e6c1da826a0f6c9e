# The picture generator rebuilds the committed pictures byte for byte, seamless and with exact buttons
# (the check lives beside the generator in tools/).
add_test(NAME pictures COMMAND bash ${CMAKE_SOURCE_DIR}/tools/check_pictures.sh $<TARGET_FILE:make_pictures> ${CMAKE_SOURCE_DIR})
set_tests_properties(pictures PROPERTIES ENVIRONMENT "${test_environment}")
# The loader's corner-case pictures and their table are what the generator draws today.
add_test(NAME test_pictures COMMAND sh -c "rm -rf test-pictures && mkdir test-pictures && \
  $<TARGET_FILE:make_test_pictures> test-pictures && diff -r test-pictures ${CMAKE_SOURCE_DIR}/tests/images")
