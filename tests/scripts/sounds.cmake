# The sound generator, checked once, in the plain build: it makes the committed game sounds, the
# loader's test files and the WAV fuzzer's seeds byte for byte, the same every run.
if(NOT QUENDAL_SANITIZE)
  add_test(NAME sounds COMMAND bash ${CMAKE_SOURCE_DIR}/tools/check_sounds.sh
                               $<TARGET_FILE:make_sounds> ${CMAKE_SOURCE_DIR})
endif()
