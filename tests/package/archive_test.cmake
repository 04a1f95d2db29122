# Makes the release archive, unpacks it, checks it holds every file a setup
# author is promised, builds a small program with find_package(Kelvra) from
# the unpacked archive, and runs it under Wine beside the unpacked DLLs.
# Run by ctest; the variables come from the top CMakeLists.txt.

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}\n${out}")
  endif()
  message("${out}")
endfunction()

set(scratch ${BUILD_DIR}/package_test)
file(REMOVE_RECURSE ${scratch})
file(MAKE_DIRECTORY ${scratch})

run(cpack --config ${BUILD_DIR}/CPackConfig.cmake -B ${scratch}/packages)
set(archive ${scratch}/packages/${PACKAGE}.zip)
if(NOT EXISTS ${archive})
  message(FATAL_ERROR "no archive named ${PACKAGE}.zip")
endif()
file(ARCHIVE_EXTRACT INPUT ${archive} DESTINATION ${scratch}/unpacked)
set(top ${scratch}/unpacked/${PACKAGE})

set(promised bin/Kelvra.dll bin/Kelvrares.dll bin/de/Kelvrares.dll bin/Setup.exe bin/Setup.ini bin/Options.ini
    include/kelvra.h lib/libKelvra.dll.a lib/cmake/Kelvra/KelvraConfig.cmake
    lib/cmake/Kelvra/KelvraConfigVersion.cmake README.md docs/contract.md)
foreach(file IN LISTS promised)
  if(NOT EXISTS ${top}/${file})
    message(FATAL_ERROR "the archive lacks ${file}")
  endif()
endforeach()
# The sample driver's page order was filled in, not left as a placeholder.
file(READ ${top}/bin/Setup.ini driver_ini)
if(driver_ini MATCHES "@[A-Z_]+@")
  message(FATAL_ERROR "Setup.ini in the archive still holds a placeholder")
endif()

string(REPLACE "," ";" exports "${EXPORTS}")
list(GET exports 0 linked)
# Only what the archive holds, found as a setup author's build finds it.
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/package/caller -B ${scratch}/caller
    -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_PREFIX_PATH=${top} -DLINKED_EXPORT=${linked})
run(${CMAKE_COMMAND} --build ${scratch}/caller)
set(program ${top}/bin/archive_caller.exe)
file(COPY_FILE ${scratch}/caller/archive_caller.exe ${program})

execute_process(COMMAND ${EMULATOR} ${program} ${VERSION} ${exports}
                WORKING_DIRECTORY ${top}/bin RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 300)
message("${out}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "archive_caller failed (${status})\n${err}")
endif()
