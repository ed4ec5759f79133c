// SPDX-License-Identifier: MIT
/* The command line that every parser program handles, the values it must
 * end with, and what each program (cl_<parser>.cpp) gives the drivers. */
#ifndef BENCH_CMDLINE_H
#define BENCH_CMDLINE_H

#include <cstdio>
#include <iosfwd>

/* prog -vq -n 5 -w 0x20 -o out.txt -B true file1 file2 */
struct Values {
    int fVerbose;       /* -v: set */
    int fQuiet;         /* -q: toggled */
    int iPasses;        /* -n: signed, 1..10 */
    unsigned uWidth;    /* -w: unsigned */
    const char* szOutput; /* -o: text */
    int fBool;          /* -B: true when the argument starts with t or T */
    int cOperands;
    const char* szLastOperand;
};

inline constexpr Values kDefaults = {0, 0, 3, 8, "-", 0, 0, ""};

/* Where every parser stores; the drivers reset it before each parse. */
extern Values g_values;

/* Its context, table or parser object: built once per run by a program. */
struct Parser;

extern const char szParser[];
Parser* setUp(int argc, char** argv);
/* Stores into g_values; returns 0, or -1 after reporting a bad command line. */
int parse(Parser* pParser, int argc, char** argv);
void tearDown(Parser* pParser);
/* Writes the help text to whichever of the two its parser writes to. */
void writeHelp(Parser* pParser, std::FILE* pf, std::ostream& os);

#endif
