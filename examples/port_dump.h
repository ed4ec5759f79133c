/* SPDX-License-Identifier: MIT */
/* The work of the ported programs, shared by each one's two option loops,
 * so that only the option handling differs: xdump, a hex dump of files
 * (port_before.c and port_after.c), and with PORT_PEEK defined peek, the
 * first lines of files (portlong_before.c and portlong_after.c). */
#ifndef PORT_DUMP_H
#define PORT_DUMP_H

#ifndef PORT_PEEK

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

#else /* PORT_PEEK */

#include <stdio.h>
#include <string.h>
#include <unistd.h>

/* The settings; the options of each in front. */
struct Peek {
    int iLines;           /* -n, --lines: lines to print of each file, 1 to 1000 */
    int fHeaders;         /* -v, --verbose sets it, -q, --quiet, --silent clears it */
    const char* szOutput; /* -o, --output: the file written; null: standard output */
    const char* szColor;  /* --color: when headers are bold: never, always or auto */
    int fDryRun;          /* --dry-run: say what would be done, and do nothing */
};

/* The settings of the program, with their defaults. */
static struct Peek p = {10, 0, NULL, "auto", 0};

/* Whether --color takes szWhen. */
static int isWhen(const char* szWhen)
{
    return strcmp(szWhen, "never") == 0 || strcmp(szWhen, "always") == 0 || strcmp(szWhen, "auto") == 0;
}

/* Copies the first pp->iLines lines of pfIn, after a header if asked for. */
static void peekFile(const struct Peek* pp, FILE* pfIn, const char* szPath, int fBold, FILE* pfOut)
{
    int ch, cLines = 0;
    if (pp->fHeaders)
        fprintf(pfOut, fBold ? "\033[1m==> %s <==\033[0m\n" : "==> %s <==\n", szPath);
    while (cLines < pp->iLines && (ch = getc(pfIn)) != EOF) {
        putc(ch, pfOut);
        if (ch == '\n')
            ++cLines;
    }
}

/* Prints the first lines of each file, or with --dry-run what it would do.
 * Returns the exit status: 1 when a file could not be read or written. */
static int peekFiles(const struct Peek* pp, const char* szProg, char** pszFiles, int cFiles)
{
    FILE* pfOut;
    int i, fBold, iStatus = 0;
    if (pp->fDryRun) {
        printf("would print %d lines of each of:", pp->iLines);
        for (i = 0; i < cFiles; ++i)
            printf(" %s", pszFiles[i]);
        printf("\nheaders %s, colour %s, to %s\n", pp->fHeaders ? "on" : "off", pp->szColor,
               pp->szOutput ? pp->szOutput : "standard output");
        return 0;
    }
    pfOut = pp->szOutput ? fopen(pp->szOutput, "w") : stdout;
    if (!pfOut) {
        fprintf(stderr, "%s: cannot write %s\n", szProg, pp->szOutput);
        return 1;
    }
    /* auto: bold only for a terminal, which shows it */
    fBold = strcmp(pp->szColor, "always") == 0 || (strcmp(pp->szColor, "auto") == 0 && isatty(fileno(pfOut)));
    for (i = 0; i < cFiles; ++i) {
        FILE* pfIn = fopen(pszFiles[i], "r");
        if (!pfIn) {
            fprintf(stderr, "%s: cannot read %s\n", szProg, pszFiles[i]);
            iStatus = 1;
            continue;
        }
        peekFile(pp, pfIn, pszFiles[i], fBold, pfOut);
        fclose(pfIn);
    }
    if (pfOut != stdout && fclose(pfOut) != 0) {
        fprintf(stderr, "%s: cannot write %s\n", szProg, pp->szOutput);
        iStatus = 1;
    }
    return iStatus;
}

#endif /* PORT_PEEK */

#endif
