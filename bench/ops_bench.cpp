// SPDX-License-Identifier: MIT
// ops_bench: each argops operation beside a hand-written baseline doing the
// same work on the same input: argdScan for every type, the row search as
// the table grows, the error report, the usage text and the option string.
// Each baseline is checked to write the same text or string first.
#include <benchmark/benchmark.h>

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

static const char szLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
static int aiRange[2] = {1, 10};

/* A variable of every kind a row may point to. */
struct Var {
    int i = 0;
    unsigned u = 0;
    double d = 0;
    const char* sz = nullptr;

    void* of(int iType)
    {
        switch (iType) {
        case 'U': return &u;
        case 'd': return &d;
        case 's': return &sz;
        default: return &i;
        }
    }
};

/* argdScan ---------------------------------------------------------------- */

/* What a program does by hand for one type: the conversion, its checks and
 * the store. */
template <int iType>
static int scanByHand(char* szArg, Var& var, int iMin, int iMax)
{
    if constexpr (iType == '0' || iType == '1') {
        var.i = iType - '0';
    } else if constexpr (iType == 'b') {
        var.i = !var.i;
    } else if constexpr (iType == 'B') {
        var.i = szArg[0] == 't' || szArg[0] == 'T';
    } else if constexpr (iType == 's') {
        var.sz = szArg;
    } else if constexpr (iType == 'u') {
        char* pchEnd;
        long l = std::strtol(szArg, &pchEnd, 0);
        if (*pchEnd || l < iMin || l > iMax)
            return -1;
        var.i = int(l);
    } else {
        char* pchEnd;
        unsigned long ul = std::strtoul(szArg, &pchEnd, 0);
        if (*pchEnd)
            return -1;
        var.u = unsigned(ul);
    }
    return 0;
}

template <int iType>
static void addScan(const std::string& strCase, char* szArg, int* piRange)
{
    static Var var;
    ArgDsc ad = {'x', "the option", iType, var.of(iType), piRange};
    addBenchmark("scan/" + strCase + "/argops", [=](benchmark::State& state) {
        ArgDsc aDsc[2] = {ad, {0}};
        for (auto _ : state)
            benchmark::DoNotOptimize(argdScan('x', szArg, aDsc, szProg, 0, osDiscard));
    });
    int iMin = piRange ? piRange[0] : 0;
    int iMax = piRange ? piRange[1] : INT_MAX;
    addBenchmark("scan/" + strCase + "/baseline", [=](benchmark::State& state) {
        for (auto _ : state) {
            char* sz = szArg;
            benchmark::DoNotOptimize(sz);
            benchmark::DoNotOptimize(scanByHand<iType>(sz, var, iMin, iMax));
            benchmark::ClobberMemory();
        }
    });
}

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

/* The last flag row of a table of 1, 8, 30 and 62 rows: what the linear
 * search costs as a table grows. */
static void addLookups()
{
    static int fFlag;
    for (int cRows : {1, 8, 30, 62}) {
        std::vector<ArgDsc> vad;
        for (int i = 0; i < cRows; ++i)
            vad.push_back({szLetters[i], "a flag", '1', &fFlag, nullptr});
        vad.push_back({0});
        char ch = szLetters[cRows - 1];
        addBenchmark("lookup/" + std::to_string(cRows), [vad, ch](benchmark::State& state) mutable {
            for (auto _ : state)
                benchmark::DoNotOptimize(argdScan(ch, nullptr, vad.data(), szProg, 0, osDiscard));
        });
    }
}

/* Texts -------------------------------------------------------------------- */

/* cRows rows with the letters in order and the type codes of szTypes in
 * turn; the 'u' rows carry a range and a description with its own note. */
struct Table {
    std::vector<Var> vvar;
    std::vector<std::string> vstrDsc;
    std::vector<ArgDsc> vad;

    Table(const char* szTypes, int cRows) : vvar(cRows), vstrDsc(cRows)
    {
        for (int i = 0; i < cRows; ++i) {
            int iType = szTypes[i % std::strlen(szTypes)];
            vstrDsc[i] = std::string("option ") + szLetters[i] + (iType == 'u' ? " [1..10]" : "");
            vvar[i] = {i % 3, unsigned(i) * 1000, i / 4.0, i % 2 ? "some text" : nullptr};
            vad.push_back({szLetters[i], vstrDsc[i].c_str(), iType, vvar[i].of(iType), iType == 'u' ? aiRange : nullptr});
        }
        vad.push_back({0});
    }
};

/* The baselines write the same text with the same stream operations, with
 * a switch in place of the library's table of type codes. */
static const char* syntaxByHand(int iType)
{
    switch (iType) {
    case 'B': return "t|f";
    case 'u': return "<int>";
    case 'U': return "<uint>";
    case 'd': return "<real>";
    case 's': return "\"...\"";
    case '-': return "<...>";
    case '+': return "...";
    default: return "";
    }
}

