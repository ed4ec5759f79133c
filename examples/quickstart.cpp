// SPDX-License-Identifier: MIT
// quickstart: the whole road through argops, from table to operands.
#include <unistd.h>

#include <iostream>

#include <argops.h>

static int fVerbose = 0, iPasses = 3, fHelp = 0;
static int aiPasses[2] = {1, 10};
static const char* szOutput = "out.txt";

static ArgDsc aDsc[] = {
    {'v', "verbose output", '1', &fVerbose, nullptr},
    {'n', "number of passes [1..10]", 'u', &iPasses, aiPasses},
    {'o', "output file", 's', &szOutput, nullptr},
    {'h', "show this help", '1', &fHelp, nullptr},
    {0},
};

int main(int argc, char** argv)
{
    char szOpt[2 * sizeof aDsc / sizeof *aDsc + 1];
    argdInitOpt(szOpt, aDsc, -1);
    int ch;
    while ((ch = getopt(argc, argv, szOpt)) != -1) {
        if (ch == 'h') { // asked for: to standard output
            argdShowUsage(aDsc, argv[0], "file ...", std::cout);
            return 0;
        }
        if (ch == '?' // getopt's own complaint, not a table letter
            || argdScan(char(ch), optarg, aDsc, argv[0], 0, std::cerr)) {
            argdShowUsage(aDsc, argv[0], "file ...", std::cerr);
            return 2;
        }
    }
    while (optind > 1) { // keep the program name and the operands
        argdRemoveArg(argv, 1, &argc);
        --optind;
    }
    std::cout << "passes " << iPasses << ", output " << szOutput;
    std::cout << ", verbose " << fVerbose << ", operands:";
    for (int i = 1; i < argc; ++i)
        std::cout << ' ' << argv[i];
    std::cout << std::endl;
    return 0;
}
