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

/* What argdScan does with an argument; its switch says how, once per kind. */
enum class Conversion : unsigned char { none, clear, set, toggle, boolean, text, signedInt, unsignedInt };

using ShowFn = void (*)(const void* pv, std::ostream& os);

/* Everything the library knows about a type code, in one place. */
struct TypeCode {
    int iType;
    const char* szSyntax;  /* empty for exactly the flag types */
    const char* szOptArg;  /* after the letter in the getopt() string: "" or ":"; null: no entry */
    ShowFn show;
    Conversion conversion; /* none: the program converts the argument itself */
};

constexpr TypeCode aTypeCodes[] = {
    {'0', "", "", showOnOff, Conversion::clear},
    {'1', "", "", showOnOff, Conversion::set},
    {'b', "", "", showBool, Conversion::toggle},
    {'B', "t|f", ":", showBool, Conversion::boolean},
    {'u', "<int>", ":", showInt, Conversion::signedInt},
    {'U', "<uint>", ":", showUnsigned, Conversion::unsignedInt},
    {'d', "<real>", ":", showDouble, Conversion::none},
    {'s', "\"...\"", ":", showText, Conversion::text},
    {'t', "<date>", ":", showTime, Conversion::none},
    {'-', "<...>", ":", showNothing, Conversion::none},
    {'+', "...", nullptr, showNothing, Conversion::none},
};

/* The busy paths find a code's row by the code itself, not by a search:
 * this index, and the lengths it holds, are derived from aTypeCodes when
 * the library is compiled. The codes are ASCII characters, so that the
 * index needs only 128 entries: a smaller library, the same lookup. */
constexpr unsigned cIndexed = 128;

struct CodeIndex {
    struct alignas(4) Entry { /* four bytes, so that one scaled load reaches a field */
        unsigned char iCode;       /* 1 + the code's position in aTypeCodes; 0: not a code */
        unsigned char cchOptEntry; /* the letter and szOptArg; 0: no entry */
        unsigned char cchSyntax;
        Conversion conversion;
    } a[cIndexed];
};

constexpr unsigned char cchOf(const char* sz) { return *sz ? 1 + cchOf(sz + 1) : 0; }

constexpr CodeIndex makeCodeIndex()
{
    CodeIndex index{};
    unsigned char iCode = 0;
    for (const TypeCode& tc : aTypeCodes)
        index.a[tc.iType] = {++iCode, static_cast<unsigned char>(tc.szOptArg ? 1 + cchOf(tc.szOptArg) : 0),
                             cchOf(tc.szSyntax), tc.conversion};
    return index;
}

constexpr CodeIndex codeIndex = makeCodeIndex();

/* argdInitOpt writes a letter and ':' and keeps what cchOptEntry says. */
constexpr bool fitsIndex()
{
    for (const TypeCode& tc : aTypeCodes)
        if (static_cast<unsigned>(tc.iType) >= cIndexed || (tc.szOptArg && cchOf(tc.szOptArg) > (tc.szOptArg[0] == ':')))
            return false;
    return true;
}
static_assert(fitsIndex(), "each code is an ASCII character and its option-string entry at most the letter and ':'");

[[noreturn, gnu::cold, gnu::noinline]] void refuseTypeCode()
{
    assert(!"type code of an ArgDsc row is not one of 01bBuUdst-+");
    abort();
}

const CodeIndex::Entry& entryOf(int iType)
{
    unsigned u = static_cast<unsigned>(iType);
    if (u >= cIndexed || !codeIndex.a[u].iCode)
        refuseTypeCode();
    return codeIndex.a[u];
}

const TypeCode* typeCode(int iType) { return &aTypeCodes[entryOf(iType).iCode - 1]; }

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
    const CodeIndex::Entry& entry = entryOf(pad->_iType);
    const TypeCode& tc = aTypeCodes[entry.iCode - 1];
    /* The lengths are known: written without measuring the texts again. */
    os << szIndent << '-' << pad->_chOpt << ' ';
    os.write(tc.szSyntax, entry.cchSyntax);
    if (entry.cchSyntax < 8) /* the syntax column is 8 wide */
        os.write("        ", 8 - entry.cchSyntax);
    os << pad->_szDsc;
    if (!strchr(pad->_szDsc, '[')) {
        os << " [";
        tc.show(pad->_pvVal, os);
        os << ']';
    }
    os << std::endl;
}

/* The error reports are rare: kept out of line, so that the conversions
 * keep nothing alive for them across strtol(). */
