// SPDX-License-Identifier: MIT
// The completion scripts and manual sections, from C as on a stream; which
// shells and names are refused. What the shells and formatters make of the
// texts is tested in them (shells/*.sh).
#include <gtest/gtest.h>

#include "support.h"

namespace {

int flag = 1, number = -1;
const char* text = "a 'text' \\ -";
ArgDsc table[] = {{'v', "verbose \"dq\" 'sq' $(x) [y]", '1', &flag},
                  {'n', "number\nof passes -1", 'u', &number},
                  {'o', "output: \xc3\xb6 \\fB", 's', &text},
                  {'p', "listed", '+'},
                  {0}};

Written completion(const char* szProg, const char* szShell, int* pResult, Form form)
{
    if (form == Form::c) {
        CWritten w;
        *pResult = cShowCompletion(table, szProg, szShell, &w);
        return taken(w);
    }
    CountingBuf buf;
    std::ostream os(&buf);
    *pResult = argdShowCompletion(table, szProg, szShell, os);
    return {buf.str(), buf.syncs};
}

TEST(Completion, TheSameScriptFromC)
{
    for (const char* szShell : {"bash", "zsh", "fish"}) {
        int result, resultC;
        Written stream = completion("prog", szShell, &result, Form::stream),
                c = completion("prog", szShell, &resultC, Form::c);
        EXPECT_EQ(result, 0) << szShell;
        EXPECT_EQ(resultC, 0) << szShell;
        EXPECT_EQ(c.text, stream.text) << szShell;
        EXPECT_NE(stream.text.find("# " + std::string(szShell) + " completion for prog"), std::string::npos);
        EXPECT_EQ(stream.text.find("listed"), std::string::npos) << szShell; // '+' rows are no options
    }
}

TEST(Completion, RefusesOtherShellsAndNamesNoShellRuns)
{
    const struct {
        const char* szProg;
        const char* szShell;
    } cases[] = {{"prog", "tcsh"}, {"prog", "Bash"},  {"prog", ""},    {"prog", nullptr},
                 {"", "bash"},     {nullptr, "fish"}, {"a b", "bash"}, {"a/b", "zsh"},
                 {"a\nb", "fish"}, {"a=b", "zsh"},    {"-x", "zsh"},   {"a\\", "fish"}};
    for (Form form : kForms)
        for (const auto& c : cases) {
            int result;
            Written w = completion(c.szProg, c.szShell, &result, form);
            EXPECT_EQ(result, -1) << (c.szProg ? c.szProg : "null") << ' ' << (c.szShell ? c.szShell : "null");
            EXPECT_EQ(w.text, "");
        }
}

// A table may leave a description out: the writers take it for the empty
// text (the shells load these lines in shells/*.sh).
TEST(Writers, TakeANullDescriptionForTheEmptyText)
{
    ArgDsc rows[] = {{'x', nullptr, '1', &flag}, {'y', nullptr, 's', &text}, {0}};
    const struct {
        const char* szShell;
        const char* szLines;
    } cases[] = {{"bash", "  f+='x'\n  a+='y' o+='y'\n"},
                 {"zsh", "    '-x[]' \\\n    '-y+[]:\"...\":_files' \\\n"},
                 {"fish", "complete -c 'prog' -s 'x' -d ''\ncomplete -c 'prog' -s 'y' -r -F -d ''\n"}};
    for (const auto& c : cases) {
        std::ostringstream os;
        EXPECT_EQ(argdShowCompletion(rows, "prog", c.szShell, os), 0);
        EXPECT_NE(os.str().find(c.szLines), std::string::npos) << os.str();
    }
    std::ostringstream os;
    argdShowManual(rows, "prog", nullptr, os);
    EXPECT_NE(os.str().find(".TP\n\\fB\\-x\\fR\n\\& [on]\\&\n"), std::string::npos) << os.str();
}

// What is no UTF-8 becomes '?', and a C1 control a blank, in every writer
// that shows descriptions (fish would drop the description, or hide it).
TEST(Writers, ShowDescriptionsAsUtf8Text)
{
    ArgDsc rows[] = {{'e',
                      "caf\xe9\xc2\x85"
                      "end",
                      '1', &flag},
                     {0}};
    const struct {
        const char* szShell;
        const char* szLine;
    } cases[] = {{"zsh", "'-e[caf? end]'"}, {"fish", "-s 'e' -d 'caf? end'"}};
    for (const auto& c : cases) {
        std::ostringstream os;
        argdShowCompletion(rows, "prog", c.szShell, os);
        EXPECT_NE(os.str().find(c.szLine), std::string::npos) << os.str();
    }
    std::ostringstream os;
    argdShowManual(rows, "prog", nullptr, os);
    EXPECT_NE(os.str().find("\\&caf? end [on]"), std::string::npos) << os.str();
}

// A digit is a letter like another, and '#' in a description is text.
TEST(Writers, SectionsAndScriptsOfADigitRow)
{
    int seven = 0, passes = 3;
    ArgDsc rows[] = {{'7', "seven # hash", '1', &seven}, {'n', "passes", 'u', &passes}, {0}};
    std::ostringstream os;
    argdShowManual(rows, "prog", "[file ...]", os);
    EXPECT_EQ(os.str(), ".SH SYNOPSIS\n.na\n\\fB\\%prog\\fR\n\\%[\\fB\\-7\\fR\\&\n"
                        "\\%\\fB\\-n\\fR\\ \\fI<int>\\fR]\\&\n\\&\\%[file\\ ...]\\&\n.ad\n"
                        ".SH OPTIONS\n.TP\n\\fB\\-7\\fR\n\\&seven # hash [off]\\&\n"
                        ".TP\n\\fB\\-n\\fR\\ \\fI<int>\\fR\n\\&passes [3]\\&\n");
    const struct {
        const char* szShell;
        const char* szLine;
    } cases[] = {
        {"bash", "  f+='7'\n"}, {"zsh", "    '-7[seven # hash]' \\\n"}, {"fish", "-s '7' -d 'seven # hash'\n"}};
    for (const auto& c : cases) {
        std::ostringstream osScript;
        argdShowCompletion(rows, "prog", c.szShell, osScript);
        EXPECT_NE(osScript.str().find(c.szLine), std::string::npos) << osScript.str();
    }
}

TEST(Manual, TheSameSectionsFromC)
{
    CountingBuf buf;
    std::ostream os(&buf);
    argdShowManual(table, "prog", "file ...", os);
    CWritten w;
    cShowManual(table, "file ...", &w);
    EXPECT_EQ(taken(w).text, buf.str());
    EXPECT_EQ(buf.str().rfind(".SH SYNOPSIS\n", 0), 0u);
    EXPECT_NE(buf.str().find("\n.SH OPTIONS\n"), std::string::npos);
}

TEST(Manual, LatinSpacesAsRoffEscapesAndOverlongBytesAsQuestionMarks)
{
    ArgDsc rows[] = {{'x',
                      "a\xc2\xa0"
                      "b\xc2\xad"
                      "c \xc0\xaf \xe0\x80\xaf \xf0\x82\x82\xac \xc3\xa9"
                      // the surrogates, refused, and their neighbours, shown
                      " \xed\x9f\xbf \xed\xa0\x80 \xed\xbf\xbf \xee\x80\x80",
                      '-'},
                     {0}};
    std::ostringstream os;
    argdShowManual(rows, "prog", nullptr, os);
    EXPECT_NE(os.str().find("\\&a\\~b\\%c ? ? ? \\[u00E9] \\[uD7FF] ? ? \\[uE000] []"), std::string::npos) << os.str();
}

// Long names: -v, --verbose in a tag, a long-only row by its name alone,
// in the synopsis too; a name is escaped as any text is.
TEST(Manual, LongNamesInTagsAndSynopsis)
{
    int verbose = 0;
    ArgDsc rows[] = {{'v', "verbose", '1', &verbose}, {'\x01', "colours", '-'}, {0}};
    const ArgLong names[] = {{'v', "verbose"}, {'\x01', "colour-mode"}, {0}};
    std::ostringstream os;
    argdShowLongManual(rows, names, "prog", nullptr, os);
    EXPECT_EQ(os.str(), ".SH SYNOPSIS\n.na\n\\fB\\%prog\\fR\n\\%[\\fB\\-v\\fR\\&\n"
                        "\\%\\fB\\-\\-colour\\-mode\\fR\\ \\fI<...>\\fR]\\&\n.ad\n"
                        ".SH OPTIONS\n.TP\n\\fB\\-v\\fR, \\fB\\-\\-verbose\\fR\n\\&verbose [off]\\&\n"
                        ".TP\n\\fB\\-\\-colour\\-mode\\fR\\ \\fI<...>\\fR\n\\&colours []\\&\n");
}

// Without long names, the long forms write what the others write.
TEST(Writers, LongFormsWithoutNamesAreTheOthers)
{
    for (const char* szShell : {"bash", "zsh", "fish"}) {
        std::ostringstream os, osLong;
        argdShowCompletion(table, "prog", szShell, os);
        EXPECT_EQ(argdShowLongCompletion(table, nullptr, "prog", szShell, osLong), 0);
        EXPECT_EQ(osLong.str(), os.str()) << szShell;
    }
    std::ostringstream os, osLong;
    argdShowManual(table, "prog", "file ...", os);
    argdShowLongManual(table, nullptr, "prog", "file ...", osLong);
    EXPECT_EQ(osLong.str(), os.str());
}

// A short and its long spellings are one option; a name a shell could
// run is not offered.
TEST(Completion, LongNamesBesideTheLetter)
{
    const ArgLong names[] = {{'o', "output"}, {'o', "out;rm -rf ~"}, {'v', "verbose"}, {0}};
    const struct {
        const char* szShell;
        const char* szLine;
    } cases[] = {{"bash", "    --output) t=o ;;\n"},
                 {"zsh", "    '(-o --output)'{'-o+','--output='}'[output\\: \xc3\xb6 \\\\fB]:\"...\":_files' \\\n"},
                 {"fish", "complete -c 'prog' -s 'o' -l 'output' -r -F -d 'output: \xc3\xb6 \\\\fB'\n"}};
    for (const auto& c : cases) {
        std::ostringstream os;
        EXPECT_EQ(argdShowLongCompletion(table, names, "prog", c.szShell, os), 0);
        EXPECT_NE(os.str().find(c.szLine), std::string::npos) << os.str();
        EXPECT_EQ(os.str().find("rm -rf"), std::string::npos) << c.szShell;
    }
}

} // namespace
