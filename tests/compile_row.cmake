# SPDX-License-Identifier: MIT
# Compiles SOURCE with CXX and FLAGS, and with -DROW=ROW when ROW is given.
# Without MESSAGE it must compile; with MESSAGE it must not, and the first
# line of the compiler's output that names an error must match MESSAGE.
separate_arguments(flags UNIX_COMMAND "${FLAGS}")
if(DEFINED ROW)
    list(APPEND flags "-DROW=${ROW}")
endif()
execute_process(COMMAND ${CXX} ${flags} -fsyntax-only -x c++ ${SOURCE}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT DEFINED MESSAGE)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${out}")
    endif()
    return()
endif()
# g++ names the constinit table before the row that kept it from a constant
# initialiser: the row's error is the next one.
string(REGEX REPLACE "[^\n]*constinit[^ ]* variable [^\n]* does not have a constant initializer" "" out "${out}")
string(REGEX MATCH "[^\n]*error[^\n]*" first "${out}")
if(rc EQUAL 0 OR NOT first MATCHES "${MESSAGE}")
    message(FATAL_ERROR "expected a first error matching \"${MESSAGE}\", got:\n${out}")
endif()
