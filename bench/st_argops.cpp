// SPDX-License-Identifier: MIT
// st_argops: a minimal tool (three options, one line of output) parsing with
// argops, for the start-up cost of a whole process; st_hand.cpp is the same
// tool parsing by hand.
#include <unistd.h>

#include <iostream>

#include "argops.h"

static int fVerbose = 0, iPasses = 3;
static int aiPasses[2] = {1, 10};
static const char* szOutput = "out.txt";

static ArgDsc aDsc[] = {
    {'v', "verbose output", '1', &fVerbose, nullptr},
    {'n', "number of passes [1..10]", 'u', &iPasses, aiPasses},
    {'o', "output file", 's', &szOutput, nullptr},
    {0},
};

int main(int argc, char** argv)
{
    char szOpt[2 * sizeof aDsc / sizeof *aDsc + 1];
    argdInitOpt(szOpt, aDsc, -1);
    int ch;
    while ((ch = getopt(argc, argv, szOpt)) != -1)
        if (ch == '?' || ch == ':' || argdScan(char(ch), optarg, aDsc, argv[0], 0, std::cerr))
            return 2;
    std::cout << "passes " << iPasses << ", output " << szOutput << ", verbose " << fVerbose << '\n';
    return 0;
}
