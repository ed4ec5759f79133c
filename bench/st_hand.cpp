// SPDX-License-Identifier: MIT
// st_hand: st_argops.cpp's tool parsing its three options by hand. Linked
// alone, and linked to an empty shared library (st_empty.cpp), it gives the
// baselines of the tool's start-up.
#include <unistd.h>

#include <cstdlib>
#include <iostream>

static int fVerbose = 0, iPasses = 3;
static const char* szOutput = "out.txt";

int main(int argc, char** argv)
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
                return 2;
            }
            iPasses = int(l);
            break;
        case 'o': szOutput = optarg; break;
        default: return 2;
        }
    }
    std::cout << "passes " << iPasses << ", output " << szOutput << ", verbose " << fVerbose << '\n';
    return 0;
}
