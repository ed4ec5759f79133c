// SPDX-License-Identifier: MIT
// cl_argops: the benchmark command line handled with argops: one table,
// the option string made from it, getopt() and argdScan.
#include <unistd.h>

#include <iostream>

#include "argops.h"
#include "cmdline.h"

static int aiPasses[2] = {1, 10};
static ArgDsc aDsc[] = {
    {'v', "verbose output", '1', &g_values.fVerbose, nullptr},
    {'q', "quiet (toggles)", 'b', &g_values.fQuiet, nullptr},
    {'n', "number of passes [1..10]", 'u', &g_values.iPasses, aiPasses},
    {'w', "width", 'U', &g_values.uWidth, nullptr},
    {'o', "output file", 's', &g_values.szOutput, nullptr},
    {'B', "colour text", 'B', &g_values.fBool, nullptr},
    {0},
};

int parse(int argc, char** argv)
{
    char szOpt[2 * sizeof aDsc / sizeof *aDsc + 1];
    argdInitOpt(szOpt, aDsc, -1);
    optind = 0; /* a fresh scan, as at a program's start */
    int ch;
    while ((ch = getopt(argc, argv, szOpt)) != -1)
        if (ch == '?' || ch == ':' || argdScan(char(ch), optarg, aDsc, argv[0], 0, std::cerr) < 0)
            return -1;
    g_values.cOperands = argc - optind;
    if (optind < argc)
        g_values.szLastOperand = argv[argc - 1];
    return 0;
}
