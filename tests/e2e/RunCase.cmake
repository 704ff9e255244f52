# Runs one end-to-end case: copies CASE.form into WORK, runs zarnhost there
# on it with CASE.zs, and compares its standard output with CASE.log.
# Only line endings are normalised.
#   cmake -DWINERUN= -DBUILD= -DHOST= -DCASE= -DWORK= -P RunCase.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${CASE} NAME)
file(COPY ${CASE}.form DESTINATION ${WORK})

# Wine takes the working directory from the Unix one but does not
# translate arguments: programs and scripts go by their Z: path, the form
# by its name in the working directory.
string(REPLACE "/" "\\" host "Z:${HOST}")
string(REPLACE "/" "\\" script "Z:${CASE}.zs")
execute_process(COMMAND ${WINERUN} ${BUILD} ${host} --script ${script} ${name}.form
    WORKING_DIRECTORY ${WORK}
    OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE rc
    TIMEOUT 150)
string(REPLACE "\r\n" "\n" actual "${actual}")
file(WRITE ${WORK}/actual.log "${actual}")
file(READ ${CASE}.log expected)
string(REPLACE "\r\n" "\n" expected "${expected}")

# A session that printed nothing never ran: another Wine session in the
# same prefix (a second X display) ends this one's server.
if(NOT rc EQUAL 0 OR actual STREQUAL "")
    message(FATAL_ERROR "zarnhost exited with ${rc}; standard output:\n${actual}\nstandard error:\n${errors}")
endif()
if(NOT actual STREQUAL expected)
    execute_process(COMMAND diff -u ${CASE}.log ${WORK}/actual.log OUTPUT_VARIABLE diff)
    message(FATAL_ERROR "the log differs from ${name}.log:\n${diff}")
endif()
message(STATUS "${name}: the log is as expected")
