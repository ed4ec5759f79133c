/* SPDX-License-Identifier: MIT */
/* port_before: xdump, a hex dump, with the option loop it was first written
 * with: getopt(), a usage text kept by hand, atoi() and strtol(). The same
 * program on one argops table is port_after.c; the README's "Porting a
 * getopt loop" walks from one to the other. */
/* getopt() and its globals are POSIX, not C99: asked for, they are
 * declared under a strict -std=c99 too. */
#define _POSIX_C_SOURCE 200809L

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "port_dump.h"

static const char szUsage[] = "usage: %s [-Aduovx] [-f char] [-n count] [-p prefix] [-s skip] [-w width] [file ...]\n"
                              "  -n count   stop after this many bytes (default: all)\n"
                              "  -s skip    skip this many bytes first (default 0)\n"
                              "  -w width   bytes per line, 1 to 64 (default 16)\n"
                              "  -A         leave out the text column\n"
                              "  -u         hex digits in upper case\n"
                              "  -d, -o, -x offsets in decimal, octal or hex (default: hex)\n"
                              "  -v         a header per file; -vv a byte count too\n"
                              "  -p prefix  text at the start of every line\n"
                              "  -f char    shown for unprintable bytes (default .)\n"
                              "  -V         show the version and exit\n"
                              "  -h         show this help and exit\n";

static int usageError(const char* szProg)
{
    fprintf(stderr, szUsage, szProg);
    return 2;
}

static int badValue(const char* szProg, const char* szWhat, const char* szArg)
{
    fprintf(stderr, "%s: %s: %s\n", szProg, szWhat, szArg);
    return usageError(szProg);
}

int main(int argc, char** argv)
{
    int ch;
    while ((ch = getopt(argc, argv, "n:s:w:Audoxvp:f:Vh")) != -1) {
        char* pchEnd;
        long l;
        unsigned long ul;
        switch (ch) {
        case 'n':                    /* atoi() as it was: the port shows what it let through */
            d.iLimit = atoi(optarg); /* NOLINT(cert-err34-c) */
            break;
        case 's':
            ul = strtoul(optarg, &pchEnd, 10);
            if (*pchEnd || ul > UINT_MAX)
                return badValue(argv[0], "bad skip", optarg);
            d.uSkip = (unsigned)ul;
            break;
        case 'w':
            l = strtol(optarg, &pchEnd, 10);
            if (*pchEnd || l < 1 || l > 64)
                return badValue(argv[0], "width must be 1 to 64", optarg);
            d.iWidth = (int)l;
            break;
        case 'A': d.fText = 0; break;
        case 'u': d.fUpper = 1; break;
        case 'd': d.iRadix = 10; break;
        case 'o': d.iRadix = 8; break;
        case 'x': d.iRadix = 16; break;
        case 'v': ++d.iVerbose; break;
        case 'p': d.szPrefix = optarg; break;
        case 'f':
            if (strlen(optarg) != 1)
                return badValue(argv[0], "not one character", optarg);
            d.chFill = optarg[0];
            break;
        case 'V': printf("xdump 1.0\n"); return 0;
        case 'h': printf(szUsage, argv[0]); return 0;
        default: /* '?': getopt() has said what was wrong */ return usageError(argv[0]);
        }
    }

    return dumpFiles(&d, argv[0], argv + optind, argc - optind);
}
