// SPDX-License-Identifier: MIT
// Fuzzing of the completion scripts and the manual sections: random tables
// (any letter but 0, any description, any value) and long names (any text
// but '='), random program names and shells go through
// argdShowLongCompletion and argdShowLongManual, and, without long names,
// through argdShowCompletion and argdShowManual.
//
// On every input, in process: the result is 0 exactly when the shell is one
// of the three and the name one it can register, and a refusal writes
// nothing. Each script is written twice, from the table and from the same
// table with every description emptied; read with the quoting rules of its
// shell, the two must leave the same code outside quotes and comments, and
// end outside any quote: a description that escaped its quotes would add
// code. For zsh the same holds one level down, inside each option word of
// _arguments: the explanation between [ and ] is the only part a
// description changes. A long name that a shell could read as anything
// but itself is never offered: the script is the same, byte for byte, with
// each such name replaced by another.
//
// On a sample (every 512th input, or each one with COMPLETE_FUZZ_REAL=1, as
// the CTest run over the seeds sets), the real programs confirm it: bash -n,
// zsh -n and fish -n on the script, groff -ww and mandoc -Tlint on a page
// made of the manual sections. groff runs with -Tutf8: the fonts of its
// default device lack many characters and it warns about each one, and
// with -Wbreak: a fuzzed word longer than the column cannot be adjusted,
// which is the author's text, not the page's markup.
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "argops.h"

namespace {

const char kCodes[] = "01bBuUdst-+";

struct Reader {
    const uint8_t* p;
    size_t n;
    uint8_t byte()
    {
        if (!n)
            return 0;
        --n;
        return *p++;
    }
    std::string text(unsigned cchMax)
    {
        std::string s;
        for (unsigned cch = byte() % cchMax; cch > 0; --cch)
            if (char ch = char(byte()))
                s += ch;
        return s;
    }
};

// The quoting of each shell, as its manual tells it: the code a script
// leaves outside quotes, escapes and comments.
std::string code(const std::string& s, bool fFish)
{
    std::string sOut;
    char chQuote = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        char ch = s[i];
        if (chQuote == '\'') {
            if (fFish && ch == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '\''))
                ++i;
            else if (ch == '\'')
                chQuote = 0;
        } else if (chQuote == '"') {
            if (ch == '\\')
                ++i;
            else if (ch == '"')
                chQuote = 0;
        } else if (ch == '\\') {
            ++i;
        } else if (ch == '\'' || ch == '"') {
            chQuote = ch;
        } else if (ch == '#' && (i == 0 || s[i - 1] == ' ' || s[i - 1] == '\n')) {
            while (i + 1 < s.size() && s[i + 1] != '\n')
                ++i;
        } else {
            sOut += ch;
        }
    }
    if (chQuote)
        sOut += "<open quote>";
    return sOut;
}

// The option words of _arguments in a zsh script, each as zsh hands it
// over (after '...' and \'), with its explanation emptied as _arguments
// reads it.
std::vector<std::string> optionWords(const std::string& s)
{
    std::vector<std::string> v;
    std::istringstream is(s);
    for (std::string sLine; std::getline(is, sLine);) {
        if (sLine.compare(0, 6, "    '-") && sLine.compare(0, 6, "    '(")) // an option, or a group of them
            continue;
        std::string sWord;
        bool fQuoted = false;
        for (size_t i = 0; i < sLine.size(); ++i)
            if (sLine[i] == '\'')
                fQuoted = !fQuoted;
            else if (!fQuoted && sLine[i] == '\\')
                sWord += sLine[++i];
            else if (fQuoted)
                sWord += sLine[i];
        std::string sSkeleton;
        size_t i = 0;
        for (; i < sWord.size() && sWord[i] != '['; ++i)
            sSkeleton += sWord[i];
        for (++i; i < sWord.size() && sWord[i] != ']'; ++i)
            i += sWord[i] == '\\';
        v.push_back(sSkeleton + "[]" + sWord.substr(i < sWord.size() ? i + 1 : i));
    }
    return v;
}

