# The installed engine: the brick breaker built against it in a scratch prefix and played headless.
if(QUENDAL_SANITIZE)
  set(package_flags "-fsanitize=address,undefined")
endif()
add_test(NAME package_example
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package/package_test.sh ${CMAKE_SOURCE_DIR}
                 ${CMAKE_BINARY_DIR} "${package_flags}")
set_tests_properties(package_example PROPERTIES TIMEOUT 600)
