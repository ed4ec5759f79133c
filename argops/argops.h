// SPDX-License-Identifier: MIT
/* argops: command-line options described once, in a table of ArgDsc rows.
 *
 * From that table the library converts option arguments into the program's
 * variables, writes the usage text with every option's current value, builds
 * the option string for POSIX getopt() and removes entries from an argument
 * vector. It keeps no state, allocates nothing and throws nothing. The one
 * thing shared across threads is ctime()'s buffer, which writing the line of
 * a 't' row uses and changes: do not write such lines from two threads.
 *
 * The header is C99 and C++14 or later. An operation that writes takes the
 * stdio stream it writes to, a FILE*; in C++ it also takes a std::ostream&
 * in its place, with the same texts, flushes and results. The FILE* forms
 * and the two operations that write nothing have C linkage, and use the C
 * library alone: a C program linked with the archive libargops.a needs no
 * C++ runtime. The FILE* forms write numbers as printf() does, with the
 * decimal point of the program's LC_NUMERIC locale; the stream forms by the
 * stream's own flags and locale.
 *
 * A broken precondition (a letter missing from the table, an unknown type
 * code, a wrong row, a removal position out of range) is the calling
 * program's fault: an assertion naming argops.cpp ends the process, in every
 * build type (manual.cpp's, for argdShowManual without a program name). A
 * user's bad argument is reported on the caller's stream.
 */
#ifndef ARGOPS_H
#define ARGOPS_H

#include <stdio.h>
#ifdef __cplusplus
#include <iosfwd>
#endif

/* One row of a descriptor table. The table ends with a row whose _chOpt is 0.
 *
 * _iType is one of these character constants. For each: what _pvVal points
 * to, the syntax text, what argdScan does, and the value shown in help:
 *   '0'  int           (none)  stores 0; "on" when nonzero, else "off"
 *   '1'  int           (none)  stores 1; "on"/"off"
 *   'b'  int           (none)  toggles (0 becomes 1, nonzero 0); "true"/"false"
 *   'B'  int           t|f     1 when the argument starts with t or T, else 0,
 *                              never an error; "true"/"false"
 *   'u'  int           <int>   signed, range-checked (see argdScanu); the
 *                              number, or "unspec" when negative
 *   'U'  unsigned int  <uint>  unsigned (see argdScanU); the number
 *   'd'  double        <real>  none: the program converts it; the number in
 *                              the stream's own format (0.5, 1e-07)
 *   's'  const char*   "..."   stores the argument pointer itself, without
 *                              copying; the text, or "unspec" when null
 *   't'  time_t        <date>  none: the program converts it; the ctime()
 *                              text without its newline, or the number of
 *                              seconds when ctime() cannot convert it.
 *                              time_t is the platform's: where it may have
 *                              32 or 64 bits, the library and the program
 *                              must be built with the same _TIME_BITS.
 *   '-'  nothing       <...>   none: the program handles it; nothing ("[]")
 *   '+'  nothing       ...     never in the option string, only listed in
 *                              the usage text; nothing ("[]")
 * The flag types '0', '1' and 'b' take no argument.
 *
 * _pvQual is read for 'u' rows only: null, or a pointer to two ints, the
 * inclusive minimum and maximum. A null _szDsc is written as the empty
 * text. A description containing '[' carries its own note, and the current
 * value is then not shown after it.
 */
#ifdef __cplusplus
struct ArgDsc {
    char _chOpt;
    /* The defaults let a row leave out its trailing fields, and a table end
     * with {0}, without -Wextra warnings (C++14 or later). */
    const char* _szDsc = nullptr;
    int _iType = 0;
    void* _pvVal = nullptr;
    void* _pvQual = nullptr;
};
#else
/* The same fields, in the same order: a C table is written as a C++ one. */
typedef struct ArgDsc {
    char _chOpt;
    const char* _szDsc;
    int _iType;
    void* _pvVal;
    void* _pvQual;
} ArgDsc;
#endif

/* A long name of a row, for getopt_long(): --<_szLong> is the option whose
 * ArgDsc row has the letter _chOpt. A table of them ends with a row whose
 * _chOpt is 0; a row may have several names, and the first is the one that
 * help, the completion's description and the manual show. A row whose
 * letter is a control character (1 to 31) is long-only: it has no short
 * option, and argdInitOpt() and argdShowUsage() do not serve its table (use
 * argdInitLong() and argdShowHelp()). Each operation below that takes a
 * table of long names refuses, by an assertion naming long.cpp, a name for
 * a letter no row has ("every long name names a row"), one for a '+' row
 * ("a '+' row takes no long name"), a null or empty name, or one holding
 * '=' ("a long name is a word without '='"), and a long-only row without
 * a name ("a long-only row needs a long name"). */
#ifdef __cplusplus
struct ArgLong {
    char _chOpt;
    const char* _szLong = nullptr;
};
#else
typedef struct ArgLong {
    char _chOpt;
    const char* _szLong;
} ArgLong;
#endif

/* getopt_long()'s description of an option, from <getopt.h>. */
struct option;

