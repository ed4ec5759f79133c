// SPDX-License-Identifier: MIT
// numseq: print a run of numbers, one argops table describing its options.
// A starting point to copy: getopt() splits the command line by the option
// string the table gives, argdScan stores each value, argdShowUsage answers
// -h and every mistake.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iostream>

#include "argops.h"

static int iFirst = 1;
static int iCount = 10;
static int aiFirstRange[2] = {-1000000, 1000000};
static int aiCountRange[2] = {1, 1000000};
static const char* szSep = nullptr;
static unsigned uWidth = 0;
static int fDown = 0;
static int fHelp = 0;

static ArgDsc aDsc[] = {
    {'f', "first number [-1000000..1000000, default 1]", 'u', &iFirst, aiFirstRange},
    {'n', "how many numbers [1..1000000, default 10]", 'u', &iCount, aiCountRange},
    {'s', "separator [default: newline]", 's', &szSep, nullptr},
    {'w', "pad with zeros to this width", 'U', &uWidth, nullptr},
    {'r', "count down instead of up", 'b', &fDown, nullptr},
    {'h', "show this help", '1', &fHelp, nullptr},
    {0},
};

int main(int argc, char** argv)
{
    char* szProg = strrchr(argv[0], '/') ? strrchr(argv[0], '/') + 1 : argv[0];
    char szOpt[2 * sizeof aDsc / sizeof *aDsc + 1];
    argdInitOpt(szOpt, aDsc, -1);

    // -h stops the scan, so the help shows the defaults.
    int ch;
    while ((ch = getopt(argc, argv, szOpt)) != -1 && ch != 'h') {
        // '?' and ':' are getopt()'s complaints, not letters of the table:
        // argdScan would stop the program on them.
        if (ch == '?' || ch == ':' || argdScan(char(ch), optarg, aDsc, szProg, 0, std::cerr) < 0) {
            argdShowUsage(aDsc, szProg, nullptr, std::cerr);
            return 2;
        }
    }
    if (ch == 'h' || optind < argc) {
        argdShowUsage(aDsc, szProg, nullptr, std::cerr);
        return ch == 'h' ? 0 : 2;
    }

    for (int i = 0; i < iCount; ++i) {
        long l = fDown ? long(iFirst) - i : long(iFirst) + i;
        printf("%s%0*ld", i == 0 ? "" : szSep ? szSep : "\n", int(uWidth), l);
    }
    printf("\n");
    return 0;
}
