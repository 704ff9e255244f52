# Writes the reference with refgen into the build tree, then either checks
# that docs/reference.md is the same (MODE=check) or replaces it (MODE=write).
function(windows_path out path)
    string(REPLACE "/" "\\" p "Z:${path}")
    set(${out} "${p}" PARENT_SCOPE)
endfunction()

set(fresh ${BUILD}/reference.md)
windows_path(saved_w ${SAVED})
windows_path(fresh_w ${fresh})
execute_process(COMMAND ${WINERUN} ${BUILD} ${REFGEN} ${saved_w} ${fresh_w} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "refgen failed (${rc})")
endif()
if(MODE STREQUAL "write")
    file(COPY_FILE ${fresh} ${REFERENCE} ONLY_IF_DIFFERENT)
    return()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${fresh} ${REFERENCE} RESULT_VARIABLE same)
if(NOT same EQUAL 0)
    execute_process(COMMAND diff -u ${REFERENCE} ${fresh})
    message(FATAL_ERROR "docs/reference.md is not what the tables say: "
                        "cmake --build <build> --target reference writes it anew")
endif()
