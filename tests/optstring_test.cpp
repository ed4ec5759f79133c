// SPDX-License-Identifier: MIT
// The getopt() option string of a table, checked against the real getopt(),
// and the removal of argument-vector entries.
#include <gtest/gtest.h>
#include <unistd.h>

#include <vector>

#include "support.h"

namespace {

int zero;
ArgDsc five[] = {{'v', "verbose output", '1', &zero}, {'n', "passes", 'u', &zero}, {'q', "quiet", 'b', &zero},
                 {'o', "output file", 's', &zero},    {'x', "extra", '-'},         {0}};

// The option string, called from C as well: both must be the same.
std::string optString(ArgDsc* table, int c)
{
    char sz[64], szC[64];
    argdInitOpt(sz, table, c);
    cInitOpt(szC, table, c);
    EXPECT_STREQ(szC, sz);
    return sz;
}

TEST(OptString, EntriesFollowTheRowsAndTheCount)
{
    ArgDsc every[] = {{'a', "", '0'}, {'b', "", '1'}, {'c', "", 'b'}, {'d', "", 'B'}, {'e', "", 'u'}, {'f', "", 'U'},
                      {'g', "", 'd'}, {'h', "", 's'}, {'i', "", 't'}, {'j', "", '-'}, {'k', "", '+'}, {0}};
    ArgDsc plus[] = {{'p', "", '+'}, {'r', "", '+'}, {0}};
    ArgDsc noLetter[] = {{'a', "", 'u'}, {0, "", 'u'}, {'c', "", '1'}}; // a row with the letter 0 adds nothing
    EXPECT_EQ(optString(five, -1), "vn:qo:x:");
    EXPECT_EQ(optString(five, 2), "vn:");
    EXPECT_EQ(optString(five, 0), "");
    EXPECT_EQ(optString(five, -2), "");
    EXPECT_EQ(optString(plus, -1), "");
    EXPECT_EQ(optString(every, -1), "abcd:e:f:g:h:i:j:");
    EXPECT_EQ(optString(noLetter, 3), "a:c");
}

// The buffer needs room for two characters per visited row and the NUL, and
// nothing after that room may be written, whatever the rows' entries.
TEST(OptString, WritesOnlyItsRoom)
{
    ArgDsc rows[] = {{'a', "", '+'}, {'b', "", '1'}, {0, "", 'u'}, {'d', "", '+'}, {0}};
    for (int c : {-1, 0, 1, 2, 3, 4}) {
        int cVisited = c == -1 ? 2 : c;
        std::string sz(16, '#');
        argdInitOpt(&sz[0], rows, c);
        EXPECT_EQ(sz.substr(2 * cVisited + 1), std::string(15 - 2 * cVisited, '#')) << c;
    }
}

// What a program ends with after getopt() and argdScan over a command line.
struct Parsed {
    int verbose = 0, quiet = 0, passes = 3;
    const char* output = nullptr;
    std::string letters; // getopt()'s answers that are not table letters
    std::vector<std::string> operands;
};

Parsed parse(std::vector<const char*> args)
{
    Parsed p;
    static int range[2] = {1, 10};
    ArgDsc table[] = {{'v', "verbose", '1', &p.verbose},
                      {'q', "quiet", 'b', &p.quiet},
                      {'n', "passes", 'u', &p.passes, range},
                      {'o', "output", 's', &p.output},
                      {0}};
    char szOpt[16];
    argdInitOpt(szOpt, table, -1);
    args.insert(args.begin(), "prog");
    std::ostringstream err;
    optind = 0; // a second scan in one process must restart getopt()
    opterr = 0;
    for (int ch; (ch = getopt(int(args.size()), const_cast<char**>(args.data()), szOpt)) != -1;)
        if (ch == '?' || ch == ':')
            p.letters += char(ch);
        else
            argdScan(char(ch), optarg, table, arg("prog"), 0, err);
    p.operands.assign(args.begin() + optind, args.end());
    return p;
}

TEST(OptString, SplitsRealCommandLinesWithGetopt)
{
    Parsed p = parse({"-vq", "-n5", "-o", "out", "-q", "-q", "file"});
    EXPECT_EQ(p.verbose, 1);
    EXPECT_EQ(p.quiet, 1);
    EXPECT_EQ(p.passes, 5);
    EXPECT_STREQ(p.output, "out");
    EXPECT_EQ(p.operands, std::vector<std::string>{"file"});

    EXPECT_EQ(parse({"-n", "7"}).passes, 7);
    p = parse({"--", "-v"});
    EXPECT_EQ(p.verbose, 0);
    EXPECT_EQ(p.operands, std::vector<std::string>{"-v"});
    EXPECT_EQ(parse({"-z"}).letters, "?");
    EXPECT_EQ(parse({"-n"}).letters, "?");
}

TEST(RemoveArg, MovesTheTailDownAndCounts)
{
    const char* a = "a";
    const char* b = "b";
    const char* c = "c";
    const char* d = "d";
    const char* e = "e";
    std::vector<const char*> argv = {a, b, c, d, e};
    char** pv = const_cast<char**>(argv.data());
    int argc = 5;
    EXPECT_EQ(cRemoveArg(pv, 2, &argc), 2); // from C
    EXPECT_EQ(argc, 4);
    EXPECT_EQ(argv, (std::vector<const char*>{a, b, d, e, e}));
    EXPECT_EQ(argdRemoveArg(pv, 3, &argc), 0);
    EXPECT_EQ(argv, (std::vector<const char*>{a, b, d, e, e}));
    while (argdRemoveArg(pv, 1, &argc) > 0) {}
    EXPECT_EQ(argc, 1);
    EXPECT_EQ(argv[0], a);
}

} // namespace
