// SPDX-License-Identifier: MIT
/* argops: option values, descriptor lines, usage text, getopt() strings,
 * shell completion scripts and manual sections, all read from one table of
 * ArgDsc rows. */

/* The precondition checks are part of the library's promise: a caller's
 * fault must end the process in a Release build too, so NDEBUG from the
 * build type must not remove them. */
#undef NDEBUG
#include <cassert>

#include "argops.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <ostream>
#include <ext/stdio_sync_filebuf.h>

namespace {

const char szIndent[] = "    ";

/* How a variable's current value is written inside the brackets. */
void showOnOff(const void* pv, std::ostream& os) { os << (*static_cast<const int*>(pv) ? "on" : "off"); }
void showBool(const void* pv, std::ostream& os) { os << (*static_cast<const int*>(pv) ? "true" : "false"); }
void showNothing(const void*, std::ostream&) {}
void showUnsigned(const void* pv, std::ostream& os) { os << *static_cast<const unsigned*>(pv); }
void showDouble(const void* pv, std::ostream& os) { os << *static_cast<const double*>(pv); }

void showInt(const void* pv, std::ostream& os)
{
    int i = *static_cast<const int*>(pv);
    if (i < 0)
        os << "unspec";
    else
        os << i;
}

void showText(const void* pv, std::ostream& os)
{
    const char* sz = *static_cast<const char* const*>(pv);
    os << (sz ? sz : "unspec");
}

void showTime(const void* pv, std::ostream& os)
{
    const time_t* pt = static_cast<const time_t*>(pv);
    char* sz = ctime(pt);
    if (!sz) { /* a time too far out for a calendar date: keep its number */
        os << static_cast<long long>(*pt);
        return;
    }
    char* pchNewline = strchr(sz, '\n');
    if (pchNewline)
        *pchNewline = '\0';
    os << sz;
}

/* The value of each character as a digit of base 16, or 16 when it is
 * none: a table, since each digit of a number is looked up (five digits
 * take 21 instructions less than with comparisons). */
struct DigitValues {
    unsigned char aDigit[256];
};

constexpr DigitValues makeDigitValues()
{
    DigitValues values{};
    for (unsigned char& digit : values.aDigit)
        digit = 16;
    for (int i = 0; i < 10; ++i)
        values.aDigit['0' + i] = static_cast<unsigned char>(i);
    for (int i = 0; i < 6; ++i)
        values.aDigit['a' + i] = values.aDigit['A' + i] = static_cast<unsigned char>(10 + i);
    return values;
}

constexpr DigitValues digitValues = makeDigitValues();

/* Numbers as users type them, of up to 15 digits in the prefix's base and
 * nothing else, are converted here: a 'u' row takes 121 instructions for
 * 12345, against 286 through strtol() (and 199 for strtol() by hand).
 * 15 digits cannot overflow 64 bits, so the value is strtoll()'s, and errno
 * is left alone, as strtoll() leaves it on success. Returns false for any
 * other text: a sign, a blank, no digit, too many, or one outside the
 * base. */
bool readPlain(const char* sz, unsigned long long* pull)
{
    unsigned base = 10;
    if (sz[0] == '0') {
        base = 8;
        if (sz[1] == 'x' || sz[1] == 'X') {
            base = 16;
            sz += 2;
        }
    }
    unsigned long long ull = 0; /* wraps harmlessly past 15 digits, which are refused */
    const char* pch = sz;
    for (; *pch; ++pch) {
        unsigned digit = digitValues.aDigit[static_cast<unsigned char>(*pch)];
        if (digit >= base)
            return false;
        ull = ull * base + digit;
    }
    if (pch == sz || pch - sz > 15)
        return false;
    *pull = ull;
    return true;
}

/* The text's number begins with 0b or 0B. C23 reads 0b101 as 5, and glibc
 * 2.38 and later give C++ programs that strtol(); numbers are read here as
 * C17 has it, where the 0 is converted and the b left over: a scan error,
 * whatever follows. Blanks are the locale's, as for strtol(). */
bool isBinary(const char* sz)
{
    while (isspace(static_cast<unsigned char>(*sz)))
        ++sz;
    if (*sz == '+' || *sz == '-')
        ++sz;
    return sz[0] == '0' && (sz[1] == 'b' || sz[1] == 'B');
}

/* What readPlain() leaves: the whole of sz as C17's strtol(sz, &end, 0)
 * reads it where long has 64 bits (strtoul() unless fSigned), into the bits
 * of that number, and errno as it leaves it. long long has 64 bits
 * wherever long has 32, so its functions give x86-64's answers there too,
 * saturation included. Returns false when something is left over. */
bool readByC(const char* sz, bool fSigned, unsigned long long* pull)
{
    if (isBinary(sz))
        return false;
    char* pchEnd;
    *pull = fSigned ? static_cast<unsigned long long>(strtoll(sz, &pchEnd, 0)) : strtoull(sz, &pchEnd, 0);
    return !*pchEnd;
}

/* The low 32 bits, spelled out so that no conversion overflows. */
unsigned low32(unsigned long long ull) { return static_cast<unsigned>(ull & 0xFFFFFFFFu); }

int lowInt(unsigned long long ull)
{
    unsigned u = low32(ull);
    if (u <= INT_MAX)
        return static_cast<int>(u);
    return static_cast<int>(u - 0x80000000u) + INT_MIN;
}

void printDsc(const ArgDsc* pad, std::ostream& os); /* below, with the table of codes */

/* What the FILE* forms hand the stream forms: a C++ stream that writes
 * each piece straight to the FILE*, keeping nothing, and flushes the FILE*
 * where the stream forms flush their stream. Its buffer is libstdc++'s
 * own over a FILE*, the one std::cout has. */
struct FileStream {
    __gnu_cxx::stdio_sync_filebuf<char> buf;
    std::ostream os;
    explicit FileStream(FILE* pf) : buf(pf), os(&buf) {}
};

/* Where a conversion writes its report: the caller's C++ stream, or its
 * FILE*, on which a stream is made only for a report. Making one costs
 * some 1,200 instructions, which every option of a C program would pay. */
struct Sink {
    std::ostream* pos;
    FILE* pf;
};

/* The error reports are rare: out of line, so that the conversions keep
 * nothing alive for them. */
[[gnu::cold, gnu::noinline]] int reportScan(const ArgDsc* pad, const char* szArg, const char* szProg,
                                            const char* szWhat, Sink sink)
{
    if (!sink.pos) {
        FileStream file(sink.pf);
        return reportScan(pad, szArg, szProg, szWhat, {&file.os, nullptr});
    }
    std::ostream& os = *sink.pos;
    os << szProg << ": option scan error" << std::endl;
    printDsc(pad, os);
    os << szIndent << "can't get " << szWhat << " from:\"" << szArg << '"' << std::endl;
    return -1;
}

[[gnu::cold, gnu::noinline]] int reportRange(const ArgDsc* pad, const char* szProg, int iMin, int iMax, Sink sink)
{
    if (!sink.pos) {
        FileStream file(sink.pf);
        return reportRange(pad, szProg, iMin, iMax, {&file.os, nullptr});
    }
    std::ostream& os = *sink.pos;
    os << szProg << ": option range error" << std::endl;
    printDsc(pad, os);
    os << szIndent << "value is out of the range [" << iMin << ',' << iMax << ']' << std::endl;
    return -1;
}

/* How argdScan stores an option's argument: one function for each code,
 * all with the parameters that the table of codes holds. */
int scanClear(ArgDsc* pad, char*, char*, Sink)
{
    *static_cast<int*>(pad->_pvVal) = 0;
    return 0;
}

int scanSet(ArgDsc* pad, char*, char*, Sink)
{
    *static_cast<int*>(pad->_pvVal) = 1;
    return 0;
}

int scanText(ArgDsc* pad, char* szArg, char*, Sink)
{
    *static_cast<char**>(pad->_pvVal) = szArg;
    return 0;
}

int scanToggle(ArgDsc* pad, char*, char*, Sink)
{
    int* pi = static_cast<int*>(pad->_pvVal);
    *pi = *pi == 0;
    return 0;
}

int scanBool(ArgDsc* pad, char* szArg, char*, Sink)
{
    *static_cast<int*>(pad->_pvVal) = szArg[0] == 't' || szArg[0] == 'T';
    return 0;
}

/* The codes whose argument the program converts itself. */
int scanNothing(ArgDsc*, char*, char*, Sink) { assert(!"argdScan has no conversion for rows of type -, +, d or t"); }

/* The range of a 'u' row without a range pair: negative values are refused. */
const int aiDefaultRange[2] = {0, INT_MAX};

/* Stores the low 32 bits of ull in the variable of the 'u' or 'U' row pad,
 * for 'u' only when they lie in the row's range. */
int storeNumber(ArgDsc* pad, unsigned long long ull, char* szProg, Sink sink)
{
    if (pad->_iType == 'U') {
        *static_cast<unsigned*>(pad->_pvVal) = low32(ull);
        return 0;
    }
    int i = lowInt(ull);
    const int* piRange = pad->_pvQual ? static_cast<const int*>(pad->_pvQual) : aiDefaultRange;
    if (i < piRange[0] || i > piRange[1])
        return reportRange(pad, szProg, piRange[0], piRange[1], sink);
    *static_cast<int*>(pad->_pvVal) = i;
    return 0;
}

/* The numbers that readPlain() leaves to the C library. Out of line, so
 * that plain numbers need no stack frame: that saves them 18 to 20
 * instructions. */
[[gnu::noinline]] int scanNumberByC(ArgDsc* pad, char* szArg, char* szProg, Sink sink)
{
    bool fSigned = pad->_iType == 'u';
    unsigned long long ull;
    if (!readByC(szArg, fSigned, &ull))
        return reportScan(pad, szArg, szProg, fSigned ? "integer" : "unsigned", sink);
    return storeNumber(pad, ull, szProg, sink);
}

/* 'u' and 'U' rows. */
int scanNumber(ArgDsc* pad, char* szArg, char* szProg, Sink sink)
{
    unsigned long long ull;
    if (!readPlain(szArg, &ull))
        return scanNumberByC(pad, szArg, szProg, sink);
    return storeNumber(pad, ull, szProg, sink);
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
    void (*show)(const void* pv, std::ostream& os);
    int (*scan)(ArgDsc* pad, char* szArg, char* szProg, Sink sink);
};

constexpr TypeCode aTypeCodes[] = {
    {'0', "", argumentNone, showOnOff, scanClear},           {'1', "", argumentNone, showOnOff, scanSet},
    {'b', "", argumentNone, showBool, scanToggle},           {'B', "t|f", argumentBoolean, showBool, scanBool},
    {'u', "<int>", argumentValue, showInt, scanNumber},      {'U', "<uint>", argumentValue, showUnsigned, scanNumber},
    {'d', "<real>", argumentValue, showDouble, scanNothing}, {'s', "\"...\"", argumentFile, showText, scanText},
    {'t', "<date>", argumentValue, showTime, scanNothing},   {'-', "<...>", argumentFile, showNothing, scanNothing},
    {'+', "...", argumentListed, showNothing, scanNothing},
};

constexpr bool fitsIndex()
{
    for (const TypeCode& tc : aTypeCodes)
        if (tc.iType <= 0 || tc.iType >= 128 || (tc.argument == argumentNone) != (tc.szSyntax[0] == '\0'))
            return false;
    return true;
}
static_assert(fitsIndex(), "each code is an ASCII character, and only flags have no syntax text");

/* Each row's code is looked up by the operations, through this index
 * rather than a search of aTypeCodes (which would cost the parse of a
 * typical command line 25 instructions more at -O3, 212 at -O2): for each
 * ASCII character, the position of its code in aTypeCodes, or 0 when it is
 * none. It is derived from aTypeCodes when the library is compiled, so
 * that the table stays the one place that knows a code. An int is looked
 * up by its low seven bits: one that is no code finds a row whose code is
 * another, and is refused. */
struct CodeIndex {
    unsigned char aiCode[128];
};

constexpr CodeIndex makeCodeIndex()
{
    CodeIndex index{};
    for (unsigned i = 0; i < sizeof aTypeCodes / sizeof *aTypeCodes; ++i)
        index.aiCode[aTypeCodes[i].iType] = static_cast<unsigned char>(i);
    return index;
}

constexpr CodeIndex codeIndex = makeCodeIndex();

const TypeCode& typeCode(int iType)
{
    const TypeCode& tc = aTypeCodes[codeIndex.aiCode[static_cast<unsigned>(iType) & 127]];
    assert(tc.iType == iType && "type code of an ArgDsc row is not one of 01bBuUdst-+");
    return tc;
}

ArgDsc* find(char chOpt, ArgDsc* pad)
{
    for (; pad->_chOpt; ++pad)
        if (pad->_chOpt == chOpt)
            return pad;
    return nullptr;
}

const char* szArgSyntax(const ArgDsc* pad) { return typeCode(pad->_iType).szSyntax; }

void printDsc(const ArgDsc* pad, std::ostream& os)
{
    const TypeCode& tc = typeCode(pad->_iType);
    auto cchSyntax = static_cast<std::streamsize>(strlen(tc.szSyntax));
    os << szIndent << '-' << pad->_chOpt << ' ';
    os.write(tc.szSyntax, cchSyntax).write("        ", 8 - cchSyntax); /* the column is 8 wide */
    os << pad->_szDsc;
    if (!strchr(pad->_szDsc, '[')) {
        os << " [";
        tc.show(pad->_pvVal, os);
        os << ']';
    }
    os << std::endl;
}

/* How many characters of the letter and ':' an option puts in the
 * getopt() string, by its Argument. */
const unsigned char acchOptEntry[] = {1, 2, 2, 2, 0};
static_assert(sizeof acchOptEntry == argumentListed + 1, "an entry for each Argument");

/* argdScan of either form: a report is written on sink. */
int scanOption(char chOpt, char* szArg, ArgDsc* pad, char* szProg, Sink sink)
{
    pad = find(chOpt, pad);
    assert(pad);
    return typeCode(pad->_iType).scan(pad, szArg, szProg, sink);
}

/* Writes the row's letter and ':' and keeps as much of them as its entry
 * has: never more than the two characters per row that szOpt has room
 * for. A row with the letter 0 adds nothing. */
char* appendOptEntry(char* pch, const ArgDsc* pad)
{
    char chOpt = pad->_chOpt;
    unsigned cch = acchOptEntry[typeCode(pad->_iType).argument];
    pch[0] = chOpt;
    pch[1] = ':';
    return pch + (chOpt ? cch : 0);
}

/* Completion scripts and manual sections --------------------------------- */

/* A name's letters: what a function name may hold. */
bool isNameLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9'); }

/* The letters that bash, zsh and fish all read as themselves in an unquoted
 * word, that split no word in bash (its COMP_WORDBREAKS holds '@'), and
 * that each shell's option syntax can name ('+' is not: zsh does not stack
 * it). A row with another letter is not offered: no shell could complete
 * it reliably. */
bool isShellLetter(char ch) { return isNameLetter(ch) || (ch && strchr("%,._", ch)); }

/* How a text is written as itself in one place: each character of
 * szSpecial becomes the piece at its position in szPieces, the pieces one
 * after the other, each ending in a NUL. */
struct Quoting {
    char szSpecial[8];
    const char* szPieces;
};

enum { quoteSh, quoteZshOption, quoteFish, quoteRoff, cQuotings };

const Quoting aQuotings[] = {
    /* In '...' of bash and zsh nothing is special but the quote itself,
     * which closes the text, stands escaped, and opens it again. */
    {"'", "'\\''"},
    /* In the '...' of an option of zsh's _arguments, which then reads a
     * backslash as escaping the next character, ']' as the end of the
     * explanation and ':' as the start of an argument. */
    {"'\\[]:", "'\\''\0\\\\\0\\[\0\\]\0\\:"},
    /* In '...' of fish a backslash escapes itself and the quote. */
    {"\\'", "\\\\\0\\'"},
    /* In roff text, where the rest would print typographic glyphs; a
     * newline keeps its line break, and the next line begins with \& like
     * every line of caller text, so that a leading '.' or '\'' is no
     * request. */
    {"\\-'`^~\n", "\\(rs\0\\-\0\\(aq\0\\(ga\0\\(ha\0\\(ti\0\\&\n.br\n\\&"},
};
static_assert(sizeof aQuotings / sizeof *aQuotings == cQuotings, "a quoting for each of its names");

const char* szPiece(const char* sz, long i)
{
    for (; i > 0; --i)
        sz += strlen(sz) + 1;
    return sz;
}

bool isControl(char ch) { return static_cast<unsigned char>(ch) < ' ' || ch == '\x7f'; }

/* fOneLine: the text is shown on one line (a description beside its
 * option, a roff text), where a control character would break the line or
 * the terminal: it is shown as a blank. */
void writeQuoted(char ch, const Quoting& q, bool fOneLine, std::ostream& os)
{
    const char* pch = strchr(q.szSpecial, ch);
    if (ch && pch)
        os << szPiece(q.szPieces, pch - q.szSpecial);
    else
        os.put(fOneLine && isControl(ch) ? ' ' : ch);
}

void writeQuoted(const char* sz, const Quoting& q, bool fOneLine, std::ostream& os)
{
    for (; *sz; ++sz)
        writeQuoted(*sz, q, fOneLine, os);
}

/* The holes of the templates, control characters that they hold nowhere
 * else: \1 the program name quoted for code, \2 as it is (zsh reads the
 * #compdef line unquoted, and a comment holds it; the name holds no white
 * space), \3 in the letters of a name, \4 the rows; in a row's template
 * (and nowhere else) \5 its letter, \6 its description and \7 its syntax
 * text; \10 the comment that says which program and table made the
 * script. expand() fills them. */

struct Shell {
    char szName[5];
    char szNotInName[9]; /* what a command name cannot hold in this shell */
    char chNotFirst;     /* and what it cannot begin with */
    unsigned char iqName, iqRow;
    const char* szTemplates; /* the script, then the row of each Argument but argumentListed */
};

/* bash: the words before the cursor are read as getopt() reads them: a
 * cluster of flags may end in a letter whose argument is the rest of the
 * word or the next word, "--" ends the options, and options may follow
 * operands. k is then the letter whose argument the cursor is in, or '-'
 * for an operand, which is why o, the letters that take file names,
 * begins with '-'. compgen and compopt are builtins: the script needs
 * nothing of the bash-completion package, and works beside it. */
const char szBash[] = "\10"
                      "_argops_\3()\n"
                      "{\n"
                      "  local f= a= b= o=- w c k= p= r\n"
                      "  local -i i j\n"
                      "\4"
                      "  COMPREPLY=()\n"
                      "  for ((i = 1; i <= COMP_CWORD; i++)); do\n"
                      "    w=${COMP_WORDS[i]} p= r=$w\n"
                      "    if [[ $k ]]; then\n"
                      "      [[ $k == - || i -eq COMP_CWORD ]] || k=\n"
                      "    elif [[ $w == -- && i -lt COMP_CWORD ]]; then\n"
                      "      k=-\n"
                      "    elif [[ $w == -* ]]; then\n"
                      "      for ((j = 1; j < ${#w}; j++)); do\n"
                      "        c=${w:j:1}\n"
                      "        [[ $f == *\"$c\"* ]] && continue\n"
                      "        [[ $a == *\"$c\"* ]] && k=$c p=${w:0:j+1} r=${w:j+1}\n"
                      "        break\n"
                      "      done\n"
                      "      [[ $r && i -lt COMP_CWORD ]] && k=\n"
                      "    fi\n"
                      "  done\n"
                      "  if [[ ! $k && $w == -* ]]; then\n"
                      "    ((j < ${#w})) && return 0\n"
                      "    r=$f$a\n"
                      "    for ((j = 0; j < ${#r}; j++)); do\n"
                      "      [[ $w == *\"${r:j:1}\"* ]] || COMPREPLY+=(\"$w${r:j:1}\")\n"
                      "    done\n"
                      "    [[ $w == -?* ]] && COMPREPLY+=(\"$w\")\n"
                      "    return 0\n"
                      "  fi\n"
                      "  [[ $k ]] || k=-\n"
                      "  [[ $p && ! $r ]] && COMPREPLY=(\"$w\") && return 0\n"
                      "  if [[ $b == *\"$k\"* ]]; then\n"
                      "    mapfile -t COMPREPLY < <(compgen -P \"$p\" -W 'true false' -- \"$r\")\n"
                      "  elif [[ $o == *\"$k\"* ]]; then\n"
                      "    compopt -o filenames 2>/dev/null\n"
                      "    mapfile -t COMPREPLY < <(compgen -P \"$p\" -f -- \"$r\")\n"
                      "  fi\n"
                      "}\n"
                      "complete -F _argops_\3 -- '\1'\n"
                      "\0"
                      "  f+='\5'\n"
                      "\0"
                      "  a+='\5' b+='\5'\n"
                      "\0"
                      "  a+='\5' o+='\5'\n"
                      "\0"
                      "  a+='\5'\n";

/* zsh: autoloaded from fpath, the file is the body of _<prog> and runs the
 * completion; sourced, it registers it. -s reads clusters as getopt()
 * does, -S ends the options at "--". The message of an argument is its
 * syntax text, not the description: _arguments would evaluate what a
 * trailing backslash of a description let into the action after it. */
const char szZsh[] = "#compdef \2\n"
                     "\10"
                     "_argops_\3() {\n"
                     "  _arguments -s -S : \\\n"
                     "\4"
                     "    '*:file:_files'\n"
                     "}\n"
                     "if [[ ${zsh_eval_context[-1]} == (loadautofunc|shfunc) ]]; then\n"
                     "  _argops_\3 \"$@\"\n"
                     "else\n"
                     "  compdef _argops_\3 '\1'\n"
                     "fi\n"
                     "\0"
                     "    '-\5[\6]' \\\n"
                     "\0"
                     "    '-\5+[\6]:\7:(true false)' \\\n"
                     "\0"
                     "    '-\5+[\6]:\7:_files' \\\n"
                     "\0"
                     "    '-\5+[\6]:\7: ' \\\n";

/* fish completes operands as files unless told otherwise, and reads
 * clusters of its -s options itself. */
const char szFish[] = "\10\4"
                      "\0"
                      "complete -c '\1' -s '\5' -d '\6'\n"
                      "\0"
                      "complete -c '\1' -s '\5' -x -a 'true false' -d '\6'\n"
                      "\0"
                      "complete -c '\1' -s '\5' -r -F -d '\6'\n"
                      "\0"
                      "complete -c '\1' -s '\5' -x -d '\6'\n";

const Shell aShells[] = {
    {"bash", " \t\n\v\f\r/", 0, quoteSh, quoteSh, szBash},
    /* compdef reads "name=service", and options among its names */
    {"zsh", " \t\n\v\f\r/=", '-', quoteSh, quoteZshOption, szZsh},
    /* fish reads the name as a token again: a backslash would escape */
    {"fish", " \t\n\v\f\r/\\", 0, quoteFish, quoteFish, szFish},
};

struct Script {
    const Shell* psh;
    const ArgDsc* padBase;
    const char* szProg;
};

/* Each letter is offered once, by the row that argdScan would take. */
bool isOffered(const ArgDsc* padBase, const ArgDsc* pad)
{
    if (typeCode(pad->_iType).argument == argumentListed || !isShellLetter(pad->_chOpt))
        return false;
    for (const ArgDsc* padEarlier = padBase; padEarlier != pad; ++padEarlier)
        if (padEarlier->_chOpt == pad->_chOpt && typeCode(padEarlier->_iType).argument != argumentListed)
            return false;
    return true;
}

/* Another byte becomes '_' and two hex digits: no two names make the same
 * function, so that the scripts of several programs live side by side. */
void writeNameLetters(const char* szProg, std::ostream& os)
{
    for (const char* pch = szProg; *pch; ++pch) {
        unsigned char u = static_cast<unsigned char>(*pch);
        const char szHex[] = {'_', "0123456789abcdef"[u >> 4], "0123456789abcdef"[u & 15], '\0'};
        if (isNameLetter(*pch))
            os.put(*pch);
        else
            os << szHex;
    }
}

/* Writes the template sz with its holes filled. */
void expand(const char* sz, const Script& sc, const ArgDsc* pad, std::ostream& os)
{
    const Quoting& qRow = aQuotings[sc.psh->iqRow];
    for (; *sz; ++sz)
        switch (*sz) {
        case '\1': writeQuoted(sc.szProg, aQuotings[sc.psh->iqName], false, os); break;
        case '\2': os << sc.szProg; break;
        case '\3': writeNameLetters(sc.szProg, os); break;
        case '\4':
            for (const ArgDsc* padRow = sc.padBase; padRow->_chOpt; ++padRow)
                if (isOffered(sc.padBase, padRow))
                    expand(szPiece(sc.psh->szTemplates, 1 + typeCode(padRow->_iType).argument), sc, padRow, os);
            break;
        case '\5': writeQuoted(pad->_chOpt, qRow, false, os); break;
        case '\6': writeQuoted(pad->_szDsc, qRow, true, os); break;
        case '\7': writeQuoted(szArgSyntax(pad), qRow, false, os); break;
        case '\10':
            os << "# " << sc.psh->szName << " completion for " << sc.szProg
               << ", written by argops from the option table of " << sc.szProg << ".\n";
            break;
        default: os.put(*sz);
        }
}

const Shell* findShell(const char* szShell)
{
    for (const Shell& sh : aShells)
        if (szShell && !strcmp(sh.szName, szShell))
            return &sh;
    return nullptr;
}

bool isCommandName(const char* sz, const Shell& sh)
{
    return sz && *sz && *sz != sh.chNotFirst && !sz[strcspn(sz, sh.szNotInName)];
}

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

void writeCode(unsigned u, std::ostream& os)
{
    if (u >= uInvalid || (u >= 0xD800 && u < 0xE000)) {
        os.put('?');
        return;
    }
    if (u < 0xA0) { /* C1 controls, as blanks like the others */
        os.put(' ');
        return;
    }
    for (const auto& rc : aRoffCodes)
        if (u == rc.uCode) {
            os << rc.szEscape;
            return;
        }
    char sz[] = "\\[u000000]";
    int cDigits = u > 0xFFFFF ? 6 : u > 0xFFFF ? 5 : 4;
    for (int i = cDigits; i > 0; --i, u >>= 4)
        sz[2 + i] = "0123456789ABCDEF"[u & 15];
    sz[3 + cDigits] = ']';
    sz[4 + cDigits] = '\0';
    os << sz;
}

void endRoff(Utf8& u8, std::ostream& os)
{
    if (u8.cMore) {
        u8.cMore = 0;
        os.put('?');
    }
}

void writeRoff(Utf8& u8, char ch, std::ostream& os)
{
    unsigned char b = static_cast<unsigned char>(ch);
    if (u8.cMore && (b & 0xC0) == 0x80) {
        u8.uCode = u8.uCode << 6 | (b & 0x3F);
        if (--u8.cMore == 0)
            writeCode(u8.uCode < u8.uLeast ? uInvalid : u8.uCode, os); /* an overlong sequence is none */
        return;
    }
    endRoff(u8, os);
    if (b < 0x80) {
        writeQuoted(ch, aQuotings[quoteRoff], true, os);
        return;
    }
    for (const auto& lead : aLeads)
        if ((b & lead.bMask) == lead.bLead) {
            u8 = {b & ~lead.bMask & 0xFFu, lead.uLeast, lead.cMore};
            return;
        }
    os.put('?');
}

/* Every roff text goes through this buffer, which escapes each byte on its
 * way to the caller's stream and keeps none: a text by sputn(), the shown
 * value through a stream of its own. */
struct RoffBuf : std::streambuf {
    std::ostream* pos = nullptr;
    Utf8 u8{};
    int_type overflow(int_type ch) override
    {
        if (!traits_type::eq_int_type(ch, traits_type::eof()))
            writeRoff(u8, traits_type::to_char_type(ch), *pos);
        return traits_type::not_eof(ch);
    }
};

void writeRoff(const char* sz, std::ostream& os)
{
    RoffBuf buf;
    buf.pos = &os;
    buf.sputn(sz, std::streamsize(strlen(sz)));
    endRoff(buf.u8, os);
}

/* A letter never breaks its line. */
void writeRoffLetter(char ch, std::ostream& os)
{
    const char sz[2] = {isControl(ch) ? ' ' : ch, '\0'};
    writeRoff(sz, os);
}

/* The value in the caller's number format, as the usage text shows it. */
void writeRoffValue(const ArgDsc* pad, std::ostream& os)
{
    RoffBuf buf;
    buf.pos = &os;
    std::ostream osRoff(&buf);
    osRoff.copyfmt(os);
    typeCode(pad->_iType).show(pad->_pvVal, osRoff);
    endRoff(buf.u8, os);
}

/* A tag or a synopsis item: the option in bold, its syntax in italics,
 * held together by a space that does not break. */
void writeRoffOption(const ArgDsc* pad, std::ostream& os)
{
    os << "\\fB\\-";
    writeRoffLetter(pad->_chOpt, os);
    os << "\\fR";
    const char* szSyntax = szArgSyntax(pad);
    if (*szSyntax) {
        os << "\\ \\fI";
        writeRoff(szSyntax, os);
        os << "\\fR";
    }
}

} // namespace

