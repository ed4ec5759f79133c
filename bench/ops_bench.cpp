// SPDX-License-Identifier: MIT
// ops_bench: each argops operation beside a baseline doing the same work on
// the same input by hand: argdScan for each type, the row search as the
// table grows, the usage text, the error report and the option string.
#include <benchmark/benchmark.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "argops.h"
#include "common.h"

static char szProg[] = "prog";
static DiscardBuf discardBuf;
static std::ostream osDiscard(&discardBuf);

/* What argops and the baselines store into. */
static int iVal;
static unsigned uVal;
static const char* szVal;

/* argops's operation beside its baseline, each repeated as it is. */
template <class Lib, class Base>
static void addPair(const std::string& strName, Lib lib, Base base)
{
    addBenchmark(strName + "/argops", [lib](benchmark::State& state) mutable {
        for (auto _ : state)
            lib();
    });
    addBenchmark(strName + "/baseline", [base](benchmark::State& state) mutable {
        for (auto _ : state)
            base();
    });
}

/* argdScan ---------------------------------------------------------------- */

/* What a program does by hand for one type: the conversion, its checks and
 * the store. */
template <int iType>
static int scanByHand(char* szArg, int iMin, int iMax)
{
    if constexpr (iType == '0' || iType == '1') {
        iVal = iType - '0';
    } else if constexpr (iType == 'b') {
        iVal = !iVal;
    } else if constexpr (iType == 'B') {
        iVal = szArg[0] == 't' || szArg[0] == 'T';
    } else if constexpr (iType == 's') {
        szVal = szArg;
    } else if constexpr (iType == 'u') {
        char* pchEnd;
        long l = std::strtol(szArg, &pchEnd, 0);
        if (*pchEnd || l < iMin || l > iMax)
            return -1;
        iVal = int(l);
    } else {
        char* pchEnd;
        unsigned long ul = std::strtoul(szArg, &pchEnd, 0);
        if (*pchEnd)
            return -1;
        uVal = unsigned(ul);
    }
    return 0;
}

/* A one-row table, so that the search costs least. */
template <int iType>
static void addScan(const std::string& strCase, char* szArg, int* piRange)
{
    void* pvVal = iType == 'U' ? static_cast<void*>(&uVal) : iType == 's' ? static_cast<void*>(&szVal) : &iVal;
    int iMin = piRange ? piRange[0] : 0;
    int iMax = piRange ? piRange[1] : INT_MAX;
    addPair(
        "scan/" + strCase,
        [aDsc = std::array<ArgDsc, 2>{{{'x', "the option", iType, pvVal, piRange}, {0}}}, szArg]() mutable {
            benchmark::DoNotOptimize(argdScan('x', szArg, aDsc.data(), szProg, 0, osDiscard));
        },
        [=] {
            char* sz = szArg;
            benchmark::DoNotOptimize(sz);
            benchmark::DoNotOptimize(scanByHand<iType>(sz, iMin, iMax));
            benchmark::ClobberMemory();
        });
}

static int aiRange[2] = {1, 10};
static char szEmpty[] = "", szTrue[] = "true", szText[] = "out.txt";
static char szFive[] = "5", szNumber[] = "12345", szHex[] = "0x20";

static void addScans()
{
    addScan<'0'>("0", szEmpty, nullptr);
    addScan<'1'>("1", szEmpty, nullptr);
    addScan<'b'>("b", szEmpty, nullptr);
    addScan<'B'>("B", szTrue, nullptr);
    addScan<'s'>("s", szText, nullptr);
    addScan<'u'>("u", szNumber, nullptr);
    addScan<'u'>("u-range", szFive, aiRange);
    addScan<'U'>("U", szHex, nullptr);
}

/* The last flag row of tables of 1 to 62 rows: what the linear search costs
 * as a table grows. */
static void addLookups()
{
    static const char szLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int cRows : {1, 8, 30, 62}) {
        std::vector<ArgDsc> vad;
        for (int i = 0; i < cRows; ++i)
            vad.push_back({szLetters[i], "a flag", '1', &iVal, nullptr});
        vad.push_back({0});
        char ch = szLetters[cRows - 1];
        addBenchmark("lookup/" + std::to_string(cRows), [vad, ch](benchmark::State& state) mutable {
            for (auto _ : state)
                benchmark::DoNotOptimize(argdScan(ch, nullptr, vad.data(), szProg, 0, osDiscard));
        });
    }
}

/* Texts -------------------------------------------------------------------- */

