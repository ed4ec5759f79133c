// SPDX-License-Identifier: MIT
/* argops: option values, descriptor lines, usage text and getopt() strings,
 * all read from one table of ArgDsc rows. */

/* The precondition checks are part of the library's promise: a caller's
 * fault must end the process in a Release build too, so NDEBUG from the
 * build type must not remove them. */
#undef NDEBUG
#include <cassert>

#include "argops.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <ostream>
#include <ext/stdio_sync_filebuf.h>

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

/* The value of each character as a digit of base 16, or 16 when it is
 * none: a table, since each digit of a number is looked up. */
struct DigitValues {
    unsigned char aDigit[256];
};

constexpr DigitValues valueDigits()
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

constexpr DigitValues digitValues = valueDigits();

/* Numbers as users type them, of up to 15 digits in the prefix's base and
 * nothing else, are converted here, in a fraction of strtol()'s
 * instructions. 15 digits cannot overflow a long, so the value is
 * strtol()'s, and errno is left alone, as strtol() leaves it on success.
 * Returns false for any other text: a sign, a blank, no digit, too many,
 * or one outside the base. */
bool readPlain(const char* sz, unsigned long* pul)
{
    unsigned long base = 10;
    if (sz[0] == '0') {
        base = 8;
        if (sz[1] == 'x' || sz[1] == 'X') {
            base = 16;
            sz += 2;
        }
    }
    unsigned long ul = 0; /* wraps harmlessly past 15 digits, which are refused */
    const char* pch = sz;
    for (; *pch; ++pch) {
        unsigned digit = digitValues.aDigit[static_cast<unsigned char>(*pch)];
        if (digit >= base)
            return false;
        ul = ul * base + digit;
    }
    if (pch == sz || pch - sz > 15)
        return false;
    *pul = ul;
    return true;
}

/* The text's number begins with 0b or 0B. C23 reads 0b101 as 5, and glibc
 * 2.38 and later give C++ programs that strtol(); numbers are read here as
 * C17 has it, where the 0 is converted and the b left over: a scan error,
 * whatever follows. Blanks are the locale's, as for strtol(). */
bool isBinary(const char* sz)
{
    while (isspace(static_cast<unsigned char>(*sz)))
        ++sz;
    if (*sz == '+' || *sz == '-')
        ++sz;
    return sz[0] == '0' && (sz[1] == 'b' || sz[1] == 'B');
}

/* What readPlain() leaves: the whole of sz as C17's strtol(sz, &end, 0)
 * reads it (strtoul() unless fSigned), into the bits of that long or
 * unsigned long, and errno as they leave it. Returns false when something
 * is left over. */
bool readByC(const char* sz, bool fSigned, unsigned long* pul)
{
    if (isBinary(sz))
        return false;
    char* pchEnd;
    *pul = fSigned ? static_cast<unsigned long>(strtol(sz, &pchEnd, 0)) : strtoul(sz, &pchEnd, 0);
    return !*pchEnd;
}

/* The low 32 bits, spelled out so that no conversion overflows. */
unsigned low32(unsigned long ul) { return static_cast<unsigned>(ul & 0xFFFFFFFFul); }

int lowInt(unsigned long ul)
{
    unsigned u = low32(ul);
    if (u <= INT_MAX)
        return static_cast<int>(u);
    return static_cast<int>(u - 0x80000000u) + INT_MIN;
}

void printDsc(const ArgDsc* pad, std::ostream& os); /* below, with the table of codes */

/* The error reports are rare: out of line, so that the conversions keep
 * nothing alive for them. */
[[gnu::cold, gnu::noinline]] int reportScan(const ArgDsc* pad, const char* szArg, const char* szProg,
                                            const char* szWhat, std::ostream& os)
{
    os << szProg << ": option scan error" << std::endl;
    printDsc(pad, os);
    os << szIndent << "can't get " << szWhat << " from:\"" << szArg << '"' << std::endl;
    return -1;
}

[[gnu::cold, gnu::noinline]] int reportRange(const ArgDsc* pad, const char* szProg, int iMin, int iMax,
                                             std::ostream& os)
{
    os << szProg << ": option range error" << std::endl;
    printDsc(pad, os);
    os << szIndent << "value is out of the range [" << iMin << ',' << iMax << ']' << std::endl;
    return -1;
}

/* How argdScan stores an option's argument: one function for each code,
 * all with the parameters that the table of codes holds. */
