// SPDX-License-Identifier: MIT
// floor: the least that any library call converting an option argument can
// cost. A shared library built with argops's own flags, whose one function
// takes argdScan's parameters but searches nothing, looks nothing up and
// reports nothing: the row is the first, its conversion inline. ops_bench
// times it beside argdScan and the hand-written baseline, so that what the
// call itself costs, and what argops adds to it, stand apart.
#include <cstdlib>
#include <ostream>

#include "argops.h"

int floorScan(char, char* szArg, ArgDsc* pad, char*, int, std::ostream&)
{
    char* pchEnd;
    if (pad->_iType == 'U') {
        unsigned long ul = std::strtoul(szArg, &pchEnd, 0);
        if (*pchEnd)
            return -1;
        *static_cast<unsigned*>(pad->_pvVal) = unsigned(ul);
        return 0;
    }
    long l = std::strtol(szArg, &pchEnd, 0);
    const int* piRange = static_cast<const int*>(pad->_pvQual);
    if (*pchEnd || (piRange ? l < piRange[0] || l > piRange[1] : l < 0))
        return -1;
    *static_cast<int*>(pad->_pvVal) = int(l);
    return 0;
}
