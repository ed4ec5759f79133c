# SPDX-License-Identifier: MIT
# Runs PROG with ARGS and fails unless it exits with RC, writes exactly OUT on
# its standard output and something matching ERR on its standard error.
separate_arguments(args UNIX_COMMAND "${ARGS}")
execute_process(COMMAND ${PROG} ${args} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc STREQUAL RC OR NOT out STREQUAL OUT OR NOT err MATCHES "${ERR}")
    message(FATAL_ERROR "${PROG} ${ARGS}\nstatus ${rc}, expected ${RC}\n"
                        "stdout:\n${out}\nexpected:\n${OUT}\nstderr:\n${err}\nexpected to match:\n${ERR}")
endif()
