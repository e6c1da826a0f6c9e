# Reliability runs: the kill loops of two writers (the game's and Bricks'), failing writes, faults
# through the real game, the files it writes on request, valgrind.
add_executable(score_writer ${CMAKE_CURRENT_SOURCE_DIR}/reliability/score_writer.cpp)
target_link_libraries(score_writer PRIVATE game)
add_executable(bricks_score_writer ${CMAKE_CURRENT_SOURCE_DIR}/reliability/score_writer.cpp
               ${CMAKE_SOURCE_DIR}/examples/bricks/BestScore.cpp)
target_compile_definitions(bricks_score_writer PRIVATE BRICKS_WRITER)
target_include_directories(bricks_score_writer PRIVATE ${CMAKE_SOURCE_DIR}/examples/bricks)
target_link_libraries(bricks_score_writer PRIVATE engine)
add_library(fail_call MODULE ${CMAKE_CURRENT_SOURCE_DIR}/reliability/fail_call.cpp)
target_link_libraries(fail_call PRIVATE ${CMAKE_DL_LIBS})

set(reliability_dir ${CMAKE_CURRENT_SOURCE_DIR}/reliability)
add_test(NAME reliability_kill_loop
         COMMAND bash ${reliability_dir}/kill_loop.sh $<TARGET_FILE:score_writer> 200)
add_test(NAME reliability_kill_loop_bricks
         COMMAND bash ${reliability_dir}/kill_loop.sh $<TARGET_FILE:bricks_score_writer> 200
                 bricksBest.txt)
foreach(fault efbig erofs enospc inplace fsync rename)
  add_test(NAME reliability_write_${fault}
           COMMAND bash ${reliability_dir}/write_faults.sh $<TARGET_FILE:score_writer> ${fault}
                   $<TARGET_FILE:fail_call>)
  set_tests_properties(reliability_write_${fault} PROPERTIES SKIP_RETURN_CODE 77)
endforeach()
set(program_cases normal stdin_closed stdout_closed stderr_closed bg_missing bg_truncated bg_small
                  band_missing band_truncated band_cut_header band_small font_missing font_fifo
                  font_directory font_corrupt other_folder wrong_display escape_thrice)
if(NOT QUENDAL_SANITIZE)
  list(APPEND program_cases valgrind)
endif()
foreach(fault ${program_cases})
  add_test(NAME reliability_program_${fault}
           COMMAND bash ${reliability_dir}/program_faults.sh $<TARGET_FILE:quendal>
                   ${CMAKE_SOURCE_DIR} ${fault})
  set_tests_properties(reliability_program_${fault} PROPERTIES
                       ENVIRONMENT "${test_environment}" SKIP_RETURN_CODE 77 TIMEOUT 300)
endforeach()
# One test per row of the table of outputs, named by its first column.
set(output_table ${CMAKE_SOURCE_DIR}/tests/tables/outputs.tsv)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${output_table})
file(READ ${output_table} output_rows)
string(REGEX MATCHALL "\n[a-z_]+\t" output_cases "\n${output_rows}")
foreach(case ${output_cases})
  string(STRIP "${case}" case)
  add_test(NAME reliability_output_${case}
           COMMAND bash ${reliability_dir}/output_faults.sh $<TARGET_FILE:quendal> ${CMAKE_SOURCE_DIR}
                   ${case})
  set_tests_properties(reliability_output_${case} PROPERTIES
                       ENVIRONMENT "${test_environment}" SKIP_RETURN_CODE 77 TIMEOUT 60)
endforeach()
# A leak of our own still fails the sanitizer build, beside the system libraries' kept memory on a
# real display: the leak check reports the program's lost block and nothing else.
if(QUENDAL_SANITIZE)
  add_executable(deliberate_leak ${reliability_dir}/deliberate_leak.cpp)
  target_link_libraries(deliberate_leak PRIVATE SDL2::SDL2)
  add_test(NAME reliability_own_leak
           COMMAND bash -c "out=$(\"$@\" 2>&1); status=$?; printf '%s\\n' \"$out\"; [ $status -ne 0 ] &&
             grep -qxF 'SUMMARY: AddressSanitizer: 48 byte(s) leaked in 1 allocation(s).' <<<\"$out\""
                   own_leak bash ${CMAKE_CURRENT_SOURCE_DIR}/with_xvfb.sh env SDL_VIDEODRIVER=x11
                   $<TARGET_FILE:deliberate_leak>)
endif()