int scanClear(ArgDsc* pad, char*, char*, std::ostream&)
{
    *static_cast<int*>(pad->_pvVal) = 0;
    return 0;
}

int scanSet(ArgDsc* pad, char*, char*, std::ostream&)
{
    *static_cast<int*>(pad->_pvVal) = 1;
    return 0;
}

int scanText(ArgDsc* pad, char* szArg, char*, std::ostream&)
{
    *static_cast<char**>(pad->_pvVal) = szArg;
    return 0;
}

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

/* The codes whose argument the program converts itself. */
int scanNothing(ArgDsc*, char*, char*, std::ostream&)
{
    assert(!"argdScan has no conversion for rows of type -, +, d or t");
}

/* The range of a 'u' row without a range pair: negative values are refused. */
const int aiDefaultRange[2] = {0, INT_MAX};

/* Stores the low 32 bits of ul in the variable of the 'u' or 'U' row pad,
 * for 'u' only when they lie in the row's range. */
int storeNumber(ArgDsc* pad, unsigned long ul, char* szProg, std::ostream& os)
{
    if (pad->_iType == 'U') {
        *static_cast<unsigned*>(pad->_pvVal) = low32(ul);
        return 0;
    }
    int i = lowInt(ul);
    const int* piRange = pad->_pvQual ? static_cast<const int*>(pad->_pvQual) : aiDefaultRange;
    if (i < piRange[0] || i > piRange[1])
        return reportRange(pad, szProg, piRange[0], piRange[1], os);
    *static_cast<int*>(pad->_pvVal) = i;
    return 0;
}

/* The numbers that readPlain() leaves to the C library. Out of line, so
 * that plain numbers need no stack frame: that saves them N instructions. */
[[gnu::noinline]] int scanNumberByC(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os)
{
    bool fSigned = pad->_iType == 'u';
    unsigned long ul;
    if (!readByC(szArg, fSigned, &ul))
        return reportScan(pad, szArg, szProg, fSigned ? "integer" : "unsigned", os);
    return storeNumber(pad, ul, szProg, os);
}

/* 'u' and 'U' rows. */
int scanNumber(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os)
{
    unsigned long ul;
    if (!readPlain(szArg, &ul))
        return scanNumberByC(pad, szArg, szProg, os);
    return storeNumber(pad, ul, szProg, os);
}

/* Everything the library knows about a type code, in one place. */
struct TypeCode {
    int iType;
    char szSyntax[8]; /* empty for exactly the flag types; the syntax column is 8 wide */
    /* How much of the letter and ':' enters the getopt() string: 1 for a
     * flag, 2 for an option with an argument, 0 for a row that is only
     * listed in the usage text. */
    unsigned char cchOptEntry;
    void (*show)(const void* pv, std::ostream& os);
    int (*scan)(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os);
};

constexpr TypeCode aTypeCodes[] = {
    {'0', "", 1, showOnOff, scanClear},          {'1', "", 1, showOnOff, scanSet},
    {'b', "", 1, showBool, scanToggle},          {'B', "t|f", 2, showBool, scanBool},
    {'u', "<int>", 2, showInt, scanNumber},      {'U', "<uint>", 2, showUnsigned, scanNumber},
    {'d', "<real>", 2, showDouble, scanNothing}, {'s', "\"...\"", 2, showText, scanText},
    {'t', "<date>", 2, showTime, scanNothing},   {'-', "<...>", 2, showNothing, scanNothing},
    {'+', "...", 0, showNothing, scanNothing},
};

constexpr bool fitsIndex()
{
    for (const TypeCode& tc : aTypeCodes)
        if (tc.iType <= 0 || tc.iType > UCHAR_MAX || (tc.cchOptEntry == 1) != (tc.szSyntax[0] == '\0'))
            return false;
    return true;
}
static_assert(fitsIndex(), "each code is a character, and only flags have no syntax text");

/* Each row's code is looked up by the operations, through this index
 * rather than a search of aTypeCodes: for each value of a byte, the
 * position of its code in aTypeCodes, or 0 when it is none. It is derived
 * from aTypeCodes when the library is compiled, so that the table stays
 * the one place that knows a code. An int that is no code finds a row
 * whose code is another, and is refused. */
struct CodeIndex {
    unsigned char aiCode[UCHAR_MAX + 1];
};