// The marks each shell's names may hold, and those that may not begin one.
bool nameFits(const std::string& sName, const std::string& sShell)
{
    struct Marks {
        const char* szShell;
        std::string sAnywhere, sNotFirst;
    };
    static const Marks aMarks[] = {
        {"bash", "#%+,-.:@]^_~", "#%^~"}, {"zsh", "%+,-.:@]_", "-"}, {"fish", "!#%&()+,-.:;<>@[]^_`|~", "%~"}};
    const Marks* pm = nullptr;
    for (const Marks& m : aMarks)
        pm = sShell == m.szShell ? &m : pm;
    if (!pm || sName.empty() || pm->sNotFirst.find(sName[0]) != std::string::npos)
        return false;
    for (char ch : sName)
        if (!isalnum(static_cast<unsigned char>(ch)) && pm->sAnywhere.find(ch) == std::string::npos)
            return false;
    return true;
}

// Runs the command on a file holding the text; a nonzero status or any
// output is a finding.
void confirm(const char* szCommand, const std::string& sText)
{
    char szFile[] = "/tmp/complete_fuzz.XXXXXX.1"; // mandoc wants the section's suffix
    int fd = mkstemps(szFile, 2);
    if (fd < 0 || write(fd, sText.data(), sText.size()) != ssize_t(sText.size()))
        abort();
    close(fd);
    std::string sCommand = std::string(szCommand) + " " + szFile + " 2>&1";
    FILE* pf = popen(sCommand.c_str(), "r"); // NOLINT(cert-env33-c): the real programs are the judges
    std::string sOut;
    for (int ch; pf && (ch = fgetc(pf)) != EOF;)
        sOut += char(ch);
    int iStatus = pf ? pclose(pf) : -1;
    unlink(szFile);
    if (iStatus != 0 || !sOut.empty()) {
        fprintf(stderr, "%s:\n%s\n--- on ---\n%s\n", szCommand, sOut.c_str(), sText.c_str());
        abort();
    }
}

// A long name that the shells take as a word of their own.
bool isOffered(const std::string& sName)
{
    for (char ch : sName)
        if (!isalnum(static_cast<unsigned char>(ch)) && !strchr("-_.", ch))
            return false;
    return true;
}

struct Table {
    std::vector<ArgDsc> rows;
    std::vector<std::string> longs;
    std::vector<ArgLong> names;
    std::vector<std::string> dscs, texts;
    std::vector<int> ints;
    std::vector<unsigned> uints;
    std::vector<double> doubles;
    std::vector<time_t> times;
    std::vector<const char*> szs;
};

void build(Reader& r, Table& t)
{
    size_t c = r.byte() % 12;
    t.dscs.resize(c), t.texts.resize(c), t.ints.resize(c), t.uints.resize(c);
    t.doubles.resize(c), t.times.resize(c), t.szs.resize(c);
    for (size_t i = 0; i < c; ++i) {
        char chOpt = char(r.byte());
        int iType = static_cast<unsigned char>(kCodes[r.byte() % 11]);
        t.dscs[i] = r.text(48);
        t.texts[i] = r.text(16);
        t.ints[i] = int(r.byte()) - 128;
        t.uints[i] = r.byte();
        t.doubles[i] = (int(r.byte()) - 128) / 8.0;
        t.times[i] = time_t(int(r.byte()) - 128) * 1000003;
        t.szs[i] = r.byte() % 4 ? t.texts[i].c_str() : nullptr;
        void* pv = iType == 'U'   ? static_cast<void*>(&t.uints[i])
                   : iType == 'd' ? static_cast<void*>(&t.doubles[i])
                   : iType == 't' ? static_cast<void*>(&t.times[i])
                   : iType == 's' ? static_cast<void*>(&t.szs[i])
                                  : static_cast<void*>(&t.ints[i]);
        chOpt = chOpt ? chOpt : 'a';
        if (chOpt >= 1 && chOpt <= 31 && iType == '+') // a long-only row is an option
            iType = '1';
        t.rows.push_back({chOpt, t.dscs[i].c_str(), iType, pv, nullptr});
    }
    t.rows.push_back({0});
}

