/* SPDX-License-Identifier: MIT */
/* The C library's own reading of a number, as C17 has it: compiled with
 * -std=c17, this file gets C17's strtol() and strtoul() from any C library,
 * where a C++ or C23 program may get C23's, which read 0b101 as 5. */
#include <stdlib.h>

#include "c17.h"

long c17Strtol(const char* sz, char** ppchEnd) { return strtol(sz, ppchEnd, 0); }

unsigned long c17Strtoul(const char* sz, char** ppchEnd) { return strtoul(sz, ppchEnd, 0); }
