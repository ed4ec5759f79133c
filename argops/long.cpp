// SPDX-License-Identifier: MIT
/* Long names: getopt_long()'s array and the help that shows them beside
 * the letters. A table of ArgLong rows names ArgDsc rows by their letters,
 * so that ArgDsc keeps the five fields of the 1.x ABI. */

/* As in argops.cpp: a caller's fault ends the process in every build. */
#undef NDEBUG
#include <cassert>

#include "internal.h"

#include <getopt.h>

namespace argops {
namespace {

/* Where a long name stands in help: after ", " beside its letter, or
 * where the letter and ", " would be. */
const char szNoLetter[] = "    ";

/* Writes the row's option as help shows it (-v, -v, --verbose, or a
 * long-only row's blanks and --color, then a blank and the syntax, if
 * any), or only counts it with a null out. Returns its width. */
size_t writeOption(const ArgDsc* pad, const ArgLong* pal, const Out* pout)
{
    const char* szLong = firstLongName(pal, pad->_chOpt);
    const char* szSyntax = typeCode(pad->_iType).szSyntax;
    char szLetter[] = "-?, ";
    szLetter[1] = pad->_chOpt;
    if (!szLong)
        szLetter[2] = '\0';
    const char* aszPieces[] = {isLongOnly(pad->_chOpt) ? szNoLetter : szLetter, szLong ? "--" : "",
                               szLong ? szLong : "", *szSyntax ? " " : "", szSyntax};
    size_t cch = 0;
    for (const char* sz : aszPieces) {
        if (pout)
            write(*pout, sz);
        cch += strlen(sz);
    }
    return cch;
}

void writeBlanks(size_t cch, Out out)
{
    static const char szBlanks[] = "                ";
    for (; cch > sizeof szBlanks - 1; cch -= sizeof szBlanks - 1)
        write(out, szBlanks, sizeof szBlanks - 1);
    write(out, szBlanks, cch);
}

} // namespace

const char* firstLongName(const ArgLong* pal, char chOpt)
{
    for (; pal && pal->_chOpt; ++pal)
        if (pal->_chOpt == chOpt)
            return pal->_szLong;
    return nullptr;
}

void checkLongNames(ArgDsc* padBase, const ArgLong* pal)
{
    for (const ArgLong* pl = pal; pl && pl->_chOpt; ++pl) {
        const ArgDsc* pad = find(pl->_chOpt, padBase);
        assert(pad && "every long name names a row");
        assert(pad->_iType != '+' && "a '+' row takes no long name");
        assert(pl->_szLong && *pl->_szLong && !strchr(pl->_szLong, '=') && "a long name is a word without '='");
    }
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
        assert((!isLongOnly(pad->_chOpt) || firstLongName(pal, pad->_chOpt)) && "a long-only row needs a long name");
}

void showHelp(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szPost, Out out)
{
    if (!pal) {
        showUsage(padBase, szProg, szPost, out);
        return;
    }
    checkLongNames(padBase, pal);
    /* The usage text's column: "-U <uint>" and two blanks. */
    size_t cchColumn = 11;
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad) {
        size_t cch = writeOption(pad, pal, nullptr) + 2;
        cchColumn = cch > cchColumn ? cch : cchColumn;
    }
    writeUsageHead(padBase, pal, szProg, szPost, out);
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad) {
        write(out, szIndent);
        writeBlanks(cchColumn - writeOption(pad, pal, &out), out);
        endDsc(pad, out);
    }
}

} // namespace argops

using namespace argops;

void argdInitLong(char* szOpt, struct option* aopt, ArgDsc* pad, const ArgLong* pal)
{
    checkLongNames(pad, pal);
    for (const ArgDsc* pd = pad; pd->_chOpt; ++pd)
        if (!isLongOnly(pd->_chOpt))
            szOpt = appendOptEntry(szOpt, pd);
    *szOpt = '\0';
    for (; pal && pal->_chOpt; ++pal, ++aopt) {
        const ArgDsc* pd = find(pal->_chOpt, pad);
        *aopt = {pal->_szLong, isFlag(pd) ? no_argument : required_argument, nullptr, pal->_chOpt};
    }
    *aopt = {nullptr, 0, nullptr, 0};
}

void argdShowHelp(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szPost, FILE* pf)
{
    showHelp(padBase, pal, szProg, szPost, fileOut(pf));
}
