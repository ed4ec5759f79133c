/* SPDX-License-Identifier: MIT */
/* argops from C: compiled as C99, this file holds a table written as a C
 * program writes one and calls each operation through its C interface. Its
 * stream is an fopencookie() stream whose buffer outgrows anything written,
 * so that each write reaching it is a flush of the operation's. */
#define _GNU_SOURCE
#include <getopt.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "c_calls.h"

int cVerbose = 0, cPasses = 3, cQuiet = 0;
static int aiPasses[2] = {1, 10};
const char* cszOutput = NULL;

ArgDsc acReadme[] = {
    {'v', "verbose output", '1', &cVerbose, NULL},
    {'n', "number of passes [1..10]", 'u', &cPasses, aiPasses},
    {'q', "quiet", 'b', &cQuiet, NULL},
    {'o', "output file", 's', &cszOutput, NULL},
    {'x', "extra argument", '-', NULL, NULL},
    {0},
};

const size_t cbArgDsc = sizeof(ArgDsc);

static ssize_t keep(void* pv, const char* pch, size_t cch)
{
    struct CWritten* pw = pv;
    char* pchText = realloc(pw->pchText, pw->cchText + cch + 1);
    if (!pchText)
        return -1;
    memcpy(pchText + pw->cchText, pch, cch);
    pw->cchText += cch;
    pchText[pw->cchText] = '\0';
    pw->pchText = pchText;
    ++pw->cFlushes;
    return (ssize_t)cch;
}

/* More than any text of the tests: 1 MiB arguments among them. */
static char achBuffer[4 << 20];

static FILE* openKept(struct CWritten* pw)
{
    cookie_io_functions_t io = {NULL, keep, NULL, NULL};
    FILE* pf;
    pw->pchText = calloc(1, 1);
    pw->cchText = 0;
    pw->cFlushes = 0;
    pf = fopencookie(pw, "w", io);
    setvbuf(pf, achBuffer, _IOFBF, sizeof achBuffer);
    return pf;
}

/* What is still in the buffer was not flushed by the operation. */
static void closeKept(FILE* pf, struct CWritten* pw)
{
    int cFlushes = pw->cFlushes;
    fclose(pf);
    pw->cFlushes = cFlushes;
}

int cScan(char chOpt, char* szArg, ArgDsc* pad, struct CWritten* pw)
{
    FILE* pf = openKept(pw);
    int result = argdScan(chOpt, szArg, pad, "prog", 0, pf);
    closeKept(pf, pw);
    return result;
}

int cScanu(ArgDsc* pad, char* szArg, struct CWritten* pw)
{
    FILE* pf = openKept(pw);
    int result = argdScanu(pad, szArg, "prog", pf);
    closeKept(pf, pw);
    return result;
}

int cScanU(ArgDsc* pad, char* szArg, struct CWritten* pw)
{
    FILE* pf = openKept(pw);
    int result = argdScanU(pad, szArg, "prog", pf);
    closeKept(pf, pw);
    return result;
}

void cShowUsage(ArgDsc* padBase, const char* szPost, struct CWritten* pw)
{
    FILE* pf = openKept(pw);
    argdShowUsage(padBase, "prog", szPost, pf);
    closeKept(pf, pw);
}

int cShowCompletion(ArgDsc* padBase, const char* szProg, const char* szShell, struct CWritten* pw)
{
    FILE* pf = openKept(pw);
    int result = argdShowCompletion(padBase, szProg, szShell, pf);
    closeKept(pf, pw);
    return result;
}

void cShowManual(ArgDsc* padBase, const char* szPost, struct CWritten* pw)
{
    FILE* pf = openKept(pw);
    argdShowManual(padBase, "prog", szPost, pf);
    closeKept(pf, pw);
}

void cShowHelp(ArgDsc* padBase, const ArgLong* pal, const char* szPost, struct CWritten* pw)
{
    FILE* pf = openKept(pw);
    argdShowHelp(padBase, pal, "prog", szPost, pf);
    closeKept(pf, pw);
}

void cInitOpt(char* szOpt, ArgDsc* pad, int c) { argdInitOpt(szOpt, pad, c); }

void cInitLong(char* szOpt, struct option* aopt, ArgDsc* pad, const ArgLong* pal)
{
    argdInitLong(szOpt, aopt, pad, pal);
}

int cRemoveArg(char** argv, int i, int* pArgc) { return argdRemoveArg(argv, i, pArgc); }
