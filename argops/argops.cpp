// SPDX-License-Identifier: MIT
/* argops: the operations on a table of ArgDsc rows, the type codes that
 * they share, option values, descriptor lines, usage text, getopt()
 * strings and argument removal. Their FILE* forms are here; stream.cpp has
 * their std::ostream& forms. */

/* The precondition checks are part of the library's promise: a caller's
 * fault must end the process in a Release build too, so NDEBUG from the
 * build type must not remove them. */
#undef NDEBUG
#include <cassert>

#include "internal.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace argops {
namespace {

/* How a variable's current value is written inside the brackets. */
void showOnOff(const void* pv, Out out) { write(out, *static_cast<const int*>(pv) ? "on" : "off"); }
void showBool(const void* pv, Out out) { write(out, *static_cast<const int*>(pv) ? "true" : "false"); }
void showNothing(const void*, Out) {}

void showUnsigned(const void* pv, Out out) { write(out, Number(*static_cast<const unsigned*>(pv))); }
void showDouble(const void* pv, Out out) { write(out, Number(*static_cast<const double*>(pv))); }

void showInt(const void* pv, Out out)
{
    int i = *static_cast<const int*>(pv);
    if (i < 0)
        write(out, "unspec");
    else
        write(out, Number(i));
}

void showText(const void* pv, Out out)
{
    const char* sz = *static_cast<const char* const*>(pv);
    write(out, sz ? sz : "unspec");
}

void showTime(const void* pv, Out out)
{
    const time_t* pt = static_cast<const time_t*>(pv);
    char* sz = ctime(pt);
    if (!sz) { /* a time too far out for a calendar date: keep its number */
        write(out, Number(static_cast<long long>(*pt)));
        return;
    }
    char* pchNewline = strchr(sz, '\n');
    if (pchNewline)
        *pchNewline = '\0';
    write(out, sz);
}

/* The value of each character as a digit of base 16, or 16 when it is
 * none: a table, since each digit of a number is looked up (five digits
 * take 21 instructions less than with comparisons). */
struct DigitValues {
    unsigned char aDigit[256];
};

constexpr DigitValues makeDigitValues()
{
    DigitValues values{};
    for (unsigned char& digit : values.aDigit)
        digit = 16;
    for (int i = 0; i < 10; ++i)
        values.aDigit['0' + i] = static_cast<unsigned char>(i);
    for (int i = 0; i < 6; ++i)
        values.aDigit['a' + i] = values.aDigit['A' + i] = static_cast<unsigned char>(10 + i);
    return values;
}

constexpr DigitValues digitValues = makeDigitValues();

/* Numbers as users type them, of up to 15 digits in the prefix's base and
 * nothing else, are converted here: a 'u' row takes 121 instructions for
 * 12345, against 286 through strtol() (and 199 for strtol() by hand).
 * 15 digits cannot overflow 64 bits, so the value is strtoll()'s, and errno
 * is left alone, as strtoll() leaves it on success. Returns false for any
 * other text: a sign, a blank, no digit, too many, or one outside the
 * base. */
bool readPlain(const char* sz, unsigned long long* pull)
{
    unsigned base = 10;
    if (sz[0] == '0') {
        base = 8;
        if (sz[1] == 'x' || sz[1] == 'X') {
            base = 16;
            sz += 2;
        }
    }
    unsigned long long ull = 0; /* wraps harmlessly past 15 digits, which are refused */
    const char* pch = sz;
    for (; *pch; ++pch) {
        unsigned digit = digitValues.aDigit[static_cast<unsigned char>(*pch)];
        if (digit >= base)
            return false;
        ull = ull * base + digit;
    }
    if (pch == sz || pch - sz > 15)
        return false;
    *pull = ull;
    return true;
}

/* The text's first decimal digit begins 0b or 0B. C23 reads 0b101 as 5,
 * and glibc 2.38 and later give C++ programs that strtol(); numbers are
 * read here as C17 has it, where such a text is always a scan error: its
 * 0 is converted and the b left over, or, when anything but blanks and a
 * sign precedes the 0, nothing is converted. Any other text C17 and C23
 * read alike, since C23's prefix is the number's first digit and a b. */
bool isBinary(const char* sz)
{
    while (*sz && digitValues.aDigit[static_cast<unsigned char>(*sz)] >= 10)
        ++sz;
    return sz[0] == '0' && (sz[1] == 'b' || sz[1] == 'B');
}

/* What readPlain() leaves: the whole of sz as C17's strtol(sz, &end, 0)
 * reads it where long has 64 bits (strtoul() unless fSigned), into the bits
 * of that number, and errno as it leaves it. long long has 64 bits
 * wherever long has 32, so its functions give x86-64's answers there too,
 * saturation included. Returns false when something is left over. */
bool readByC(const char* sz, bool fSigned, unsigned long long* pull)
{
    if (isBinary(sz))
        return false;
    char* pchEnd;
    *pull = fSigned ? static_cast<unsigned long long>(strtoll(sz, &pchEnd, 0)) : strtoull(sz, &pchEnd, 0);
    return !*pchEnd;
}

/* The low 32 bits, spelled out so that no conversion overflows. */
unsigned low32(unsigned long long ull) { return static_cast<unsigned>(ull & 0xFFFFFFFFu); }

int lowInt(unsigned long long ull)
{
    unsigned u = low32(ull);
    if (u <= INT_MAX)
        return static_cast<int>(u);
    return static_cast<int>(u - 0x80000000u) + INT_MIN;
}

void printDsc(const ArgDsc* pad, Out out); /* below, with the table of codes */

/* The head of an error report: the headline, the row's descriptor line,
 * and the indent of the detail line that the caller writes. */
void beginReport(const ArgDsc* pad, const char* szProg, const char* szHeadline, Out out)
{
    write(out, szProg);
    write(out, szHeadline);
    endLine(out);
    printDsc(pad, out);
    write(out, szIndent);
}

/* The error reports are rare: out of line, so that the conversions keep
 * nothing alive for them. */
[[gnu::cold, gnu::noinline]] int reportScan(const ArgDsc* pad, const char* szArg, const char* szProg,
                                            const char* szWhat, Out out)
{
    beginReport(pad, szProg, ": option scan error", out);
    write(out, "can't get ");
    write(out, szWhat);
    write(out, " from:\"");
    write(out, szArg);
    write(out, '"');
    endLine(out);
    return -1;
}

[[gnu::cold, gnu::noinline]] int reportRange(const ArgDsc* pad, const char* szProg, int iMin, int iMax, Out out)
{
    beginReport(pad, szProg, ": option range error", out);
    write(out, "value is out of the range [");
    write(out, Number(iMin));
    write(out, ',');
    write(out, Number(iMax));
    write(out, ']');
    endLine(out);
    return -1;
}

/* How argdScan stores an option's argument: one function for each code,
 * all with the parameters that the table of codes holds. */
int scanClear(ArgDsc* pad, char*, char*, Out)
{
    *static_cast<int*>(pad->_pvVal) = 0;
    return 0;
}

int scanSet(ArgDsc* pad, char*, char*, Out)
{
    *static_cast<int*>(pad->_pvVal) = 1;
    return 0;
}

int scanText(ArgDsc* pad, char* szArg, char*, Out)
{
    *static_cast<char**>(pad->_pvVal) = szArg;
    return 0;
}

int scanToggle(ArgDsc* pad, char*, char*, Out)
{
    int* pi = static_cast<int*>(pad->_pvVal);
    *pi = *pi == 0;
    return 0;
}

int scanBool(ArgDsc* pad, char* szArg, char*, Out)
{
    *static_cast<int*>(pad->_pvVal) = szArg[0] == 't' || szArg[0] == 'T';
    return 0;
}

/* The codes whose argument the program converts itself. */
int scanNothing(ArgDsc*, char*, char*, Out) { assert(!"argdScan has no conversion for rows of type -, +, d or t"); }

/* The range of a 'u' row without a range pair: negative values are refused. */
const int aiDefaultRange[2] = {0, INT_MAX};

/* Stores the low 32 bits of ull in the variable of the 'u' or 'U' row pad,
 * for 'u' only when they lie in the row's range. */
int storeNumber(ArgDsc* pad, unsigned long long ull, char* szProg, Out out)
{
    if (pad->_iType == 'U') {
        *static_cast<unsigned*>(pad->_pvVal) = low32(ull);
        return 0;
    }
    int i = lowInt(ull);
    const int* piRange = pad->_pvQual ? static_cast<const int*>(pad->_pvQual) : aiDefaultRange;
    if (i < piRange[0] || i > piRange[1])
        return reportRange(pad, szProg, piRange[0], piRange[1], out);
    *static_cast<int*>(pad->_pvVal) = i;
    return 0;
}

/* The numbers that readPlain() leaves to the C library. Out of line, so
 * that plain numbers need no stack frame: that saves them 18 to 20
 * instructions. */
[[gnu::noinline]] int scanNumberByC(ArgDsc* pad, char* szArg, char* szProg, Out out)
{
    bool fSigned = pad->_iType == 'u';
    unsigned long long ull;
    if (!readByC(szArg, fSigned, &ull))
        return reportScan(pad, szArg, szProg, fSigned ? "integer" : "unsigned", out);
    return storeNumber(pad, ull, szProg, out);
}

/* 'u' and 'U' rows. */
int scanNumber(ArgDsc* pad, char* szArg, char* szProg, Out out)
{
    unsigned long long ull;
    if (!readPlain(szArg, &ull))
        return scanNumberByC(pad, szArg, szProg, out);
    return storeNumber(pad, ull, szProg, out);
}

constexpr TypeCode aTypeCodes[] = {
    {'0', "", argumentNone, showOnOff, scanClear},           {'1', "", argumentNone, showOnOff, scanSet},
    {'b', "", argumentNone, showBool, scanToggle},           {'B', "t|f", argumentBoolean, showBool, scanBool},
    {'u', "<int>", argumentValue, showInt, scanNumber},      {'U', "<uint>", argumentValue, showUnsigned, scanNumber},
    {'d', "<real>", argumentValue, showDouble, scanNothing}, {'s', "\"...\"", argumentFile, showText, scanText},
    {'t', "<date>", argumentValue, showTime, scanNothing},   {'-', "<...>", argumentFile, showNothing, scanNothing},
    {'+', "...", argumentListed, showNothing, scanNothing},
};

constexpr bool fitsIndex()
{
    for (const TypeCode& tc : aTypeCodes)
        if (tc.iType <= 0 || tc.iType >= 128 || (tc.argument == argumentNone) != (tc.szSyntax[0] == '\0'))
            return false;
    return true;
}
static_assert(fitsIndex(), "each code is an ASCII character, and only flags have no syntax text");

/* Each row's code is looked up by the operations, through this index
 * rather than a search of aTypeCodes (which would cost the parse of a
 * typical command line 25 instructions more at -O3, 212 at -O2): for each
 * ASCII character, the position of its code in aTypeCodes, or 0 when it is
 * none. It is derived from aTypeCodes when the library is compiled, so
 * that the table stays the one place that knows a code. An int is looked
 * up by its low seven bits: one that is no code finds a row whose code is
 * another, and is refused. */
struct CodeIndex {
    unsigned char aiCode[128];
};

constexpr CodeIndex makeCodeIndex()
{
    CodeIndex index{};
    for (unsigned i = 0; i < sizeof aTypeCodes / sizeof *aTypeCodes; ++i)
        index.aiCode[aTypeCodes[i].iType] = static_cast<unsigned char>(i);
    return index;
}

constexpr CodeIndex codeIndex = makeCodeIndex();

} // namespace

