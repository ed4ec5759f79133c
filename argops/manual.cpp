// SPDX-License-Identifier: MIT
/* argdShowManual and argdShowLongManual: the SYNOPSIS and OPTIONS sections
 * of a man(7) page, every text of the table and of its long names escaped
 * so that roff shows it as written. */

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
 * everywhere: a code beyond ASCII becomes roff's escape of it, and what is
 * no UTF-8 a '?' (groff's default device has no U+FFFD). */

/* The spaces and hyphens of Latin-1 that roff has escapes of its own for:
 * its default device has no glyph of theirs. */
const struct {
    unsigned uCode;
    char szEscape[3];
} aRoffCodes[] = {{0xA0, "\\~"}, {0xAD, "\\%"}};

void writeRoffCode(unsigned u, const char*, size_t, Out out)
{
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

/* Every roff text is written through this output, which escapes each byte
 * on its way to the caller's and keeps none. Its numbers are printf()'s,
 * whatever the caller's output: a page must not depend on a stream's
 * flags. */
Utf8Text roffText(Out out) { return {out, &quoteRoff, writeRoffCode, 0, 0, 0, {}, 0}; }

void writeRoff(const char* sz, Out out)
{
    Utf8Text text = roffText(out);
    write(utf8Out(text), sz);
    endUtf8(text);
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
    Utf8Text text = roffText(out);
    typeCode(pad->_iType).show(pad->_pvVal, utf8Out(text));
    endUtf8(text);
}

/* A long name stays on its line and in one piece: a blank or another
 * control character in it is a space that does not break. */
void writeRoffLong(const char* sz, Out out)
{
    Utf8Text text = roffText(out);
    for (; *sz; ++sz)
        if (*sz == ' ' || isControl(*sz)) {
            endUtf8(text);
            write(out, "\\ ");
        } else {
            write(utf8Out(text), *sz);
        }
    endUtf8(text);
}

/* A tag or a synopsis item: the option in bold (-v, its long name szLong
 * after it, or a long-only row's alone), its syntax in italics, held
 * together by a space that does not break. */
void writeRoffOption(const ArgDsc* pad, const char* szLong, Out out)
{
    if (!szLong || !isLongOnly(pad->_chOpt)) {
        write(out, "\\fB\\-");
        writeRoffLetter(pad->_chOpt, out);
        write(out, szLong ? "\\fR, " : "\\fR");
    }
    if (szLong) {
        write(out, "\\fB\\-\\-");
        writeRoffLong(szLong, out);
        write(out, "\\fR");
    }
    const char* szSyntax = typeCode(pad->_iType).szSyntax;
    if (*szSyntax) {
        write(out, "\\ \\fI");
        writeRoff(szSyntax, out);
        write(out, "\\fR");
    }
}

/* The caller's text after the options, where a bracket group such as
 * "[file ...]" is one item: its blanks do not break. */
void writeSynopsisText(const char* sz, Out out)
{
    Utf8Text text = roffText(out);
    int cOpen = 0;
    bool fWordStart = true;
    for (; *sz; ++sz) {
        cOpen += *sz == '[' ? 1 : *sz == ']' && cOpen ? -1 : 0;
        if (*sz == ' ') {
            endUtf8(text);
            write(out, cOpen ? "\\ " : " ");
            fWordStart = !cOpen;
            continue;
        }
        if (fWordStart) {
            endUtf8(text);
            write(out, "\\%");
            fWordStart = false;
        }
        write(utf8Out(text), *sz);
    }
    endUtf8(text);
}

} // namespace

/* The synopsis holds the usage line's items, an item a line, which roff
 * fills without adjusting the lines (.na): an item, its words joined by
 * blanks that do not break, begins with \%, so that it is not hyphenated
 * either. A line that ends in caller text or a syntax text ends in \&, so
 * that a trailing blank is no space at the end of a line and a trailing
 * '.' no end of a sentence. */
void showManual(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szPost, Out out)
{
    assert(szProg && "argdShowManual needs the program's name");
    if (pal)
        checkLongNames(padBase, pal);
    write(out, ".SH SYNOPSIS\n.na\n\\fB\\%");
    writeRoff(szProg, out);
    write(out, "\\fR\n");
    int cItems = 0;
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
        if (isGrouped(pad, pal)) {
            write(out, cItems++ ? "" : "\\%[\\fB\\-");
            writeRoffLetter(pad->_chOpt, out);
        }
    if (cItems)
        write(out, "\\fR");
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
        if (!isGrouped(pad, pal)) {
            write(out, cItems++ ? "\\&\n\\%" : "\\%[");
            writeRoffOption(pad, longOnlyName(pad, pal), out);
        }
    if (cItems)
        write(out, "]\\&\n");
    if (szPost && *szPost) {
        write(out, "\\&");
        writeSynopsisText(szPost, out);
        write(out, "\\&\n");
    }
    write(out, ".ad\n");
    if (!padBase->_chOpt)
        return;
    write(out, ".SH OPTIONS\n");
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad) {
        write(out, ".TP\n");
        writeRoffOption(pad, firstLongName(pal, pad->_chOpt), out);
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
    argops::showManual(padBase, nullptr, szProg, szPost, argops::fileOut(pf));
}

void argdShowLongManual(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szPost, FILE* pf)
{
    argops::showManual(padBase, pal, szProg, szPost, argops::fileOut(pf));
}
