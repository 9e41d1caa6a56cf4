# Runs the exit driver once per seed in FIRST..LAST and fails on the first run that does not end
# with exit code 0 within a minute, or that prints a sanitizer report.
foreach(seed RANGE ${FIRST} ${LAST})
    execute_process(COMMAND ${DRIVER} ${seed} TIMEOUT 60
        RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code EQUAL 0 OR err MATCHES "Sanitizer|runtime error")
        message(FATAL_ERROR "seed ${seed}: exit code ${code}\n${out}\n${err}")
    endif()
endforeach()
math(EXPR runs "${LAST} - ${FIRST} + 1")
message(STATUS "${runs} runs ended cleanly")
