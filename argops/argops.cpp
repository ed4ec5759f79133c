// SPDX-License-Identifier: MIT
/* argops: option values, descriptor lines, usage text and getopt() strings,
 * all read from one table of ArgDsc rows. */

/* The precondition checks are part of the library's promise: a caller's
 * fault must end the process in a Release build too, so NDEBUG from the
 * build type must not remove them. */
#undef NDEBUG
#include <cassert>

#include "argops.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <ostream>

namespace {

const char szIndent[] = "    ";

/* How a variable's current value is written inside the brackets. */
void showOnOff(const void* pv, std::ostream& os) { os << (*static_cast<const int*>(pv) ? "on" : "off"); }
void showBool(const void* pv, std::ostream& os) { os << (*static_cast<const int*>(pv) ? "true" : "false"); }
void showNothing(const void*, std::ostream&) {}
void showUnsigned(const void* pv, std::ostream& os) { os << *static_cast<const unsigned*>(pv); }
void showDouble(const void* pv, std::ostream& os) { os << *static_cast<const double*>(pv); }

void showInt(const void* pv, std::ostream& os)
{
    int i = *static_cast<const int*>(pv);
    if (i < 0)
        os << "unspec";
    else
        os << i;
}

void showText(const void* pv, std::ostream& os)
{
    const char* sz = *static_cast<const char* const*>(pv);
    os << (sz ? sz : "unspec");
}

void showTime(const void* pv, std::ostream& os)
{
    const time_t* pt = static_cast<const time_t*>(pv);
    char* sz = ctime(pt);
    if (!sz) { /* a time too far out for a calendar date: keep its number */
        os << static_cast<long long>(*pt);
        return;
    }
    char* pchNewline = strchr(sz, '\n');
    if (pchNewline)
        *pchNewline = '\0';
    os << sz;
}

/* What argdScan does with an argument, one per convertible type. */
int scanOff(ArgDsc* pad, char*, char*, std::ostream&) { *static_cast<int*>(pad->_pvVal) = 0; return 0; }
int scanOn(ArgDsc* pad, char*, char*, std::ostream&) { *static_cast<int*>(pad->_pvVal) = 1; return 0; }

int scanToggle(ArgDsc* pad, char*, char*, std::ostream&)
{
    int* pi = static_cast<int*>(pad->_pvVal);
    *pi = *pi == 0;
    return 0;
}

int scanBool(ArgDsc* pad, char* szArg, char*, std::ostream&)
{
    *static_cast<int*>(pad->_pvVal) = szArg[0] == 't' || szArg[0] == 'T';
    return 0;
}

int scanText(ArgDsc* pad, char* szArg, char*, std::ostream&)
{
    *static_cast<const char**>(pad->_pvVal) = szArg;
    return 0;
}

using ShowFn = void (*)(const void* pv, std::ostream& os);
using ScanFn = int (*)(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os);

/* Everything the library knows about a type code, in one place. */
struct TypeCode {
    int iType;
    const char* szSyntax; /* empty for exactly the flag types */
    const char* szOptArg; /* after the letter in the getopt() string; null: no entry */
    ShowFn show;
    ScanFn scan;          /* null: the program converts the argument itself */
};

const TypeCode aTypeCodes[] = {
    {'0', "", "", showOnOff, scanOff},
    {'1', "", "", showOnOff, scanOn},
    {'b', "", "", showBool, scanToggle},
    {'B', "t|f", ":", showBool, scanBool},
    {'u', "<int>", ":", showInt, argdScanu},
    {'U', "<uint>", ":", showUnsigned, argdScanU},
    {'d', "<real>", ":", showDouble, nullptr},
    {'s', "\"...\"", ":", showText, scanText},
    {'t', "<date>", ":", showTime, nullptr},
    {'-', "<...>", ":", showNothing, nullptr},
    {'+', "...", nullptr, showNothing, nullptr},
};

const TypeCode* typeCode(int iType)
{
    for (const TypeCode& tc : aTypeCodes)
        if (tc.iType == iType)
            return &tc;
    assert(!"type code of an ArgDsc row is not one of 01bBuUdst-+");
    return nullptr;
}

/* A table ends at row c, or at its ending row when c is -1. */
bool isRow(const ArgDsc* pad, int i, int c) { return c == -1 ? pad[i]._chOpt != 0 : i < c; }

ArgDsc* find(char chOpt, ArgDsc* pad, int c)
{
    for (int i = 0; isRow(pad, i, c); ++i)
        if (pad[i]._chOpt == chOpt)
            return &pad[i];
    return nullptr;
}

const char* szArgSyntax(const ArgDsc* pad) { return typeCode(pad->_iType)->szSyntax; }

void printDsc(const ArgDsc* pad, std::ostream& os)
{
    const TypeCode* ptc = typeCode(pad->_iType);
    os << szIndent << '-' << pad->_chOpt << ' ' << ptc->szSyntax;
    for (size_t cch = strlen(ptc->szSyntax); cch < 8; ++cch)
        os << ' ';
    os << pad->_szDsc;
    if (!strchr(pad->_szDsc, '[')) {
        os << " [";
        ptc->show(pad->_pvVal, os);
        os << ']';
    }
    os << std::endl;
}

/* Writes the first two lines of an error report and the indent of the third;
 * the caller writes the detail. */
std::ostream& report(const ArgDsc* pad, const char* szProg, const char* szError, std::ostream& os)
{
    os << szProg << szError << std::endl;
    printDsc(pad, os);
    return os << szIndent;
}

/* The low 32 bits, spelled out so that no conversion overflows. */
unsigned low32(unsigned long ul) { return static_cast<unsigned>(ul & 0xFFFFFFFFul); }

int lowInt(long l)
{
    unsigned u = low32(static_cast<unsigned long>(l));
    if (u <= INT_MAX)
        return static_cast<int>(u);
    return static_cast<int>(u - 0x80000000u) + INT_MIN;
}

} // namespace