[[gnu::cold, gnu::noinline]] int reportScan(const ArgDsc* pad, const char* szArg, const char* szProg,
                                            const char* szDetail, std::ostream& os)
{
    os << szProg << ": option scan error" << std::endl;
    printDsc(pad, os);
    os << szIndent << szDetail << szArg << '"' << std::endl;
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

/* The low 32 bits, spelled out so that no conversion overflows. */
unsigned low32(unsigned long ul) { return static_cast<unsigned>(ul & 0xFFFFFFFFul); }

int lowInt(long l)
{
    unsigned u = low32(static_cast<unsigned long>(l));
    if (u <= INT_MAX)
        return static_cast<int>(u);
    return static_cast<int>(u - 0x80000000u) + INT_MIN;
}

/* The range of a 'u' row without a range pair: negative values are refused.
 * Read like a pair, it spares the conversion a branch. */
const int aiDefaultRange[2] = {0, INT_MAX};

/* A conversion's end pointer, and what its report would need. Kept in the
 * frame, where strtol() leaves them alone, rather than in registers whose
 * saving and restoring every successful call would pay for. */
struct Scan {
    char* pchEnd;
    ArgDsc* pad;
    char* szArg;
    char* szProg;
    std::ostream* pos;
};

/* Out of line, so that the rows that convert nothing need no stack frame.
 * They take argdScan's own parameters, so that its tail calls move no
 * register. GCC would clone them with a shorter list, and clang drop the
 * parameters they do not use, whose moves every call of argdScan would then
 * pay: noipa forbids it in GCC, and in clang, which does not know noipa,
 * used does. */
#ifdef __clang__
#define KEEP_PARAMETERS gnu::noinline, gnu::used
#else
#define KEEP_PARAMETERS gnu::noipa
#endif

[[KEEP_PARAMETERS]] int scanInt(char, char* szArg, ArgDsc* pad, char* szProg, int, std::ostream& os)
{
    Scan scan;
    scan.pad = pad;
    scan.szArg = szArg;
    scan.szProg = szProg;
    scan.pos = &os;
    int i = lowInt(strtol(szArg, &scan.pchEnd, 0));
    if (*scan.pchEnd)
        return reportScan(scan.pad, scan.szArg, scan.szProg, "can't get integer from:\"", *scan.pos);
    const int* piRange = scan.pad->_pvQual ? static_cast<const int*>(scan.pad->_pvQual) : aiDefaultRange;
    if (i < piRange[0] || i > piRange[1])
        return reportRange(scan.pad, scan.szProg, piRange[0], piRange[1], *scan.pos);
    *static_cast<int*>(scan.pad->_pvVal) = i;
    return 0;
}

[[KEEP_PARAMETERS]] int scanUnsigned(char, char* szArg, ArgDsc* pad, char* szProg, int, std::ostream& os)
{
    Scan scan;
    scan.pad = pad;
    scan.szArg = szArg;
    scan.szProg = szProg;
    scan.pos = &os;
    unsigned u = low32(strtoul(szArg, &scan.pchEnd, 0));
    if (*scan.pchEnd)
        return reportScan(scan.pad, scan.szArg, scan.szProg, "can't get unsigned from:\"", *scan.pos);
    *static_cast<unsigned*>(scan.pad->_pvVal) = u;
    return 0;
}

/* What argdScan refuses: a letter missing from the table, or a row that it
 * cannot convert. Out of line and returning, so that argdScan reaches it by
 * a tail call and needs no stack frame of its own. */
[[gnu::cold, gnu::noinline]] int refuseScan(const ArgDsc* pad)
{
    assert(pad);
    assert(typeCode(pad->_iType)->conversion != Conversion::none &&
           "argdScan has no conversion for rows of type -, +, d or t");
    return -1;
}

/* Writes the letter and ':' and keeps as much of them as the row's entry
 * has: never more than the two characters per row that szOpt has room for. */
char* appendOptEntry(char* pch, const ArgDsc* pad)
{
    char chOpt = pad->_chOpt;
    unsigned cch = entryOf(pad->_iType).cchOptEntry;
    pch[0] = chOpt;
    pch[1] = ':';
    return pch + (chOpt ? cch : 0); /* a row with the letter 0 adds nothing */
}

} // namespace

int argdScan(char chOpt, char* szArg, ArgDsc* pad, char* szProg, int, std::ostream& os)
{
    pad = find(chOpt, pad, -1);
    if (!pad)
        return refuseScan(pad);
    int* pi = static_cast<int*>(pad->_pvVal);
    unsigned u = static_cast<unsigned>(pad->_iType);
    switch (u < cIndexed ? codeIndex.a[u].conversion : Conversion::none) {
    case Conversion::clear: *pi = 0; return 0;
    case Conversion::set: *pi = 1; return 0;
    case Conversion::toggle: *pi = *pi == 0; return 0;
    case Conversion::boolean: *pi = szArg[0] == 't' || szArg[0] == 'T'; return 0;
    case Conversion::text: *static_cast<const char**>(pad->_pvVal) = szArg; return 0;
    case Conversion::signedInt: return scanInt(0, szArg, pad, szProg, 0, os);
    case Conversion::unsignedInt: return scanUnsigned(0, szArg, pad, szProg, 0, os);
    case Conversion::none: return refuseScan(pad);
    }
    __builtin_unreachable(); /* every kind returned above: no range check before the jump */
}

int argdScanu(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os)
{
    assert(pad && pad->_iType == 'u');
    return scanInt(0, szArg, pad, szProg, 0, os);
}

int argdScanU(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os)
{
    assert(pad && pad->_iType == 'U');
    return scanUnsigned(0, szArg, pad, szProg, 0, os);
}

void argdInitOpt(char* szOpt, ArgDsc* pad, int c)
{
    *szOpt = '\0';
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
