// SPDX-License-Identifier: MIT
// The tool of the archive's size test: three options, a usage text and one
// line of output, built three ways from this one file: with argops
// (TOOL_ARGOPS: argdInitOpt, argdScan and argdShowUsage), parsing by hand
// (TOOL_HAND), and without any option handling (neither).
#include <unistd.h>

#include <cstdlib>
#include <iostream>

#ifdef TOOL_ARGOPS
#include <argops.h>
#endif

static int fVerbose = 0, iPasses = 3;
static const char* szOutput = "out.txt";

#if defined(TOOL_ARGOPS)
static int aiPasses[2] = {1, 10};
static ArgDsc aDsc[] = {
    {'v', "verbose output", '1', &fVerbose, nullptr},
    {'n', "number of passes [1..10]", 'u', &iPasses, aiPasses},
    {'o', "output file", 's', &szOutput, nullptr},
    {0},
};

static int parse(int argc, char** argv)
{
    char szOpt[2 * sizeof aDsc / sizeof *aDsc + 1];
    argdInitOpt(szOpt, aDsc, -1);
    int ch;
    while ((ch = getopt(argc, argv, szOpt)) != -1)
        if (ch == '?' || ch == ':' || argdScan(char(ch), optarg, aDsc, argv[0], 0, std::cerr)) {
            argdShowUsage(aDsc, argv[0], "file ...", std::cerr);
            return 2;
        }
    return 0;
}
#elif defined(TOOL_HAND)
static void usage(const char* szProg)
{
    std::cerr << "usage: " << szProg << "  [-v -n <int> -o \"...\"] file ...\nOptions:\n"
              << "    -v         verbose output [" << (fVerbose ? "on" : "off") << "]\n"
              << "    -n <int>   number of passes [1..10]\n"
              << "    -o \"...\"   output file [" << szOutput << "]\n";
}

static int parse(int argc, char** argv)
{
    int ch;
    while ((ch = getopt(argc, argv, "vn:o:")) != -1) {
        char* pchEnd;
        long l;
        switch (ch) {
        case 'v': fVerbose = 1; break;
        case 'n':
            l = std::strtol(optarg, &pchEnd, 0);
            if (*pchEnd || l < 1 || l > 10) {
                std::cerr << argv[0] << ": bad number of passes: " << optarg << '\n';
                usage(argv[0]);
                return 2;
            }
            iPasses = int(l);
            break;
        case 'o': szOutput = optarg; break;
        default: usage(argv[0]); return 2;
        }
    }
    return 0;
}
#else
static int parse(int, char**) { return 0; }
#endif

int main(int argc, char** argv)
{
    if (int rc = parse(argc, argv))
        return rc;
    std::cout << "passes " << iPasses << ", output " << szOutput << ", verbose " << fVerbose << '\n';
    return 0;
}