constexpr CodeIndex indexCodes()
{
    CodeIndex index{};
    for (unsigned i = 0; i < sizeof aTypeCodes / sizeof *aTypeCodes; ++i)
        index.aiCode[aTypeCodes[i].iType] = static_cast<unsigned char>(i);
    return index;
}

constexpr CodeIndex codeIndex = indexCodes();

const TypeCode& typeCode(int iType)
{
    const TypeCode& tc = aTypeCodes[codeIndex.aiCode[static_cast<unsigned char>(iType)]];
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

const char* szArgSyntax(const ArgDsc* pad) { return typeCode(pad->_iType).szSyntax; }

void printDsc(const ArgDsc* pad, std::ostream& os)
{
    const TypeCode& tc = typeCode(pad->_iType);
    auto cchSyntax = static_cast<std::streamsize>(strlen(tc.szSyntax));
    os << szIndent << '-' << pad->_chOpt << ' ';
    os.write(tc.szSyntax, cchSyntax).write("        ", 8 - cchSyntax); /* the column is 8 wide */
    os << pad->_szDsc;
    if (!strchr(pad->_szDsc, '[')) {
        os << " [";
        tc.show(pad->_pvVal, os);
        os << ']';
    }
    os << std::endl;
}

/* Writes the row's letter and ':' and keeps as much of them as its entry
 * has: never more than the two characters per row that szOpt has room
 * for. A row with the letter 0 adds nothing. */
char* appendOptEntry(char* pch, const ArgDsc* pad)
{
    char chOpt = pad->_chOpt;
    unsigned cch = typeCode(pad->_iType).cchOptEntry;
    pch[0] = chOpt;
    pch[1] = ':';
    return pch + (chOpt ? cch : 0);
}

/* What the FILE* forms hand the stream forms: a C++ stream that writes
 * each piece straight to the FILE*, keeping nothing, and flushes the FILE*
 * where the stream forms flush their stream. Its buffer is libstdc++'s
 * own over a FILE*, the one std::cout has. */
struct FileStream {
    __gnu_cxx::stdio_sync_filebuf<char> buf;
    std::ostream os;
    explicit FileStream(FILE* pf);
};

FileStream::FileStream(FILE* pf) : buf(pf), os(&buf) {}

} // namespace

int argdScan(char chOpt, char* szArg, ArgDsc* pad, char* szProg, int, std::ostream& os)
{
    pad = find(chOpt, pad);
    assert(pad);
    return typeCode(pad->_iType).scan(pad, szArg, szProg, os);
}

int argdScanu(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os)
{
    assert(pad && pad->_iType == 'u');
    return scanNumber(pad, szArg, szProg, os);
}

int argdScanU(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os)
{
    assert(pad && pad->_iType == 'U');
    return scanNumber(pad, szArg, szProg, os);
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

/* Programs built against 1.0 call these two by their C++ names: the
 * names stay, as aliases of the C ones. */
void argdInitOptCxx(char* szOpt, ArgDsc* pad, int c) __asm__("_Z11argdInitOptPcP6ArgDsci")
    __attribute__((alias("argdInitOpt")));
int argdRemoveArgCxx(char** argv, int i, int* pArgc) __asm__("_Z13argdRemoveArgPPciPi")
    __attribute__((alias("argdRemoveArg")));

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
        for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad) {
            const char* szSyntax = szArgSyntax(pad);
            if (*szSyntax)
                os << " -" << pad->_chOpt << ' ' << szSyntax;
        }
        os << ']';
    }
    os << ' ' << (szPost ? szPost : "") << '\n' << "Options:\n";
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
        printDsc(pad, os);
}

/* The FILE* forms: the stream forms, on a FileStream. */
int argdScan(char chOpt, char* szArg, ArgDsc* pad, char* szProg, int i, FILE* pf)
{
    FileStream file(pf);
    return argdScan(chOpt, szArg, pad, szProg, i, file.os);
}

int argdScanu(ArgDsc* pad, char* szArg, char* szProg, FILE* pf)
{
    FileStream file(pf);
    return argdScanu(pad, szArg, szProg, file.os);
}

int argdScanU(ArgDsc* pad, char* szArg, char* szProg, FILE* pf)
{
    FileStream file(pf);
    return argdScanU(pad, szArg, szProg, file.os);
}

void argdShowUsage(ArgDsc* padBase, const char* szProg, const char* szPost, FILE* pf)
{
    FileStream file(pf);
    argdShowUsage(padBase, szProg, szPost, file.os);
}