#ifdef __cplusplus
extern "C" {
#endif

/* Stores the argument of option chOpt into its row's variable, for the types
 * '0', '1', 'b', 'B', 's', 'u' and 'U'. The row is the first in the table pad
 * (up to its ending row) with the letter chOpt; the int is ignored.
 * Returns 0 when the value was stored, or -1 after writing a three-line error
 * report on pf (see argdScanu); the variable then keeps its value.
 * Refuses a letter not in the table (assertion "pad") and, with another
 * assertion, a row of type '-', '+', 'd', 't' or an unknown code. getopt()'s
 * '?' and ':' are not letters of any table: handle them before calling this.
 * szArg must be non-null for 'B', 'u' and 'U'; szProg must be non-null. */
int argdScan(char chOpt, char* szArg, ArgDsc* pad, char* szProg, int, FILE* pf);

/* Converts szArg as C17's strtol(szArg, &end, 0) does where long has 64
 * bits, as on x86-64, into the int of the 'u' row pad, on every platform
 * and whatever C library the library was built with: optional blanks and
 * sign, then hexadecimal after 0x or 0X, octal after a leading 0, else
 * decimal (C23's binary 0b101 is a scan error). The low 32 bits of the
 * result are kept: a text out of the 64-bit range saturates first, so
 * 99999999999999999999 gives -1, and 4294967301 gives 5. The whole text
 * must convert (the empty text is 0), and the value must lie in the row's
 * range pair, or in [0,2147483647] when _pvQual is null. errno is left as
 * that strtol() leaves it: ERANGE after a text out of the 64-bit range,
 * else unchanged. szArg and szProg must be non-null. Returns 0 when stored;
 * otherwise writes on pf, each line flushed:
 *     prog: option scan error            (or: option range error)
 *     <the row's descriptor line, with the unchanged value>
 *         can't get integer from:"1x"    (or: value is out of the range [1,10])
 * and returns -1, leaving the variable as it was. Refuses a null or non-'u'
 * row (assertion "pad && pad->_iType == 'u'"). */
int argdScanu(ArgDsc* pad, char* szArg, char* szProg, FILE* pf);

/* Converts szArg as C17's strtoul(szArg, &end, 0) does where long has 64
 * bits, on every platform, with the same prefixes as argdScanu, into the
 * unsigned int of the 'U' row pad, keeping the low 32 bits (so "-1" gives
 * 4294967295); errno as argdScanu leaves it, for the unsigned 64-bit
 * range. No range check. Returns 0 when stored, or -1
 * after a scan error report whose detail is: can't get unsigned
 * from:"<szArg>". Refuses a null or non-'U' row (assertion
 * "pad && pad->_iType == 'U'"). */
int argdScanU(ArgDsc* pad, char* szArg, char* szProg, FILE* pf);

/* Writes into szOpt the getopt() option string of the table pad: for each
 * row in order, the letter for '0', '1' and 'b', the letter and ':' for
 * '-', 'B', 'U', 'd', 's', 't' and 'u', nothing for '+'. c is the number of
 * rows to visit, or -1 for all rows up to the ending row (below -1: none).
 * szOpt needs room for 2 characters per visited row plus the NUL.
 * Refuses an unknown type code. */
void argdInitOpt(char* szOpt, ArgDsc* pad, int c);

/* Removes argv[i], moving the later entries down one place, and decreases
 * *pArgc. Nothing is freed, and argv[*pArgc] is not set to null: it still
 * holds the former last entry. Returns the new *pArgc minus i: the number of
 * entries now at position i and after it.
 * Refuses i >= *pArgc (assertion "i<(*pArgc)") and a negative i ("0<=i"). */
int argdRemoveArg(char** argv, int i, int* pArgc);

/* Writes the usage text of the table padBase (up to its ending row) on pf:
 *     usage: prog  [-vq -n <int> -o "..."] file ...
 *     Options:
 *         -v         verbose output [off]
 *         ...
 * Flag rows are grouped after one '-'; every other row, '+' included, is
 * listed with its syntax. szPost follows the summary (null: the empty
 * text); each option line shows the variable's current value unless its
 * description contains '['. Only the option lines flush pf. szProg must be
 * non-null. Refuses an unknown type code. */
void argdShowUsage(ArgDsc* padBase, const char* szProg, const char* szPost, FILE* pf);

/* Writes on pf the completion script of the program szProg for the shell
 * szShell, "bash", "zsh" or "fish", from the table padBase (up to its
 * ending row), and returns 0. Every row but '+' rows is offered as
 * -<letter>, with its description where the shell shows one, as UTF-8
 * text (control characters, C1 too, as blanks, bytes that are no UTF-8 as
 * '?', as argdShowManual has them); a null description is the empty text.
 * After an option that takes an argument, 'B' offers true and false, 's'
 * and '-' file names, the others nothing to pick; operands complete as
 * file names. A row whose letter is not an ASCII letter or digit or one of
 * % , . _, or whose letter an earlier row holds, is not offered. Every
 * text of the table and of szProg is quoted for the shell, so that loading
 * the script runs nothing else. For another szShell (null included), or a
 * szProg that the shell would not register as itself or would evaluate
 * where the script is installed, writes nothing and returns -1. Besides
 * ASCII letters and digits, bash takes # % + , - . : @ ] ^ _ ~ (not # % ^ ~
 * first), zsh % + , - . : @ ] _ (not - first), and fish
 * ! # % & ( ) + , - . : ; < > @ [ ] ^ _ ` | ~ (not % ~ first). */
int argdShowCompletion(ArgDsc* padBase, const char* szProg, const char* szShell, FILE* pf);

/* Writes on pf the SYNOPSIS and OPTIONS sections of a man(7) page for the
 * program szProg from the table padBase (up to its ending row): the
 * synopsis as the usage line has it, with szPost after the options (null:
 * nothing), no item of it (an option with its syntax, a word or a bracket
 * group of szPost) broken or hyphenated at any width; then for each row
 * a tagged paragraph with the letter and its syntax, the description and,
 * unless the description contains '[', the current value in brackets as
 * the usage text of the FILE* form shows it (numbers as printf() writes
 * them, on a stream too, so that the program's LC_NUMERIC locale applies
 * and a stream's flags do not). Every text is
 * escaped so that roff shows it as written, in ASCII: a newline in a
 * description becomes a line break, other control characters blanks,
 * UTF-8 roff's escapes (\~ and \% for the no-break space and the soft
 * hyphen, \[uXXXX] for the rest), bytes that are no UTF-8 '?'. A table
 * whose first row is the ending row has no OPTIONS section. The page's .TH,
 * NAME, DESCRIPTION and the rest are the caller's to write. A row's null
 * description is written as the empty text. Refuses a null szProg
 * (assertion "argdShowManual needs the program's name"). */
void argdShowManual(ArgDsc* padBase, const char* szProg, const char* szPost, FILE* pf);

/* Writes into szOpt the getopt() option string of the table pad (as
 * argdInitOpt(szOpt, pad, -1) does, without the long-only rows), and into
 * aopt getopt_long()'s array for the long names pal (null: none): for each
 * name in order, {name, no_argument for the flag types '0', '1' and 'b' or
 * required_argument for the others, NULL, the row's letter}, then the zero
 * entry. getopt_long() then returns the row's letter for either spelling,
 * for argdScan() to take. szOpt needs room for 2 characters per row plus
 * the NUL, aopt one entry per ArgLong row, its ending row included:
 *     char szOpt[2 * sizeof aDsc / sizeof *aDsc];
 *     struct option aopt[sizeof aLong / sizeof *aLong];
 * Refuses what the long names' tables refuse (see ArgLong) and an unknown
 * type code. */
void argdInitLong(char* szOpt, struct option* aopt, ArgDsc* pad, const ArgLong* pal);

/* Writes on pf the help of the table padBase (up to its ending row) with
 * its long names pal: the usage line as argdShowUsage() writes it, a
 * long-only row in it as --name and its syntax, then "Options:" and a line
 * per row, its short and first long names, its syntax, its description
 * and its current value as the usage text has them:
 *     usage: prog  [-vq -n <int> --color <...>] file ...
 *     Options:
 *         -v, --verbose      verbose output [off]
 *         -n <int>           number of passes [1..10]
 *         -q                 quiet [false]
 *             --color <...>  when to use colours []
 * The options stand in a column two blanks wider than the widest of them,
 * and never narrower than the usage text's. With a null pal it writes
 * exactly what argdShowUsage() writes. Only the option lines flush pf.
 * szProg must be non-null. */
void argdShowHelp(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szPost, FILE* pf);

/* argdShowCompletion() and argdShowManual() with the long names pal (null:
 * none, as the forms without pal). In completion, a word that begins with
 * "--" is completed with the long names, --name=value and --name value
 * are read alike, and an option's short and long spellings are one option;
 * a long name of anything but ASCII letters, digits, '-', '_' and '.' is
 * not offered. In the manual, a row's tag is -v, --verbose (--name alone
 * for a long-only row), and the synopsis lists the long-only rows. */
int argdShowLongCompletion(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szShell, FILE* pf);
void argdShowLongManual(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szPost, FILE* pf);

#ifdef __cplusplus
}

/* The operations above that write, writing to a C++ stream instead. */
int argdScan(char chOpt, char* szArg, ArgDsc* pad, char* szProg, int, std::ostream& os);
int argdScanu(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os);
int argdScanU(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os);
void argdShowUsage(ArgDsc* padBase, const char* szProg, const char* szPost, std::ostream& os);
int argdShowCompletion(ArgDsc* padBase, const char* szProg, const char* szShell, std::ostream& os);
void argdShowManual(ArgDsc* padBase, const char* szProg, const char* szPost, std::ostream& os);
void argdShowHelp(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szPost, std::ostream& os);
int argdShowLongCompletion(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szShell,
                           std::ostream& os);
void argdShowLongManual(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szPost, std::ostream& os);
#endif

#endif