int argdScan(char chOpt, char* szArg, ArgDsc* pad, char* szProg, int, std::ostream& os)
{
    return scanOption(chOpt, szArg, pad, szProg, {&os, nullptr});
}

int argdScanu(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os)
{
    assert(pad && pad->_iType == 'u');
    return scanNumber(pad, szArg, szProg, {&os, nullptr});
}

int argdScanU(ArgDsc* pad, char* szArg, char* szProg, std::ostream& os)
{
    assert(pad && pad->_iType == 'U');
    return scanNumber(pad, szArg, szProg, {&os, nullptr});
}

void argdInitOpt(char* szOpt, ArgDsc* pad, int c)
{
    if (c == -1)
        for (; pad->_chOpt; ++pad)
            szOpt = appendOptEntry(szOpt, pad);
    else
        for (int i = 0; i < c; ++i)
            szOpt = appendOptEntry(szOpt, &pad[i]);
    *szOpt = '\0';
}

/* Programs built against 1.0 call these two by their C++ names: the
 * names stay, as aliases of the C ones. */
void argdInitOptCxx(char* szOpt, ArgDsc* pad, int c) __asm__("_Z11argdInitOptPcP6ArgDsci")
    __attribute__((alias("argdInitOpt")));
int argdRemoveArgCxx(char** argv, int i, int* pArgc) __asm__("_Z13argdRemoveArgPPciPi")
    __attribute__((alias("argdRemoveArg")));

