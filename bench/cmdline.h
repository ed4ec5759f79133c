// SPDX-License-Identifier: MIT
/* The command line that every cl_<parser>.cpp handles, and the values it
 * must end with. */
#ifndef BENCH_CMDLINE_H
#define BENCH_CMDLINE_H

/* prog -vq -n 5 -w 0x20 -o out.txt -B true file1 file2 */
struct Values {
    int fVerbose;         /* -v: set */
    int fQuiet;           /* -q: toggled */
    int iPasses;          /* -n: signed, 1..10 */
    unsigned uWidth;      /* -w: unsigned */
    const char* szOutput; /* -o: text */
    int fBool;            /* -B: true when the argument starts with t or T */
    int cOperands;
    const char* szLastOperand;
};

inline constexpr Values kDefaults = {0, 0, 3, 8, "-", 0, 0, ""};

extern Values g_values;

/* All a program does with its parser once per run: set it up, parse into
 * g_values, tear it down. Returns 0, or -1 after reporting a bad command
 * line. What g_values points to must outlive the parser. */
int parse(int argc, char** argv);

#endif
