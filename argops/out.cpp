// SPDX-License-Identifier: MIT
/* The output that every text of the library goes through, and its FILE*
 * form: stdio's own calls, so that a C program needs nothing more than the
 * C library. */
#include "internal.h"

#include <cstdio>
#include <cstring>

namespace argops {
namespace {

void writeFile(void* pv, const char* pch, size_t cch) { fwrite(pch, 1, cch, static_cast<FILE*>(pv)); }

void flushFile(void* pv) { fflush(static_cast<FILE*>(pv)); }

void writeFileNumber(void* pv, const Number& n)
{
    char sz[64];
    const char* szNumber = formatNumber(n, sz);
    writeFile(pv, szNumber, strlen(szNumber));
}

} // namespace

const OutOps fileOps = {writeFile, flushFile, writeFileNumber};

/* A C program's own locale applies to the decimal point, as it does to
 * everything else the program prints. */
const char* formatNumber(const Number& n, char (&sz)[64])
{
    switch (n.kind) {
    case Number::kInt: snprintf(sz, sizeof sz, "%d", n.i); break;
    case Number::kUnsigned: snprintf(sz, sizeof sz, "%u", n.u); break;
    case Number::kDouble: snprintf(sz, sizeof sz, "%g", n.d); break;
    case Number::kLongLong: snprintf(sz, sizeof sz, "%lld", n.ll); break;
    }
    return sz;
}

namespace {

const char* szPiece(const char* sz, long i)
{
    for (; i > 0; --i)
        sz += strlen(sz) + 1;
    return sz;
}

} // namespace

bool isControl(char ch) { return static_cast<unsigned char>(ch) < ' ' || ch == '\x7f'; }

void writeQuoted(char ch, const Quoting& q, bool fOneLine, Out out)
{
    const char* pch = strchr(q.szSpecial, ch);
    if (ch && pch)
        write(out, szPiece(q.szPieces, pch - q.szSpecial));
    else
        write(out, fOneLine && isControl(ch) ? ' ' : ch);
}

void writeQuoted(const char* sz, const Quoting& q, bool fOneLine, Out out)
{
    for (; *sz; ++sz)
        writeQuoted(*sz, q, fOneLine, out);
}

} // namespace argops
