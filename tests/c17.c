/* SPDX-License-Identifier: MIT */
/* The C library's own reading of a number, as C17 has it: compiled with
 * -std=c17, this file gets C17's strtoll() and strtoull() from any C
 * library, where a C++ or C23 program may get C23's, which read 0b101 as 5.
 * long long is what long is on x86-64, on every platform. */
#include <stdlib.h>

#include "c17.h"

long long c17Strtol(const char* sz, char** ppchEnd) { return strtoll(sz, ppchEnd, 0); }

unsigned long long c17Strtoul(const char* sz, char** ppchEnd) { return strtoull(sz, ppchEnd, 0); }
