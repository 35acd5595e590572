# cmake -DGENERATOR=... -DOUTPUT=... -DCHECKED_IN=... -P regenerate.cmake
# Runs the generator and fails unless its output equals the checked-in file, showing the start of the difference.
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "solarterm-gen failed (${rc})")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${CHECKED_IN} ${OUTPUT} RESULT_VARIABLE differs)
if(NOT differs)
    return()
endif()

set(shown "")
find_program(DIFF diff)
if(DIFF)
    execute_process(COMMAND ${DIFF} -u ${CHECKED_IN} ${OUTPUT} OUTPUT_VARIABLE delta)
    string(SUBSTRING "${delta}" 0 3000 shown)
endif()
message(FATAL_ERROR "${CHECKED_IN} differs from the generator's output ${OUTPUT}; "
                    "regenerate it with solarterm-gen if the change is meant.\n${shown}")
