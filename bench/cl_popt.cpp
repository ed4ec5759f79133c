// SPDX-License-Identifier: MIT
// cl_popt: the benchmark command line handled with popt (libpopt-dev).
#include <popt.h>

#include <cstdio>
#include <cstdlib>

#include "cmdline.h"

const char szParser[] = "popt";

static char* szOutputCopy; /* popt hands out copies made with malloc */
static int iPassesArg;     /* converted by popt, its range checked here */

static struct poptOption aOptions[] = {
    {nullptr, 'v', POPT_ARG_NONE, &g_values.fVerbose, 0, "verbose output", nullptr},
    {nullptr, 'q', POPT_ARG_VAL | POPT_ARGFLAG_XOR, &g_values.fQuiet, 1, "quiet (toggles)", nullptr},
    {nullptr, 'n', POPT_ARG_INT, &iPassesArg, 'n', "number of passes [1..10]", "<int>"},
    {nullptr, 'w', POPT_ARG_INT, &g_values.uWidth, 0, "width", "<uint>"},
    {nullptr, 'o', POPT_ARG_STRING, &szOutputCopy, 0, "output file", "\"...\""},
    {nullptr, 'B', POPT_ARG_STRING, nullptr, 'B', "colour text", "t|f"},
    POPT_AUTOHELP
    POPT_TABLEEND
};

struct Parser {
    poptContext con;
};

static Parser parser;

Parser* setUp(int argc, char** argv)
{
    parser.con = poptGetContext("prog", argc, const_cast<const char**>(argv), aOptions, 0);
    poptSetOtherOptionHelp(parser.con, "[OPTION...] file ...");
    return &parser;
}

/* What popt leaves to the program: the range of -n and the meaning of -B. */
static int store(poptContext con, int rc)
{
    if (rc == 'n') {
        if (iPassesArg < 1 || iPassesArg > 10)
            return POPT_ERROR_BADNUMBER;
        g_values.iPasses = iPassesArg;
        return 0;
    }
    char* szArg = poptGetOptArg(con);
    g_values.fBool = szArg[0] == 't' || szArg[0] == 'T';
    std::free(szArg);
    return 0;
}

int parse(Parser* pParser, int, char**)
{
    poptContext con = pParser->con;
    poptResetContext(con);
    std::free(szOutputCopy);
    szOutputCopy = nullptr;
    int rc;
    while ((rc = poptGetNextOpt(con)) > 0)
        if ((rc = store(con, rc)) < 0)
            break;
    if (rc < -1) {
        std::fprintf(stderr, "prog: %s: %s\n", poptBadOption(con, 0), poptStrerror(rc));
        return -1;
    }
    if (szOutputCopy)
        g_values.szOutput = szOutputCopy;
    const char** pszArgs = poptGetArgs(con);
    for (; pszArgs && *pszArgs; ++pszArgs) {
        ++g_values.cOperands;
        g_values.szLastOperand = *pszArgs;
    }
    return 0;
}

void tearDown(Parser* pParser) { poptFreeContext(pParser->con); }

void writeHelp(Parser* pParser, std::FILE* pf, std::ostream&) { poptPrintHelp(pParser->con, pf, 0); }
