/* SPDX-License-Identifier: MIT */
/* portlong_before: peek, the first lines of files, with the option loop GNU
 * tools are written with: getopt_long(), a help text kept by hand and
 * strtol(). The same program on argops tables is portlong_after.c; the
 * README's "Porting a getopt_long loop" walks from one to the other. */
/* getopt_long() is GNU, neither C99 nor POSIX. */
#define _GNU_SOURCE

#include <getopt.h>
#include <stdio.h>
#include <stdlib.h>

#define PORT_PEEK
#include "port_dump.h"

/* Values no short option has, for the options that have none. */
enum { COLOR_OPTION = 256, DRY_RUN_OPTION, VERSION_OPTION };

static const struct option aopt[] = {
    {"lines", required_argument, NULL, 'n'},
    {"verbose", no_argument, NULL, 'v'},
    {"quiet", no_argument, NULL, 'q'},
    {"silent", no_argument, NULL, 'q'},
    {"output", required_argument, NULL, 'o'},
    {"color", required_argument, NULL, COLOR_OPTION},
    {"dry-run", no_argument, NULL, DRY_RUN_OPTION},
    {"help", no_argument, NULL, 'h'},
    {"version", no_argument, NULL, VERSION_OPTION},
    {NULL, 0, NULL, 0},
};

static const char szHelp[] = "usage: %s [OPTION]... FILE...\n"
                             "Print the first lines of each FILE.\n"
                             "\n"
                             "  -n, --lines=NUM         print NUM lines, 1 to 1000 (default 10)\n"
                             "  -v, --verbose           a header before each file\n"
                             "  -q, --quiet, --silent   no headers (the default)\n"
                             "  -o, --output=FILE       write to FILE, not standard output\n"
                             "      --color=WHEN        bold headers: never, always or auto (default)\n"
                             "      --dry-run           say what would be done, and do nothing\n"
                             "  -h, --help              show this help and exit\n"
                             "      --version           show the version and exit\n";

static int usageError(const char* szProg)
{
    fprintf(stderr, szHelp, szProg);
    return 2;
}

static int badValue(const char* szProg, const char* szWhat, const char* szArg)
{
    fprintf(stderr, "%s: %s: '%s'\n", szProg, szWhat, szArg);
    return usageError(szProg);
}

int main(int argc, char** argv)
{
    int ch;
    while ((ch = getopt_long(argc, argv, "n:vqo:h", aopt, NULL)) != -1) {
        char* pchEnd;
        long l;
        switch (ch) {
        case 'n':
            l = strtol(optarg, &pchEnd, 10);
            if (pchEnd == optarg || *pchEnd || l < 1 || l > 1000)
                return badValue(argv[0], "invalid number of lines", optarg);
            p.iLines = (int)l;
            break;
        case 'v': p.fHeaders = 1; break;
        case 'q': p.fHeaders = 0; break;
        case 'o': p.szOutput = optarg; break;
        case COLOR_OPTION:
            if (!isWhen(optarg))
                return badValue(argv[0], "--color takes never, always or auto, not", optarg);
            p.szColor = optarg;
            break;
        case DRY_RUN_OPTION: p.fDryRun = 1; break;
        case 'h': printf(szHelp, argv[0]); return 0;
        case VERSION_OPTION: printf("peek 1.0\n"); return 0;
        default: /* '?': getopt_long() has said what was wrong */ return usageError(argv[0]);
        }
    }
    if (optind == argc) {
        fprintf(stderr, "%s: no file given\n", argv[0]);
        return usageError(argv[0]);
    }
    return peekFiles(&p, argv[0], argv + optind, argc - optind);
}
