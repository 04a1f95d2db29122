# The sample driver under another name reads its own INI file, as the pages
# do: a copy named Renamed.exe shows the one page Renamed.ini lists. Its
# folder's name lies outside every ANSI code page, as a user's folder can.
# Run by ctest; the variables come from the top CMakeLists.txt.
set(scratch "${BUILD_DIR}/renamed_driver_test/Łukasz Έργα 表")
file(REMOVE_RECURSE ${BUILD_DIR}/renamed_driver_test)
file(MAKE_DIRECTORY ${scratch}/shots)
file(COPY ${BIN}/Kelvra.dll ${BIN}/Kelvrares.dll ${BIN}/Options.ini DESTINATION ${scratch})
file(COPY_FILE ${BIN}/Setup.exe ${scratch}/Renamed.exe)
file(READ ${BIN}/Setup.ini ini)
string(REGEX REPLACE "\nPages=[^\r\n]*" "\nPages=PartModificationDlg:FERRIX" ini "${ini}")
file(WRITE ${scratch}/Renamed.ini "${ini}")

execute_process(COMMAND ${EMULATOR} ${scratch}/Renamed.exe /auto shots
                WORKING_DIRECTORY ${scratch} RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 300)
message("${out}")
string(REPLACE "\r" "" out "${out}")
if(NOT status EQUAL 0 OR NOT out MATCHES "\nPartModificationDlg +-> 1\n")
  message(FATAL_ERROR "Renamed.exe did not show the page Renamed.ini lists (${status})\n${err}")
endif()
file(REMOVE_RECURSE ${BUILD_DIR}/renamed_driver_test)
