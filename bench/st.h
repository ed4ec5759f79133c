/* SPDX-License-Identifier: MIT */
/* st.h: what each st_<parser>.c tool ends with and the line it prints, so
 * that measure.py can tell that every parser read the command line alike. */
#ifndef BENCH_ST_H
#define BENCH_ST_H

#include <stdio.h>

static int fVerbose = 0, iPasses = 3;
static const char* szOutput = "-";
static int cOperands = 0;
static const char* szLastOperand = "";

static int showValues(void)
{
    printf("verbose %d passes %d output %s operands %d last %s\n", fVerbose, iPasses, szOutput, cOperands,
           szLastOperand);
    return 0;
}

#endif
