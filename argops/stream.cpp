// SPDX-License-Identifier: MIT
/* The operations' std::ostream& forms: the output of internal.h on the
 * caller's stream, whose own flags and locale format the numbers. The only
 * source of the library that needs the C++ library. */
#include "internal.h"

#include <ostream>
#include <string_view>

namespace argops {
namespace {

/* Formatted insertions, as << writes a text: a width the caller left set
 * on the stream is taken by the operation's first text. */
void writeStream(void* pv, const char* pch, size_t cch)
{
    *static_cast<std::ostream*>(pv) << std::string_view(pch, cch);
}

void flushStream(void* pv) { static_cast<std::ostream*>(pv)->flush(); }

void writeStreamNumber(void* pv, const Number& n)
{
    std::ostream& os = *static_cast<std::ostream*>(pv);
    switch (n.kind) {
    case Number::kInt: os << n.i; break;
    case Number::kUnsigned: os << n.u; break;
    case Number::kDouble: os << n.d; break;
    case Number::kLongLong: os << n.ll; break;
    }
}

const OutOps streamOps = {writeStream, flushStream, writeStreamNumber};

Out streamOut(std::ostream& os) { return {&streamOps, &os}; }

} // namespace
} // namespace argops

using namespace argops;

int argdScan(char chOpt, char* szArg, ArgDsc* pad, char* szProg, int, std::ostream& os)
{
    return scanOption(chOpt, szArg, pad, szProg, streamOut(os));
}

int argdScanu(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os)
{
    return scanSigned(pad, szArg, szProg, streamOut(os));
}

int argdScanU(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os)
{
    return scanUnsigned(pad, szArg, szProg, streamOut(os));
}

void argdShowUsage(ArgDsc* padBase, const char* szProg, const char* szPost, std::ostream& os)
{
    showUsage(padBase, szProg, szPost, streamOut(os));
}

int argdShowCompletion(ArgDsc* padBase, const char* szProg, const char* szShell, std::ostream& os)
{
    return showCompletion(padBase, nullptr, szProg, szShell, streamOut(os));
}

void argdShowManual(ArgDsc* padBase, const char* szProg, const char* szPost, std::ostream& os)
{
    showManual(padBase, nullptr, szProg, szPost, streamOut(os));
}

void argdShowHelp(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szPost, std::ostream& os)
{
    showHelp(padBase, pal, szProg, szPost, streamOut(os));
}

int argdShowLongCompletion(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szShell,
                           std::ostream& os)
{
    return showCompletion(padBase, pal, szProg, szShell, streamOut(os));
}

void argdShowLongManual(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szPost, std::ostream& os)
{
    showManual(padBase, pal, szProg, szPost, streamOut(os));
}
