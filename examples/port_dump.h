/* SPDX-License-Identifier: MIT */
/* xdump's work, a hex dump of files, shared by its two option loops:
 * port_before.c (getopt and the C library's conversions) and port_after.c
 * (one argops table). Only the option handling differs. */
#ifndef PORT_DUMP_H
#define PORT_DUMP_H

#include <ctype.h>
#include <stdio.h>
#include <string.h>

/* The settings; the option letter of each in front. */
struct Dump {
    int iLimit;           /* -n: bytes to dump at most; negative: all */
    unsigned uSkip;       /* -s: bytes to skip first */
    int iWidth;           /* -w: bytes per line, 1 to 64 */
    int fText;            /* -A clears it: the text column */
    int fUpper;           /* -u: hex digits in upper case */
    int iRadix;           /* -d, -o, -x: the base of the offsets */
    int iVerbose;         /* -v: a header per file; -vv: a count too */
    const char* szPrefix; /* -p: text at the start of every line */
    char chFill;          /* -f: shown in the text column for unprintable bytes */
};

/* The settings of the program, with their defaults. */
static struct Dump d = {-1, 0, 16, 1, 0, 16, 0, "", '.'};

static void dumpLine(const struct Dump* pd, unsigned long ulOffset, const unsigned char* ab, size_t cb)
{
    size_t i;
    printf(pd->iRadix == 10 ? "%s%08lu " : pd->iRadix == 8 ? "%s%08lo " : "%s%08lx ", pd->szPrefix, ulOffset);
    for (i = 0; i < cb; ++i)
        printf(pd->fUpper ? " %02X" : " %02x", ab[i]);
    if (pd->fText) {
        /* the text column of a short last line stands under the others */
        printf("%*s  |", (int)(3 * ((size_t)pd->iWidth - cb)), "");
        for (i = 0; i < cb; ++i)
            putchar(isprint(ab[i]) ? ab[i] : pd->chFill);
        putchar('|');
    }
    putchar('\n');
}

/* Dumps the file szPath ("-": standard input); 0 when it cannot be read. */
static int dumpFile(const struct Dump* pd, const char* szPath)
{
    int fStdin = strcmp(szPath, "-") == 0;
    FILE* pf = fStdin ? stdin : fopen(szPath, "rb");
    unsigned long ulOffset = 0, ulDone = 0;
    unsigned char ab[64];
    if (!pf)
        return 0;
    if (pd->iVerbose > 0)
        printf("==> %s <==\n", szPath);
    while (ulOffset < pd->uSkip && getc(pf) != EOF)
        ++ulOffset;
    for (;;) {
        size_t cbWant = (size_t)pd->iWidth, cb;
        if (pd->iLimit >= 0 && ulDone + cbWant > (size_t)pd->iLimit)
            cbWant = (size_t)pd->iLimit - ulDone;
        cb = cbWant ? fread(ab, 1, cbWant, pf) : 0;
        if (cb == 0)
            break;
        dumpLine(pd, ulOffset, ab, cb);
        ulOffset += cb;
        ulDone += cb;
    }
    if (pd->iVerbose > 1)
        printf("%lu bytes\n", ulDone);
    if (!fStdin)
        fclose(pf);
    return 1;
}

/* Dumps each file in turn, or standard input when there is none. Returns the
 * exit status: 1 when a file could not be read, else 0. */
static int dumpFiles(const struct Dump* pd, const char* szProg, char** pszFiles, int cFiles)
{
    int i, iStatus = 0;
    if (cFiles == 0)
        return dumpFile(pd, "-") ? 0 : 1;
    for (i = 0; i < cFiles; ++i) {
        if (!dumpFile(pd, pszFiles[i])) {
            fprintf(stderr, "%s: cannot read %s\n", szProg, pszFiles[i]);
            iStatus = 1;
        }
    }
    return iStatus;
}

#endif
