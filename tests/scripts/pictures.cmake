# The picture generators, checked once, in the plain build. The generator rebuilds the committed
# pictures byte for byte, seamless and with exact buttons (the check lives beside it in tools/).
if(NOT QUENDAL_SANITIZE)
  add_test(NAME pictures COMMAND bash ${CMAKE_SOURCE_DIR}/tools/check_pictures.sh $<TARGET_FILE:make_pictures> ${CMAKE_SOURCE_DIR})
  set_tests_properties(pictures PROPERTIES ENVIRONMENT "${test_environment}" COST 5)
  # The loader's corner-case pictures and their table are what the generator draws today.
  add_test(NAME test_pictures COMMAND sh -c "rm -rf test-pictures && mkdir test-pictures && \
    $<TARGET_FILE:make_test_pictures> test-pictures && diff -r test-pictures ${CMAKE_SOURCE_DIR}/tests/images")
endif()
