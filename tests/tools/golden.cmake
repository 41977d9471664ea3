# Runs a program on an input file and compares its standard output with the
# expected file. Variables: PROGRAM, INPUT, EXPECTED, OUTPUT, ARGS (optional).
execute_process(COMMAND ${PROGRAM} ${ARGS} ${INPUT}
                OUTPUT_FILE ${OUTPUT}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} exited with ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED} RESULT_VARIABLE different)
if(different)
    execute_process(COMMAND diff -u ${EXPECTED} ${OUTPUT})
    message(FATAL_ERROR "output differs from ${EXPECTED}; if the change is intended, run "
                        "'cmake --build <build> --target update-golden' and explain it in the commit")
endif()
