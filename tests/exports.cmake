# SPDX-License-Identifier: MIT
# Fails unless the shared library LIB exports exactly the operations: each by
# its C name (the FILE* forms, argdInitOpt and argdRemoveArg), and by its C++
# name (the std::ostream& forms, and the two that 1.0 exported so).
execute_process(COMMAND nm -D --defined-only -C ${LIB} OUTPUT_VARIABLE out COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[^\n]+" lines "${out}")
set(names)
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[0-9a-f]+ . " "" name "${line}")
    string(REPLACE "std::basic_ostream<char, std::char_traits<char> >" "std::ostream" name "${name}")
    list(APPEND names "${name}")
endforeach()
list(SORT names)
set(expected
    argdInitOpt "argdInitOpt(char*, ArgDsc*, int)"
    argdRemoveArg "argdRemoveArg(char**, int, int*)"
    argdScan "argdScan(char, char*, ArgDsc*, char*, int, std::ostream&)"
    argdScanU "argdScanU(ArgDsc*, char*, char*, std::ostream&)"
    argdScanu "argdScanu(ArgDsc*, char*, char*, std::ostream&)"
    argdShowUsage "argdShowUsage(ArgDsc*, char const*, char const*, std::ostream&)"
    argdShowCompletion "argdShowCompletion(ArgDsc*, char const*, char const*, std::ostream&)"
    argdShowManual "argdShowManual(ArgDsc*, char const*, char const*, std::ostream&)")
list(SORT expected)
if(NOT names STREQUAL expected)
    string(REPLACE ";" "\n  " names "${names}")
    string(REPLACE ";" "\n  " expected "${expected}")
    message(FATAL_ERROR "exported:\n  ${names}\nexpected:\n  ${expected}")
endif()
