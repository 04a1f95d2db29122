# Run by ctest before it starts (TEST_INCLUDE_FILES): adds one test per case
# of a program's run, each reading its verdict from the run's results. The
# including file sets run_name, run_program, run_folder, run_filter,
# run_emulator, run_results, run_verdict, run_labels.
execute_process(
  COMMAND ${run_emulator} ${run_program} --gtest_list_tests --gtest_filter=${run_filter}
  WORKING_DIRECTORY ${run_folder}
  OUTPUT_VARIABLE listing
  RESULT_VARIABLE status
  TIMEOUT 60)
if(NOT status EQUAL 0)
  add_test(${run_name}.list ${CMAKE_COMMAND} -E echo "${run_program} could not list its cases: ${status}")
  set_tests_properties(${run_name}.list PROPERTIES WILL_FAIL TRUE)
  return()
endif()

# "Suite." lines, then "  Case" lines; a parameter shows after "  # ".
string(REPLACE "\r" "" listing "${listing}")
string(REPLACE ";" "" listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
foreach(line IN LISTS lines)
  string(REGEX REPLACE " *#.*" "" line "${line}")
  if(line MATCHES "^([^ ].*\\.)$")
    set(suite ${CMAKE_MATCH_1})
  elseif(line MATCHES "^  (.+)$" AND suite)
    set(case ${run_name}.${suite}${CMAKE_MATCH_1})
    # As gtest_results.py names the case's verdict file.
    string(REPLACE "/" "~" file "${suite}${CMAKE_MATCH_1}")
    add_test(${case} sh ${run_verdict} ${run_results}.cases ${file})
    set_tests_properties(${case} PROPERTIES FIXTURES_REQUIRED ${run_name} SKIP_RETURN_CODE 77
                         LABELS "${run_labels}")
  endif()
endforeach()
