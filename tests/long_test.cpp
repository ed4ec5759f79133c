// SPDX-License-Identifier: MIT
// Long names: getopt_long() driven through the array argdInitLong derives,
// and the help that shows them, on a stream and from C alike.
#include <getopt.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support.h"

namespace {

int verbose = 0, passes = 3, quiet = 0, dryRun = 0;
int range[2] = {1, 10};
const char* output = nullptr;

ArgDsc table[] = {{'v', "verbose output", '1', &verbose},
                  {'n', "number of passes [1..10]", 'u', &passes, range},
                  {'q', "quiet", 'b', &quiet},
                  {'o', "output file", 's', &output},
                  {'\1', "when to use colours", '-'},
                  {'\2', "show what would run", '1', &dryRun},
                  {0}};
ArgLong names[] = {
    {'v', "verbose"}, {'n', "count"}, {'o', "output"}, {'\1', "color"}, {'\1', "colour"}, {'\2', "dry-run"}, {0}};

struct Derived {
    char options[2 * sizeof table / sizeof *table];
    option array[sizeof names / sizeof *names];
};

Derived derive(bool fromC)
{
    Derived d;
    (fromC ? cInitLong : argdInitLong)(d.options, d.array, table, names);
    return d;
}

// What getopt_long() returns for the words, each letter with its argument
// ("\1" as ^A), then the operands after '|'.
std::string parse(std::vector<std::string> words)
{
    Derived d = derive(false);
    std::vector<char*> argv{arg("prog")};
    for (std::string& word : words)
        argv.push_back(&word[0]);
    argv.push_back(nullptr);
    optind = 0; // glibc: start again, with a fresh scan of the words
    opterr = 0;
    std::string events;
    for (int ch; (ch = getopt_long(int(argv.size()) - 1, argv.data(), d.options, d.array, nullptr)) != -1;) {
        events += ch < ' ' ? std::string("^") + char(ch + '@') : std::string(1, char(ch));
        events += optarg ? std::string("=") + optarg + " " : " ";
    }
    events += "|";
    for (int i = optind; i < int(argv.size()) - 1; ++i)
        events += std::string(" ") + argv[i];
    return events;
}

TEST(Long, DerivesTheOptionStringAndTheArray)
{
    for (bool fromC : {false, true}) {
        Derived d = derive(fromC);
        EXPECT_STREQ(d.options, "vn:qo:");
        std::string array;
        for (const option& o : d.array)
            array += std::string(o.name ? o.name : "(null)") + " " + std::to_string(o.has_arg) + " " +
                     std::to_string(o.val) + (o.flag ? " flag" : "") + "\n";
        EXPECT_EQ(array, "verbose 0 118\ncount 1 110\noutput 1 111\ncolor 1 1\ncolour 1 1\ndry-run 0 2\n(null) 0 0\n")
            << fromC;
    }
}

TEST(Long, GetoptLongReadsEverySpelling)
{
    const struct {
        std::vector<std::string> words;
        const char* events;
    } cases[] = {
        {{"--verbose", "--count=4", "--count", "5", "-vn6"}, "v n=4 n=5 v n=6 |"},
        {{"--verb", "--dry", "--cou=7", "--out", "f"}, "v ^B n=7 o=f |"},
        {{"--col=always", "--colour", "never"}, "^A=always ^A=never |"}, // two names of one option
        {{"a", "--verbose", "b", "--", "--count=1"}, "v | a b --count=1"},
        {{"--co"}, "? |"}, // count or color
        {{"--nope", "--verbose=1", "--count"}, "? ? ? |"},
        {{"-q", "--quiet"}, "q ? |"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parse(c.words), c.events) << c.words.front();
}

TEST(Long, ArgdScanTakesWhatGetoptLongReturns)
{
    Derived d = derive(false);
    char* argv[] = {arg("prog"), arg("--count=4"), arg("--output"), arg("out"), arg("--dry-run"), nullptr};
    optind = 0;
    std::ostringstream errors;
    for (int ch; (ch = getopt_long(5, argv, d.options, d.array, nullptr)) != -1;)
        EXPECT_EQ(argdScan(char(ch), optarg, table, arg("prog"), 0, errors), 0) << ch;
    EXPECT_EQ(passes, 4);
    EXPECT_STREQ(output, "out");
    EXPECT_EQ(dryRun, 1);
    EXPECT_EQ(errors.str(), "");
    passes = 3, output = nullptr, dryRun = 0;
}

Written help(ArgDsc* rows, const ArgLong* longNames, Form form)
{
    if (form == Form::c) {
        CWritten w;
        cShowHelp(rows, longNames, "file ...", &w);
        return taken(w);
    }
    CountingBuf buf;
    std::ostream os(&buf);
    argdShowHelp(rows, longNames, "prog", "file ...", os);
    return {buf.str(), buf.syncs};
}

TEST(Long, HelpShowsBothNamesInAColumnOfTheWidest)
{
    const char* expected = "usage: prog  [-vq -n <int> -o \"...\" --color <...> --dry-run] file ...\n"
                           "Options:\n"
                           "    -v, --verbose       verbose output [off]\n"
                           "    -n, --count <int>   number of passes [1..10]\n"
                           "    -q                  quiet [false]\n"
                           "    -o, --output \"...\"  output file [unspec]\n"
                           "        --color <...>   when to use colours []\n"
                           "        --dry-run       show what would run [off]\n";
    for (Form form : kForms) {
        Written h = help(table, names, form);
        EXPECT_EQ(h.text, expected) << name(form);
        EXPECT_EQ(h.syncs, 6) << name(form);
    }
}

TEST(Long, HelpWithoutLongNamesIsTheUsageText)
{
    ArgDsc rows[] = {{'v', "verbose", '1', &verbose}, {'U', "mask", 'U', &passes}, {0}};
    ArgLong none[] = {{0}};
    for (Form form : kForms) {
        EXPECT_EQ(help(rows, nullptr, form).text, usage(rows, "file ...", form).text) << name(form);
        EXPECT_EQ(help(rows, none, form).text, usage(rows, "file ...", form).text) << name(form);
    }
}

// What assert() prints when the expression ending in TEXT fails in long.cpp.
std::string assertion(const std::string& text)
{
    return "argops/long\\.cpp:[0-9]+: .*Assertion `.*\"" + text + "\"' failed";
}

TEST(LongDeathTest, RefusesNamesThatNameNoOption)
{
    ArgDsc rows[] = {{'v', "verbose", '1', &verbose}, {'f', "files", '+'}, {'\3', "long only", '-'}, {0}};
    ArgLong colour[] = {{'\3', "colour"}, {0}};
    const struct {
        std::vector<ArgLong> names;
        const char* message;
    } cases[] = {
        {{{'z', "zed"}, {'\3', "c"}, {0}}, "every long name names a row"},
        {{{'f', "files"}, {'\3', "c"}, {0}}, "a '\\+' row takes no long name"},
        {{{'v', ""}, {'\3', "c"}, {0}}, "a long name is a word without '='"},
        {{{'v', "a=b"}, {'\3', "c"}, {0}}, "a long name is a word without '='"},
        {{{'v', nullptr}, {'\3', "c"}, {0}}, "a long name is a word without '='"},
        {{{'v', "verbose"}, {0}}, "a long-only row needs a long name"},
    };
    char options[8];
    option array[4];
    std::ostringstream os;
    for (const auto& c : cases) {
        EXPECT_DEATH(argdInitLong(options, array, rows, c.names.data()), assertion(c.message));
        EXPECT_DEATH(argdShowHelp(rows, c.names.data(), "prog", nullptr, os), assertion(c.message));
    }
    EXPECT_DEATH(argdInitLong(options, array, rows, nullptr), assertion("a long-only row needs a long name"));
    argdInitLong(options, array, rows, colour);
    EXPECT_STREQ(options, "v");
}

} // namespace
