# Runs the exit driver once per seed in FIRST..LAST and fails on the first run that does not end
# with exit code 0 within a minute, or that prints a sanitizer report.
#
# The run's output goes to files, not pipes: under Wine a run may be the one that starts Wine's
# background programs (its services, its desktop), which inherit its output and outlive it
# while other tests keep the Wine server busy. Read through a pipe, the run would seem not to
# end until they did.
set(out "${CMAKE_CURRENT_BINARY_DIR}/exit_runs_${FIRST}.out")
set(err "${CMAKE_CURRENT_BINARY_DIR}/exit_runs_${FIRST}.err")
foreach(seed RANGE ${FIRST} ${LAST})
    execute_process(COMMAND ${DRIVER} ${seed} TIMEOUT 60
        RESULT_VARIABLE code OUTPUT_FILE "${out}" ERROR_FILE "${err}")
    file(READ "${out}" output)
    file(READ "${err}" errors)
    if(NOT code EQUAL 0 OR errors MATCHES "Sanitizer|runtime error")
        message(FATAL_ERROR "seed ${seed}: exit code ${code}\n${output}\n${errors}")
    endif()
endforeach()
file(REMOVE "${out}" "${err}")
math(EXPR runs "${LAST} - ${FIRST} + 1")
message(STATUS "${runs} runs ended cleanly")
