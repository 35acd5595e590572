# cmake -DGENERATOR=... -DOUTPUT=dir -DCHECKED_IN=dir -P regenerate.cmake
# Runs lunarcal-gen into OUTPUT and fails unless each file it writes equals the one in CHECKED_IN.
cmake_minimum_required(VERSION 3.25)

file(MAKE_DIRECTORY ${OUTPUT})
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "lunarcal-gen failed (${rc})")
endif()

find_program(DIFF diff)
foreach(name lunar_year_table.h solar_term_table_late.cpp)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${CHECKED_IN}/${name} ${OUTPUT}/${name}
                    RESULT_VARIABLE differs)
    if(differs)
        set(shown "")
        if(DIFF)
            execute_process(COMMAND ${DIFF} -u ${CHECKED_IN}/${name} ${OUTPUT}/${name} OUTPUT_VARIABLE delta)
            string(SUBSTRING "${delta}" 0 3000 shown)
        endif()
        message(FATAL_ERROR "${CHECKED_IN}/${name} differs from the generator's output; "
                            "regenerate it with lunarcal-gen if the change is meant.\n${shown}")
    endif()
endforeach()