int argdScan(char chOpt, char* szArg, ArgDsc* pad, char* szProg, int, std::ostream& os)
{
    pad = find(chOpt, pad, -1);
    assert(pad);
    ScanFn scan = typeCode(pad->_iType)->scan;
    assert(scan && "argdScan has no conversion for rows of type -, +, d or t");
    return scan(pad, szArg, szProg, os);
}

int argdScanu(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os)
{
    assert(pad && pad->_iType == 'u');
    char* pchEnd;
    int i = lowInt(strtol(szArg, &pchEnd, 0));
    if (*pchEnd) {
        report(pad, szProg, ": option scan error", os) << "can't get integer from:\"" << szArg << '"' << std::endl;
        return -1;
    }
    const int* piRange = static_cast<const int*>(pad->_pvQual);
    int iMin = piRange ? piRange[0] : 0;
    int iMax = piRange ? piRange[1] : INT_MAX;
    if (i < iMin || i > iMax) {
        report(pad, szProg, ": option range error", os)
            << "value is out of the range [" << iMin << ',' << iMax << ']' << std::endl;
        return -1;
    }
    *static_cast<int*>(pad->_pvVal) = i;
    return 0;
}

int argdScanU(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os)
{
    assert(pad && pad->_iType == 'U');
    char* pchEnd;
    unsigned u = low32(strtoul(szArg, &pchEnd, 0));
    if (*pchEnd) {
        report(pad, szProg, ": option scan error", os) << "can't get unsigned from:\"" << szArg << '"' << std::endl;
        return -1;
    }
    *static_cast<unsigned*>(pad->_pvVal) = u;
    return 0;
}

void argdInitOpt(char* szOpt, ArgDsc* pad, int c)
{
    *szOpt = '\0';
    for (int i = 0; isRow(pad, i, c); ++i) {
        const char* szOptArg = typeCode(pad[i]._iType)->szOptArg;
        if (szOptArg && pad[i]._chOpt) { /* a row with the letter 0 adds nothing */
            *szOpt++ = pad[i]._chOpt;
            while (*szOptArg)
                *szOpt++ = *szOptArg++;
            *szOpt = '\0';
        }
    }
}

int argdRemoveArg(char** argv, int i, int* pArgc)
{
    assert(i<(*pArgc));
    assert(0<=i);
    for (int j = i; j + 1 < *pArgc; ++j)
        argv[j] = argv[j + 1];
    --*pArgc;
    return *pArgc - i;
}

void argdShowUsage(ArgDsc* padBase, const char* szProg, const char* szPost, std::ostream& os)
{
    os << "usage: " << szProg << ' ';
    if (padBase->_chOpt) {
        os << " [";
        const char* szDash = "-";
        for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
            if (!*szArgSyntax(pad)) {
                os << szDash << pad->_chOpt;
                szDash = "";
            }
        for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
            if (*szArgSyntax(pad))
                os << " -" << pad->_chOpt << ' ' << szArgSyntax(pad);
        os << ']';
    }
    os << ' ' << (szPost ? szPost : "") << '\n' << "Options:\n";
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
        printDsc(pad, os);
}
