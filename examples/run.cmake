# SPDX-License-Identifier: MIT
# Runs the example PROG as a user would, ./name in its own directory, with
# ARGS and TZ=UTC, and fails unless it exits with RC and writes exactly OUT
# on its standard output and ERR on its standard error. In OUT and ERR,
# @usage@ stands for the help of `./name -h`, which must begin with
# "usage: ./name " and come on standard output, with nothing on standard
# error and the status 0; ERR @complaint@ stands for any text but the empty
# one. EMULATOR, a list, runs ./name in a cross build.
get_filename_component(dir ${PROG} DIRECTORY)
get_filename_component(name ${PROG} NAME)
set(ENV{TZ} UTC)

macro(run args)
    separate_arguments(argv UNIX_COMMAND "${args}")
    execute_process(COMMAND ${EMULATOR} ./${name} ${argv} WORKING_DIRECTORY ${dir} INPUT_FILE /dev/null
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
endmacro()

if("${OUT}${ERR}" MATCHES "@usage@")
    run(-h)
    string(FIND "${out}" "usage: ./${name} " at)
    if(NOT rc STREQUAL 0 OR NOT err STREQUAL "" OR NOT at EQUAL 0)
        message(FATAL_ERROR "./${name} -h\nstatus ${rc}, expected 0\nstdout:\n${out}\nstderr:\n${err}")
    endif()
    string(REPLACE "@usage@" "${out}" OUT "${OUT}")
    string(REPLACE "@usage@" "${out}" ERR "${ERR}")
endif()

run("${ARGS}")
if(ERR STREQUAL "@complaint@" AND NOT err STREQUAL "")
    set(ERR "${err}")
endif()
if(NOT rc STREQUAL RC OR NOT out STREQUAL OUT OR NOT err STREQUAL ERR)
    message(FATAL_ERROR "./${name} ${ARGS}\nstatus ${rc}, expected ${RC}\n"
                        "stdout:\n${out}\nexpected:\n${OUT}\nstderr:\n${err}\nexpected:\n${ERR}")
endif()
