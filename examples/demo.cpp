// SPDX-License-Identifier: MIT
// demo: every kind of argops row in one table. It scans its own command
// line, takes the options out of its argument vector and prints what it
// ended with; -h shows the usage text.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>

#include "argops.h"

static int fVerbose = 0;
static int fColour = 1;
static int fQuiet = 0;
static int fColourText = 0;
static int iPasses = 3;
static int aiPasses[2] = {1, 10};
static unsigned uMask = 0x22;
static double dRatio = 0.5;
static const char* szOutput = nullptr;
static time_t tStart = 0;
static const char* szExtra = "";
static int fHelp = 0;

static ArgDsc aDsc[] = {
    {'v', "verbose output", '1', &fVerbose, nullptr},
    {'m', "monochrome", '0', &fColour, nullptr},
    {'q', "quiet (toggles)", 'b', &fQuiet, nullptr},
    {'B', "colour text", 'B', &fColourText, nullptr},
    {'n', "number of passes [1..10]", 'u', &iPasses, aiPasses},
    {'k', "mask", 'U', &uMask, nullptr},
    {'r', "ratio", 'd', &dRatio, nullptr},
    {'o', "output file", 's', &szOutput, nullptr},
    {'t', "start time, in seconds since 1970", 't', &tStart, nullptr},
    {'x', "extra argument", '-', nullptr, nullptr},
    {'W', "passed on to the linker", '+', nullptr, nullptr},
    {'h', "show this help", '1', &fHelp, nullptr},
    {0},
};

// The program converts 'd', 't' and '-' arguments itself; it stops on a
// bad one, so a half-stored value never matters.
static bool convert(const char* szProg, int ch, char* szArg)
{
    if (ch == 'x') {
        szExtra = szArg;
        return true;
    }
    char* pchEnd;
    if (ch == 'r')
        dRatio = strtod(szArg, &pchEnd);
    else
        tStart = time_t(strtoll(szArg, &pchEnd, 10));
    if (pchEnd != szArg && !*pchEnd)
        return true;
    std::cerr << szProg << ": can't convert -" << char(ch) << " \"" << szArg << '"' << std::endl;
    return false;
}

int main(int argc, char** argv)
{
    char* szProg = strrchr(argv[0], '/') ? strrchr(argv[0], '/') + 1 : argv[0];
    char szOpt[2 * sizeof aDsc / sizeof *aDsc + 1];
    argdInitOpt(szOpt, aDsc, -1);

    int ch = 0;
    bool fOk = true;
    // -h stops the scan, so the help shows the defaults.
    while (fOk && (ch = getopt(argc, argv, szOpt)) != -1 && ch != 'h') {
        if (ch == '?' || ch == ':')
            fOk = false;
        else if (strchr("rtx", ch))
            fOk = convert(szProg, ch, optarg);
        else
            fOk = argdScan(char(ch), optarg, aDsc, szProg, 0, std::cerr) == 0;
    }
    if (!fOk || ch == 'h') {
        argdShowUsage(aDsc, szProg, "[file ...]", std::cerr);
        return fOk ? 0 : 2;
    }

    // getopt() has moved the operands behind the options: drop the options.
    while (optind > 1) {
        argdRemoveArg(argv, 1, &argc);
        --optind;
    }
    std::cout << "verbose " << fVerbose << "\ncolour " << fColour << "\nquiet " << fQuiet
              << "\ncolour text " << fColourText << "\npasses " << iPasses << "\nmask " << uMask
              << "\nratio " << dRatio << "\noutput " << (szOutput ? szOutput : "(none)")
              << "\nstart " << tStart << "\nextra " << szExtra << "\noperands";
    for (int i = 1; i < argc; ++i)
        std::cout << ' ' << argv[i];
    std::cout << '\n';
    return 0;
}
