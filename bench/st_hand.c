/* SPDX-License-Identifier: MIT */
/* st_hand: the baseline of the whole-process table, the tool's options read
 * with a getopt() loop and strtol() by hand. */
#include <stdlib.h>
#include <unistd.h>

#include "st.h"

int main(int argc, char** argv)
{
    int ch;
    while ((ch = getopt(argc, argv, "vn:o:")) != -1) {
        char* pchEnd;
        long l;
        switch (ch) {
        case 'v': fVerbose = 1; break;
        case 'n':
            l = strtol(optarg, &pchEnd, 0);
            if (*pchEnd || l < 1 || l > 10) {
                fprintf(stderr, "%s: bad number of passes: %s\n", argv[0], optarg);
                return 2;
            }
            iPasses = (int)l;
            break;
        case 'o': szOutput = optarg; break;
        default: return 2;
        }
    }
    cOperands = argc - optind;
    if (optind < argc)
        szLastOperand = argv[argc - 1];
    return showValues();
}
