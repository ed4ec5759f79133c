# SPDX-License-Identifier: MIT
# Fails unless the manual PAGE, as man shows it, holds the program SOURCE line
# for line: the example a reader copies is the one the consumer tests build.
execute_process(COMMAND man -l ${PAGE} OUTPUT_VARIABLE shown COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n       " "\n" shown "${shown}") # the indent of a section's text
file(READ ${SOURCE} source)
string(REGEX REPLACE "^// SPDX-License-Identifier: [^\n]*\n" "" source "${source}") # the licence tag is not part of the example
string(FIND "${shown}" "${source}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "man -l ${PAGE} does not show ${SOURCE} as it stands")
endif()
