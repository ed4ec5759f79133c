// SPDX-License-Identifier: MIT
// show_tool: the completion scripts and manual sections of one fixed table,
// for the tests in shells/ to load into the real shells and formatters.
//   show_tool completion <shell> [progname]   the script (exit 2 when refused)
//   show_tool bytes <shell>                   the script of program "bytes",
//                                             whose one row's description
//                                             holds a byte that is no UTF-8
//                                             and a C1 control
//   show_tool completion-long <shell> [progname]
//                                             the script with the long names
//   show_tool manual                          SYNOPSIS and OPTIONS
//   show_tool manual-long                     the same with the long names
//   show_tool flags                           the same of 62 flags
//   show_tool table                           each row: letter in hex, code,
//                                             description with its control
//                                             characters as blanks
//   show_tool alloc                           heap allocations made while
//                                             writing everything once more
// Every type code has a row; the descriptions hold what a shell or roff
// would run or read as markup, with markers named pwned-* for a file that a
// command substitution would create. The last rows have letters that no
// shell can complete: they must be left out, harmlessly.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <streambuf>

#include "argops.h"

static int fVerbose = 0, fQuiet = 0, fColour = 1, fBool = 1, iPasses = 3, fPercent = 0, fOdd = 0;
static int aiPasses[2] = {1, 10};
static unsigned uMask = 0x20;
static double dRatio = -0.5;
static time_t tWhen = 0;
static const char* szOut = "out 'file' $(touch pwned-value) -x.txt";

static ArgDsc aDsc[] = {
    {'v', "verbose \"dq\" 'sq' $(touch pwned-1) `touch pwned-2`; touch pwned-3 [x] a:b", '1', &fVerbose},
    {'q', "quiet \\ back\\slash $HOME ${HOME+$(touch pwned-4)} \\", 'b', &fQuiet},
    {'c', ".starts with a dot, ends with a blank ", '0', &fColour},
    {'n', "'starts with a quote; %d %B -n --long [1..10]", 'u', &iPasses, aiPasses},
    {'B', "bool on two\nlines", 'B', &fBool},
    {'o', "output file: ] and [ and : and \\]", 's', &szOut},
    {'x', " leading blank -x- \\fB not bold \\\" no comment", '-'},
    {'U', "mask\twith a tab ~ ^ ` |", 'U', &uMask},
    {'d', "ratio \x01 control \x1b escape \x7f", 'd', &dRatio},
    {'t', "-starts with a hyphen", 't', &tWhen},
    {'L',
     "listed only, gr\xc3\xb6\xc3\x9f"
     "e \xe2\x82\xac",
     '+'},
    {'%', "percent letter )(", '1', &fPercent},
    {'N', nullptr, '1', &fOdd}, /* no description: the empty text */
    {'v', "second row of -v: never offered", '0', &fVerbose},
    {'\'', "quote letter", '1', &fOdd},
    {'"', "double quote letter", '1', &fOdd},
    {'$', "dollar letter", 's', &szOut},
    {'\\', "backslash letter", 'u', &iPasses},
    {'[', "bracket letter", '1', &fOdd},
    {'*', "star letter", '1', &fOdd},
    {';', "semicolon letter", 'B', &fBool},
    {' ', "blank letter", '1', &fOdd},
    {'\n', "newline letter", '1', &fOdd},
    {'\xff', "byte 255 letter", '1', &fOdd},
    {'-', "hyphen letter", '1', &fOdd},
    {'+', "plus letter", '1', &fOdd},
    {0},
};

// Long names: two for -o, one for the long-only newline row and for the
// '$' row, whose letter no shell completes; -q's and -x's hold what a shell
// would run, and are never offered.
static const ArgLong aLong[] = {
    {'v', "verbose"},
    {'q', "quiet $(touch pwned-long1)"},
    {'B', "bool"},
    {'o', "output"},
    {'o', "out-file"},
    {'n', "passes"},
    {'\n', "newline"},
    {'$', "dollar"},
    {'x', "x'`touch pwned-long2`;\\"},
    {'v', "verbose"}, // a second time: offered once
    {0},
};

static ArgDsc aBytes[] = {{'e',
                           "caf\xe9\xc2\x85"
                           "end",
                           '1', &fOdd},
                          {0}};

