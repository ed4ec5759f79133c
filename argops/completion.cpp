// SPDX-License-Identifier: MIT
/* argdShowCompletion and argdShowLongCompletion: the bash, zsh and fish
 * completion scripts of a table and its long names. Each script is a
 * template that reads as the script it writes, with holes in double braces
 * that expand() fills. */
#include "internal.h"

#include <cstring>

namespace argops {
namespace {

/* A name's letters: what a function name may hold. */
bool isNameLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9'); }

/* The letters that bash, zsh and fish all read as themselves in an unquoted
 * word, that split no word in bash (its COMP_WORDBREAKS holds '@'), and
 * that each shell's option syntax can name ('+' is not: zsh does not stack
 * it). A row with another letter is not offered: no shell could complete
 * it reliably. */
bool isShellLetter(char ch) { return isNameLetter(ch) || (ch && strchr("%,._", ch)); }

/* A long name that every shell reads as itself, quoted or not, in any
 * word: bash's compgen -W expands its words, and a name of anything else
 * could run as code there. */
bool isShellLongName(const char* sz)
{
    for (; *sz; ++sz)
        if (!isNameLetter(*sz) && !strchr("-_.", *sz))
            return false;
    return true;
}

/* In '...' of bash and zsh nothing is special but the quote itself, which
 * closes the text, stands escaped, and opens it again. */
const Quoting quoteSh = {"'", "'\\''"};

/* In the '...' of an option of zsh's _arguments, which then reads a
 * backslash as escaping the next character, ']' as the end of the
 * explanation and ':' as the start of an argument. */
const Quoting quoteZshOption = {"'\\[]:", "'\\''\0\\\\\0\\[\0\\]\0\\:"};

/* In '...' of fish a backslash escapes itself and the quote. */
const Quoting quoteFish = {"\\'", "\\\\\0\\'"};

/* The holes of the templates: {{name}} the program name quoted for code,
 * {{prog}} as it is (zsh reads the #compdef line unquoted, and a comment
 * holds it; the name holds no white space), {{func}} in the letters of a
 * function name, {{comment}} the line that says which program and table
 * made the script, and {{rows}} the template of each offered row, in
 * which (and nowhere else) {{letter}}, {{description}} and {{syntax}} are
 * the row's, and {{options}} and {{switches}} its spellings as zsh's
 * _arguments and fish's complete name them. With long names, bash's
 * {{longfunc}} and {{longword}} are the script's pieces that read them,
 * {{longnames}} all of them, and {{longrows}} the template of each row
 * with long names, in which {{longs}} are the row's. */
enum Hole {
    holeName,
    holeProg,
    holeFunc,
    holeComment,
    holeRows,
    holeLetter,
    holeDescription,
    holeSyntax,
    holeOptions,
    holeSwitches,
    holeLongFunc,
    holeLongWord,
    holeLongNames,
    holeLongRows,
    holeLongs,
    cHoles
};

const char* const aszHoles[] = {"{{name}}",     "{{prog}}",        "{{func}}",      "{{comment}}",  "{{rows}}",
                                "{{letter}}",   "{{description}}", "{{syntax}}",    "{{options}}",  "{{switches}}",
                                "{{longfunc}}", "{{longword}}",    "{{longnames}}", "{{longrows}}", "{{longs}}"};
static_assert(sizeof aszHoles / sizeof *aszHoles == cHoles, "a text for each hole");

struct Shell {
    char szName[5];
    /* The marks that a program's name may hold besides ASCII letters and
     * digits, and those of them that cannot begin it: on one of the routes
     * that install the script, the shell reads any other as code, as a
     * pattern or as another name. */
    const char* szNameMarks;
    const char* szNotFirst;
    const Quoting* pqName;
    const Quoting* pqRow;
    const char* szScript;
    const char* aszRows[argumentListed]; /* the template of a row, by its Argument */
    /* bash's: the pieces that read long names, and the template of a row
     * with long names; the other shells spell them in aszRows. */
    const char* szLongFunc;
    const char* szLongWord;
    const char* aszLongRows[argumentListed];
};

/* bash: the words before the cursor are read as getopt() reads them: a
 * cluster of flags may end in a letter whose argument is the rest of the
 * word or the next word, "--" ends the options, and options may follow
 * operands. k is then the letter whose argument the cursor is in, or '-'
 * for an operand, which is why o, the letters that take file names,
 * begins with '-'. compgen and compopt are builtins: the script needs
 * nothing of the bash-completion package, and works beside it. Letters
 * are told apart by case whatever the user's nocasematch, which would
 * make -b and -B one option to [[ ]] and to compgen. */
const char szBash[] = R"sh({{comment}}
{{longfunc}}_argops_{{func}}_words()
{
  local f= a= b= o=- w c k= p= r
  local -i i j
{{rows}}  COMPREPLY=()
  for ((i = 1; i <= COMP_CWORD; i++)); do
    w=${COMP_WORDS[i]} p= r=$w
    if [[ $k ]]; then
      [[ $k == - || i -eq COMP_CWORD ]] || k=
    elif [[ $w == -- && i -lt COMP_CWORD ]]; then
      k=-
{{longword}}    elif [[ $w == -* ]]; then
      for ((j = 1; j < ${#w}; j++)); do
        c=${w:j:1}
        [[ $f == *"$c"* ]] && continue
        [[ $a == *"$c"* ]] && k=$c p=${w:0:j+1} r=${w:j+1}
        break
      done
      [[ $r && i -lt COMP_CWORD ]] && k=
    fi
  done
  if [[ ! $k && $w == -* ]]; then
    ((j < ${#w})) && return 0
    r=$f$a
    for ((j = 0; j < ${#r}; j++)); do
      [[ $w == *"${r:j:1}"* ]] || COMPREPLY+=("$w${r:j:1}")
    done
    [[ $w == -?* ]] && COMPREPLY+=("$w")
    return 0
  fi
  [[ $k ]] || k=-
  [[ $p && ! $r ]] && COMPREPLY=("$w") && return 0
  if [[ $b == *"$k"* ]]; then
    mapfile -t COMPREPLY < <(compgen -P "$p" -W 'true false' -- "$r")
  elif [[ $o == *"$k"* ]]; then
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -P "$p" -f -- "$r")
  fi
}
_argops_{{func}}()
{
  if shopt -q nocasematch; then
    shopt -u nocasematch
    _argops_{{func}}_words
    shopt -s nocasematch
  else
    _argops_{{func}}_words
  fi
}
complete -F _argops_{{func}} -- '{{name}}'
)sh";

/* bash, with long names: a word that begins with "--" is read here. t is
 * what the option takes, as the letters' f, b, o and a say, and empty for
 * a name the table lacks, which getopt_long() refuses and takes no
 * argument of. Its argument may be the rest of the word after '=' or the
 * next word; bash's COMP_WORDBREAKS holds '=' unless the user took it out,
 * and then splits --name=value into --name, = and value, and completes
 * only value. Returns 0 when the word at the cursor is completed, else 1
 * with i at the last word the option took. */
const char szBashLongFunc[] = R"sh(_argops_{{func}}_long()
{
  local n=${w%%=*} t= v=
  case $n in
{{longrows}}  esac
  if ((i == COMP_CWORD)); then
    if [[ $w != *=* ]]; then
      mapfile -t COMPREPLY < <(compgen -W '{{longnames}}' -- "$w")
      return 0
    fi
    p=$n= v=${w#*=}
  elif [[ $t != [boa] || $w == *=* ]]; then
    return 1
  else
    ((++i))
    [[ ${COMP_WORDS[i]} == = && i -lt COMP_CWORD ]] && ((++i))
    ((i < COMP_CWORD)) && return 1
    [[ ${COMP_WORDS[i]} == = ]] || v=${COMP_WORDS[i]}
  fi
  if [[ $t == b ]]; then
    mapfile -t COMPREPLY < <(compgen -P "$p" -W 'true false' -- "$v")
  elif [[ $t == o ]]; then
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -P "$p" -f -- "$v")
  fi
  return 0
}
)sh";

const char szBashLongWord[] = R"sh(    elif [[ $w == --* ]]; then
      _argops_{{func}}_long && return 0
)sh";

/* zsh: autoloaded from fpath, the file is the body of _<prog> and runs the
 * completion; sourced, it registers it. -s reads clusters as getopt()
 * does, -S ends the options at "--". The message of an argument is its
 * syntax text, not the description: _arguments would evaluate what a
 * trailing backslash of a description let into the action after it. */
const char szZsh[] = R"sh(#compdef {{prog}}
{{comment}}
_argops_{{func}}() {
  _arguments -s -S : \
{{rows}}    '*:file:_files'
}
if [[ ${zsh_eval_context[-1]} == (loadautofunc|shfunc) ]]; then
  _argops_{{func}} "$@"
else
  compdef _argops_{{func}} '{{name}}'
fi
)sh";

/* fish completes operands as files unless told otherwise, and reads
 * clusters of its -s options and both forms of an -l option's argument
 * itself. */
const char szFish[] = R"sh({{comment}}
{{rows}})sh";

const Shell aShells[] = {
    /* complete registers the name as it is, but bash-completion's loader
     * looks it up as the user typed it: a name needs no quotes and runs as
     * itself. ! expands history, braces and wildcards expand, = assigns,
     * and first, # is a comment, % a job, ^ a substitution, ~ a home. */
    {"bash",
     "#%+,-.:@]^_~",
     "#%^~",
     &quoteSh,
     &quoteSh,
     szBash,
     {
         "  f+='{{letter}}'\n",
         "  a+='{{letter}}' b+='{{letter}}'\n",
         "  a+='{{letter}}' o+='{{letter}}'\n",
         "  a+='{{letter}}'\n",
     },
     szBashLongFunc,
     szBashLongWord,
     {
         "    {{longs}}) t=f ;;\n",
         "    {{longs}}) t=b ;;\n",
         "    {{longs}}) t=o ;;\n",
         "    {{longs}}) t=a ;;\n",
     }},
    /* In fpath, the file _<name> makes a function that _dispatch evaluates
     * and that compinit's dump lists unquoted: ; & | > < ( ) $ and quotes
     * there run code or fail, braces expand into code, # * ? ^ [ are
     * patterns, and with ! or a last ~ nothing completes. compdef reads
     * "name=service", and options among its names. */
    {"zsh",
     "%+,-.:@]_",
     "-",
     &quoteSh,
     &quoteZshOption,
     szZsh,
     {
         "    '{{options}}[{{description}}]' \\\n",
         "    '{{options}}[{{description}}]:{{syntax}}:(true false)' \\\n",
         "    '{{options}}[{{description}}]:{{syntax}}:_files' \\\n",
         "    '{{options}}[{{description}}]:{{syntax}}: ' \\\n",
     },
     nullptr,
     nullptr,
     {}},
    /* complete -c reads its name as a token again: quotes, $, braces, a
     * backslash, * and ? would register another name, and so would % and ~
     * first; typed as it is, a name with = is an assignment. */
    {"fish",
     "!#%&()+,-.:;<>@[]^_`|~",
     "%~",
     &quoteFish,
     &quoteFish,
     szFish,
     {
         "complete -c '{{name}}' {{switches}} -d '{{description}}'\n",
         "complete -c '{{name}}' {{switches}} -x -a 'true false' -d '{{description}}'\n",
         "complete -c '{{name}}' {{switches}} -r -F -d '{{description}}'\n",
         "complete -c '{{name}}' {{switches}} -x -d '{{description}}'\n",
     },
     nullptr,
     nullptr,
     {}},
};

struct Script {
    const Shell* psh;
    const ArgDsc* padBase;
    const ArgLong* pal; /* null: none */
    const char* szProg;
    bool fLong; /* a long name is offered */
};

/* The row that argdScan would take for the letter: each option is offered
 * once, by it. */
bool isFirstOfLetter(const ArgDsc* padBase, const ArgDsc* pad)
{
    if (typeCode(pad->_iType).argument == argumentListed)
        return false;
    for (const ArgDsc* padEarlier = padBase; padEarlier != pad; ++padEarlier)
        if (padEarlier->_chOpt == pad->_chOpt && typeCode(padEarlier->_iType).argument != argumentListed)
            return false;
    return true;
}

bool isShortOffered(const Script& sc, const ArgDsc* pad)
{
    return isShellLetter(pad->_chOpt) && isFirstOfLetter(sc.padBase, pad);
}

/* getopt_long() takes the first of two equal names. */
bool isFirstOfName(const ArgLong* pal, const ArgLong* pl)
{
    for (; pal != pl; ++pal)
        if (!strcmp(pal->_szLong, pl->_szLong))
            return false;
    return true;
}

/* The row's next offered long name after pl (null: its first), or null. */
const ArgLong* nextLong(const Script& sc, const ArgDsc* pad, const ArgLong* pl)
{
    if (!sc.pal || !isFirstOfLetter(sc.padBase, pad))
        return nullptr;
    for (pl = pl ? pl + 1 : sc.pal; pl->_chOpt; ++pl)
        if (pl->_chOpt == pad->_chOpt && isShellLongName(pl->_szLong) && isFirstOfName(sc.pal, pl))
            return pl;
    return nullptr;
}

/* A shell whose rows spell the long names too offers a row for either. */
bool isRowOffered(const Script& sc, const ArgDsc* pad)
{
    return isShortOffered(sc, pad) || (!sc.psh->szLongFunc && nextLong(sc, pad, nullptr));
}

/* Another byte becomes '_' and two hex digits: no two names make the same
 * function, so that the scripts of several programs live side by side. */
void writeNameLetters(const char* szProg, Out out)
{
    for (const char* pch = szProg; *pch; ++pch) {
        unsigned char u = static_cast<unsigned char>(*pch);
        const char szHex[] = {'_', "0123456789abcdef"[u >> 4], "0123456789abcdef"[u & 15], '\0'};
        if (isNameLetter(*pch))
            write(out, *pch);
        else
            write(out, szHex);
    }
}

/* The hole that sz begins with, or cHoles. */
int holeAt(const char* sz)
{
    int i = 0;
    while (i < cHoles && strncmp(sz, aszHoles[i], strlen(aszHoles[i])) != 0)
        ++i;
    return i;
}

void expand(const char* sz, const Script& sc, const ArgDsc* pad, Out out);

/* A description's UTF-8 as it is: fish drops a description that holds
 * anything else, and its pager hides one with a C1 control. */
void writeBytes(unsigned, const char* pch, size_t cch, Out out) { write(out, pch, cch); }

void writeDescription(const ArgDsc& row, const Quoting& q, Out out)
{
    Utf8Text text = {out, &q, writeBytes, 0, 0, 0, {}, 0};
    write(utf8Out(text), szDescription(row));
    endUtf8(text);
}

/* How a shell spells a row's options in one hole: the short option
 * between szShort and szShortEnd (a null szShort: left out), each long
 * name between szLong and szLongEnd, szBetween between two. */
struct Spelling {
    const char* szShort;
    const char* szShortEnd;
    const char* szLong;
    const char* szLongEnd;
    const char* szBetween;
};

int countSpellings(const Script& sc, const ArgDsc& row)
{
    int c = isShortOffered(sc, &row) ? 1 : 0;
    for (const ArgLong* pl = nextLong(sc, &row, nullptr); pl; pl = nextLong(sc, &row, pl))
        ++c;
    return c;
}

void writeSpellings(const Script& sc, const ArgDsc& row, const Spelling& sp, Out out)
{
    const Quoting& qRow = *sc.psh->pqRow;
    const char* szBetween = "";
    if (sp.szShort && isShortOffered(sc, &row)) {
        write(out, sp.szShort);
        writeQuoted(row._chOpt, qRow, false, out);
        write(out, sp.szShortEnd);
        szBetween = sp.szBetween;
    }
    for (const ArgLong* pl = nextLong(sc, &row, nullptr); pl; pl = nextLong(sc, &row, pl)) {
        write(out, szBetween);
        write(out, sp.szLong);
        writeQuoted(pl->_szLong, qRow, false, out);
        write(out, sp.szLongEnd);
        szBetween = sp.szBetween;
    }
}

/* zsh: one spelling as it is, several as one exclusion group and a brace
 * expansion of them, which the quotes of the template around the hole
 * leave unquoted, each quoted in it (',' is a letter). An option that
 * takes an argument takes it in its word or the next: -o+ and --name=. */
void writeZshOptions(const Script& sc, const ArgDsc& row, Out out)
{
    bool fArgument = !isFlag(&row);
    if (countSpellings(sc, row) == 1) {
        writeSpellings(sc, row, {"-", fArgument ? "+" : "", "--", fArgument ? "=" : "", ""}, out);
        return;
    }
    write(out, '(');
    writeSpellings(sc, row, {"-", "", "--", "", " "}, out);
    write(out, ")'{");
    writeSpellings(sc, row, {"'-", fArgument ? "+'" : "'", "'--", fArgument ? "='" : "'", ","}, out);
    write(out, "}'");
}

void fillRowHole(int iHole, const Script& sc, const ArgDsc& row, Out out)
{
    const Quoting& qRow = *sc.psh->pqRow;
    switch (iHole) {
    case holeLetter: writeQuoted(row._chOpt, qRow, false, out); break;
    case holeDescription: writeDescription(row, qRow, out); break;
    case holeSyntax: writeQuoted(typeCode(row._iType).szSyntax, qRow, false, out); break;
    case holeOptions: writeZshOptions(sc, row, out); break;
    case holeSwitches: writeSpellings(sc, row, {"-s '", "'", "-l '", "'", " "}, out); break;
    case holeLongs: writeSpellings(sc, row, {nullptr, "", "--", "", "|"}, out); break;
    }
}

/* The rows' template for each offered row, or with long names bash's
 * template of each row that has any. */
void writeRows(const Script& sc, bool fLongRows, Out out)
{
    for (const ArgDsc* pad = sc.padBase; pad->_chOpt; ++pad)
        if (fLongRows ? nextLong(sc, pad, nullptr) != nullptr : isRowOffered(sc, pad))
            expand((fLongRows ? sc.psh->aszLongRows : sc.psh->aszRows)[typeCode(pad->_iType).argument], sc, pad, out);
}

/* bash's pieces that read long names, when the script has any. */
void writeLongPiece(const char* sz, const Script& sc, Out out)
{
    if (sz && sc.fLong)
        expand(sz, sc, nullptr, out);
}

void writeLongNames(const Script& sc, Out out)
{
    const char* szBetween = "";
    for (const ArgDsc* pad = sc.padBase; pad->_chOpt; ++pad)
        for (const ArgLong* pl = nextLong(sc, pad, nullptr); pl; pl = nextLong(sc, pad, pl)) {
            write(out, szBetween);
            write(out, "--");
            writeQuoted(pl->_szLong, *sc.psh->pqRow, false, out);
            szBetween = " ";
        }
}

/* pad is the row whose template is expanded, or null for the script's. */
void fillHole(int iHole, const Script& sc, const ArgDsc* pad, Out out)
{
    switch (iHole) {
    case holeName: writeQuoted(sc.szProg, *sc.psh->pqName, false, out); break;
    case holeProg: write(out, sc.szProg); break;
    case holeFunc: writeNameLetters(sc.szProg, out); break;
    case holeComment:
        write(out, "# ");
        write(out, sc.psh->szName);
        write(out, " completion for ");
        write(out, sc.szProg);
        write(out, ", written by argops from the option table of ");
        write(out, sc.szProg);
        write(out, '.');
        break;
    case holeRows: writeRows(sc, false, out); break;
    case holeLongRows: writeRows(sc, true, out); break;
    case holeLongFunc: writeLongPiece(sc.psh->szLongFunc, sc, out); break;
    case holeLongWord: writeLongPiece(sc.psh->szLongWord, sc, out); break;
    case holeLongNames: writeLongNames(sc, out); break;
    default:
        if (pad)
            fillRowHole(iHole, sc, *pad, out);
    }
}

/* Writes the template sz with its holes filled. */
void expand(const char* sz, const Script& sc, const ArgDsc* pad, Out out)
{
    while (*sz) {
        int iHole = holeAt(sz);
        if (iHole < cHoles) {
            fillHole(iHole, sc, pad, out);
            sz += strlen(aszHoles[iHole]);
            continue;
        }
        const char* pchBrace = strchr(sz + 1, '{'); /* where the next hole may begin */
        size_t cchText = pchBrace ? static_cast<size_t>(pchBrace - sz) : strlen(sz);
        write(out, sz, cchText);
        sz += cchText;
    }
}

const Shell* findShell(const char* szShell)
{
    for (const Shell& sh : aShells)
        /* up to the NUL that ends sh.szName: strcmp() would be one more
         * symbol for the loader to look up */
        if (szShell && !strncmp(sh.szName, szShell, sizeof sh.szName))
            return &sh;
    return nullptr;
}

/* A name the shell registers as itself, and never evaluates. */
bool isCommandName(const char* sz, const Shell& sh)
{
    if (!sz || !*sz || strchr(sh.szNotFirst, *sz))
        return false;
    for (; *sz; ++sz)
        if (!isNameLetter(*sz) && !strchr(sh.szNameMarks, *sz))
            return false;
    return true;
}

} // namespace

int showCompletion(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szShell, Out out)
{
    if (pal)
        checkLongNames(padBase, pal);
    const Shell* psh = findShell(szShell);
    if (!psh || !isCommandName(szProg, *psh))
        return -1;
    Script sc = {psh, padBase, pal, szProg, false};
    for (const ArgDsc* pad = padBase; pad->_chOpt; ++pad)
        sc.fLong = sc.fLong || nextLong(sc, pad, nullptr);
    expand(psh->szScript, sc, nullptr, out);
    return 0;
}

} // namespace argops

int argdShowCompletion(ArgDsc* padBase, const char* szProg, const char* szShell, FILE* pf)
{
    return argops::showCompletion(padBase, nullptr, szProg, szShell, argops::fileOut(pf));
}

int argdShowLongCompletion(ArgDsc* padBase, const ArgLong* pal, const char* szProg, const char* szShell, FILE* pf)
{
    return argops::showCompletion(padBase, pal, szProg, szShell, argops::fileOut(pf));
}
