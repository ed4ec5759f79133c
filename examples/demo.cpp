// SPDX-License-Identifier: MIT
// demo: every kind of argops row in one table. It scans its own command
// line, takes the options out of its argument vector and prints the values
// it ended with; -h shows the usage text with the defaults.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <vector>

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
static const char* szExtra = "none";
static int fHelp = 0; // only for its row: the loop acts on -h

// Each description names the value that demo prints and the kind of row.
// A '0' row shows its variable, so -m's row describes colour, which -m
// turns off. The '+' row lists "--", which getopt() handles.
static ArgDsc aDsc[] = {
    {'v', "verbose: -v sets it ('1')", '1', &fVerbose, nullptr},
    {'m', "colour: -m clears it ('0')", '0', &fColour, nullptr},
    {'q', "quiet: each -q toggles it ('b')", 'b', &fQuiet, nullptr},
    {'B', "colour text: t or T sets it, else cleared ('B')", 'B', &fColourText, nullptr},
    {'n', "passes, 1 to 10 ('u' with a range pair)", 'u', &iPasses, aiPasses},
    {'k', "mask ('U')", 'U', &uMask, nullptr},
    {'r', "ratio, converted by demo ('d')", 'd', &dRatio, nullptr},
    {'o', "output, the argument itself ('s')", 's', &szOutput, nullptr},
    {'t', "start, seconds since 1970, converted by demo ('t')", 't', &tStart, nullptr},
    {'x', "extra, stored by demo ('-') [none]", '-', nullptr, nullptr},
    {'-', "the rest are files, even if they begin with - ('+')", '+', nullptr, nullptr},
    {'h', "show this help, with the defaults, and exit", '1', &fHelp, nullptr},
    {0},
};

static int usageError(char* szProg)
{
    argdShowUsage(aDsc, szProg, "[file ...]", std::cerr);
    return 2;
}

// demo converts 'd', 't' and '-' arguments itself. Like argdScan, it keeps
// the old value when it refuses a text: the usage text that follows shows it.
static bool convert(const char* szProg, char ch, char* szArg)
{
    char* pchEnd = szArg;
    if (ch == 'x') {
        szExtra = szArg;
        return true;
    }
    if (ch == 'r') {
        double d = strtod(szArg, &pchEnd);
        if (pchEnd != szArg && !*pchEnd) {
            dRatio = d;
            return true;
        }
    } else {
        long long ll = strtoll(szArg, &pchEnd, 10);
        if (pchEnd != szArg && !*pchEnd) {
            tStart = time_t(ll);
            return true;
        }
    }
    std::cerr << szProg << ": can't convert -" << ch << " \"" << szArg << '"' << std::endl;
    return false;
}

struct Option {
    char ch;
    char* szArg;
};

int main(int argc, char** argv)
{
    char szOpt[2 * sizeof aDsc / sizeof *aDsc + 1];
    argdInitOpt(szOpt, aDsc, -1);

    // getopt() splits the whole line before any value is stored, so that -h,
    // wherever it stands, shows the defaults.
    std::vector<Option> aOption;
    int ch;
    while ((ch = getopt(argc, argv, szOpt)) != -1) {
        if (ch == 'h') {
            argdShowUsage(aDsc, argv[0], "[file ...]", std::cout);
            return 0;
        }
        if (ch == '?') // getopt() has said what was wrong
            return usageError(argv[0]);
        aOption.push_back({char(ch), optarg});
    }
    for (const Option& opt : aOption) {
        bool fOk = strchr("rtx", opt.ch) ? convert(argv[0], opt.ch, opt.szArg)
                                         : argdScan(opt.ch, opt.szArg, aDsc, argv[0], 0, std::cerr) == 0;
        if (!fOk)
            return usageError(argv[0]);
    }

    // getopt() has moved the operands behind the options: drop the options.
    while (optind > 1) {
        argdRemoveArg(argv, 1, &argc);
        --optind;
    }
    std::cout << "verbose " << fVerbose << "\ncolour " << fColour << "\nquiet " << fQuiet << "\ncolour text "
              << fColourText << "\npasses " << iPasses << "\nmask " << uMask << "\nratio " << dRatio << "\noutput "
              << (szOutput ? szOutput : "(none)") << "\nstart " << tStart << "\nextra " << szExtra << "\noperands";
    for (int i = 1; i < argc; ++i)
        std::cout << ' ' << argv[i];
    std::cout << '\n';
    return 0;
}