// Counts glibc's allocations; a sanitizer has a malloc of its own.
static unsigned long cAlloc = 0;
#if !defined(__SANITIZE_ADDRESS__)
extern "C" void* __libc_malloc(size_t cb);
extern "C" void* malloc(size_t cb)
{
    ++cAlloc;
    return __libc_malloc(cb);
}
#endif

struct NullBuf : std::streambuf {
    int_type overflow(int_type ch) override { return traits_type::not_eof(ch); }
};

// Every writer once, on a stream and on a FILE*.
static void writeAll(std::ostream& os, FILE* pf)
{
    for (const char* sz : {"bash", "zsh", "fish"}) {
        argdShowCompletion(aDsc, "tool", sz, os);
        argdShowCompletion(aDsc, "tool", sz, pf);
        argdShowLongCompletion(aDsc, aLong, "tool", sz, os);
        argdShowLongCompletion(aDsc, aLong, "tool", sz, pf);
    }
    argdShowLongManual(aDsc, aLong, "tool", "file ...", os);
    argdShowLongManual(aDsc, aLong, "tool", "file ...", pf);
    argdShowManual(aDsc, "tool", "file ...", os);
    argdShowManual(aDsc, "tool", "file ...", pf);
    argdShowHelp(aDsc, aLong, "tool", "file ...", os);
    argdShowHelp(aDsc, aLong, "tool", "file ...", pf);
}

int main(int argc, char** argv)
{
    const char* szMode = argc > 1 ? argv[1] : "";
    if (!strcmp(szMode, "completion") && argc > 2)
        return argdShowCompletion(aDsc, argc > 3 ? argv[3] : "show_tool", argv[2], std::cout) ? 2 : 0;
    if (!strcmp(szMode, "completion-long") && argc > 2)
        return argdShowLongCompletion(aDsc, aLong, argc > 3 ? argv[3] : "show_tool", argv[2], std::cout) ? 2 : 0;
    if (!strcmp(szMode, "bytes") && argc > 2)
        return argdShowCompletion(aBytes, "bytes", argv[2], std::cout) ? 2 : 0;
    if (!strcmp(szMode, "manual")) {
        argdShowManual(aDsc, "tool", "[file [file ...]]", std::cout);
        return 0;
    }
    if (!strcmp(szMode, "manual-long")) {
        argdShowLongManual(aDsc, aLong, "tool", "[file [file ...]]", std::cout);
        return 0;
    }
    if (!strcmp(szMode, "flags")) {
        static ArgDsc aFlags[63];
        const char szLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        for (size_t i = 0; i + 1 < sizeof szLetters; ++i)
            aFlags[i] = {szLetters[i], "a flag", '1', &fOdd};
        argdShowManual(aFlags, "tool", "[file [file ...]] and further arguments", std::cout);
        return 0;
    }
    if (!strcmp(szMode, "table")) {
        for (const ArgDsc* pad = aDsc; pad->_chOpt; ++pad) {
            printf("%02x\t%c\t", static_cast<unsigned char>(pad->_chOpt), pad->_iType);
            for (const char* pch = pad->_szDsc ? pad->_szDsc : ""; *pch; ++pch)
                putchar(static_cast<unsigned char>(*pch) < ' ' || *pch == '\x7f' ? ' ' : *pch);
            putchar('\n');
        }
        return 0;
    }
    if (!strcmp(szMode, "alloc")) {
#if defined(__SANITIZE_ADDRESS__)
        return 77; // nothing to count: the sanitizer's malloc is its own
#endif
        // With TZ unset, glibc copies the default zone's name on every
        // ctime(): the library's ctime, not the writers, would be counted.
        setenv("TZ", "UTC", 1);
        NullBuf buf;
        std::ostream os(&buf);
        static char achBuffer[1 << 16];
        FILE* pf = fopen("/dev/null", "w");
        setvbuf(pf, achBuffer, _IOFBF, sizeof achBuffer);
        writeAll(os, pf); // the first round may set up the time zone and the locale
        unsigned long cBefore = cAlloc;
        writeAll(os, pf);
        printf("%lu\n", cAlloc - cBefore);
        return 0;
    }
    fprintf(stderr, "usage: %s completion[-long] <shell> [progname] | manual[-long] | table | alloc\n", argv[0]);
    return 2;
}
