# Runs one golden script of the headless driver and compares what it printed with the files next
# to it: cmake -DFENLARK=... -DSCRIPT=... -DDATA_DIR=... -DWORK_DIR=... -P run_golden.cmake
foreach(var FENLARK SCRIPT DATA_DIR WORK_DIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "run_golden.cmake: ${var} is not set")
    endif()
endforeach()
get_filename_component(scriptDir ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)

# A fresh working folder: station files, a settings file that leaves the port as it is with the
# error character "~", and the sample capture.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(GLOB stationFiles ${DATA_DIR}/stations/*.txt)
file(COPY ${stationFiles} DESTINATION ${WORK_DIR})
configure_file(${DATA_DIR}/capture-sample.txt ${WORK_DIR}/capture.txt COPYONLY)
file(WRITE ${WORK_DIR}/fenlark.ini " 0 \r\n9600\r\nn\r\n8\r\n1\r\n~\r\n")

# NAME.options, when there is one, holds options of the driver, one a line. The script is named
# relative to its folder so that error messages do not depend on where the sources are.
set(options "")
if(EXISTS ${scriptDir}/${name}.options)
    file(STRINGS ${scriptDir}/${name}.options options)
endif()
execute_process(
    COMMAND ${FENLARK} --headless ${options} --dir ${WORK_DIR} --script ${name}.txt
    WORKING_DIRECTORY ${scriptDir}
    OUTPUT_FILE ${WORK_DIR}.stdout
    ERROR_FILE ${WORK_DIR}.stderr
    RESULT_VARIABLE status)
# A second run in the same folder: its output follows a line "=== next run".
if(EXISTS ${scriptDir}/${name}.then.txt AND status STREQUAL "0")
    execute_process(
        COMMAND ${FENLARK} --headless ${options} --dir ${WORK_DIR} --script ${name}.then.txt
        WORKING_DIRECTORY ${scriptDir}
        OUTPUT_VARIABLE nextOutput
        ERROR_VARIABLE nextErrors
        RESULT_VARIABLE status)
    file(APPEND ${WORK_DIR}.stdout "=== next run\n${nextOutput}")
    file(APPEND ${WORK_DIR}.stderr "${nextErrors}")
endif()

set(expectedStatus 0)
if(EXISTS ${scriptDir}/${name}.status)
    file(STRINGS ${scriptDir}/${name}.status expectedStatus LIMIT_COUNT 1)
endif()

set(failures "")
function(compare actual expected what)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${actual} ${expected}
                    RESULT_VARIABLE different)
    if(different)
        find_program(DIFF diff)
        if(DIFF)
            execute_process(COMMAND ${DIFF} -u ${expected} ${actual})
        endif()
        set(failures "${failures}\n  ${what} differs: ${actual} (expected ${expected})"
            PARENT_SCOPE)
    endif()
endfunction()

compare(${WORK_DIR}.stdout ${scriptDir}/${name}.expected "standard output")
if(EXISTS ${scriptDir}/${name}.stderr)
    compare(${WORK_DIR}.stderr ${scriptDir}/${name}.stderr "error output")
endif()
if(NOT status STREQUAL expectedStatus)
    file(READ ${WORK_DIR}.stderr errors)
    set(failures "${failures}\n  exit status ${status}, expected ${expectedStatus}\n${errors}")
endif()
if(failures)
    message(FATAL_ERROR "${name}:${failures}")
endif()