const TypeCode& typeCode(int iType)
{
    const TypeCode& tc = aTypeCodes[codeIndex.aiCode[static_cast<unsigned>(iType) & 127]];
    assert(tc.iType == iType && "type code of an ArgDsc row is not one of 01bBuUdst-+");
    return tc;
}

ArgDsc* find(char chOpt, ArgDsc* pad)
{
    for (; pad->_chOpt; ++pad)
        if (pad->_chOpt == chOpt)
            return pad;
    return nullptr;
}

namespace {

const char* szArgSyntax(const ArgDsc* pad) { return typeCode(pad->_iType).szSyntax; }

void printDsc(const ArgDsc* pad, Out out)
{
    const TypeCode& tc = typeCode(pad->_iType);
    /* The option and its syntax in a column 8 wide, written at once. */
    char szOption[] = "-?         ";
    szOption[1] = pad->_chOpt;
    for (size_t i = 0; tc.szSyntax[i]; ++i)
        szOption[3 + i] = tc.szSyntax[i];
    write(out, szIndent);
    write(out, szOption, sizeof szOption - 1);
    endDsc(pad, out);
}

/* How many characters of the letter and ':' an option puts in the
 * getopt() string, by its Argument. */
const unsigned char acchOptEntry[] = {1, 2, 2, 2, 0};
static_assert(sizeof acchOptEntry == argumentListed + 1, "an entry for each Argument");

} // namespace

