// SPDX-License-Identifier: MIT
// cl_getopt: the baseline command line: bare getopt() with a literal option
// string and the conversions and checks written by hand.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "cmdline.h"

static int refuse(const char* szProg, int ch, const char* szArg)
{
    std::fprintf(stderr, "%s: bad argument for -%c: \"%s\"\n", szProg, ch, szArg);
    return -1;
}

int parse(int argc, char** argv)
{
    Values& v = g_values;
    optind = 0; /* a fresh scan, as at a program's start */
    int ch;
    while ((ch = getopt(argc, argv, "vqn:w:o:B:")) != -1) {
        char* pchEnd;
        switch (ch) {
        case 'v': v.fVerbose = 1; break;
        case 'q': v.fQuiet = !v.fQuiet; break;
        case 'n': {
            long l = std::strtol(optarg, &pchEnd, 0);
            if (*pchEnd || l < 1 || l > 10)
                return refuse(argv[0], ch, optarg);
            v.iPasses = int(l);
            break;
        }
        case 'w': {
            unsigned long ul = std::strtoul(optarg, &pchEnd, 0);
            if (*pchEnd)
                return refuse(argv[0], ch, optarg);
            v.uWidth = unsigned(ul);
            break;
        }
        case 'o': v.szOutput = optarg; break;
        case 'B': v.fBool = optarg[0] == 't' || optarg[0] == 'T'; break;
        default: return -1;
        }
    }
    v.cOperands = argc - optind;
    if (optind < argc)
        v.szLastOperand = argv[argc - 1];
    return 0;
}
