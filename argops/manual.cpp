// SPDX-License-Identifier: MIT
/* argdShowManual: the SYNOPSIS and OPTIONS sections of a man(7) page, every
 * text of the table escaped so that roff shows it as written. */

/* A page without the program's name is the caller's fault, refused in every
 * build type. */
#undef NDEBUG
#include <cassert>

#include "internal.h"

#include <cstring>

namespace argops {
namespace {

/* In roff text, where the rest would print typographic glyphs; a newline
 * keeps its line break, and the next line begins with \& like every line
 * of caller text, so that a leading '.' or '\'' is no request. */
const Quoting quoteRoff = {"\\-'`^~\n", "\\(rs\0\\-\0\\(aq\0\\(ga\0\\(ha\0\\(ti\0\\&\n.br\n\\&"};

/* Roff reads bytes as Latin-1, and a page in plain ASCII reads the same
 * everywhere: a UTF-8 sequence becomes \[uXXXX]; a byte that begins none,
 * a sequence cut short, and a code that is none, a '?' (groff's default
 * device has no U+FFFD). Utf8 holds the sequence being read. */
struct Utf8 {
    unsigned uCode;
    unsigned uLeast; /* the least code that needs the sequence's length */
    int cMore;       /* bytes of the sequence still to come */
};

const struct {
    unsigned char bMask, bLead;
    unsigned uLeast;
    int cMore;
} aLeads[] = {{0xE0, 0xC0, 0x80, 1}, {0xF0, 0xE0, 0x800, 2}, {0xF8, 0xF0, 0x10000, 3}};

const unsigned uInvalid = 0x110000;

/* The spaces and hyphens of Latin-1 that roff has escapes of its own for:
 * its default device has no glyph of theirs. */
const struct {
    unsigned uCode;
    char szEscape[3];
} aRoffCodes[] = {{0xA0, "\\~"}, {0xAD, "\\%"}};

void writeCode(unsigned u, Out out)
{
    if (u >= uInvalid || (u >= 0xD800 && u < 0xE000)) {
        write(out, '?');
        return;
    }
    if (u < 0xA0) { /* C1 controls, as blanks like the others */
        write(out, ' ');
        return;
    }
    for (const auto& rc : aRoffCodes)
        if (u == rc.uCode) {
            write(out, rc.szEscape);
            return;
        }
    char sz[] = "\\[u000000]";
    int cDigits = u > 0xFFFFF ? 6 : u > 0xFFFF ? 5 : 4;
    for (int i = cDigits; i > 0; --i, u >>= 4)
        sz[2 + i] = "0123456789ABCDEF"[u & 15];
    sz[3 + cDigits] = ']';
    sz[4 + cDigits] = '\0';
    write(out, sz);
}

void endRoff(Utf8& u8, Out out)
{
    if (u8.cMore) {
        u8.cMore = 0;
        write(out, '?');
    }
}

void writeRoff(Utf8& u8, char ch, Out out)
{
    unsigned char b = static_cast<unsigned char>(ch);
    if (u8.cMore && (b & 0xC0) == 0x80) {
        u8.uCode = u8.uCode << 6 | (b & 0x3F);
        if (--u8.cMore == 0)
            writeCode(u8.uCode < u8.uLeast ? uInvalid : u8.uCode, out); /* an overlong sequence is none */
        return;
    }
    endRoff(u8, out);
    if (b < 0x80) {
        writeQuoted(ch, quoteRoff, true, out);
        return;
    }
    for (const auto& lead : aLeads)
        if ((b & lead.bMask) == lead.bLead) {
            u8 = {b & ~lead.bMask & 0xFFu, lead.uLeast, lead.cMore};
            return;
        }
    write(out, '?');
}

/* Every roff text is written through this output, which escapes each byte
 * on its way to the caller's and keeps none. Its numbers are printf()'s,
 * whatever the caller's output: a page must not depend on a stream's
 * flags. */
struct Roff {
    Out outTo;
    Utf8 u8;
};

void writeRoffText(void* pv, const char* pch, size_t cch)
{
    Roff& roff = *static_cast<Roff*>(pv);
    for (size_t i = 0; i < cch; ++i)
        writeRoff(roff.u8, pch[i], roff.outTo);
}

void flushRoff(void* pv) { static_cast<Roff*>(pv)->outTo.ops->flush(static_cast<Roff*>(pv)->outTo.pv); }

void writeRoffNumber(void* pv, const Number& n)
{
    char sz[64];
    const char* szNumber = formatNumber(n, sz);
    writeRoffText(pv, szNumber, strlen(szNumber));
}

const OutOps roffOps = {writeRoffText, flushRoff, writeRoffNumber};

void writeRoff(const char* sz, Out out)
{
    Roff roff = {out, {}};
    write(Out{&roffOps, &roff}, sz);
    endRoff(roff.u8, out);
}

/* A letter never breaks its line. */
void writeRoffLetter(char ch, Out out)
{
    const char sz[2] = {isControl(ch) ? ' ' : ch, '\0'};
    writeRoff(sz, out);
}

/* The value as the usage text shows it. */
void writeRoffValue(const ArgDsc* pad, Out out)
{
    Roff roff = {out, {}};
    typeCode(pad->_iType).show(pad->_pvVal, Out{&roffOps, &roff});
    endRoff(roff.u8, out);
}

/* A tag or a synopsis item: the option in bold, its syntax in italics,
 * held together by a space that does not break. */
void writeRoffOption(const ArgDsc* pad, Out out)
{
    write(out, "\\fB\\-");
    writeRoffLetter(pad->_chOpt, out);
    write(out, "\\fR");
    const char* szSyntax = typeCode(pad->_iType).szSyntax;
    if (*szSyntax) {
        write(out, "\\ \\fI");
        writeRoff(szSyntax, out);
        write(out, "\\fR");
    }
}

bool isFlag(const ArgDsc* pad) { return typeCode(pad->_iType).argument == argumentNone; }

} // namespace

/* The synopsis holds the usage line's pieces, an item a line, which roff
 * fills. A line that ends in caller text or a syntax text ends in \&, so
 * that a trailing blank is no space at the end of a line and a trailing
 * '.' no end of a sentence. */
void showManual(ArgDsc* padBase, const char* szProg, const char* szPost, Out out)
{
    assert(szProg && "argdShowManual needs the program's name");
    write(out, ".SH SYNOPSIS\n\\fB");
    writeRoff(szProg, out);
    write(out, "\\fR\n");
    int cItems = 0;
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
        if (isFlag(pad)) {
            write(out, cItems++ ? "" : "[\\fB\\-");
            writeRoffLetter(pad->_chOpt, out);
        }
    if (cItems)
        write(out, "\\fR");
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
        if (!isFlag(pad)) {
            write(out, cItems++ ? "\\&\n" : "[");
            writeRoffOption(pad, out);
        }
    if (cItems)
        write(out, "]\\&\n");
    if (szPost && *szPost) {
        write(out, "\\&");
        writeRoff(szPost, out);
        write(out, "\\&\n");
    }
    if (!padBase->_chOpt)
        return;
    write(out, ".SH OPTIONS\n");
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad) {
        write(out, ".TP\n");
        writeRoffOption(pad, out);
        write(out, "\n\\&");
        const char* szDsc = szDescription(*pad);
        writeRoff(szDsc, out);
        if (!strchr(szDsc, '[')) {
            write(out, " [");
            writeRoffValue(pad, out);
            write(out, ']');
        }
        write(out, "\\&\n");
    }
}

} // namespace argops

void argdShowManual(ArgDsc* padBase, const char* szProg, const char* szPost, FILE* pf)
{
    argops::showManual(padBase, szProg, szPost, argops::fileOut(pf));
}
