/* SPDX-License-Identifier: MIT */
/* quickstart.c: the whole road through argops in C, from table to operands. */
/* getopt() and its globals are POSIX, not C99. _GNU_SOURCE declares them
 * under a strict -std=c99 too, and keeps glibc's getopt() reading options
 * after operands, as a C++ program's does; _POSIX_C_SOURCE alone would
 * give POSIX's, which stops at the first operand. */
#define _GNU_SOURCE

#include <stdio.h>
#include <unistd.h>

#include <argops.h>

static int fVerbose = 0, iPasses = 3, fHelp = 0;
static int aiPasses[2] = {1, 10};
static const char* szOutput = "out.txt";

static ArgDsc aDsc[] = {
    {'v', "verbose output", '1', &fVerbose, NULL},
    {'n', "number of passes [1..10]", 'u', &iPasses, aiPasses},
    {'o', "output file", 's', &szOutput, NULL},
    {'h', "show this help", '1', &fHelp, NULL},
    {0},
};

int main(int argc, char** argv)
{
    char szOpt[2 * sizeof aDsc / sizeof *aDsc + 1];
    int ch, i;
    argdInitOpt(szOpt, aDsc, -1);
    while ((ch = getopt(argc, argv, szOpt)) != -1) {
        if (ch == 'h') { /* asked for: to standard output */
            argdShowUsage(aDsc, argv[0], "file ...", stdout);
            return 0;
        }
        if (ch == '?' /* getopt's own complaint, not a table letter */
            || argdScan((char)ch, optarg, aDsc, argv[0], 0, stderr)) {
            argdShowUsage(aDsc, argv[0], "file ...", stderr);
            return 2;
        }
    }
    while (optind > 1) { /* keep the program name and the operands */
        argdRemoveArg(argv, 1, &argc);
        --optind;
    }
    printf("passes %d, output %s, verbose %d, operands:", iPasses, szOutput, fVerbose);
    for (i = 1; i < argc; ++i)
        printf(" %s", argv[i]);
    printf("\n");
    return 0;
}