int argdRemoveArg(char** argv, int i, int* pArgc)
{
    /* The assertions' texts, as a failure prints them, are the library's own. */
    // clang-format off
    assert(i<(*pArgc));
    assert(0<=i);
    // clang-format on
    for (int j = i; j + 1 < *pArgc; ++j)
        argv[j] = argv[j + 1];
    --*pArgc;
    return *pArgc - i;
}

void argdShowUsage(ArgDsc* padBase, const char* szProg, const char* szPost, std::ostream& os)
{
    os << "usage: " << szProg << ' ';
    if (padBase->_chOpt) {
        os << " [";
        const char* szDash = "-";
        for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
            if (!*szArgSyntax(pad)) {
                os << szDash << pad->_chOpt;
                szDash = "";
            }
        for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad) {
            const char* szSyntax = szArgSyntax(pad);
            if (*szSyntax)
                os << " -" << pad->_chOpt << ' ' << szSyntax;
        }
        os << ']';
    }
    os << ' ' << (szPost ? szPost : "") << '\n' << "Options:\n";
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
        printDsc(pad, os);
}

/* The FILE* forms: the stream forms, on a FileStream, which the scans make
 * only for a report. */
int argdScan(char chOpt, char* szArg, ArgDsc* pad, char* szProg, int, FILE* pf)
{
    return scanOption(chOpt, szArg, pad, szProg, {nullptr, pf});
}