/* A typical tool's table: cl_argops.cpp's, with an operand row. */
static int fVerbose, fQuiet, iPasses = 3, fBool;
static unsigned uWidth = 8;
static const char* szOutput = "-";
static ArgDsc aDsc[] = {
    {'v', "verbose output", '1', &fVerbose, nullptr},
    {'q', "quiet (toggles)", 'b', &fQuiet, nullptr},
    {'n', "number of passes [1..10]", 'u', &iPasses, aiRange},
    {'w', "width", 'U', &uWidth, nullptr},
    {'o', "output file", 's', &szOutput, nullptr},
    {'B', "colour text", 'B', &fBool, nullptr},
    {'f', "files to read", '+', nullptr, nullptr},
    {0},
};

/* The baselines write the same text with the same stream operations, with
 * a switch in place of the library's table of type codes, for the types of
 * aDsc (its 'u' row carries its own note, so no value). */
static const char* syntaxByHand(int iType)
{
    switch (iType) {
    case 'B': return "t|f";
    case 'u': return "<int>";
    case 'U': return "<uint>";
    case 's': return "\"...\"";
    case '+': return "...";
    default: return "";
    }
}

static void valueByHand(const ArgDsc& ad, std::ostream& os)
{
    switch (ad._iType) {
    case '1': os << (*static_cast<int*>(ad._pvVal) ? "on" : "off"); break;
    case 'b':
    case 'B': os << (*static_cast<int*>(ad._pvVal) ? "true" : "false"); break;
    case 'U': os << *static_cast<unsigned*>(ad._pvVal); break;
    case 's': os << *static_cast<const char**>(ad._pvVal); break;
    }
}

static void lineByHand(const ArgDsc& ad, std::ostream& os)
{
    const char* szSyntax = syntaxByHand(ad._iType);
    os << "    " << '-' << ad._chOpt << ' ' << szSyntax;
    size_t cch = std::strlen(szSyntax);
    if (cch < 8)
        os << &"        "[cch];
    os << ad._szDsc;
    if (!std::strchr(ad._szDsc, '[')) {
        os << " [";
        valueByHand(ad, os);
        os << ']';
    }
    os << std::endl;
}

static void usageByHand(std::ostream& os)
{
    os << "usage: " << szProg << ' ' << " [";
    const char* szDash = "-";
    for (const ArgDsc* pad = aDsc; pad->_chOpt; ++pad)
        if (!*syntaxByHand(pad->_iType)) {
            os << szDash << pad->_chOpt;
            szDash = "";
        }
    for (const ArgDsc* pad = aDsc; pad->_chOpt; ++pad)
        if (*syntaxByHand(pad->_iType))
            os << " -" << pad->_chOpt << ' ' << syntaxByHand(pad->_iType);
    os << ']' << ' ' << "file ..." << '\n' << "Options:\n";
    for (const ArgDsc* pad = aDsc; pad->_chOpt; ++pad)
        lineByHand(*pad, os);
}

static char szBadNumber[] = "1x";

/* The report of a 'u' argument with a trailing character. */
static int reportByHand(std::ostream& os)
{
    char* pchEnd;
    long l = std::strtol(szBadNumber, &pchEnd, 0);
    if (!*pchEnd)
        return int(l);
    os << szProg << ": option scan error" << std::endl;
    lineByHand(aDsc[2], os);
    os << "    "
       << "can't get integer from:\"" << szBadNumber << '"' << std::endl;
    return -1;
}

static void optStringByHand(char* szOpt)
{
    for (const ArgDsc* pad = aDsc; pad->_chOpt; ++pad)
        if (pad->_iType != '+') {
            *szOpt++ = pad->_chOpt;
            if (*syntaxByHand(pad->_iType))
                *szOpt++ = ':';
        }
    *szOpt = '\0';
}

template <class Write>
static std::string textOf(Write write)
{
    std::ostringstream oss;
    write(oss);
    return oss.str();
}

static void addTexts()
{
    auto usage = [](std::ostream& os) { argdShowUsage(aDsc, szProg, "file ...", os); };
    require(textOf(usage) == textOf(usageByHand), "the usage text by hand is argops's");
    addPair(
        "usage", [=] { usage(osDiscard); }, [] { usageByHand(osDiscard); });

    auto report = [](std::ostream& os) { argdScanu(&aDsc[2], szBadNumber, szProg, os); };
    require(textOf(report) == textOf(reportByHand), "the error report by hand is argops's");
    addPair(
        "report", [=] { report(osDiscard); }, [] { reportByHand(osDiscard); });

    static char szLib[2 * sizeof aDsc / sizeof *aDsc + 1], szBase[sizeof szLib];
    argdInitOpt(szLib, aDsc, -1);
    optStringByHand(szBase);
    require(std::strcmp(szLib, szBase) == 0, "the option string by hand is argops's");
    addPair(
        "initopt",
        [] {
            argdInitOpt(szLib, aDsc, -1);
            benchmark::DoNotOptimize(szLib);
        },
        [] {
            optStringByHand(szBase);
            benchmark::DoNotOptimize(szBase);
        });
}

int main(int argc, char** argv)
{
    addScans();
    addLookups();
    addTexts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