int scanOption(char chOpt, char* szArg, ArgDsc* pad, char* szProg, Out out)
{
    pad = find(chOpt, pad);
    assert(pad);
    return typeCode(pad->_iType).scan(pad, szArg, szProg, out);
}

int scanSigned(ArgDsc* pad, char* szArg, char* szProg, Out out)
{
    assert(pad && pad->_iType == 'u');
    return scanNumber(pad, szArg, szProg, out);
}

int scanUnsigned(ArgDsc* pad, char* szArg, char* szProg, Out out)
{
    assert(pad && pad->_iType == 'U');
    return scanNumber(pad, szArg, szProg, out);
}

/* Writes the row's letter and ':' and keeps as much of them as its entry
 * has: never more than the two characters per row that szOpt has room
 * for. A row with the letter 0 adds nothing. */
char* appendOptEntry(char* pch, const ArgDsc* pad)
{
    char chOpt = pad->_chOpt;
    unsigned cch = acchOptEntry[typeCode(pad->_iType).argument];
    pch[0] = chOpt;
    pch[1] = ':';
    return pch + (chOpt ? cch : 0);
}

void endDsc(const ArgDsc* pad, Out out)
{
    const char* szDsc = szDescription(*pad);
    write(out, szDsc);
    if (!strchr(szDsc, '[')) {
        write(out, " [");
        typeCode(pad->_iType).show(pad->_pvVal, out);
        write(out, ']');
    }
    endLine(out);
}