static void valueByHand(const ArgDsc& ad, std::ostream& os)
{
    const int i = *static_cast<const int*>(ad._pvVal);
    switch (ad._iType) {
    case '0':
    case '1': os << (i ? "on" : "off"); break;
    case 'b':
    case 'B': os << (i ? "true" : "false"); break;
    case 'u': i < 0 ? os << "unspec" : os << i; break;
    case 'U': os << *static_cast<const unsigned*>(ad._pvVal); break;
    case 'd': os << *static_cast<const double*>(ad._pvVal); break;
    case 's': {
        const char* sz = *static_cast<const char* const*>(ad._pvVal);
        os << (sz ? sz : "unspec");
        break;
    }
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

static void usageByHand(const ArgDsc* padBase, std::ostream& os)
{
    os << "usage: " << szProg << ' ' << " [";
    const char* szDash = "-";
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
        if (!*syntaxByHand(pad->_iType)) {
            os << szDash << pad->_chOpt;
            szDash = "";
        }
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
        if (*syntaxByHand(pad->_iType))
            os << " -" << pad->_chOpt << ' ' << syntaxByHand(pad->_iType);
    os << ']' << ' ' << "file ..." << '\n' << "Options:\n";
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
        lineByHand(*pad, os);
}

/* The report of a 'u' argument with a trailing character. */
static int reportByHand(const ArgDsc& ad, char* szArg, std::ostream& os)
{
    char* pchEnd;
    long l = std::strtol(szArg, &pchEnd, 0);
    if (!*pchEnd)
        return int(l);
    os << szProg << ": option scan error" << std::endl;
    lineByHand(ad, os);
    os << "    " << "can't get integer from:\"" << szArg << '"' << std::endl;
    return -1;
}

/* Both writers, once their texts are found equal. */
template <class Lib, class Base>
static void addText(const std::string& strName, Lib writeLib, Base writeBase)
{
    std::ostringstream ossLib, ossBase;
    writeLib(ossLib);
    writeBase(ossBase);
    require(ossLib.str() == ossBase.str(), ("the baseline of " + strName + " writes the same text").c_str());
    addBenchmark(strName + "/argops", [writeLib](benchmark::State& state) {
        for (auto _ : state)
            writeLib(osDiscard);
    });
    addBenchmark(strName + "/baseline", [writeBase](benchmark::State& state) {
        for (auto _ : state)
            writeBase(osDiscard);
    });
}

static char szBadNumber[] = "1x";

static void addTexts(Table& table)
{
    ArgDsc* pad = table.vad.data();
    addText("usage/" + std::to_string(table.vad.size() - 1),
            [pad](std::ostream& os) { argdShowUsage(pad, szProg, "file ...", os); },
            [pad](std::ostream& os) { usageByHand(pad, os); });
}

/* One table is enough: argdScanu is handed its row, so no search precedes
 * the report. */
static void addReport(Table& table)
{
    ArgDsc* pad = table.vad.data();
    while (pad->_iType != 'u')
        ++pad;
    addText("report", [pad](std::ostream& os) { argdScanu(pad, szBadNumber, szProg, os); },
            [pad](std::ostream& os) { reportByHand(*pad, szBadNumber, os); });
}

static void optStringByHand(char* szOpt, const ArgDsc* pad)
{
    for (; pad->_chOpt; ++pad)
        if (pad->_iType != '+') {
            *szOpt++ = pad->_chOpt;
            if (*syntaxByHand(pad->_iType))
                *szOpt++ = ':';
        }
    *szOpt = '\0';
}

static void addOptStrings(Table& table)
{
    ArgDsc* pad = table.vad.data();
    std::string strName = "initopt/" + std::to_string(table.vad.size() - 1);
    char szLib[2 * 62 + 1], szBase[2 * 62 + 1];
    argdInitOpt(szLib, pad, -1);
    optStringByHand(szBase, pad);
    require(std::strcmp(szLib, szBase) == 0, ("the baseline of " + strName + " makes the same string").c_str());
    addBenchmark(strName + "/argops", [pad](benchmark::State& state) {
        char szOpt[2 * 62 + 1];
        for (auto _ : state) {
            argdInitOpt(szOpt, pad, -1);
            benchmark::DoNotOptimize(szOpt);
        }
    });
    addBenchmark(strName + "/baseline", [pad](benchmark::State& state) {
        char szOpt[2 * 62 + 1];
        for (auto _ : state) {
            optStringByHand(szOpt, pad);
            benchmark::DoNotOptimize(szOpt);
        }
    });
}

int main(int argc, char** argv)
{
    readFixedIterations(argc, argv);
    static Table five("1ubs-", 5), thirty("01bBuUds-+", 30);
    addScans();
    addLookups();
    for (Table* pTable : {&five, &thirty}) {
        addTexts(*pTable);
        addOptStrings(*pTable);
    }
    addReport(five);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
