// SPDX-License-Identifier: MIT
// cl_main: one parser's program. It parses its command line and prints the
// values it ended with; CL_PARSES=n parses it n times, so that allocations
// per parse can be told from the program's own.
#include <cstdio>
#include <cstdlib>

#include "cmdline.h"

Values g_values;

int main(int argc, char** argv)
{
    const char* szParses = std::getenv("CL_PARSES");
    int cParses = szParses ? std::atoi(szParses) : 1;
    for (int i = 0; i < cParses; ++i) {
        g_values = kDefaults;
        if (parse(argc, argv) != 0)
            return 2;
    }
    const Values& v = g_values;
    std::printf("verbose %d quiet %d passes %d width %u output %s bool %d operands %d last %s\n", v.fVerbose, v.fQuiet,
                v.iPasses, v.uWidth, v.szOutput, v.fBool, v.cOperands, v.szLastOperand);
    return 0;
}
