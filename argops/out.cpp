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

namespace {

const struct {
    unsigned char bMask, bLead;
    unsigned uLeast;
    int cMore;
} aLeads[] = {{0xE0, 0xC0, 0x80, 1}, {0xF0, 0xE0, 0x800, 2}, {0xF8, 0xF0, 0x10000, 3}};

void writeCode(Utf8Text& text)
{
    unsigned u = text.uCode;
    if (u < text.uLeast || (u >= 0xD800 && u < 0xE000) || u > 0x10FFFF) /* overlong, a surrogate, or beyond */
        write(text.out, '?');
    else if (u < 0xA0) /* a C1 control */
        write(text.out, ' ');
    else
        text.writeCode(u, text.ach, text.cch, text.out);
}

void writeUtf8(Utf8Text& text, char ch)
{
    unsigned char b = static_cast<unsigned char>(ch);
    if (text.cMore && (b & 0xC0) == 0x80) {
        text.uCode = text.uCode << 6 | (b & 0x3F);
        text.ach[text.cch++] = ch;
        if (--text.cMore == 0)
            writeCode(text);
        return;
    }
    endUtf8(text);
    if (b < 0x80) {
        writeQuoted(ch, *text.pq, true, text.out);
        return;
    }
    for (const auto& lead : aLeads)
        if ((b & lead.bMask) == lead.bLead) {
            text.uCode = b & ~lead.bMask & 0xFFu;
            text.uLeast = lead.uLeast;
            text.cMore = lead.cMore;
            text.ach[0] = ch;
            text.cch = 1;
            return;
        }
    write(text.out, '?');
}

void writeUtf8Text(void* pv, const char* pch, size_t cch)
{
    for (size_t i = 0; i < cch; ++i)
        writeUtf8(*static_cast<Utf8Text*>(pv), pch[i]);
}

void flushUtf8(void* pv) { static_cast<Utf8Text*>(pv)->out.ops->flush(static_cast<Utf8Text*>(pv)->out.pv); }

void writeUtf8Number(void* pv, const Number& n)
{
    char sz[64];
    const char* szNumber = formatNumber(n, sz);
    writeUtf8Text(pv, szNumber, strlen(szNumber));
}

const OutOps utf8Ops = {writeUtf8Text, flushUtf8, writeUtf8Number};

} // namespace

Out utf8Out(Utf8Text& text) { return {&utf8Ops, &text}; }

void endUtf8(Utf8Text& text)
{
    if (text.cMore) {
        text.cMore = 0;
        write(text.out, '?');
    }
}

} // namespace argops
