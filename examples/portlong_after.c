/* SPDX-License-Identifier: MIT */
/* portlong_after: peek, the program of portlong_before.c, its options now
 * described once, in an argops table and a table of long names, which give
 * getopt_long() its option string and array, store the values and write the
 * help. The README's "Porting a getopt_long loop" says what changed. */
/* getopt_long() is GNU, neither C99 nor POSIX. */
#define _GNU_SOURCE

#include <getopt.h>
#include <stdio.h>

#include "argops.h"
#define PORT_PEEK
#include "port_dump.h"

/* A row needs a letter, and a short option can be no control character:
 * those letters mark the rows that have only a long name. */
enum { optColor = 1, optDryRun, optVersion };

static int aiLines[2] = {1, 1000};
static int fHelp = 0, fVersion = 0; /* only for their rows: the loop acts on --help and --version */

/* -v and -q set one variable, so that the last of them wins; their rows
 * show its value, which the descriptions name. */
static ArgDsc aDsc[] = {
    {'n', "lines to print of each file [1..1000, default 10]", 'u', &p.iLines, aiLines},
    {'v', "a header before each file", '1', &p.fHeaders, NULL},
    {'q', "headers; -q (--silent too) leaves them out", '0', &p.fHeaders, NULL},
    {'o', "the file written [default: standard output]", 's', &p.szOutput, NULL},
    {optColor, "bold headers: never, always or auto", 's', &p.szColor, NULL},
    {optDryRun, "say what would be done, and do nothing", '1', &p.fDryRun, NULL},
    {'h', "show this help and exit", '1', &fHelp, NULL},
    {optVersion, "show the version and exit", '1', &fVersion, NULL},
    {0},
};

/* Help shows each row's first name: --quiet, not --silent. */
static const ArgLong aLong[] = {
    {'n', "lines"},      {'v', "verbose"},       {'q', "quiet"}, {'q', "silent"},         {'o', "output"},
    {optColor, "color"}, {optDryRun, "dry-run"}, {'h', "help"},  {optVersion, "version"}, {0},
};

static int usageError(char* szProg)
{
    argdShowHelp(aDsc, aLong, szProg, "file ...", stderr);
    return 2;
}

int main(int argc, char** argv)
{
    char szOpt[2 * sizeof aDsc / sizeof *aDsc];
    struct option aopt[sizeof aLong / sizeof *aLong];
    int ch;
    argdInitLong(szOpt, aopt, aDsc, aLong);

    while ((ch = getopt_long(argc, argv, szOpt, aopt, NULL)) != -1) {
        switch (ch) {
        case optColor: /* a text row takes any text: the loop checks the word */
            if (!isWhen(optarg)) {
                fprintf(stderr, "%s: --color takes never, always or auto, not: '%s'\n", argv[0], optarg);
                return usageError(argv[0]);
            }
            break;
        case 'h': argdShowHelp(aDsc, aLong, argv[0], "file ...", stdout); return 0;
        case optVersion: printf("peek 1.0\n"); return 0;
        case '?': /* getopt_long() has said what was wrong */ return usageError(argv[0]);
        }
        if (argdScan((char)ch, optarg, aDsc, argv[0], 0, stderr) < 0)
            return usageError(argv[0]);
    }
    if (optind == argc) {
        fprintf(stderr, "%s: no file given\n", argv[0]);
        return usageError(argv[0]);
    }
    return peekFiles(&p, argv[0], argv + optind, argc - optind);
}
