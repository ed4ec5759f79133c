/* SPDX-License-Identifier: MIT */
/* port_after: xdump, the hex dump of port_before.c, its options now
 * described once, in an argops table that gives the option string, stores
 * the values and writes the usage text. The program stays C. The README's
 * "Porting a getopt loop" says what changed and why. */
/* getopt() and its globals are POSIX, not C99: asked for, they are
 * declared under a strict -std=c99 too. The port keeps port_before.c's
 * feature macro, which decides how getopt() reads the command line: with
 * glibc, _POSIX_C_SOURCE alone stops the options at the first operand. */
#define _POSIX_C_SOURCE 200809L

#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "argops.h"
#include "port_dump.h"

static int aiWidth[2] = {1, 64};
static int fVersion = 0, fHelp = 0; /* only for their rows: the loop acts on -V and -h */

/* -d, -o, -x, -v and -f are listed here but handled in the loop: a row
 * stores no chosen value, count or character. The rows of -d, -o and -x
 * borrow the variable they set, whose value would show as "on", and a '-'
 * row shows nothing: their descriptions carry the default in brackets. */
static ArgDsc aDsc[] = {
    {'n', "stop after this many bytes [default: all]", 'u', &d.iLimit, NULL},
    {'s', "skip this many bytes first", 'U', &d.uSkip, NULL},
    {'w', "bytes per line [1..64, default 16]", 'u', &d.iWidth, aiWidth},
    {'A', "text column; -A leaves it out", '0', &d.fText, NULL},
    {'u', "hex digits in upper case", '1', &d.fUpper, NULL},
    {'d', "offsets in decimal [default: hex]", '1', &d.iRadix, NULL},
    {'o', "offsets in octal [default: hex]", '1', &d.iRadix, NULL},
    {'x', "offsets in hex [the default]", '1', &d.iRadix, NULL},
    {'v', "a header per file; -vv a byte count too", '1', &d.iVerbose, NULL},
    {'p', "text at the start of every line", 's', &d.szPrefix, NULL},
    {'f', "shown for unprintable bytes [.]", '-', NULL, NULL},
    {'V', "show the version and exit", '1', &fVersion, NULL},
    {'h', "show this help and exit", '1', &fHelp, NULL},
    {0},
};

static int usageError(char* szProg)
{
    argdShowUsage(aDsc, szProg, "[file ...]", stderr);
    return 2;
}

int main(int argc, char** argv)
{
    char szOpt[2 * sizeof aDsc / sizeof *aDsc + 1];
    int ch;
    argdInitOpt(szOpt, aDsc, -1);

    while ((ch = getopt(argc, argv, szOpt)) != -1) {
        switch (ch) {
        case 'd': d.iRadix = 10; continue;
        case 'o': d.iRadix = 8; continue;
        case 'x': d.iRadix = 16; continue;
        case 'v': ++d.iVerbose; continue;
        case 'f':
            if (strlen(optarg) != 1) {
                fprintf(stderr, "%s: not one character: %s\n", argv[0], optarg);
                return usageError(argv[0]);
            }
            d.chFill = optarg[0];
            continue;
        case 'V': printf("xdump 1.0\n"); return 0;
        case 'h': argdShowUsage(aDsc, argv[0], "[file ...]", stdout); return 0;
        case '?': /* getopt() has said what was wrong */ return usageError(argv[0]);
        }
        if (argdScan((char)ch, optarg, aDsc, argv[0], 0, stderr) < 0)
            return usageError(argv[0]);
    }
    return dumpFiles(&d, argv[0], argv + optind, argc - optind);
}
