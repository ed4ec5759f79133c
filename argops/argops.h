/* argops: command-line options described once, in a table of ArgDsc rows.
 *
 * From that table the library converts option arguments into the program's
 * variables, writes the usage text with every option's current value, builds
 * the option string for POSIX getopt() and removes entries from an argument
 * vector. It keeps no state, allocates nothing and throws nothing.
 *
 * A broken precondition (a letter missing from the table, an unknown type
 * code, a wrong row, a removal position out of range) is the calling
 * program's fault: an assertion naming argops.cpp ends the process, in every
 * build type. A user's bad argument is reported on the caller's stream.
 */
#ifndef ARGOPS_H
#define ARGOPS_H

#include <iosfwd>

/* One row of a descriptor table. The table ends with a row whose _chOpt is 0.
 *
 * _iType is one of these character constants; _pvVal points to:
 *   '0'  int            flag: argdScan stores 0; shown "on"/"off"
 *   '1'  int            flag: argdScan stores 1; shown "on"/"off"
 *   'b'  int            flag: argdScan toggles it; shown "true"/"false"
 *   'B'  int            "t|f": 1 when the argument starts with t or T, else 0
 *   'u'  int            "<int>": signed, range-checked (see argdScanu);
 *                       shown as the number, or "unspec" when negative
 *   'U'  unsigned int   "<uint>": unsigned (see argdScanU)
 *   'd'  double         "<real>": the program converts it itself
 *   's'  const char*    "\"...\"": argdScan stores the argument pointer itself,
 *                       without copying; shown as the text, "unspec" if null
 *   't'  time_t         "<date>": the program converts it itself; shown as
 *                       ctime() text without its newline, or as the number of
 *                       seconds when ctime() cannot convert it
 *   '-'  nothing        "<...>": the program converts it itself
 *   '+'  nothing        "...": listed in the usage text only, never in the
 *                       option string
 *
 * _pvQual is read for 'u' rows only: null, or a pointer to two ints, the
 * inclusive minimum and maximum. _szDsc must not be null in a row whose
 * descriptor line is ever written. A description containing '[' carries its
 * own note, and the current value is then not shown after it.
 */
struct ArgDsc {
    char _chOpt;
    /* The defaults let a row leave out its trailing fields, and a table end
     * with {0}, without -Wextra warnings (C++14 or later). */
    const char* _szDsc = nullptr;
    int _iType = 0;
    void* _pvVal = nullptr;
    void* _pvQual = nullptr;
};

/* Stores the argument of option chOpt into its row's variable, for the types
 * '0', '1', 'b', 'B', 's', 'u' and 'U'. The row is the first in the table pad
 * (up to its ending row) with the letter chOpt; the int is ignored.
 * Returns 0 when the value was stored, or -1 after writing a three-line error
 * report on os (see argdScanu); the variable then keeps its value.
 * Refuses (assertion "pad") a letter not in the table, and a row of type
 * '-', '+', 'd', 't' or an unknown code. getopt()'s '?' and ':' are not
 * letters of any table: handle them before calling this.
 * szArg must be non-null for 'B', 'u' and 'U'; szProg must be non-null. */
int argdScan(char chOpt, char* szArg, ArgDsc* pad, char* szProg, int, std::ostream& os);

/* Converts szArg like strtol(szArg, &end, 0) into the int of the 'u' row pad,
 * keeping the low 32 bits of the result. The whole text must convert (the
 * empty text is 0), and the value must lie in the row's range pair, or in
 * [0,2147483647] when _pvQual is null. Returns 0 when stored; otherwise
 * writes on os, each line flushed:
 *     prog: option scan error            (or: option range error)
 *     <the row's descriptor line, with the unchanged value>
 *         can't get integer from:"1x"    (or: value is out of the range [1,10])
 * and returns -1. Refuses a null or non-'u' row
 * (assertion "pad && pad->_iType == 'u'"). */
int argdScanu(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os);

/* Converts szArg like strtoul(szArg, &end, 0) into the unsigned int of the
 * 'U' row pad, keeping the low 32 bits (so "-1" gives 4294967295). No range
 * check. Returns 0 when stored, or -1 after a scan error report whose detail
 * is: can't get unsigned from:"<szArg>". Refuses a null or non-'U' row
 * (assertion "pad && pad->_iType == 'U'"). */
int argdScanU(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os);

/* Writes into szOpt the getopt() option string of the table pad: for each
 * row in order, the letter for '0', '1' and 'b', the letter and ':' for
 * '-', 'B', 'U', 'd', 's', 't' and 'u', nothing for '+'. c is the number of
 * rows to visit, or -1 for all rows up to the ending row (below -1: none).
 * szOpt needs room for 2 characters per visited row plus the NUL.
 * Refuses an unknown type code. */
void argdInitOpt(char* szOpt, ArgDsc* pad, int c);

/* Removes argv[i], moving the later entries down one place, and decreases
 * *pArgc. Nothing is freed. Returns the new *pArgc minus i: the number of
 * entries now at position i and after it.
 * Refuses i >= *pArgc (assertion "i<(*pArgc)") and a negative i ("0<=i"). */
int argdRemoveArg(char** argv, int i, int* pArgc);

/* Writes the usage text of the table padBase (up to its ending row) on os:
 *     usage: prog  [-vq -n <int> -o "..."] file ...
 *     Options:
 *         -v         verbose output [off]
 *         ...
 * Flag rows are grouped after one '-'; every other row, '+' included, is
 * listed with its syntax. szPost follows the summary (null: nothing); each
 * option line shows the variable's current value unless its description
 * contains '['. Only the option lines flush os. Refuses an unknown type code. */
void argdShowUsage(ArgDsc* padBase, const char* szProg, const char* szPost, std::ostream& os);

#endif
