# kelvra_gtest_run(<name> <program> <folder> [FILTER f] [ENVIRONMENT e...] [LABELS l...])
# One run of a test program under Wine as the test <name>, and each of its
# cases as a test <name>.Suite.Case that reads the run's results, so that a
# failure is named by its case at the cost of one process per run (and a
# shell per case).
set(KELVRA_GTEST_CASES_DIR ${CMAKE_CURRENT_LIST_DIR})
# The system's Python first: a version manager's shim costs a second a start.
find_program(KELVRA_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(KELVRA_PYTHON NAMES python3 REQUIRED)

function(kelvra_gtest_run name program folder)
  cmake_parse_arguments(run "" "FILTER" "ENVIRONMENT;LABELS" ${ARGN})
  if(NOT run_FILTER)
    set(run_FILTER "*")
  endif()
  set(checker ${KELVRA_GTEST_CASES_DIR}/gtest_results.py)
  set(results ${folder}/${name}.xml)
  add_test(NAME ${name}
    COMMAND ${KELVRA_PYTHON} ${checker} ${results} ${CMAKE_CROSSCOMPILING_EMULATOR} ${program}
            --gtest_color=no --gtest_filter=${run_FILTER} --gtest_output=xml:${name}.xml
    WORKING_DIRECTORY ${folder})
  set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE TIMEOUT 600 FIXTURES_SETUP ${name}
                       ENVIRONMENT "${run_ENVIRONMENT}" LABELS "${run_LABELS}")

  set(include ${CMAKE_CURRENT_BINARY_DIR}/${name}_cases.cmake)
  file(WRITE ${include}
    "set(run_name \"${name}\")\n"
    "set(run_program \"${program}\")\n"
    "set(run_folder \"${folder}\")\n"
    "set(run_filter \"${run_FILTER}\")\n"
    "set(run_emulator \"${CMAKE_CROSSCOMPILING_EMULATOR}\")\n"
    "set(run_results \"${results}\")\n"
    "set(run_verdict \"${KELVRA_GTEST_CASES_DIR}/case_verdict.sh\")\n"
    "set(run_labels \"${run_LABELS}\")\n"
    "include(\"${KELVRA_GTEST_CASES_DIR}/list_cases.cmake\")\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include})
endfunction()
