/* SPDX-License-Identifier: MIT */
/* st_argops: the tool of st_hand.c on an argops table; linked with
 * libargops.so and, apart, with libargops.a. */
#include <unistd.h>

#include "argops.h"
#include "st.h"

static int aiPasses[2] = {1, 10};
static ArgDsc aDsc[] = {
    {'v', "verbose output", '1', &fVerbose, NULL},
    {'n', "number of passes [1..10]", 'u', &iPasses, aiPasses},
    {'o', "output file", 's', &szOutput, NULL},
    {0},
};

int main(int argc, char** argv)
{
    char szOpt[2 * sizeof aDsc / sizeof *aDsc + 1];
    int ch;
    argdInitOpt(szOpt, aDsc, -1);
    while ((ch = getopt(argc, argv, szOpt)) != -1)
        if (ch == '?' || argdScan((char)ch, optarg, aDsc, argv[0], 0, stderr) < 0)
            return 2;
    cOperands = argc - optind;
    if (optind < argc)
        szLastOperand = argv[argc - 1];
    return showValues();
}
