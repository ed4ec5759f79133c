# SPDX-License-Identifier: MIT
# Fails unless the shared library LIB exports exactly the operations: each by
# its C name (the FILE* forms, argdInitOpt and argdRemoveArg), and by its C++
# name (the std::ostream& forms, and the two that 1.0 exported so).
# NM is the target's nm, which a cross build needs: the build machine's may
# not read the target's objects.
if(NOT NM)
    set(NM nm)
endif()
execute_process(COMMAND ${NM} -D --defined-only -C ${LIB} OUTPUT_VARIABLE out COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[^\n]+" lines "${out}")
set(names)
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[0-9a-f]+ . " "" name "${line}")
    # libc++ names its std inside std::__1.
    string(REGEX REPLACE "std::(__1::)?basic_ostream<char, std::(__1::)?char_traits<char> >" "std::ostream" name
           "${name}")
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
    argdShowManual "argdShowManual(ArgDsc*, char const*, char const*, std::ostream&)"
    argdInitLong
    argdShowHelp "argdShowHelp(ArgDsc*, ArgLong const*, char const*, char const*, std::ostream&)"
    argdShowLongCompletion "argdShowLongCompletion(ArgDsc*, ArgLong const*, char const*, char const*, std::ostream&)"
    argdShowLongManual "argdShowLongManual(ArgDsc*, ArgLong const*, char const*, char const*, std::ostream&)")
list(SORT expected)
if(NOT names STREQUAL expected)
    string(REPLACE ";" "\n  " names "${names}")
    string(REPLACE ";" "\n  " expected "${expected}")
    message(FATAL_ERROR "exported:\n  ${names}\nexpected:\n  ${expected}")
endif()
