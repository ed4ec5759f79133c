// SPDX-License-Identifier: MIT
// cl_popt: the benchmark command line handled with popt (libpopt-dev).
#include <popt.h>

#include <cstdio>
#include <cstdlib>

#include "cmdline.h"

/* What g_values points into: the next parse frees them, as a program's
 * exit would. */
static poptContext con;    /* holds the operands */
static char* szOutputCopy; /* made with malloc by popt */

static int iPassesArg; /* converted by popt, its range checked here */

static struct poptOption aOptions[] = {
    {nullptr, 'v', POPT_ARG_NONE, &g_values.fVerbose, 0, "verbose output", nullptr},
    {nullptr, 'q', POPT_ARG_VAL | POPT_ARGFLAG_XOR, &g_values.fQuiet, 1, "quiet (toggles)", nullptr},
    {nullptr, 'n', POPT_ARG_INT, &iPassesArg, 'n', "number of passes [1..10]", "<int>"},
    {nullptr, 'w', POPT_ARG_INT, &g_values.uWidth, 0, "width", "<uint>"},
    {nullptr, 'o', POPT_ARG_STRING, &szOutputCopy, 0, "output file", "\"...\""},
    {nullptr, 'B', POPT_ARG_STRING, nullptr, 'B', "colour text", "t|f"},
    POPT_AUTOHELP POPT_TABLEEND};

/* What popt leaves to the program: the range of -n and the meaning of -B. */
static int store(int rc)
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

int parse(int argc, char** argv)
{
    if (con)
        poptFreeContext(con);
    std::free(szOutputCopy);
    szOutputCopy = nullptr;
    con = poptGetContext("prog", argc, const_cast<const char**>(argv), aOptions, 0);
    poptSetOtherOptionHelp(con, "[OPTION...] file ...");
    int rc;
    while ((rc = poptGetNextOpt(con)) > 0)
        if ((rc = store(rc)) < 0)
            break;
    if (rc < -1) {
        std::fprintf(stderr, "prog: %s: %s\n", poptBadOption(con, 0), poptStrerror(rc));
        return -1;
    }
    if (szOutputCopy)
        g_values.szOutput = szOutputCopy;
    for (const char** pszArgs = poptGetArgs(con); pszArgs && *pszArgs; ++pszArgs) {
        ++g_values.cOperands;
        g_values.szLastOperand = *pszArgs;
    }
    return 0;
}
