/* SPDX-License-Identifier: MIT */
/* The operations called from C, through their FILE* forms, on a stream that
 * keeps what they write and counts the flushes that reach it; and a table
 * written in C. */
#ifndef C_CALLS_H
#define C_CALLS_H

#include "argops.h"

#ifdef __cplusplus
extern "C" {
#endif

/* What an operation wrote, malloc()ed (the caller frees it), and how many
 * times it flushed its stream. */
struct CWritten {
    char* pchText;
    size_t cchText;
    int cFlushes;
};

int cScan(char chOpt, char* szArg, ArgDsc* pad, struct CWritten* pw);
int cScanu(ArgDsc* pad, char* szArg, struct CWritten* pw);
int cScanU(ArgDsc* pad, char* szArg, struct CWritten* pw);
void cShowUsage(ArgDsc* padBase, const char* szPost, struct CWritten* pw);
int cShowCompletion(ArgDsc* padBase, const char* szProg, const char* szShell, struct CWritten* pw);
void cShowManual(ArgDsc* padBase, const char* szPost, struct CWritten* pw);
void cShowHelp(ArgDsc* padBase, const ArgLong* pal, const char* szPost, struct CWritten* pw);
void cInitOpt(char* szOpt, ArgDsc* pad, int c);
void cInitLong(char* szOpt, struct option* aopt, ArgDsc* pad, const ArgLong* pal);
int cRemoveArg(char** argv, int i, int* pArgc);

/* The README's first table, written in C, and its variables. */
extern int cVerbose, cPasses, cQuiet;
extern const char* cszOutput;
extern ArgDsc acReadme[];
extern const size_t cbArgDsc; /* sizeof(ArgDsc) as C sees it */

#ifdef __cplusplus
}
#endif
#endif
