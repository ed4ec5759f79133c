/* SPDX-License-Identifier: MIT */
/* st_popt: the tool of st_hand.c with popt (libpopt-dev). */
#include <popt.h>

#include "st.h"

static int iPassesArg;    /* converted by popt, its range checked here */
static char* szOutputArg; /* a copy that popt makes */

static struct poptOption aOptions[] = {
    {NULL, 'v', POPT_ARG_NONE, &fVerbose, 0, "verbose output", NULL},
    {NULL, 'n', POPT_ARG_INT, &iPassesArg, 'n', "number of passes [1..10]", "<int>"},
    {NULL, 'o', POPT_ARG_STRING, &szOutputArg, 0, "output file", "\"...\""},
    POPT_TABLEEND,
};

int main(int argc, char** argv)
{
    poptContext con = poptGetContext(NULL, argc, (const char**)argv, aOptions, 0);
    const char** pszArgs;
    int rc;
    while ((rc = poptGetNextOpt(con)) == 'n') {
        if (iPassesArg < 1 || iPassesArg > 10) {
            rc = POPT_ERROR_BADNUMBER;
            break;
        }
        iPasses = iPassesArg;
    }
    if (rc < -1) {
        fprintf(stderr, "%s: %s: %s\n", argv[0], poptBadOption(con, 0), poptStrerror(rc));
        return 2;
    }
    if (szOutputArg)
        szOutput = szOutputArg;
    for (pszArgs = poptGetArgs(con); pszArgs && *pszArgs; ++pszArgs) {
        ++cOperands;
        szLastOperand = *pszArgs;
    }
    rc = showValues(); /* the operands live in the context */
    poptFreeContext(con);
    return rc;
}