void writeUsageHead(const ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szPost, Out out)
{
    write(out, "usage: ");
    write(out, szProg);
    write(out, ' ');
    if (padBase->_chOpt) {
        write(out, " [");
        const char* szDash = "-";
        for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
            if (isGrouped(pad, pal)) {
                write(out, szDash);
                write(out, pad->_chOpt);
                szDash = "";
            }
        for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad) {
            const char* szSyntax = szArgSyntax(pad);
            const char* szLong = longOnlyName(pad, pal);
            if (szLong) {
                write(out, " --");
                write(out, szLong);
            } else if (*szSyntax) {
                write(out, " -");
                write(out, pad->_chOpt);
            }
            if (*szSyntax) {
                write(out, ' ');
                write(out, szSyntax);
            }
        }
        write(out, ']');
    }
    write(out, ' ');
    write(out, szPost ? szPost : "");
    write(out, "\nOptions:\n");
}

void showUsage(ArgDsc* padBase, const char* szProg, const char* szPost, Out out)
{
    writeUsageHead(padBase, nullptr, szProg, szPost, out);
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
        printDsc(pad, out);
}

} // namespace argops

using namespace argops;

int argdScan(char chOpt, char* szArg, ArgDsc* pad, char* szProg, int, FILE* pf)
{
    return scanOption(chOpt, szArg, pad, szProg, fileOut(pf));
}

int argdScanu(ArgDsc* pad, char* szArg, char* szProg, FILE* pf) { return scanSigned(pad, szArg, szProg, fileOut(pf)); }

int argdScanU(ArgDsc* pad, char* szArg, char* szProg, FILE* pf)
{
    return scanUnsigned(pad, szArg, szProg, fileOut(pf));
}

void argdShowUsage(ArgDsc* padBase, const char* szProg, const char* szPost, FILE* pf)
{
    showUsage(padBase, szProg, szPost, fileOut(pf));
}

void argdInitOpt(char* szOpt, ArgDsc* pad, int c)
{
    if (c == -1)
        for (; pad->_chOpt; ++pad)
            szOpt = appendOptEntry(szOpt, pad);
    else
        for (int i = 0; i < c; ++i)
            szOpt = appendOptEntry(szOpt, &pad[i]);
    *szOpt = '\0';
}

int argdRemoveArg(char** argv, int i, int* pArgc)
{
    /* The assertions' texts, as a failure prints them, are the library's own. */
    // clang-format off
    assert(i<(*pArgc));
    assert(0<=i);
    // clang-format on
    for (int j = i; j + 1 < *pArgc; ++j)
        argv[j] = argv[j + 1];
    --*pArgc;
    return *pArgc - i;
}

/* Programs built against 1.0 call these two by their C++ names: the
 * names stay, as aliases of the C ones. */
void argdInitOptCxx(char* szOpt, ArgDsc* pad, int c) __asm__("_Z11argdInitOptPcP6ArgDsci")
    __attribute__((alias("argdInitOpt")));
int argdRemoveArgCxx(char** argv, int i, int* pArgc) __asm__("_Z13argdRemoveArgPPciPi")
    __attribute__((alias("argdRemoveArg")));