int argdScanu(ArgDsc* pad, char* szArg, char* szProg, FILE* pf)
{
    assert(pad && pad->_iType == 'u');
    return scanNumber(pad, szArg, szProg, {nullptr, pf});
}

int argdScanU(ArgDsc* pad, char* szArg, char* szProg, FILE* pf)
{
    assert(pad && pad->_iType == 'U');
    return scanNumber(pad, szArg, szProg, {nullptr, pf});
}

void argdShowUsage(ArgDsc* padBase, const char* szProg, const char* szPost, FILE* pf)
{
    FileStream file(pf);
    argdShowUsage(padBase, szProg, szPost, file.os);
}

/* The synopsis holds the usage line's pieces, an item a line, which roff
 * fills. A line that ends in caller text or a syntax text ends in \&, so
 * that a trailing blank is no space at the end of a line and a trailing
 * '.' no end of a sentence. */
void argdShowManual(ArgDsc* padBase, const char* szProg, const char* szPost, std::ostream& os)
{
    os << ".SH SYNOPSIS\n\\fB";
    writeRoff(szProg, os);
    os << "\\fR\n";
    int cItems = 0;
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
        if (!*szArgSyntax(pad)) {
            os << (cItems++ ? "" : "[\\fB\\-");
            writeRoffLetter(pad->_chOpt, os);
        }
    if (cItems)
        os << "\\fR";
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
        if (*szArgSyntax(pad)) {
            os << (cItems++ ? "\\&\n" : "[");
            writeRoffOption(pad, os);
        }
    if (cItems)
        os << "]\\&\n";
    if (szPost && *szPost) {
        os << "\\&";
        writeRoff(szPost, os);
        os << "\\&\n";
    }
    if (!padBase->_chOpt)
        return;
    os << ".SH OPTIONS\n";
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad) {
        os << ".TP\n";
        writeRoffOption(pad, os);
        os << "\n\\&";
        writeRoff(pad->_szDsc, os);
        if (!strchr(pad->_szDsc, '[')) {
            os << " [";
            writeRoffValue(pad, os);
            os << ']';
        }
        os << "\\&\n";
    }
}

int argdShowCompletion(ArgDsc* padBase, const char* szProg, const char* szShell, std::ostream& os)
{
    const Shell* psh = findShell(szShell);
    if (!psh || !isCommandName(szProg, *psh))
        return -1;
    expand(psh->szTemplates, Script{psh, padBase, szProg}, nullptr, os);
    return 0;
}

int argdShowCompletion(ArgDsc* padBase, const char* szProg, const char* szShell, FILE* pf)
{
    FileStream file(pf);
    return argdShowCompletion(padBase, szProg, szShell, file.os);
}

void argdShowManual(ArgDsc* padBase, const char* szProg, const char* szPost, FILE* pf)
{
    FileStream file(pf);
    argdShowManual(padBase, szProg, szPost, file.os);
}