// Names for random rows and for every long-only one, half of them made of
// the letters a shell takes; none for a letter whose first row is '+'.
void buildNames(Reader& r, Table& t)
{
    std::vector<char> letters;
    for (size_t c = t.rows.size() > 1 ? r.byte() % 6 : 0; c > 0; --c)
        letters.push_back(t.rows[r.byte() % (t.rows.size() - 1)]._chOpt);
    for (const ArgDsc& row : t.rows)
        if (row._chOpt >= 1 && row._chOpt <= 31)
            letters.push_back(row._chOpt);
    for (char chOpt : letters) {
        const ArgDsc* pad = t.rows.data();
        while (pad->_chOpt != chOpt)
            ++pad;
        if (pad->_iType == '+')
            continue;
        std::string sName = r.text(12);
        if (r.byte() % 2)
            for (char& ch : sName)
                ch = "abcdefghXYZ019-_."[static_cast<unsigned char>(ch) % 17];
        for (char& ch : sName)
            ch = ch == '=' ? '-' : ch;
        t.longs.push_back(sName.empty() ? "n" : sName);
        t.names.push_back({chOpt, nullptr});
    }
    for (size_t i = 0; i < t.names.size(); ++i)
        t.names[i]._szLong = t.longs[i].c_str();
    t.names.push_back({0});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static unsigned long cRuns = 0;
    static const bool fAlways = getenv("COMPLETE_FUZZ_REAL") != nullptr;
    bool fReal = fAlways || ++cRuns % 512 == 0;

    Reader r{data, size};
    Table t;
    build(r, t);
    std::string sProg = r.text(12), sPost = r.text(16);
    const char* aszShells[] = {"bash", "zsh", "fish", nullptr};
    std::string sShell = r.byte() % 8 ? aszShells[r.byte() % 3] : r.text(6);
    if (r.byte() % 4 == 0) // most names are valid, to reach the scripts
        sProg = "prog";
    buildNames(r, t);
    const ArgLong* pal = r.byte() % 4 ? t.names.data() : nullptr;

    std::ostringstream osScript, osBlank, osManual;
    int iResult = pal ? argdShowLongCompletion(t.rows.data(), pal, sProg.c_str(), sShell.c_str(), osScript)
                      : argdShowCompletion(t.rows.data(), sProg.c_str(), sShell.c_str(), osScript);
    bool fKnown = sShell == "bash" || sShell == "zsh" || sShell == "fish";
    if (iResult != (fKnown && nameFits(sProg, sShell) ? 0 : -1) || (iResult != 0) != osScript.str().empty())
        abort();
    if (iResult == 0) {
        std::vector<ArgDsc> blank = t.rows;
        for (ArgDsc& row : blank)
            row._szDsc = "";
        argdShowLongCompletion(blank.data(), pal, sProg.c_str(), sShell.c_str(), osBlank);
        bool fFish = sShell == "fish";
        if (code(osScript.str(), fFish) != code(osBlank.str(), fFish) ||
            code(osScript.str(), fFish).find("<open quote>") != std::string::npos)
            abort();
        if (sShell == "zsh" && optionWords(osScript.str()) != optionWords(osBlank.str()))
            abort();
        std::vector<ArgLong> others = t.names;
        for (ArgLong& name : others)
            name._szLong = name._szLong && !isOffered(name._szLong) ? "$(other)" : name._szLong;
        std::ostringstream osOthers;
        argdShowLongCompletion(t.rows.data(), pal ? others.data() : nullptr, sProg.c_str(), sShell.c_str(), osOthers);
        if (osOthers.str() != osScript.str())
            abort();
        if (fReal)
            confirm((sShell + " -n").c_str(), osScript.str());
    }

    argdShowLongManual(t.rows.data(), pal, sProg.c_str(), r.byte() % 4 ? sPost.c_str() : nullptr, osManual);
    if (fReal) {
        std::string sPage = ".TH PROG 1 2026-01-01 argops \"User Commands\"\n.SH NAME\nprog \\- fuzzed\n" +
                            osManual.str() + ".SH DESCRIPTION\nFuzzed.\n";
        confirm("groff -ww -Wbreak -Tutf8 -man -z", sPage);
        confirm("mandoc -Tlint", sPage);
    }
    return 0;
}
