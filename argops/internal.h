// SPDX-License-Identifier: MIT
/* What the library's source files share, and no program sees: the output
 * that every text is written through, and the type codes. */
#ifndef ARGOPS_INTERNAL_H
#define ARGOPS_INTERNAL_H

#include <stddef.h>
#include <string.h>

#include "argops.h"

/* Hidden from a program's shared objects too, when the archive is linked
 * into one: only the operations of argops.h are anyone's to call. */
#pragma GCC visibility push(hidden)

namespace argops {

/* A number, of the type whose format a stream or printf() gives it. */
struct Number {
    enum Kind { kInt, kUnsigned, kDouble, kLongLong } kind;
    union {
        int i;
        unsigned u;
        double d;
        long long ll;
    };
    explicit Number(int iValue) : kind(kInt), i(iValue) {}
    explicit Number(unsigned uValue) : kind(kUnsigned), u(uValue) {}
    explicit Number(double dValue) : kind(kDouble), d(dValue) {}
    explicit Number(long long llValue) : kind(kLongLong), ll(llValue) {}
};

struct OutOps;

/* Where an operation writes: the caller's FILE* or std::ostream, behind the
 * few things that the texts need of it. Only out.cpp and stream.cpp know
 * which (manual.cpp adds an output that escapes for roff on its way to
 * either), so that each text is written by one piece of code, and the code
 * that a C program links never reaches the C++ runtime. */
struct Out {
    const OutOps* ops;
    void* pv; /* the FILE* or the std::ostream */
};

struct OutOps {
    void (*write)(void* pv, const char* pch, size_t cch);
    void (*flush)(void* pv);
    /* A FILE* as printf() writes numbers, a stream by its own flags and
     * locale. */
    void (*writeNumber)(void* pv, const Number& n);
};

extern const OutOps fileOps; /* out.cpp */

/* Writes n into sz as printf() does, and returns sz. */
const char* formatNumber(const Number& n, char (&sz)[64]);

inline Out fileOut(FILE* pf) { return {&fileOps, pf}; }

inline void write(Out out, const char* pch, size_t cch) { out.ops->write(out.pv, pch, cch); }
inline void write(Out out, const char* sz) { write(out, sz, strlen(sz)); }
inline void write(Out out, char ch) { write(out, &ch, 1); }
inline void write(Out out, const Number& n) { out.ops->writeNumber(out.pv, n); }

/* A newline, then a flush. */
inline void endLine(Out out)
{
    write(out, '\n');
    out.ops->flush(out.pv);
}

/* What follows an option's letter on a command line: what getopt() is
 * told, and what a shell offers to complete there. */
enum Argument : unsigned char {
    argumentNone,    /* nothing: a flag */
    argumentBoolean, /* t or f: true and false */
    argumentFile,    /* a text: file names */
    argumentValue,   /* a number or a date that the user types: nothing to pick */
    argumentListed,  /* no option at all: the row is only listed in the usage text */
};

/* Everything the library knows about a type code, in one place. */
struct TypeCode {
    int iType;
    char szSyntax[8]; /* empty for exactly the flag types; the syntax column is 8 wide */
    Argument argument;
    void (*show)(const void* pv, Out out); /* the value shown in brackets */
    int (*scan)(ArgDsc* pad, char* szArg, char* szProg, Out out);
};

/* The code's entry; refuses, by assertion, a code that is none. */
const TypeCode& typeCode(int iType);

/* How a text is written as itself in one place: each character of
 * szSpecial becomes the piece at its position in szPieces, the pieces one
 * after the other, each ending in a NUL. */
struct Quoting {
    char szSpecial[8];
    const char* szPieces;
};

bool isControl(char ch);

/* An output that reads what it is given as UTF-8, for a reader that takes
 * text as UTF-8 and nothing else, and writes on out: an ASCII character
 * quoted by *pq as a text on one line, a C1 control as a blank like the
 * other controls, any other code by writeCode (given the code and its
 * bytes), and for what is no UTF-8 (a byte that begins no sequence, a
 * sequence cut short, an overlong one, a surrogate) a '?'. Numbers are
 * printf()'s. */
struct Utf8Text {
    Out out;
    const Quoting* pq;
    void (*writeCode)(unsigned u, const char* pch, size_t cch, Out out);
    unsigned uCode;
    unsigned uLeast; /* the least code that needs the sequence's length */
    int cMore;       /* bytes of the sequence still to come */
    char ach[4];     /* its bytes so far */
    size_t cch;
};

Out utf8Out(Utf8Text& text);
void endUtf8(Utf8Text& text); /* the end of the text, where a sequence may be cut short */

/* The writers take a row's null description for the empty text: a table
 * may leave out what only the usage text shows. */
inline const char* szDescription(const ArgDsc& row) { return row._szDsc ? row._szDsc : ""; }

/* fOneLine: the text is shown on one line (a description beside its
 * option, a roff text), where a control character would break the line or
 * the terminal: it is shown as a blank. */
void writeQuoted(char ch, const Quoting& q, bool fOneLine, Out out);
void writeQuoted(const char* sz, const Quoting& q, bool fOneLine, Out out);

/* What begins every option line of the usage text and the help, and the
 * third line of a scan's error report. */
const char szIndent[] = "    ";

/* The first row of the letter in the table pad, up to its ending row, or
 * null: the row argdScan takes. */
ArgDsc* find(char chOpt, ArgDsc* pad);

/* A row of a long-only option: its letter is a control character. */
inline bool isLongOnly(char ch) { return ch >= 1 && ch <= 31; }

/* The first long name of the letter in pal (null: none), or null. */
const char* firstLongName(const ArgLong* pal, char chOpt);

/* With long names pal (or null), a long-only row's first name, which the
 * synopses show in place of its letter; else null. */
inline const char* longOnlyName(const ArgDsc* pad, const ArgLong* pal)
{
    return pal && isLongOnly(pad->_chOpt) ? firstLongName(pal, pad->_chOpt) : nullptr;
}

/* A flag: its option takes no argument. */
inline bool isFlag(const ArgDsc* pad) { return typeCode(pad->_iType).argument == argumentNone; }

/* A row that a synopsis groups with the other flags after one '-': a flag
 * with a letter of its own. */
inline bool isGrouped(const ArgDsc* pad, const ArgLong* pal) { return isFlag(pad) && !longOnlyName(pad, pal); }

/* Refuses, by assertions of long.cpp, long names that name no row or a
 * '+' row, that are null, empty or hold '=', and a long-only row without
 * a name in pal. */
void checkLongNames(ArgDsc* padBase, const ArgLong* pal);

/* The usage line and the "Options:" line; with long names pal (or null),
 * a long-only row is --name and its syntax in it. */
void writeUsageHead(const ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szPost, Out out);

/* Writes the row's getopt() entry (its letter, and ':' if it takes an
 * argument; nothing for '+' rows) at pch, and returns its end. */
char* appendOptEntry(char* pch, const ArgDsc* pad);

/* The end of a row's descriptor line: the description, the current value
 * in brackets unless the description holds '[', the end of the line. */
void endDsc(const ArgDsc* pad, Out out);

/* The operations, on either output; each checks its arguments as its
 * exported forms promise. */
int scanOption(char chOpt, char* szArg, ArgDsc* pad, char* szProg, Out out);
int scanSigned(ArgDsc* pad, char* szArg, char* szProg, Out out);
int scanUnsigned(ArgDsc* pad, char* szArg, char* szProg, Out out);
void showUsage(ArgDsc* padBase, const char* szProg, const char* szPost, Out out);
int showCompletion(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szShell, Out out);
void showManual(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szPost, Out out);
void showHelp(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szPost, Out out);

} // namespace argops

#pragma GCC visibility pop

#endif
