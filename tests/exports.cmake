# SPDX-License-Identifier: MIT
# Fails unless the shared library LIB exports exactly the six operations.
execute_process(COMMAND nm -D --defined-only -C ${LIB} OUTPUT_VARIABLE out COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[^\n]+" lines "${out}")
set(names)
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[0-9a-f]+ . ([^(]+).*" "\\1" name "${line}")
    list(APPEND names ${name})
endforeach()
list(SORT names)
set(expected argdInitOpt argdRemoveArg argdScan argdScanU argdScanu argdShowUsage)
if(NOT names STREQUAL expected)
    message(FATAL_ERROR "exported: ${names}\nexpected: ${expected}")
endif()
