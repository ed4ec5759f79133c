# SPDX-License-Identifier: MIT
# Puts the manual page OUT together: the author's PAGE, where the sections
# that PROG -C man writes from its table replace @SYNOPSIS@ and @OPTIONS@.
# EMULATOR runs PROG where the build is a cross build.
execute_process(COMMAND ${EMULATOR} ${PROG} -C man OUTPUT_VARIABLE sections COMMAND_ERROR_IS_FATAL ANY)
string(FIND "${sections}" ".SH OPTIONS\n" at)
string(SUBSTRING "${sections}" 0 ${at} SYNOPSIS)
string(SUBSTRING "${sections}" ${at} -1 OPTIONS)
string(REGEX REPLACE "\n$" "" SYNOPSIS "${SYNOPSIS}")
string(REGEX REPLACE "\n$" "" OPTIONS "${OPTIONS}")
configure_file(${PAGE} ${OUT} @ONLY)
