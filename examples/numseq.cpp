// SPDX-License-Identifier: MIT
// numseq: print a run of numbers, one argops table describing its options.
// A starting point to copy: getopt() splits the command line by the option
// string the table gives, argdScan stores each value, and argdShowUsage
// writes the help asked for on standard output, or follows a complaint on
// standard error. -C writes the program's shell completion, or the sections
// of its manual page that its build puts together with the rest.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iostream>

#include "argops.h"

static int iFirst = 1;
static int iCount = 10;
static int aiFirstRange[2] = {-1000000, 1000000};
static int aiCountRange[2] = {1, 1000000};
static const char* szSep = "\n";
static int iWidth = 0;
static int aiWidthRange[2] = {0, 20}; // a long needs at most 20 characters
static int fDown = 0;
static int fHelp = 0; // only for its row: the loop acts on -h
static const char* szWrite = nullptr;

static ArgDsc aDsc[] = {
    {'f', "first number [-1000000..1000000, default 1]", 'u', &iFirst, aiFirstRange},
    {'n', "how many numbers [1..1000000, default 10]", 'u', &iCount, aiCountRange},
    {'s', "separator [default: newline]", 's', &szSep, nullptr},
    {'w', "pad with zeros to this width [0..20, default 0]", 'u', &iWidth, aiWidthRange},
    {'r', "count down instead of up", 'b', &fDown, nullptr},
    // An 's' row: the shells offer file names after -C, as they would for a '-' row.
    {'C', "write the completion for [bash, zsh, fish] or the manual's sections [man]", 's', &szWrite, nullptr},
    {'h', "show this help and exit", '1', &fHelp, nullptr},
    {0},
};

// After a complaint, which getopt(), argdScan or main has already written.
static int usageError(char* szProg)
{
    argdShowUsage(aDsc, szProg, nullptr, std::cerr);
    return 2;
}

// -C: the completion script of a shell, or the SYNOPSIS and OPTIONS of the
// manual page. The shells know the program by the name it is run as,
// without its directory.
static int writeScript(const char* szWhat, char* szProg)
{
    const char* pch = strrchr(szProg, '/');
    const char* szName = pch ? pch + 1 : szProg;
    if (strcmp(szWhat, "man") == 0) {
        argdShowManual(aDsc, szName, nullptr, std::cout);
        return 0;
    }
    if (argdShowCompletion(aDsc, szName, szWhat, std::cout) == 0)
        return 0;
    std::cerr << szProg << ": -C takes bash, zsh, fish or man, not " << szWhat << std::endl;
    return usageError(szProg);
}

int main(int argc, char** argv)
{
    char szOpt[2 * sizeof aDsc / sizeof *aDsc + 1];
    argdInitOpt(szOpt, aDsc, -1);

    int ch;
    while ((ch = getopt(argc, argv, szOpt)) != -1) {
        if (ch == 'h') { // at once: the help shows the values given before -h
            argdShowUsage(aDsc, argv[0], nullptr, std::cout);
            return 0;
        }
        // '?' is getopt()'s complaint, not a letter of the table: argdScan
        // would stop the program on it.
        if (ch == '?' || argdScan(char(ch), optarg, aDsc, argv[0], 0, std::cerr) < 0)
            return usageError(argv[0]);
    }
    if (szWrite)
        return writeScript(szWrite, argv[0]);
    if (optind < argc) {
        std::cerr << argv[0] << ": unexpected operand: " << argv[optind] << std::endl;
        return usageError(argv[0]);
    }

    for (int i = 0; i < iCount; ++i) {
        long l = fDown ? long(iFirst) - i : long(iFirst) + i;
        printf("%s%0*ld", i == 0 ? "" : szSep, iWidth, l);
    }
    printf("\n");
    return 0;
}
