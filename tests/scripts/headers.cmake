# One translation unit per public header, holding nothing but that header (checked once, in the
# plain build; the sanitizer and fuzz builds compile the same headers).
if(NOT QUENDAL_SANITIZE)
  set(header_checks)
  foreach(header IN LISTS public_headers)
    string(MAKE_C_IDENTIFIER ${header} name)
    set(check ${CMAKE_BINARY_DIR}/header_checks/${name}.cpp)
    file(CONFIGURE OUTPUT ${check} CONTENT "#include \"${header}\"\n")
    list(APPEND header_checks ${check})
  endforeach()
  add_library(header_checks OBJECT ${header_checks})
  target_link_libraries(header_checks PRIVATE engine)
endif()
